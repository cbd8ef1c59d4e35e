// The materials list window inside a work area, as the program opens it: grid, filter, toolbar,
// re-read on activation, and the placement kept in the settings store.
#include "materials/FrmListaLegno.h"

#include "FindChild.h"
#include "Locale.h"
#include "ScriptedUi.h"
#include "materials/Finestre.h"
#include "materials/modLignar2_Gen.h"
#include "platform/basic/Basic.h"
#include "platform/data/Data.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Settings.h"
#include "platform/ui/Twips.h"
#include "tests/data/TestDb.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

using testing_support::Call;
using testing_support::ScriptedUi;

namespace {

const QString kApp = QStringLiteral("Tecnavo");
const QString kSezione = QStringLiteral("ListaLegname");

struct Apertura {
    QString modo;   // "Nuovo" for the new-material opener
    QString numero;
};

class ListaLegno : public ::testing::Test {
protected:
    testing_support::LocaleGuard italiano{testing_support::LocaleGuard::italian()};
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settings::DeleteSetting(kApp, kSezione);
        area.resize(1400, 900);
        area.show();
        area.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
        materials::ImpostaAreaFinestre(&area);
        FrmListaLegno::ImpostaApriSchede(
            [this](std::shared_ptr<data::Recordset>& rs) {
                aperture.push_back({QStringLiteral("Nuovo"), QString()});
                if (dopoNuova) dopoNuova(rs);
            },
            [this](QString& modo, QString& numero) { aperture.push_back({modo, numero}); });
    }
    void TearDown() override {
        if (FrmListaLegno* l = materials::ListaLegnoAperta()) delete l->Cornice();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        FrmListaLegno::ImpostaApriSchede({}, {});
        materials::ImpostaAreaFinestre(nullptr);
        ChiudiDatabaseMateriali();
        PercorsoDbMateriali.clear();
        settings::DeleteSetting(kApp, kSezione);
    }

    // The materials of the data tests, one of them with values above a thousand.
    void database() {
        path = dir.filePath("MaterialiQor.dms");
        testdb::makeMaterials(path);
        testdb::exec(path, "UPDATE Legno SET E0mean = 11000, Fc90k = 2.5 WHERE Numero = 30");
        PercorsoDbMateriali = path;
        ApriDatabaseMateriali();
        ASSERT_TRUE(CnMateriali);
    }

    FrmListaLegno* apri() {
        materials::MostraListaLegno();
        FrmListaLegno* l = materials::ListaLegnoAperta();
        EXPECT_TRUE(l && l->Cornice());
        return l;
    }

    // Makes another child of the area active and then the list again, as coming back from a card.
    void tornaAllaLista(FrmListaLegno* l) {
        auto* altra = area.addSubWindow(new QWidget);
        altra->show();
        area.setActiveSubWindow(altra);
        area.setActiveSubWindow(l->Cornice());
        delete altra;
    }

    static QStringList numeri(const FrmListaLegno* l) {
        QStringList out;
        for (long r = 1; r <= l->DataGrid1->RowCount(); ++r) out << l->DataGrid1->CellText(r, 0);
        return out;
    }
    static QString numeroCorrente(const FrmListaLegno* l) {
        return l->DataGrid1->CurrentRow() ? l->DataGrid1->CellText(l->DataGrid1->CurrentRow(), 0) : QString();
    }
    // Grid and recordset agree on the current row.
    static void inPasso(FrmListaLegno* l) {
        const long pos = l->rsListaLegno->AbsolutePosition();
        EXPECT_EQ(l->DataGrid1->CurrentRow(), pos > 0 ? pos : 0);
        if (pos > 0) {
            EXPECT_EQ(l->rsListaLegno->Fields("Numero").Value().toLongLong(), numeroCorrente(l).toLongLong());
        }
    }

    static QString chiave(const QString& k) { return settings::GetSetting(kApp, kSezione, k, QStringLiteral("-")); }

    QTemporaryDir dir;
    QString path;
    QMdiArea area;
    ScriptedUi ui;
    std::vector<Apertura> aperture;
    std::function<void(std::shared_ptr<data::Recordset>&)> dopoNuova;
};

