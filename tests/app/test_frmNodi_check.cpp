// The ordered input check of the joint window: every row's message character by character, the
// beep, the member's tab in front and the faulty box focused with its text selected, under a
// decimal-comma and a decimal-point locale.
#include "test_frmNodi.h"

#include "Locale.h"
#include "ScriptedUi.h"

#include <QApplication>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <functional>

using namespace frmnodi_test;

namespace {

// "9,99" written with the locale's decimal separator.
QString dec(const char* testo) { return QString::fromLatin1(testo).replace(',', QLocale().decimalPoint()); }

// A joint of type tipo that passes every row: notches 4 and 20, reaction 10, bearing 15, members
// 16 × 20 of material 7 at 30° with -50 kN (the tie beam flat and unloaded), member tab 1 in front.
void compila(frmNodi& w, int tipo) {
    scegliTipo(w, tipo);
    const char* mis[5] = {"", "4", "20", "4", "20"};
    for (int k = 1; k <= 4; ++k) w.txtMis[k]->setText(mis[k]);
    w.txtReaz->setText("10");
    w.txtLapp->setText("15");
    for (int k = 1; k <= 3; ++k) {
        w.txtBAsta[k]->setText("16");
        w.txtHAsta[k]->setText("20");
        if (!w.txtAngAsta[k]->isHidden()) w.txtAngAsta[k]->setText("30");
        if (!w.txtNAsta[k]->isHidden()) w.txtNAsta[k]->setText("-50");
        ui::SetCurrentTab(w.SSTab2, k - 1);
        w.txtMatAsta->setText("7");
    }
    ui::SetCurrentTab(w.SSTab2, 0);
}

struct Riga {
    const char* nome;
    int tipo;                                 // joint type chosen before the row's changes; -1 none
    std::function<void(frmNodi&)> prepara;    // what the user got wrong
    const char* messaggio;                    // nullptr: the check passes
    int tab;                                  // member tab in front afterwards
    const char* fuoco;                        // focused control afterwards
    std::function<void(frmNodi&)> dopo = {};  // what else the row leaves behind
    int pagina = 0;                           // tab of SSTab1 in front of a focused box
};

// Service class k chosen, with that kmod.
std::function<void(frmNodi&)> kmod(int k, const char* valore) {
    return [=](frmNodi& w) {
        w.Option2[k]->setChecked(true);
        w.txtCoefCar[k]->setText(dec(valore));
    };
}

const Riga kRighe[] = {
    {"1 no joint type", -1, [](frmNodi& w) { w.txtReaz->clear(); }, "Selezionare Tipo Unione", 0, "cmbTipoNodo",
     [](frmNodi& w) { EXPECT_EQ(w.txtReaz->text(), "") << "no later row runs"; }},
    {"2 tv not a number", 0, [](frmNodi& w) { w.txtMis[1]->setText("4a"); },
     "Inserire Misura Intaglio [cm.]  tv =, con formato Numerico Corretto.", 0, "txtMis(1)"},
    {"2 tv beyond a single", 0, [](frmNodi& w) { w.txtMis[1]->setText("1E+39"); },
     "Inserire Misura Intaglio [cm.]  tv =, con formato Numerico Corretto.", 0, "txtMis(1)"},
    {"2 tv2 of the king post empty", 2, [](frmNodi& w) { w.txtMis[3]->clear(); },
     "Inserire Misura Intaglio tv2=, con formato Numerico Corretto.", 0, "txtMis(3)"},
    {"3 tv zero", 0, [](frmNodi& w) { w.txtMis[1]->setText("0"); }, "Inserire Misura Intaglio [cm.]  tv = >0.", 0,
     "txtMis(1)"},
    {"3 Lv negative", 0, [](frmNodi& w) { w.txtMis[2]->setText("-1"); }, "Inserire Misura Intaglio Lv = >0.", 0,
     "txtMis(2)"},
    {"2 a hidden notch box is not read", 1, [](frmNodi& w) { w.txtMis[2]->setText("x"); }, nullptr, 0, "Command8"},
    {"4 empty reaction and bearing pass", 0,
     [](frmNodi& w) {
         w.txtReaz->clear();
         w.txtLapp->setText("  ");
     },
     nullptr, 0, "Command8",
     [](frmNodi& w) {
         EXPECT_EQ(w.txtReaz->text(), "0");
         EXPECT_EQ(w.txtLapp->text(), "0");
     }},
    {"5 reaction not a number", 0, [](frmNodi& w) { w.txtReaz->setText("dieci"); },
     "Inserire Reazione Vincolare con formato Numerico Corretto.", 0, "txtReaz"},
    {"6 hidden bearing not a number", 1, [](frmNodi& w) { w.txtLapp->setText("x"); },
     "Inserire Lunghezza Appoggio con formato Numerico Corretto.", 0, "Command8"},
    {"6 tie beam bearing negative", 0, [](frmNodi& w) { w.txtLapp->setText("-15"); },
     "Inserire Lunghezza Appoggio positiva.", 0, "txtLapp"},
    {"6 tie beam bearing 0: no bearing check", 0, [](frmNodi& w) { w.txtLapp->setText("0"); }, nullptr, 0,
     "Command8"},
    {"6 a hidden bearing may be negative", 1, [](frmNodi& w) { w.txtLapp->setText("-15"); }, nullptr, 0,
     "Command8"},
    {"7 no section type", 1, [](frmNodi& w) { w.ComboAsta[2]->setCurrentIndex(-1); },
     "Selezionare Tipo Sezione Asta N. 2", 1, "ComboAsta(2)"},
    {"8 empty radius", 0,
     [](frmNodi& w) {
         w.ComboAsta[1]->setCurrentIndex(1);
         w.txtBAsta[1]->clear();
     },
     "Inserire Raggio Sezione Asta N. 1 con formato Numerico Corretto.", 0, "txtBAsta(1)"},
    {"8 base beyond a single", 1, [](frmNodi& w) { w.txtBAsta[2]->setText("-1E+39"); },
     "Inserire Base Sezione Asta N. 2 con formato Numerico Corretto.", 1, "txtBAsta(2)"},
    {"9 radius zero", 0,
     [](frmNodi& w) {
         w.ComboAsta[2]->setCurrentIndex(1);
         w.txtBAsta[2]->setText("0");
     },
     "Inserire Raggio Sezione Asta N. 2 >0.", 1, "txtBAsta(2)"},
    {"9 base negative", 2, [](frmNodi& w) { w.txtBAsta[3]->setText(dec("-0,5")); }, "Inserire Base Sezione Asta N. 3 >0.",
     2, "txtBAsta(3)"},
    {"10 height not a number", 1, [](frmNodi& w) { w.txtHAsta[2]->setText(dec("20,5,1")); },
     "Inserire Altezza Sezione Asta N. 2 con formato Numerico Corretto.", 1, "txtHAsta(2)"},
    {"10 a circle's height is not read", 1,
     [](frmNodi& w) {
         w.ComboAsta[3]->setCurrentIndex(1);
         w.txtHAsta[3]->setText("x");
     },
     nullptr, 0, "Command8"},
    {"11 height zero", 0, [](frmNodi& w) { w.txtHAsta[1]->setText("0"); }, "Inserire Altezza Sezione Asta N. 1 >0.", 0,
     "txtHAsta(1)"},
    {"12 angle of blanks", 1, [](frmNodi& w) { w.txtAngAsta[2]->setText(" "); },
     "Inserire Angolo Asta N. 2 con formato Numerico Corretto.", 1, "txtAngAsta(2)"},
    {"13 angle negative", 1, [](frmNodi& w) { w.txtAngAsta[3]->setText("-5"); }, "Inserire Angolo Asta N. 3 positivo.",
     2, "txtAngAsta(3)"},
    {"13 tie beam angle negative", 0, [](frmNodi& w) { w.txtAngAsta[1]->setText("-5"); },
     "Inserire Angolo Asta N. 1 positivo.", 0, "Command8"},
    {"14 tie beam not flat", 0, [](frmNodi& w) { w.txtAngAsta[1]->setText("5"); },
     "L'Angolo dell'Asta N. 1, Ossia della catena deve essere ZERO.", 0, "Command8"},
    {"14 only the tie beam must be flat", 1, [](frmNodi& w) { w.txtAngAsta[1]->setText(dec("0,5")); }, nullptr, 0,
     "Command8"},
    {"14 the rafter at 90", 0, [](frmNodi& w) { w.txtAngAsta[2]->setText("90"); },
     "L'Angolo dell'Asta N. 2 deve essere MINORE di 90.", 1, "txtAngAsta(2)"},
    {"14 the rafter just below 90", 0, [](frmNodi& w) { w.txtAngAsta[2]->setText(dec("89,9")); }, nullptr, 0,
     "Command8"},
    {"14 the lower rafter typed 125 for 12,5", 1, [](frmNodi& w) { w.txtAngAsta[1]->setText("125"); },
     "L'Angolo dell'Asta N. 1 deve essere MINORE di 90.", 0, "txtAngAsta(1)"},
    {"14 the strut keeps no upper limit", 1,
     [](frmNodi& w) {
         w.txtAngAsta[1]->setText("10");
         w.txtAngAsta[3]->setText("100");
     },
     nullptr, 0, "Command8"},
    {"14 the king post's left rafter", 2, [](frmNodi& w) { w.txtAngAsta[1]->setText("90"); },
     "L'Angolo dell'Asta N. 1 deve essere MINORE di 90.", 0, "txtAngAsta(1)"},
    {"14 the king post's right strut", 3, [](frmNodi& w) { w.txtAngAsta[3]->setText(dec("90,5")); },
     "L'Angolo dell'Asta N. 3 deve essere MINORE di 90.", 2, "txtAngAsta(3)"},
    {"15 axial force not a number, from the coefficient tab", 2,
     [](frmNodi& w) {
         w.txtNAsta[3]->setText("50 kN");
         w.SSTab1->setCurrentIndex(2);
     },
     "Inserire Sforzo Assiale Asta N. 3 con formato Numerico Corretto.", 2, "txtNAsta(3)"},
    {"12 15 empty angle and axial force pass", 1,
     [](frmNodi& w) {
         w.txtAngAsta[3]->clear();
         w.txtNAsta[3]->clear();
     },
     nullptr, 0, "Command8"},
    {"16 material not in the database", 1,
     [](frmNodi& w) {
         ui::SetCurrentTab(w.SSTab2, 1);
         w.txtMatAsta->setText("99");
     },
     "Specificare Materiale Asta N. 2", 1, "txtMatAsta"},
    {"16 no material", 0,
     [](frmNodi& w) {
         w.txtMatAsta->clear();
         ui::SetCurrentTab(w.SSTab2, 1);
     },
     "Specificare Materiale Asta N. 1", 0, "txtMatAsta"},
    {"16 a record without values", 0,
     [](frmNodi& w) {
         w.txtMatAsta->setText("13");
         ui::SetCurrentTab(w.SSTab2, 1);
     },
     "Specificare Materiale Asta N. 1", 0, "txtMatAsta"},
    {"17 tv half the tie beam", 0, [](frmNodi& w) { w.txtMis[1]->setText("10"); },
     "La Misura dell'Intaglio tv deve essere MINORE della metà dell'Altezza della Catena", 0, "txtMis(1)"},
    {"17 tv just below half", 0, [](frmNodi& w) { w.txtMis[1]->setText(dec("9,99")); }, nullptr, 0, "Command8"},
    {"17 the lower rafter", 1, [](frmNodi& w) { w.txtMis[1]->setText("11"); },
     "La Misura dell'Intaglio tv deve essere MINORE della metà dell'Altezza del Puntone", 0, "txtMis(1)"},
    {"17 the king post", 3,
     [](frmNodi& w) {
         w.txtHAsta[1]->setText("100");
         w.txtMis[1]->setText("12");
     },
     "La Misura dell'Intaglio tv deve essere MINORE della metà dell'Altezza del Monaco", 0, "txtMis(1)"},
    {"17 tv2 half the king post", 2, [](frmNodi& w) { w.txtMis[3]->setText("10"); },
     "La Misura dell'Intaglio tv2 deve essere MINORE della metà dell'Altezza del Monaco", 0, "txtMis(3)"},
    {"17 tv2 just below half", 3, [](frmNodi& w) { w.txtMis[3]->setText(dec("9,99")); }, nullptr, 0, "Command8"},
    {"17 tv2 is not compared on the tie beam", 0, [](frmNodi& w) { w.txtMis[3]->setText("15"); }, nullptr, 0,
     "Command8"},
    {"17 a circular tie beam: its radius", 0,
     [](frmNodi& w) {
         w.ComboAsta[1]->setCurrentIndex(1);
         w.txtHAsta[1]->setText("100");
         w.txtMis[1]->setText("8");
     },
     "La Misura dell'Intaglio tv deve essere MINORE della metà dell'Altezza della Catena", 0, "txtMis(1)"},
    {"17 a circular king post, height box empty", 2,
     [](frmNodi& w) {
         w.ComboAsta[2]->setCurrentIndex(1);
         w.txtHAsta[2]->clear();
     },
     nullptr, 0, "Command8"},
    {"lower rafter and strut adding up to 180", 1,
     [](frmNodi& w) {
         w.txtAngAsta[1]->setText("60");
         w.txtAngAsta[3]->setText("120");
     },
     "La somma degli Angoli delle Aste N. 1 e N. 3 deve essere MINORE di 180.", 2, "txtAngAsta(3)"},
    {"lower rafter and strut just below 180", 1,
     [](frmNodi& w) {
         w.txtAngAsta[1]->setText("60");
         w.txtAngAsta[3]->setText(dec("119,9"));
     },
     nullptr, 0, "Command8"},
    {"an empty lower rafter angle counts 0 in the sum", 1,
     [](frmNodi& w) {
         w.txtAngAsta[1]->clear();
         w.txtAngAsta[3]->setText("180");
     },
     "La somma degli Angoli delle Aste N. 1 e N. 3 deve essere MINORE di 180.", 2, "txtAngAsta(3)"},
    {"the sum comes after the notch", 1,
     [](frmNodi& w) {
         w.txtAngAsta[3]->setText("150");
         w.txtMis[1]->setText("11");
     },
     "La Misura dell'Intaglio tv deve essere MINORE della metà dell'Altezza del Puntone", 0, "txtMis(1)"},
    {"kmod 0 of the chosen class", 2, kmod(2, "0"), "Inserire Valore Kmod Classe di Servizio N. 2 >0.", 0,
     "txtCoefCar(2)", {}, 2},
    {"kmod negative", 1, kmod(3, "-0,5"), "Inserire Valore Kmod Classe di Servizio N. 3 >0.", 0, "txtCoefCar(3)",
     {}, 2},
    {"kmod just above 0, another class at 0", 0,
     [](frmNodi& w) {
         w.txtCoefCar[1]->setText("0");
         kmod(3, "0,01")(w);
     },
     nullptr, 0, "Command8"},
    {"kmod typed 6 for 0,6", 0, kmod(1, "6"),
     "Inserire Valore Kmod Classe di Servizio N. 1 non superiore a 1,10.", 0, "txtCoefCar(1)", {}, 2},
    {"kmod 1,10", 3, kmod(2, "1,10"), nullptr, 0, "Command8"},
    {"kmod above 1,10 of a class not chosen", 0, [](frmNodi& w) { w.txtCoefCar[3]->setText("6"); }, nullptr, 0,
     "Command8"},
    {"gamma M of joints 0", 0, [](frmNodi& w) { w.txtCoefMat[6]->setText("0"); },
     "Inserire Coefficiente γM delle Unioni non inferiore a 1.", 0, "txtCoefMat(6)", {}, 2},
    {"gamma M of joints below 1", 1, [](frmNodi& w) { w.txtCoefMat[6]->setText(dec("0,99")); },
     "Inserire Coefficiente γM delle Unioni non inferiore a 1.", 0, "txtCoefMat(6)", {}, 2},
    {"gamma M of joints not a number", 2, [](frmNodi& w) { w.txtCoefMat[6]->setText("1,5,0"); },
     "Inserire Coefficiente γM delle Unioni non inferiore a 1.", 0, "txtCoefMat(6)", {}, 2},
    {"gamma M of joints 1", 0, [](frmNodi& w) { w.txtCoefMat[6]->setText("1"); }, nullptr, 0, "Command8"},
    {"gamma M comes after kmod", 0,
     [](frmNodi& w) {
         w.txtCoefMat[6]->setText("0");
         kmod(1, "6")(w);
     },
     "Inserire Valore Kmod Classe di Servizio N. 1 non superiore a 1,10.", 0, "txtCoefCar(1)", {}, 2},
    {"kmod comes after the notch", 0,
     [](frmNodi& w) {
         kmod(1, "0")(w);
         w.txtMis[1]->setText("10");
     },
     "La Misura dell'Intaglio tv deve essere MINORE della metà dell'Altezza della Catena", 0, "txtMis(1)"},
};

TEST(frmNodiCheck, EachRowStopsAtItsFaultWithItsMessageTabAndFocus) {
    DatabaseMateriali db;
    for (const QLocale& locale : {testing_support::LocaleGuard::italian(), testing_support::LocaleGuard::english()}) {
        testing_support::LocaleGuard lingua(locale);
        for (const Riga& r : kRighe) {
            SCOPED_TRACE(std::string(r.nome) + ", " + locale.name().toStdString());
            auto w = nuovaFinestra();
            w->resize(1400, 900);
            w->show();
            QApplication::setActiveWindow(w.get());
            ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
            if (r.tipo >= 0) compila(*w, r.tipo);
            r.prepara(*w);
            w->Command8->setFocus(); // as a click on "Verifica" leaves it

            testing_support::ScriptedUi ui;
            bool procedi = false;
            QString msg = QStringLiteral("invariato");
            w->controlladati(procedi, msg);

            EXPECT_EQ(procedi, r.messaggio == nullptr);
            EXPECT_EQ(msg, r.messaggio ? QString::fromUtf8(r.messaggio) : QStringLiteral("invariato"));
            EXPECT_EQ(ui.beeps(), r.messaggio ? 1 : 0);
            EXPECT_TRUE(ui.msgBoxes().empty()) << "the caller shows the message";
            EXPECT_EQ(w->SSTab2->currentIndex(), r.tab);
            QWidget* fuoco = QApplication::focusWidget();
            ASSERT_TRUE(fuoco);
            EXPECT_EQ(fuoco->objectName(), r.fuoco);
            if (auto* box = qobject_cast<QLineEdit*>(fuoco)) {
                EXPECT_EQ(box->selectedText(), box->text());
                EXPECT_EQ(w->SSTab1->currentIndex(), r.pagina) << "the faulty box is in front";
            }
            if (r.dopo) r.dopo(*w);
        }
    }
}

// The member's tab comes to the front through its own tab change, which offers a member without
// material the material of the member before it.
TEST(frmNodiCheck, AMemberWithoutMaterialIsShownWithThePreviousOneOffered) {
    DatabaseMateriali db;
    auto w = nuovaFinestra();
    compila(*w, 1);
    ui::SetCurrentTab(w->SSTab2, 2);
    w->txtMatAsta->clear();
    ui::SetCurrentTab(w->SSTab2, 0);
    ui::SetCurrentTab(w->SSTab2, 1);
    w->txtMatAsta->setText("99");
    ui::SetCurrentTab(w->SSTab2, 0);

    testing_support::ScriptedUi ui;
    bool procedi = true;
    QString msg;
    w->controlladati(procedi, msg);
    EXPECT_FALSE(procedi);
    EXPECT_EQ(msg, "Specificare Materiale Asta N. 2");
    EXPECT_EQ(w->SSTab2->currentIndex(), 1);
    EXPECT_EQ(w->txtMatAsta->text(), "7");
    EXPECT_EQ(valore(w->LstMatAsta[2], 1), "7");
}

} // namespace
