// The material look-up of a member, and the member-tab change that proposes and shows materials.
#include "test_frmNodi.h"

#include "Locale.h"
#include "platform/ui/Twips.h"

#include <QFile>
#include <QPushButton>
#include <QTabWidget>

using namespace frmnodi_test;

namespace {

struct frmNodiLookup : ::testing::Test {
    testing_support::LocaleGuard italiano{testing_support::LocaleGuard::italian()};
    DatabaseMateriali db;
    std::unique_ptr<frmNodi> w = nuovaFinestra();
    void SetUp() override {
        ASSERT_TRUE(CnMateriali) << "the test database did not open";
        scegliTipo(*w, 1); // three members
    }
    QTreeWidget* lista(int k) { return w->LstMatAsta[k]; }
};

TEST_F(frmNodiLookup, FoundMaterialFillsThirteenRowsInOrderWithTwoDecimalsByTheLocale) {
    w->txtMatAsta->setText("12");
    QTreeWidget* l = lista(1);
    ASSERT_EQ(ui::ListCount(l), 13);
    const char* etichette[13] = {"N°",      "Descrizione", "Fmk",   "Ft,0,k", "Ft,90,k", "Fc,0,k", "Fc,90,k",
                                 "Fvk",     "E0,mean",     "E0,05", "E90,mean", "Gmean", "Massa"};
    const char* valori[13] = {"12",   "Abete", "24,00", "16,50",    "0,40",     "24,00", "2,70",
                              "3,46", "11600,00", "9400,00", "390,00", "720,00", "380,00"};
    for (int r = 1; r <= 13; ++r) {
        EXPECT_EQ(etichetta(l, r), QString::fromUtf8(etichette[r - 1])) << r;
        EXPECT_EQ(valore(l, r), valori[r - 1]) << r;
    }
    EXPECT_EQ(ui::ListToolTip(l), "Materiale N. 12) Abete");
    EXPECT_EQ(l->columnWidth(0), ui::TwipsToPixelsX(900));
    EXPECT_EQ(l->columnWidth(1), ui::TwipsToPixelsX(1400));
    EXPECT_EQ(ui::ListCount(lista(2)), 0); // only the selected member's list

    testing_support::LocaleGuard en(testing_support::LocaleGuard::english());
    w->txtMatAsta->setText("7");
    EXPECT_EQ(valore(l, 1), "7");
    EXPECT_EQ(valore(l, 3), "24.00");
    EXPECT_EQ(valore(l, 8), "4.00");
}

TEST_F(frmNodiLookup, MissingNumberDatabaseErrorAndNoNumberEachShowTheirState) {
    QTreeWidget* l = lista(1);
    w->txtMatAsta->setText("99");
    ASSERT_EQ(ui::ListCount(l), 1);
    EXPECT_EQ(etichetta(l, 1), "Materiale Insesistente nel DataBase");
    EXPECT_EQ(valore(l, 1), "");
    EXPECT_EQ(ui::ListToolTip(l), "");
    EXPECT_EQ(l->columnWidth(0), ui::TwipsToPixelsX(2100));
    EXPECT_EQ(l->topLevelItem(0)->toolTip(0), "Materiale Insesistente nel DataBase") << "the cut text shows whole";

    w->txtMatAsta->setText("7"); // back to a found one: the first column narrows again
    EXPECT_EQ(ui::ListCount(l), 13);
    EXPECT_EQ(l->columnWidth(0), ui::TwipsToPixelsX(900));

    for (const char* niente : {"", "0", "-5", "abc"}) {
        w->txtMatAsta->setText(niente);
        EXPECT_EQ(ui::ListCount(l), 0) << niente;
        EXPECT_EQ(ui::ListToolTip(l), "") << niente;
    }

    // Leading number, then halves to the even neighbour.
    w->txtMatAsta->setText("12abc");
    EXPECT_EQ(valore(l, 1), "12");
    w->txtMatAsta->setText("12.5");
    EXPECT_EQ(valore(l, 1), "12");

    // A number no whole number can hold is no material; the program goes on.
    w->txtMatAsta->setText("99999999999999");
    ASSERT_EQ(ui::ListCount(l), 1);
    EXPECT_EQ(etichetta(l, 1), "Materiale Insesistente nel DataBase");

    const auto cn = CnMateriali;
    CnMateriali = nullptr;
    w->txtMatAsta->setText("7");
    CnMateriali = cn;
    ASSERT_EQ(ui::ListCount(l), 1);
    EXPECT_TRUE(etichetta(l, 1).startsWith("Errore N.")) << etichetta(l, 1).toStdString();
    EXPECT_EQ(valore(l, 1), "");
    EXPECT_EQ(l->columnWidth(0), ui::TwipsToPixelsX(2100));
}

TEST_F(frmNodiLookup, NullFieldsShowEmptyValuesAndDuplicatesShowTheFirst) {
    w->txtMatAsta->setText("13");
    QTreeWidget* l = lista(1);
    ASSERT_EQ(ui::ListCount(l), 13);
    EXPECT_EQ(valore(l, 1), "13");
    EXPECT_EQ(valore(l, 2), "");
    EXPECT_EQ(valore(l, 13), "");

    db.exec("INSERT INTO Legno (Numero, Descrizione, Fmk) VALUES (7, 'Doppione', 99);");
    w->txtMatAsta->setText("7");
    ASSERT_EQ(ui::ListCount(l), 13);
    EXPECT_TRUE(valore(l, 2) == "Abete C24" || valore(l, 2) == "Doppione");
}

TEST_F(frmNodiLookup, LookUpEnablesVerificaAndALockedBoxDoesNothing) {
    w->Command8->setEnabled(false);
    w->txtMatAsta->setReadOnly(true);
    w->txtMatAsta->setText("7");
    EXPECT_FALSE(w->Command8->isEnabled());
    EXPECT_EQ(ui::ListCount(lista(1)), 0);
    w->txtMatAsta->setReadOnly(false);
    w->txtMatAsta->setText("12");
    EXPECT_TRUE(w->Command8->isEnabled());
}

TEST_F(frmNodiLookup, MemberWithoutMaterialTakesOverThePreviousOne) {
    w->txtMatAsta->setText("7");
    ui::SetCurrentTab(w->SSTab2, 1);
    EXPECT_EQ(w->txtMatAsta->text(), "7");
    ASSERT_EQ(ui::ListCount(lista(2)), 13);
    EXPECT_EQ(valore(lista(2), 1), "7");

    // Member 3 takes member 2's, which is now 12.
    w->txtMatAsta->setText("12");
    ui::SetCurrentTab(w->SSTab2, 2);
    EXPECT_EQ(w->txtMatAsta->text(), "12");
    EXPECT_EQ(valore(lista(3), 1), "12");
}

TEST_F(frmNodiLookup, MemberWithMaterialShowsItsNumberWithoutASecondLookUp) {
    w->txtMatAsta->setText("7");
    ui::SetCurrentTab(w->SSTab2, 1);
    w->txtMatAsta->setText("12");
    ui::SetCurrentTab(w->SSTab2, 0);
    EXPECT_EQ(w->txtMatAsta->text(), "7");
    // Were the list looked up again, it would now say the material is missing.
    db.exec("DELETE FROM Legno WHERE Numero=12;");
    w->Command8->setEnabled(false);
    ui::SetCurrentTab(w->SSTab2, 1);
    EXPECT_EQ(w->txtMatAsta->text(), "12");
    EXPECT_FALSE(w->txtMatAsta->isReadOnly());
    EXPECT_FALSE(w->Command8->isEnabled());
    ASSERT_EQ(ui::ListCount(lista(2)), 13);
    EXPECT_EQ(valore(lista(2), 2), "Abete");
}

TEST_F(frmNodiLookup, FirstMemberOrAFailedPreviousLookUpProposesNothing) {
    ui::SetCurrentTab(w->SSTab2, 1);
    EXPECT_EQ(w->txtMatAsta->text(), "");
    w->txtMatAsta->setText("99"); // member 2: not found
    ui::SetCurrentTab(w->SSTab2, 2);
    EXPECT_EQ(w->txtMatAsta->text(), "");
    EXPECT_EQ(ui::ListCount(lista(3)), 0);
    // A member whose list shows a message counts as having none; the empty box is not changed,
    // so its list keeps the message.
    ui::SetCurrentTab(w->SSTab2, 1);
    EXPECT_EQ(w->txtMatAsta->text(), "");
    ASSERT_EQ(ui::ListCount(lista(2)), 1);
    EXPECT_EQ(etichetta(lista(2), 1), "Materiale Insesistente nel DataBase");
}

TEST_F(frmNodiLookup, AFileDeletedOrReplacedUnderTheWindowIsSaidAndTheLookUpFollowsTheFileAtThePath) {
    const QString path = db.path();
    const QString copia = path + ".copia";
    const QString lettura = "Errore N.-2147467259 nella lettura del Database.\n\nImpossibile eseguire \"Select * From Legno "
                            "Where Numero=%1\": il file del database '" + path + "' ";
    QTreeWidget* l = lista(1);

    ASSERT_TRUE(QFile::copy(path, copia));
    ASSERT_TRUE(QFile::remove(path));
    w->txtMatAsta->setText("7");
    ASSERT_EQ(ui::ListCount(l), 1);
    EXPECT_EQ(etichetta(l, 1).toStdString(),
              (lettura.arg(7) + "non c'è più: è stato eliminato, spostato o rinominato. Rimetterlo al suo posto e riprovare.")
                  .toStdString());
    ASSERT_TRUE(QFile::copy(copia, path));
    w->txtMatAsta->setText("12");
    ASSERT_EQ(ui::ListCount(l), 13);
    EXPECT_EQ(valore(l, 2), "Abete");

    // Another database renamed over it: said once, then read.
    const QString altro = path + ".altro";
    ASSERT_TRUE(QFile::copy(path, altro));
    {
        sqlite3* h = nullptr;
        ASSERT_EQ(sqlite3_open(altro.toUtf8().constData(), &h), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(h, "UPDATE Legno SET Descrizione='Abete del nuovo file' WHERE Numero=7", nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(h);
    }
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(altro, path));
    w->txtMatAsta->setText("7");
    ASSERT_EQ(ui::ListCount(l), 1);
    EXPECT_EQ(etichetta(l, 1).toStdString(),
              (lettura.arg(7) + "è stato sostituito da un altro file mentre il programma lo usava. Ora si usa il file "
                                "presente a quel percorso: ripetere l'operazione.")
                  .toStdString());
    w->txtMatAsta->setText("");
    w->txtMatAsta->setText("7");
    ASSERT_EQ(ui::ListCount(l), 13);
    EXPECT_EQ(valore(l, 2), "Abete del nuovo file");
}

} // namespace