TEST_F(ListaLegno, OpensWithItsToolbarArchiveLineAndFormattedGrid) {
    database();
    FrmListaLegno* l = apri();
    EXPECT_EQ(l->windowTitle(), "DataBase Materiale Legno");
    EXPECT_EQ(l->Text1->text(), "Archivio: \"" + path + "\"   [ Valori in N/mm² ]");
    EXPECT_EQ(l->Text2->text(), "Filtro:");
    EXPECT_TRUE(l->Text2->isReadOnly());
    EXPECT_EQ(l->Text3->toolTip(), "Seleziona Materiale la cui Descrizione inizia per ......");

    const char* suggerimenti[] = {nullptr, nullptr, "Nuovo Materiale (LEGNO)", "Visualizza", "Modifica", "Elimina",
                                  nullptr, "Refresh Database", nullptr, "Chiudi Elenco"};
    QList<QAction*> azioni = l->Toolbar1->actions();
    for (int i = 1; i <= 9; ++i) {
        SCOPED_TRACE(i);
        QAction* a = l->Buttons[static_cast<std::size_t>(i)];
        ASSERT_TRUE(a);
        EXPECT_EQ(azioni.indexOf(a), i - 1) << "the buttons stand in index order, first on the bar";
        EXPECT_EQ(a->isSeparator(), suggerimenti[i] == nullptr);
        if (suggerimenti[i]) {
            EXPECT_EQ(a->toolTip(), QString::fromUtf8(suggerimenti[i]));
            EXPECT_FALSE(a->icon().pixmap(24, 24).isNull());
        }
    }

    // One column per field, formatted by its caption.
    const QStringList titoli{"Numero", "Classe", "Descrizione", "Fmk",  "Ft0k", "Ft90k",   "Fc0k",
                             "Fc90k",  "Fvk",    "E0mean",      "E05",  "E90mean", "Gmean", "rok"};
    ASSERT_EQ(l->DataGrid1->ColumnCount(), 14);
    for (int c = 0; c < 14; ++c) {
        SCOPED_TRACE(titoli[c].toStdString());
        EXPECT_EQ(l->DataGrid1->ColumnCaption(c), titoli[c]);
        const double larghezza = c == 0 ? 630 : c == 1 ? 1000 : c == 2 ? 4000 : 800;
        EXPECT_DOUBLE_EQ(l->DataGrid1->ColumnWidthTwips(c), larghezza);
        EXPECT_EQ(l->DataGrid1->ColumnAlignment(c), c == 0   ? ui::GridAlignment::Centre
                                                    : c < 3 ? ui::GridAlignment::Default
                                                            : ui::GridAlignment::Right);
        EXPECT_EQ(l->DataGrid1->ColumnNumberFormat(c), c < 3 ? "" : "##,#0.00 ");
    }
    EXPECT_EQ(numeri(l), QStringList({"5", "10", "15", "20", "25", "26", "30", "35", "40"}));
    EXPECT_EQ(l->DataGrid1->CellText(7, 9), "11.000,00 ");
    EXPECT_EQ(l->DataGrid1->CellText(7, 7), "2,50 ");
    EXPECT_EQ(l->DataGrid1->CellText(7, 5), ""); // a null value stays empty
    // Every value fits its column: nothing of "11.000,00 " is cut.
    const QFontMetrics fm(l->DataGrid1->font());
    EXPECT_LE(fm.horizontalAdvance("11.000,00 ") + 6, l->DataGrid1->columnWidth(9));

    EXPECT_EQ(area.activeSubWindow(), l->Cornice());
    EXPECT_TRUE(ui.msgBoxes().empty());
    EXPECT_EQ(ui.pointer(), ui::vbDefault);
}

TEST_F(ListaLegno, TheFilterTakesAnyTextAsTheBeginningOfTheDescription) {
    database();
    FrmListaLegno* l = apri();
    const QStringList tutti{"5", "10", "15", "20", "25", "26", "30", "35", "40"};
    const struct {
        const char* testo;
        QStringList attesi;
    } casi[] = {
        {"", tutti},
        {"   ", tutti},
        {"_", tutti},
        {"  _ ", tutti},
        {"L'", {"40"}},
        {"l'ABETE b", {"40"}},
        {"Con", {"30", "35"}},
        {"A_B", {"25"}},          // an underscore is itself
        {"A%B", {"25", "26"}},    // a percent sign stands for any run, as in the list's filter syntax
        {"%", tutti},
        {" Spazio", {"5"}},       // a leading blank is kept
        {"Spazio", {}},
        {"'", {}},
        {"''", {}},
        {"\"", {}},
        {"Con\"fera", {}},
        {"x' OR '1'='1", {}},
        {"'; DROP TABLE Legno; --", {}},
        {"Conifera C24%' OR Descrizione like '", {}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.testo);
        l->Text3->setText(QString::fromUtf8(c.testo));
        EXPECT_EQ(numeri(l), c.attesi);
        EXPECT_EQ(l->rsListaLegno->RecordCount(), c.attesi.size());
        EXPECT_TRUE(l->DataGrid1->isEnabled());
        EXPECT_EQ(l->DataGrid1->CurrentRow(), c.attesi.isEmpty() ? 0 : 1);
        inPasso(l);
    }
    EXPECT_TRUE(ui.msgBoxes().empty());
    EXPECT_EQ(testdb::scalar(path, "SELECT count(*) FROM Legno"), "9");

    // Typed key by key, as the user does.
    l->Text3->clear();
    l->Text3->setFocus();
    QTest::keyClicks(l->Text3, "l'ab");
    EXPECT_EQ(numeri(l), QStringList({"40"}));

    // A re-read shows every row while the box keeps its text; the next keystroke filters again.
    l->Text3->setText("Con");
    l->Buttons[7]->trigger();
    EXPECT_EQ(numeri(l), tutti);
    EXPECT_EQ(l->Text3->text(), "Con");
    QTest::keyClicks(l->Text3, "i");
    EXPECT_EQ(numeri(l), QStringList({"30", "35"}));
}

