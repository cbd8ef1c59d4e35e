// Refilling a joint window from its joint, with the engine loaded as the program loads it.
#include "test_frmNodi.h"
#include "Locale.h"

#include "app/ModuloCapreo.h"
#include "platform/component/Component.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

using namespace frmnodi_test;
using QOR_TRBNS18::_clsAsta;
using QOR_TRBNS18::_clsGenVerNodi;
using QOR_TRBNS18::_clsNodo;

namespace {

struct AstaDati {
    const char* sezione;
    Single base, altezza, angolo, sforzo;
    Long materiale;
};

struct frmNodiRefill : ::testing::Test {
    testing_support::LocaleGuard italiano{testing_support::LocaleGuard::italian()};
    DatabaseMateriali db;
    std::unique_ptr<frmNodi> w;

    void SetUp() override {
        ASSERT_NO_THROW(GenVerNodi = component::CreateObjectAs<_clsGenVerNodi>("QOR_TRBNS18.clsGenVerNodi"));
        w = nuovaFinestra();
    }
    void TearDown() override {
        w.reset();
        GenVerNodi = nullptr;
    }

    // A new joint of that type, with its members registered when there are any; its number.
    Integer nodo(const QString& tipo, const std::vector<AstaDati>& aste, bool registrati = true) {
        std::string t = tipo.toStdString();
        GenVerNodi->CreaNodo(t);
        Integer n = static_cast<Integer>(GenVerNodi->Nodi()->Count());
        for (const AstaDati& a : aste) {
            auto asta = component::CreateObjectAs<_clsAsta>("QOR_TRBNS18.clsAsta");
            asta->TipoSezione(a.sezione);
            asta->Base(a.base);
            asta->Altezza(a.altezza);
            asta->Angolo(a.angolo);
            asta->SforzoAssiale(a.sforzo);
            asta->NumeroMateriale(a.materiale);
            GenVerNodi->AggiungiAsta(n, asta);
        }
        giunto(n)->AsteReg(registrati);
        return n;
    }
    std::shared_ptr<_clsNodo> giunto(Integer n) { return GenVerNodi->Nodi()->ItemAs<_clsNodo>(n); }
    void riempi(Integer n) {
        w->lblNodoCorrente->setText(QString::number(n));
        w->compilaTextDatiNodo(n);
    }
};

TEST_F(frmNodiRefill, NewJointSelectsItsTypeAndLeavesTheWindowEmpty) {
    w->txtMis[1]->setText("4");
    w->txtBAsta[3]->setText("12");
    w->txtMatAsta->setText("7");
    const Integer n = nodo("Monaco Saette a Dente Semplice", {}, false);
    riempi(n);
    EXPECT_EQ(w->cmbTipoNodo->currentText(), "Monaco Saette a Dente Semplice");
    EXPECT_EQ(w->txtMis[1]->text(), "");
    EXPECT_EQ(w->txtBAsta[3]->text(), "");
    EXPECT_EQ(w->txtMatAsta->text(), "");
    EXPECT_EQ(ui::ListCount(w->LstMatAsta[1]), 0);
    EXPECT_EQ(w->txtAngAsta[2]->text(), "90"); // written by the set-up after the emptying
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(w->ComboAsta[k]->currentIndex(), 0);
    EXPECT_EQ(w->RichTextBox1->toPlainText(), "Esegui Verifica");
}

TEST_F(frmNodiRefill, BlankOrUnknownTypeSelectsNothingAndWritesNothing) {
    riempi(nodo("  ", {{"Rettangolare", 12, 20, 0, 0, 7}}));
    EXPECT_EQ(w->cmbTipoNodo->currentIndex(), -1);
    EXPECT_EQ(w->txtBAsta[1]->text(), "");
    EXPECT_EQ(w->RichTextBox1->toPlainText(), "Selezionare Tipo di Unione");

    riempi(nodo("catena puntone a dente semplice", {{"Rettangolare", 12, 20, 0, 0, 7}}));
    EXPECT_EQ(w->cmbTipoNodo->currentIndex(), -1); // matched exactly, case included
    EXPECT_EQ(w->txtBAsta[1]->text(), "");
}

TEST_F(frmNodiRefill, RegisteredTieBeamJointIsWrittenBackWithItsReport) {
    const Integer n = nodo("Catena Puntone a Dente Semplice",
                           {{"Rettangolare", 12, 20, 0, 0, 7}, {"Circolare", 10, 10, 30.5f, 35, 99}});
    auto g = giunto(n);
    g->tv(3.5f);
    g->Lv(20);
    g->ReazioneY(0);
    g->LunghezzaAppoggio(15);
    riempi(n);
    EXPECT_EQ(w->txtMis[1]->text(), "3,5");
    EXPECT_EQ(w->txtMis[2]->text(), "20");
    EXPECT_EQ(w->txtReaz->text(), "0");
    EXPECT_EQ(w->txtLapp->text(), "15");
    EXPECT_EQ(w->ComboAsta[1]->currentIndex(), 0);
    EXPECT_EQ(w->ComboAsta[2]->currentIndex(), 1);
    EXPECT_EQ(w->txtBAsta[2]->text(), "10");
    EXPECT_EQ(w->txtHAsta[2]->text(), "10");
    EXPECT_EQ(w->txtAngAsta[2]->text(), "30,5");
    EXPECT_EQ(w->txtNAsta[2]->text(), "35");
    EXPECT_EQ(valore(w->LstMatAsta[1], 1), "7");
    ASSERT_EQ(ui::ListCount(w->LstMatAsta[2]), 1);
    EXPECT_EQ(etichetta(w->LstMatAsta[2], 1), "Materiale Insesistente nel DataBase");
    EXPECT_EQ(w->SSTab2->currentIndex(), 1); // the last member's tab stays in front
    EXPECT_EQ(w->txtMatAsta->text(), "99");
    const QString report = w->RichTextBox1->toPlainText();
    EXPECT_TRUE(report.startsWith(
        QString(" VERIFICA NODO N.%1\n Tipologia Nodo:          Catena Puntone a Dente Semplice\n").arg(n)));
    EXPECT_TRUE(report.contains(" Asta N. 2  B=10,00cm. x H=10,00cm.\n")) << report.toStdString();
}

TEST_F(frmNodiRefill, RegisteredJointsOfTheOtherTypesFillTheirBoxes) {
    const std::vector<AstaDati> tre = {{"Rettangolare", 14, 24, 40, -12, 7},
                                       {"Rettangolare", 16, 28, 90, -20, 12},
                                       {"Altro", 14, 24, 50, -12, 7}};
    Integer n = nodo("Puntone Saetta a Dente Semplice", tre);
    giunto(n)->tv(4);
    giunto(n)->Lv(25); // not shown for this type
    riempi(n);
    EXPECT_EQ(w->txtMis[1]->text(), "4");
    EXPECT_EQ(w->txtMis[2]->text(), "");
    EXPECT_EQ(w->txtReaz->text(), "");
    EXPECT_EQ(w->ComboAsta[3]->currentIndex(), 0); // any other section text reads as a rectangle
    EXPECT_EQ(w->txtNAsta[1]->text(), "-12");
    EXPECT_EQ(w->SSTab2->currentIndex(), 2);
    EXPECT_EQ(w->Text1->text(), "Saetta");

    for (const char* tipo : {"Monaco Puntoni a Dente Semplice", "Monaco Saette a Dente Semplice"}) {
        n = nodo(tipo, tre);
        auto g = giunto(n);
        g->tv(4);
        g->Lv(20);
        g->tvB(3);
        g->LvB(18);
        riempi(n);
        EXPECT_EQ(w->cmbTipoNodo->currentText(), tipo);
        EXPECT_EQ(w->txtMis[1]->text(), "4");
        EXPECT_EQ(w->txtMis[2]->text(), "20");
        EXPECT_EQ(w->txtMis[3]->text(), "3");
        EXPECT_EQ(w->txtMis[4]->text(), "18");
        EXPECT_EQ(w->txtAngAsta[2]->text(), "90");
        EXPECT_EQ(valore(w->LstMatAsta[2], 1), "12");
        EXPECT_EQ(valore(w->LstMatAsta[3], 1), "7");
        EXPECT_TRUE(w->RichTextBox1->toPlainText().contains(QString("Tipologia Nodo:          ") + tipo + "\n"));
        EXPECT_TRUE(w->RichTextBox1->toPlainText().contains(" Saetta di destra\n"));
    }
}

TEST_F(frmNodiRefill, ClosingTheWindowReleasesTheCurrentJointAndKeepsItInTheRegistry) {
    const Integer n = nodo("Catena Puntone a Dente Semplice", {});
    NodoCorrente = giunto(n);
    frmNodi* f = new frmNodi;
    f->show();
    f->close();
    EXPECT_FALSE(NodoCorrente);
    EXPECT_EQ(GenVerNodi->Nodi()->Count(), n);
    EXPECT_TRUE(giunto(n));
}

} // namespace
