// The materials list and the real cards together, as a user walks them: a new material from the
// toolbar, saved and seen in the list; the highlighted row modified and deleted. Every save is read
// back through SQLite directly.
#include "FindChild.h"
#include "Locale.h"
#include "Schede.h"
#include "ScriptedUi.h"
#include "materials/Finestre.h"
#include "materials/FrmListaLegno.h"
#include "materials/ModLignar2_Legno.h"
#include "materials/SchedaLegno.h"
#include "materials/modLignar2_Gen.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Settings.h"
#include "tests/data/TestDb.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ListaESchede : public ::testing::Test {
protected:
    testing_support::LocaleGuard italiano{testing_support::LocaleGuard::italian()};
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settings::DeleteSetting(QStringLiteral("Tecnavo"), QStringLiteral("ListaLegname"));
        path = dir.filePath("MaterialiQor.dms");
        testdb::makeMaterials(path);
        PercorsoDbMateriali = path;
        ApriDatabaseMateriali();
        ASSERT_TRUE(CnMateriali);
        area.resize(1400, 1000);
        area.show();
        area.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
        materials::ImpostaAreaFinestre(&area);
        NumSchedeAperte = 0;
        materials::MostraListaLegno();
        lista = materials::ListaLegnoAperta();
        ASSERT_TRUE(lista);
    }
    void TearDown() override { schede::chiudiTutto(area); }

    // The card opened last, in front.
    SchedaLegno* scheda() {
        auto* s = qobject_cast<SchedaLegno*>(area.activeSubWindow() ? area.activeSubWindow()->widget() : nullptr);
        EXPECT_TRUE(s) << "no card in front";
        return s;
    }
    // Types into a box as a user does: the box's text selected, then the keys.
    static void digita(QLineEdit* box, const QString& testo) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, testo);
    }
    QString corrente() const {
        const long r = lista->DataGrid1->CurrentRow();
        return r ? lista->DataGrid1->CellText(r, 0) : QString();
    }
    std::string riga(int numero) const {
        return testdb::scalar(path, "SELECT Numero||'|'||Classe||'|'||Descrizione||'|'||Fc0k||'|'||rok FROM Legno WHERE Numero=" +
                                        std::to_string(numero));
    }

    QTemporaryDir dir;
    QString path;
    QMdiArea area;
    testing_support::ScriptedUi ui;
    FrmListaLegno* lista = nullptr;
};

TEST_F(ListaESchede, ANewMaterialModifiedAndDeletedThroughTheListAndItsCards) {
    // A filtered list proposes the number after its own last row. A number another row holds is
    // refused on saving, and nothing typed is lost.
    lista->Text3->setText(QStringLiteral("Con"));
    lista->Buttons[2]->trigger();
    SchedaLegno* nuova = scheda();
    ASSERT_TRUE(nuova);
    EXPECT_EQ(nuova->Text2->text(), QStringLiteral("36")) << "35 is the last row the filter shows";
    digita(nuova->Text2, QStringLiteral("35"));
    digita(nuova->Text1[0], QStringLiteral("C99"));
    digita(nuova->Text1[1], QStringLiteral("Conifera di prova"));
    const char* valori[11] = {"24", "14.5", "0.4", "21", "2.5", "4", "11000", "7400", "370", "690", "350"};
    for (int i = 0; i < 11; ++i) digita(nuova->Text1[static_cast<std::size_t>(i + 2)], QString::fromLatin1(valori[i]));
    QTest::mouseClick(nuova->Command1, Qt::LeftButton);
    ASSERT_EQ(ui.msgBoxes().size(), 1u);
    EXPECT_EQ(ui.msgBoxes()[0].prompt, QStringLiteral("Esiste già un Materiale con il Numero 35."));
    EXPECT_EQ(testdb::scalar(path, "SELECT count(*) FROM Legno WHERE Numero=35"), "1");
    EXPECT_EQ(QApplication::focusWidget(), nuova->Text2);

    // Another number is saved; the card closes and the list, active again, shows the material
    // among the rows its filter lets through.
    digita(nuova->Text2, QStringLiteral("41"));
    QTest::mouseClick(nuova->Command1, Qt::LeftButton);
    EXPECT_EQ(riga(41), "41|C99|Conifera di prova|21.0|350.0");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(area.activeSubWindow(), lista->Cornice());
    EXPECT_EQ(lista->DataGrid1->RowCount(), 3);
    EXPECT_EQ(corrente(), QStringLiteral("35")) << "the row the proposal moved to stays current";

    // The user highlights the new row and modifies it: the card is on that very material.
    lista->Text3->setText(QStringLiteral("Conifera d"));
    ASSERT_EQ(corrente(), QStringLiteral("41"));
    lista->Buttons[4]->trigger();
    SchedaLegno* modifica = scheda();
    ASSERT_TRUE(modifica);
    EXPECT_EQ(modifica->windowTitle(), QStringLiteral("Modifica Scheda Materiale (LEGNO): C99"));
    digita(modifica->Text1[5], QStringLiteral("23.5"));
    QTest::mouseClick(modifica->Command1, Qt::LeftButton);
    EXPECT_EQ(riga(41), "41|C99|Conifera di prova|23.5|350.0");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(area.activeSubWindow(), lista->Cornice());
    EXPECT_EQ(corrente(), QStringLiteral("41"));
    EXPECT_EQ(lista->DataGrid1->CellText(lista->DataGrid1->CurrentRow(), 6), QStringLiteral("23,50 "));

    // Deleted from its card, it is gone from the file and from the list.
    lista->Buttons[5]->trigger();
    SchedaLegno* elimina = scheda();
    ASSERT_TRUE(elimina);
    ui.answer(ui::vbYes);
    QTest::mouseClick(elimina->Command1, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(riga(41), "");
    ASSERT_EQ(area.activeSubWindow(), lista->Cornice());
    EXPECT_EQ(lista->DataGrid1->RowCount(), 0) << "no other description begins with the filter";
    lista->Text3->clear();
    EXPECT_EQ(lista->DataGrid1->RowCount(), 9);
}

} // namespace