TEST_F(ListaLegno, ToolbarAndDoubleClickOpenTheRowTheUserSees) {
    database();
    FrmListaLegno* l = apri();
    auto clic = [&](long riga, bool doppio = false) {
        const QRect cella = l->DataGrid1->visualRect(l->DataGrid1->model()->index(static_cast<int>(riga - 1), 2));
        if (doppio) {
            QTest::mouseDClick(l->DataGrid1->viewport(), Qt::LeftButton, {}, cella.center());
            // A user's double-click ends with the button up; QTest leaves it down.
            QTest::mouseRelease(l->DataGrid1->viewport(), Qt::LeftButton, {}, cella.center());
        } else
            QTest::mouseClick(l->DataGrid1->viewport(), Qt::LeftButton, {}, cella.center());
    };
    clic(3);
    inPasso(l);
    l->Buttons[3]->trigger();
    l->Buttons[4]->trigger();
    l->Buttons[5]->trigger();
    clic(5, true);
    ASSERT_EQ(aperture.size(), 4u);
    EXPECT_EQ(aperture[0].modo, "Visualizza");
    EXPECT_EQ(aperture[1].modo, "Modifica");
    EXPECT_EQ(aperture[2].modo, "Elimina");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(aperture[static_cast<std::size_t>(i)].numero, "15");
    EXPECT_EQ(aperture[3].modo, "Modifica");
    EXPECT_EQ(aperture[3].numero, "25");

    // The new-material opener gets the list's own recordset and moves it to its last row: the grid follows.
    aperture.clear();
    std::shared_ptr<data::Recordset> ricevuto;
    dopoNuova = [&](std::shared_ptr<data::Recordset>& rs) {
        ricevuto = rs;
        rs->MoveLast();
    };
    l->Text3->setText("Con");
    l->Buttons[2]->trigger();
    EXPECT_EQ(ricevuto, l->rsListaLegno);
    EXPECT_EQ(numeroCorrente(l), "35");
    inPasso(l);
    l->Buttons[4]->trigger();
    ASSERT_EQ(aperture.size(), 2u);
    EXPECT_EQ(aperture[0].modo, "Nuovo");
    EXPECT_EQ(aperture[1].numero, "35");

    // An opener that replaces the recordset leaves a grid bound to the new one, formats kept.
    dopoNuova = [&](std::shared_ptr<data::Recordset>& rs) {
        QString errore;
        ApriRecordset(rs, "Select * from Legno ", errore);
        rs->MoveLast();
    };
    l->Buttons[2]->trigger();
    EXPECT_EQ(l->DataGrid1->DataSource(), l->rsListaLegno);
    EXPECT_EQ(numeroCorrente(l), "40");
    EXPECT_EQ(l->DataGrid1->ColumnNumberFormat(3), "##,#0.00 ");

    // With no row to stand on, view, modify, delete and double-click do nothing.
    aperture.clear();
    l->Text3->setText("zzz");
    for (int i : {3, 4, 5}) l->Buttons[static_cast<std::size_t>(i)]->trigger();
    l->DataGrid1_DblClick();
    EXPECT_TRUE(aperture.empty());
    EXPECT_TRUE(ui.msgBoxes().empty());
}

