// The materials list as the program opens it: from the menu "Materiali" and the joint window's
// "Tabella Materiali", inside the main window; and how the program's message boxes break lines.
#include "AppTestSupport.h"
#include "ScriptedUi.h"

#include "app/ModuloCapreo.h"
#include "app/frmMain.h"
#include "app/frmNodi.h"
#include "materials/FrmListaLegno.h"
#include "materials/modLignar2_Gen.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Settings.h"
#include "platform/ui/Ui.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using testing_support::ScriptedUi;

namespace {

int finestreLista(frmMain* f) {
    int n = 0;
    for (QMdiSubWindow* s : f->mdiArea()->subWindowList()) n += qobject_cast<FrmListaLegno*>(s->widget()) != nullptr;
    return n;
}

class ListaDalProgramma : public ::testing::Test {
protected:
    void SetUp() override {
        app_testing::AzzeraProgramma();
        settings::DeleteSetting("Tecnavo", "ListaLegname");
    }
    void TearDown() override {
        frmMain::ImpostaUscita({});
        app_testing::AzzeraProgramma();
        settings::DeleteSetting("Tecnavo", "ListaLegname");
    }
    frmMain* avvia() {
        EXPECT_TRUE(Main());
        frmMain* f = MainForm();
        f->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(f));
        ui.clear();
        return f;
    }
    ScriptedUi ui;
};

TEST_F(ListaDalProgramma, BothOpenersGiveTheOneListBroughtToTheFront) {
    frmMain* f = avvia();
    ASSERT_TRUE(f->mnuMateriali->isEnabled());
    f->mnuMateriali->trigger();
    FrmListaLegno* lista = materials::ListaLegnoAperta();
    ASSERT_TRUE(lista);
    EXPECT_EQ(lista->Cornice()->mdiArea(), f->mdiArea());
    EXPECT_EQ(f->mdiArea()->activeSubWindow(), lista->Cornice());
    EXPECT_GT(lista->DataGrid1->RowCount(), 0);
    f->mnuMateriali->trigger();
    EXPECT_EQ(materials::ListaLegnoAperta(), lista);
    EXPECT_EQ(finestreLista(f), 1);

    QString tipo = QStringLiteral("Catena Puntone a Dente Semplice");
    NuovoNodo(tipo);
    ASSERT_TRUE(FormNodo);
    EXPECT_NE(f->mdiArea()->activeSubWindow(), lista->Cornice());
    ASSERT_TRUE(FormNodo->Command1->isEnabled());
    FormNodo->Command1->click();
    EXPECT_EQ(materials::ListaLegnoAperta(), lista);
    EXPECT_EQ(f->mdiArea()->activeSubWindow(), lista->Cornice());
    EXPECT_EQ(finestreLista(f), 1);

    EXPECT_TRUE(ui.msgBoxes().empty());
}

TEST_F(ListaDalProgramma, WithoutADatabaseTheErrorShowsAtTheOpeningAndNotAtEveryActivation) {
    // The user's data folder cannot be made (a file stands in its way): the start-up copy fails
    // and the program runs on without a connection.
    QTemporaryDir dati;
    QFile ostacolo(dati.filePath("file"));
    ASSERT_TRUE(ostacolo.open(QIODevice::WriteOnly));
    ostacolo.close();
    const QByteArray datiPrima = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", ostacolo.fileName().toLocal8Bit());
    ChiudiDatabaseMateriali(); // what an earlier test left open; a new process has none
    frmMain* f = avvia();
    ASSERT_FALSE(CnMateriali);
    f->mnuMateriali->trigger();
    auto boxes = ui.msgBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const auto& b : boxes) {
        EXPECT_TRUE(b.prompt.startsWith(QStringLiteral("Errore N. 3709 nella lettura del Database.\n\n")));
        EXPECT_EQ(b.style, ui::vbOKOnly);
        EXPECT_EQ(b.effectiveTitle, QStringLiteral("Tecnavo"));
    }
    ui.clear();

    // The main window coming back (after a message box, another program) is not the list's activation.
    for (int volta = 0; volta < 2; ++volta) {
        QWidget altrove;
        altrove.show();
        altrove.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&altrove));
        f->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    }
    f->mnuMateriali->trigger();
    EXPECT_TRUE(ui.msgBoxes().empty());
    EXPECT_EQ(ui.beeps(), 0);
    ChiudiDatabaseMateriali();
    qputenv("XDG_DATA_HOME", datiPrima);
}

TEST_F(ListaDalProgramma, EsciSavesNoPlacement) {
    frmMain* f = avvia();
    f->mnuMateriali->trigger();
    materials::ListaLegnoAperta()->Cornice()->move(40, 30);
    int uscite = 0;
    frmMain::ImpostaUscita([&] { ++uscite; });
    f->mnuEsci->trigger();
    EXPECT_EQ(uscite, 1);
    for (const char* chiave : {"Windowstate", "Top", "Left", "Width", "Height"})
        EXPECT_EQ(settings::GetSetting("Tecnavo", "ListaLegname", chiave, "-"), "-") << chiave;
}

// The real message box: its lines break at CR as at LF, and its text is never read as markup.
TEST(MessaggiDelProgramma, ACarriageReturnBreaksTheLine) {
    const struct {
        QString testo;
        QString righe;
    } casi[] = {
        {TestoArchivioMancante(QStringLiteral("C:\\Programmi\\Nodi\\LignarQOR.DEF")),
         QStringLiteral("Impossibile gestire il database dei materiali.\n\nIl file distribuito con il programma: \n"
                        "C:\\Programmi\\Nodi\\LignarQOR.DEF\nnon esiste.\n\nCopiare tale file nella directory di "
                        "installazione del software o reinstallare lo stesso.\n")},
        {QStringLiteral("a\rb\r\nc\n\rd"), QStringLiteral("a\nb\nc\n\nd")},
        {QStringLiteral("<b>Errore</b> & <i>x</i>"), QStringLiteral("<b>Errore</b> & <i>x</i>")},
    };
    for (const auto& c : casi) {
        QString mostrato;
        Qt::TextFormat formato = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                mostrato = box->text();
                formato = box->textFormat();
                box->button(QMessageBox::Ok)->click();
            }
        });
        EXPECT_EQ(ui::MsgBox(c.testo, ui::vbOKOnly, QStringLiteral("ERRORE SISTEMA SOFTWARE")), ui::vbOK);
        EXPECT_EQ(mostrato, c.righe);
        EXPECT_EQ(formato, Qt::PlainText);
    }
}

} // namespace
