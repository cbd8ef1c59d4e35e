// Start-up order, the program-wide objects, new joints and their numbers, select-all.
#include "AppTestSupport.h"
#include "ScriptedUi.h"

#include "app/ModuloCapreo.h"
#include "app/frmMain.h"
#include "app/frmNodi.h"
#include "platform/ui/Forms.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using testing_support::ScriptedUi;

namespace {

class Startup : public ::testing::Test {
protected:
    void SetUp() override { app_testing::AzzeraProgramma(); }
    void TearDown() override { app_testing::AzzeraProgramma(); }
    ScriptedUi ui;
};

TEST_F(Startup, MainShowsTheWindowThenCreatesTheEngineObjects) {
    bool finestraVisibile = false;
    int tipiInLista = 0;
    ASSERT_TRUE(Main());
    EXPECT_TRUE(ui.msgBoxes().empty()) << ui.msgBoxes().front().prompt.toStdString();

    EXPECT_EQ(PiGrecoSingolo, static_cast<float>(std::atan(1.0) * 4));
    finestraVisibile = MainForm()->isVisible();
    tipiInLista = MainForm()->ListView1->count();
    EXPECT_TRUE(finestraVisibile);
    EXPECT_EQ(tipiInLista, 4);
    EXPECT_EQ(MainForm()->windowTitle(), QStringLiteral("Lentiro - S.L.U."));

    ASSERT_TRUE(GenVerNodi);
    ASSERT_TRUE(NodoCorrente);
    // The spare joint belongs to no registry.
    EXPECT_EQ(GenVerNodi->Nodi()->Count(), 0);
    EXPECT_TRUE(FormNodo.isNull());
}

TEST_F(Startup, WithoutTheEngineTheErrorShowsOverTheMainWindowAndMainFails) {
    QTemporaryDir vuota; // no engine library, no shipped archive, nothing registered
    app_testing::CartellaProgramma cartella(vuota.path());
    std::vector<bool> finestraAlMessaggio;
    // Looks at the main window during every message box (the hook fires once, so it re-arms itself).
    std::function<void(const testing_support::Call&)> guarda = [&](const testing_support::Call&) {
        finestraAlMessaggio.push_back(MainForm()->isVisible() && MainForm()->ListView1->count() == 4);
        ui.onMsgBox(guarda);
    };
    ui.onMsgBox(guarda);

    EXPECT_FALSE(Main());

    // The database start-up may have had its say first (its working file may exist already from
    // another test); the engine's error is the last message, over the main window.
    const auto boxes = ui.msgBoxes();
    ASSERT_FALSE(boxes.empty());
    ASSERT_LE(boxes.size(), 2u);
    if (boxes.size() == 2) {
        EXPECT_EQ(boxes[0].title, QStringLiteral("ERRORE SISTEMA SOFTWARE"));
    }
    const auto& errore = boxes.back();
    EXPECT_TRUE(errore.prompt.contains(QStringLiteral("429"))) << errore.prompt.toStdString();
    EXPECT_TRUE(errore.prompt.contains(QStringLiteral("QOR_TRBNS18"))) << errore.prompt.toStdString();
    EXPECT_EQ(errore.style & 0xF0, ui::vbCritical);
    EXPECT_EQ(errore.effectiveTitle, QStringLiteral("Tecnavo"));
    ASSERT_EQ(finestraAlMessaggio.size(), boxes.size());
    EXPECT_TRUE(finestraAlMessaggio.back());
    EXPECT_FALSE(GenVerNodi);
}

TEST_F(Startup, ClosingTheMainWindowReleasesTheProgramWideObjects) {
    ASSERT_TRUE(Main());
    ASSERT_TRUE(GenVerNodi);
    MainForm()->close();
    QApplication::processEvents();
    EXPECT_FALSE(GenVerNodi);
    EXPECT_FALSE(NodoCorrente);
    EXPECT_TRUE(FormNodo.isNull());
    EXPECT_TRUE(ui.msgBoxes().empty());
}

TEST_F(Startup, ReleasingTwiceIsHarmless) {
    ASSERT_TRUE(Main());
    DistruggiOggettiCalcolo();
    DistruggiOggettiCalcolo();
    EXPECT_FALSE(GenVerNodi);
    EXPECT_TRUE(ui.msgBoxes().empty());
}

TEST_F(Startup, SelezionaTestoSelectsTheTextOfAHiddenBox) {
    QLineEdit box;
    box.setText(QStringLiteral("12,5"));
    box.hide();
    ui::SelezionaTesto(&box);
    EXPECT_EQ(box.selectedText(), QStringLiteral("12,5"));
    EXPECT_EQ(box.selectionStart(), 0);

    QLineEdit vuota;
    ui::SelezionaTesto(&vuota);
    EXPECT_TRUE(vuota.selectedText().isEmpty());
    ui::SelezionaTesto(nullptr);
    EXPECT_TRUE(ui.calls().empty());
}

QString numeroDi(frmNodi* f) { return f ? f->lblNodoCorrente->text() : QStringLiteral("<no window>"); }

TEST_F(Startup, JointNumbersFollowThePositionInNodiAcrossClosedWindows) {
    ASSERT_TRUE(Main());
    QMdiArea* area = MainForm()->mdiArea();

    NuovoNodo(frmNodi::Tipo::CatenaPuntone);
    QPointer<frmNodi> primo = FormNodo;
    EXPECT_EQ(numeroDi(primo), QStringLiteral("1"));
    EXPECT_TRUE(primo->isVisible());

    NuovoNodo(frmNodi::Tipo::CatenaPuntone); // the same type once more
    QPointer<frmNodi> secondo = FormNodo;
    EXPECT_EQ(numeroDi(secondo), QStringLiteral("2"));
    EXPECT_EQ(area->subWindowList().size(), 2);
    EXPECT_TRUE(primo && primo->isVisible()) << "the earlier window stays open";
    // The new window cascades from the earlier one instead of covering it exactly.
    const QPoint passo = secondo->parentWidget()->pos() - primo->parentWidget()->pos();
    EXPECT_GT(passo.x(), 0);
    EXPECT_EQ(passo.x(), passo.y());
    EXPECT_EQ(NodoCorrente, GenVerNodi->Nodi()->ItemAs<QOR_TRBNS18::_clsNodo>(2));

    primo->close(); // as its button "Esci" does
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    EXPECT_TRUE(primo.isNull());
    EXPECT_EQ(area->subWindowList().size(), 1) << "a closed joint window leaves no empty frame";
    EXPECT_FALSE(NodoCorrente) << "a closing joint window clears NodoCorrente";

    NuovoNodo(frmNodi::Tipo::MonacoSaette);
    EXPECT_EQ(numeroDi(FormNodo), QStringLiteral("3"));
    EXPECT_EQ(GenVerNodi->Nodi()->Count(), 3);
    EXPECT_EQ(GenVerNodi->Nodi()->ItemAs<QOR_TRBNS18::_clsNodo>(3)->TipoNodo(), "Monaco Saette a Dente Semplice");
    EXPECT_EQ(NodoCorrente, GenVerNodi->Nodi()->ItemAs<QOR_TRBNS18::_clsNodo>(3));
    EXPECT_TRUE(ui.msgBoxes().empty());
}

TEST_F(Startup, ClosingTheMainWindowClosesTheJointWindowsFirst) {
    ASSERT_TRUE(Main());
    NuovoNodo(frmNodi::Tipo::PuntoneSaetta);
    QPointer<frmNodi> finestra = FormNodo;
    MainForm()->close();
    QApplication::processEvents();
    EXPECT_TRUE(finestra.isNull());
    EXPECT_FALSE(GenVerNodi);
    EXPECT_TRUE(ui.msgBoxes().empty());
}

} // namespace