TEST_F(ListaLegno, ComingBackToTheListReadsItAgainOnTheSameRow) {
    database();
    FrmListaLegno* l = apri();
    l->rsListaLegno->AbsolutePosition(6); // 26
    l->DataGrid1->SyncToRecordset();
    l->Text3->setText("A");
    ASSERT_EQ(numeri(l), QStringList({"25", "26"}));
    l->rsListaLegno->MoveLast();
    l->DataGrid1->SyncToRecordset();
    // A card saved two materials meanwhile, one of them let through by the filter.
    testdb::exec(path, "INSERT INTO Legno (Numero, Descrizione) VALUES (1, 'Nuovo'), (2, 'Abete nuovo')");

    // The main window losing and regaining the focus is no activation of the list.
    QWidget altroProgramma;
    altroProgramma.show();
    altroProgramma.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&altroProgramma));
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    EXPECT_EQ(numeri(l), QStringList({"25", "26"}));

    tornaAllaLista(l);
    EXPECT_EQ(numeri(l), QStringList({"2", "25", "26"})) << "the filter stays with the re-read";
    EXPECT_EQ(l->Text3->text(), "A");
    EXPECT_EQ(numeroCorrente(l), "26");
    inPasso(l);

    // The row it stood on was deleted on a card: the list stands on its first row.
    testdb::exec(path, "DELETE FROM Legno WHERE Numero = 26");
    tornaAllaLista(l);
    EXPECT_EQ(numeri(l), QStringList({"2", "25"}));
    EXPECT_EQ(numeroCorrente(l), "2");
    inPasso(l);
    EXPECT_TRUE(ui.msgBoxes().empty());
}

TEST_F(ListaLegno, WithoutADatabaseEachReadSaysWhyAndNothingElseBreaks) {
    FrmListaLegno* l = apri();
    const QString atteso = QStringLiteral("Errore N. 3709 nella lettura del Database.\n\n");
    auto boxes = ui.msgBoxes();
    ASSERT_EQ(boxes.size(), 2u) << "the load's read and the activation's read";
    for (const Call& b : boxes) {
        EXPECT_TRUE(b.prompt.startsWith(atteso)) << b.prompt.toStdString();
        EXPECT_GT(b.prompt.size(), atteso.size());
        EXPECT_EQ(b.style, ui::vbOKOnly);
        EXPECT_TRUE(b.title.isNull());
        EXPECT_EQ(b.effectiveTitle, "Tecnavo");
    }
    EXPECT_EQ(l->Text1->text(), "Archivio: \"\"   [ Valori in N/mm² ]");
    EXPECT_EQ(l->DataGrid1->RowCount(), 0);
    ui.clear();

    QTest::keyClicks(l->Text3, "L'a");
    for (int i : {2, 3, 4, 5}) l->Buttons[static_cast<std::size_t>(i)]->trigger();
    l->DataGrid1_DblClick();
    EXPECT_TRUE(ui.msgBoxes().empty());
    ASSERT_EQ(aperture.size(), 1u) << "only the new-material opener, which needs no row";
    EXPECT_EQ(aperture[0].modo, "Nuovo");

    // "Refresh Database" and the next activation try again.
    l->Buttons[7]->trigger();
    tornaAllaLista(l);
    EXPECT_EQ(ui.msgBoxes().size(), 2u);
    EXPECT_EQ(ui.pointer(), ui::vbDefault);
}

TEST_F(ListaLegno, ThePlacementComesBackAfterEachWayOfClosing) {
    database();
    // First opening with nothing saved: the design placement.
    FrmListaLegno* l = apri();
    EXPECT_EQ(l->Cornice()->geometry(),
              QRect(0, 0, ui::TwipsToPixelsX(15300), ui::TwipsToPixelsY(6900)));

    const QRect posti[] = {QRect(100, 50, 900, 400), QRect(30, 120, 700, 500), QRect(0, 10, 1000, 300)};
    const std::function<void(FrmListaLegno*)> chiusure[] = {
        [](FrmListaLegno* f) { f->Buttons[9]->trigger(); },
        [](FrmListaLegno* f) {
            f->DataGrid1->setFocus();
            QTest::keyClick(f->DataGrid1, Qt::Key_Escape);
        },
        [](FrmListaLegno* f) { f->Cornice()->close(); },
    };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        l->Cornice()->setGeometry(posti[i]);
        QPointer<QMdiSubWindow> cornice = l->Cornice();
        chiusure[i](l);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(materials::ListaLegnoAperta());
        EXPECT_TRUE(cornice.isNull()) << "the frame goes with the window";
        EXPECT_EQ(chiave("Windowstate"), "0");
        EXPECT_EQ(chiave("Top"), basic::CStr(static_cast<float>(ui::PixelsToTwipsY(posti[i].y()))));
        EXPECT_EQ(chiave("Left"), basic::CStr(static_cast<float>(ui::PixelsToTwipsX(posti[i].x()))));
        EXPECT_EQ(chiave("Width"), basic::CStr(static_cast<float>(ui::PixelsToTwipsX(posti[i].width()))));
        EXPECT_EQ(chiave("Height"), basic::CStr(static_cast<float>(ui::PixelsToTwipsY(posti[i].height()))));
        l = apri();
        EXPECT_EQ(l->Cornice()->geometry(), posti[i]);
    }
    // Minimized it stays minimized next time.
    l->Cornice()->showMinimized();
    l->Buttons[9]->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(chiave("Windowstate"), "1");
    l = apri();
    EXPECT_EQ(l->WindowState(), 1);
    EXPECT_TRUE(ui.msgBoxes().empty());
}

TEST_F(ListaLegno, GarbageOrOffAreaPlacementsAreIgnoredOrBroughtBack) {
    database();
    const int lw = ui::TwipsToPixelsX(15300), lh = ui::TwipsToPixelsY(6900);
    const QSize spazio = area.viewport()->size();
    const struct {
        const char* stato;
        const char* top;
        const char* left;
        const char* width;
        const char* height;
        QRect atteso;
    } casi[] = {
        {"abc", "abc", "", "x", "1,5,0", QRect(0, 0, lw, lh)},
        {"7", "1e40", "NaN", "inf", "-inf", QRect(0, 0, lw, lh)},
        {"-1", "-3000", "-1,5", "0", "-600", QRect(0, 0, lw, lh)},
        {"0", "1500", "99999999", "6000", "3000",
         QRect(spazio.width() - ui::TwipsToPixelsX(6000), ui::TwipsToPixelsY(1500), ui::TwipsToPixelsX(6000),
               ui::TwipsToPixelsY(3000))},
        {"0", "1e30", "0", "1e9", "1e9", QRect(QPoint(0, 0), spazio)},
        {"2", "300", "300", "3000", "3000", QRect(QPoint(0, 0), spazio)}, // maximized: never left so
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.top);
        settings::SaveSetting(kApp, kSezione, "Windowstate", QString::fromUtf8(c.stato));
        settings::SaveSetting(kApp, kSezione, "Top", QString::fromUtf8(c.top));
        settings::SaveSetting(kApp, kSezione, "Left", QString::fromUtf8(c.left));
        settings::SaveSetting(kApp, kSezione, "Width", QString::fromUtf8(c.width));
        settings::SaveSetting(kApp, kSezione, "Height", QString::fromUtf8(c.height));
        FrmListaLegno* l = apri();
        QCoreApplication::processEvents();
        EXPECT_EQ(l->WindowState(), 0);
        EXPECT_EQ(l->Cornice()->geometry(), c.atteso);
        delete l->Cornice();
    }
    EXPECT_TRUE(ui.msgBoxes().empty());
}

TEST_F(ListaLegno, MaximizedItStaysNormalWithTheSizeOfTheWorkArea) {
    database();
    FrmListaLegno* l = apri();
    l->Cornice()->showMaximized();
    QCoreApplication::processEvents();
    EXPECT_EQ(l->WindowState(), 0);
    EXPECT_FALSE(l->Cornice()->isMaximized());
    EXPECT_EQ(l->Cornice()->geometry(), QRect(QPoint(0, 0), area.viewport()->size()));
    const QRect g = l->DataGrid1->geometry();
    EXPECT_EQ(l->height() - g.height() - l->Toolbar1->height(), ui::TwipsToPixelsY(200));

    // Too small for its margins, the grid stays where it was.
    l->Cornice()->resize(80, 60);
    QCoreApplication::processEvents();
    EXPECT_EQ(l->DataGrid1->geometry(), g);
}

TEST_F(ListaLegno, ASettingsStoreThatCannotBeWrittenDoesNotKeepTheWindowOpen) {
    database();
    FrmListaLegno* l = apri();
    // The store's file is a folder: nothing can be written there.
    const QString conf = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Tecnavo";
    QDir(conf).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(conf + "/Tecnavo.conf"));
    l->Buttons[9]->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QDir(conf).removeRecursively();
    EXPECT_FALSE(materials::ListaLegnoAperta());
    const auto boxes = ui.msgBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].prompt.startsWith("Errore di run-time '75':")) << boxes[0].prompt.toStdString();
}

} // namespace
