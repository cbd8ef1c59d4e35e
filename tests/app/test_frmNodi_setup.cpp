// The joint window's layout, joint-type set-up, picture chooser, section type and typed keys.
#include "test_frmNodi.h"
#include "Locale.h"
#include "platform/basic/Basic.h"

#include "FindChild.h"
#include "ScriptedUi.h"
#include "app/ModuloCapreo.h"
#include "app/frmNodi_picture.h"

#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

using namespace frmnodi_test;
using testing_support::findChild;

namespace {

TEST(frmNodiLayout, EveryDesignControlIsThereUnderItsName) {
    auto w = nuovaFinestra();
    EXPECT_EQ(w->windowTitle(), "[Qor srl] - Unioni di Nodi in Legno");
    for (const char* n : {"lblTitolo", "lblNodoCorrente", "lblTipo", "cmbTipoNodo", "SSTab1", "SSTab2", "PicTipoNodi",
                          "FrameParamNodo", "lblReaz", "txtReaz", "lblLapp", "txtLapp", "Text1", "Text2", "txtMatAsta",
                          "Command1", "Command2", "Command8", "Command9", "RichTextBox1", "Frame2", "Label55",
                          "Label18", "Label11(2)", "Frame11", "ImgTipoUnione(3)", "PicNodo(3)", "FrameAsta(0)",
                          "FrameAsta(6)", "lblAsta(0)", "lblAsta(31)", "lblMis(4)", "txtMis(4)", "ComboAsta(6)",
                          "lblBase(6)", "txtBAsta(6)", "lblAltezza(6)", "txtHAsta(6)", "lblAngAsta(6)",
                          "txtAngAsta(6)", "lblNAsta(6)", "txtNAsta(6)", "LstMatAsta(6)", "txtCoefMat(8)",
                          "txtCoefCar(3)", "Option2(3)"})
        EXPECT_TRUE(findChild<QWidget>(w.get(), n)) << n;

    EXPECT_EQ(w->lblTitolo->text(), "Verifica Stati Limite - Unioni in Legno - Nodo N .");
    EXPECT_EQ(w->lblNodoCorrente->text(), "0");
    EXPECT_EQ(w->SSTab1->count(), 3);
    EXPECT_EQ(w->SSTab1->tabText(0), "Dati Unione");
    EXPECT_EQ(w->SSTab1->tabText(1), "Relazione di Verifica");
    EXPECT_EQ(w->SSTab1->tabText(2), "Coefficienti Normativa");
    ASSERT_EQ(w->SSTab2->count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(w->SSTab2->tabText(i), QString::number(i + 1));
    ASSERT_EQ(w->cmbTipoNodo->count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w->cmbTipoNodo->itemText(i), frmNodi::TipiNodo()[i]);
        EXPECT_EQ(w->ImgTipoUnione[i]->toolTip(), frmNodi::TipiNodo()[i]);
    }
    EXPECT_EQ(w->Command1->text(), "Tabella Materiali");
    EXPECT_EQ(w->Command2->text(), "Help");
    EXPECT_EQ(w->Command9->text(), "Esci");
    EXPECT_EQ(w->lblAngAsta[2]->text(), QString::fromUtf8("α (°)"));
    EXPECT_EQ(w->txtLapp->toolTip(), "Lunghezza dell'Appoggio");
    EXPECT_TRUE(w->RichTextBox1->isReadOnly());
}

TEST(frmNodiLayout, CoefficientTabStartsWithTheDefaultsAndServiceClass1) {
    testing_support::LocaleGuard italiano(testing_support::LocaleGuard::italian());
    auto w = nuovaFinestra();
    const char* mat[9] = {"", "1,50", "1,45", "1,45", "1,50", "1,40", "1,50", "1,00", "1,00"};
    for (int k = 1; k <= 8; ++k) EXPECT_EQ(w->txtCoefMat[k]->text(), mat[k]) << k;
    EXPECT_EQ(w->txtCoefCar[1]->text(), "0,60");
    EXPECT_EQ(w->txtCoefCar[2]->text(), "0,60");
    EXPECT_EQ(w->txtCoefCar[3]->text(), "0,50");
    EXPECT_EQ(w->lblCoefMat[6]->text(), "Unioni"); // the dotted leader is drawn, not typed
    EXPECT_EQ(w->txtCoefMat[6]->palette().color(QPalette::Base), QColor(255, 255, 192));
    EXPECT_NE(w->txtCoefMat[5]->palette().color(QPalette::Base), QColor(255, 255, 192));
    EXPECT_TRUE(w->Option2[1]->isChecked());
    EXPECT_EQ(w->Option2[1]->text(), QString::fromUtf8("1: T=20°C  U<65%"));
    EXPECT_EQ(w->Option2[2]->text(), "2: U>85% x  poche settimane");
    EXPECT_EQ(w->Option2[3]->text(), "3: U>85%");
    EXPECT_EQ(w->Label11[2]->text(), "Valori di kmod (Classe Durata del Carico Fy:  Permanente)");
}

TEST(frmNodiSetup, NoTypeChosenShowsTheChooserAndCannotVerify) {
    auto w = nuovaFinestra();
    EXPECT_EQ(w->cmbTipoNodo->currentIndex(), -1);
    EXPECT_EQ(w->stkPicture->currentWidget(), w->PicTipoNodi);
    EXPECT_EQ(w->Command8->text(), "Seleziona Tipo Unione");
    EXPECT_FALSE(w->Command8->isEnabled());
    EXPECT_EQ(w->RichTextBox1->toPlainText(), "Selezionare Tipo di Unione");
    EXPECT_FALSE(w->FrameParamNodo->isEnabled());
    EXPECT_FALSE(w->FrameAsta[0]->isEnabled());
    EXPECT_FALSE(w->SSTab2->isEnabled());
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(w->ComboAsta[k]->currentText(), "Rettangolare");
}

struct Atteso {
    int tipo;
    int disegno;
    int aste;
    const char* nome1;
    const char* mis[5]; // nullptr = hidden
    bool reazione;
    bool nVisibile[4];
    bool angVisibile[4];
    const char* angolo2;
};

const Atteso kAttesi[] = {
    {0, 0, 2, "Catena", {nullptr, "[cm.]  tv =", "Lv =", nullptr, nullptr}, true, {0, 0, 1, 1}, {0, 0, 1, 1}, ""},
    {1, 1, 3, "Puntone Inferiore", {nullptr, "[cm.]  tv =", nullptr, nullptr, nullptr}, false, {0, 0, 0, 1},
     {0, 1, 1, 1}, ""},
    {2, 2, 3, "Puntone Sx", {nullptr, "[cm.]  tv1=", "Lv1=", "tv2=", "Lv2="}, false, {0, 1, 0, 1}, {0, 1, 0, 1}, "90"},
    {3, 3, 3, "Saetta Sx", {nullptr, "[cm.]  tv1=", "Lv1=", "tv2=", "Lv2="}, false, {0, 1, 0, 1}, {0, 1, 0, 1}, "90"},
};

// The row prints as its joint type, so the test names stay readable and the same at every run.
void PrintTo(const Atteso& a, std::ostream* os) {
    static const char* const nomi[4] = {"CatenaPuntone", "PuntoneSaetta", "MonacoPuntoni", "MonacoSaette"};
    *os << nomi[a.tipo];
}

class frmNodiSetupTable : public ::testing::TestWithParam<Atteso> {};

TEST_P(frmNodiSetupTable, ChoosingATypeSetsDrawingTabsCaptionsAndHiddenBoxes) {
    const Atteso& a = GetParam();
    auto w = nuovaFinestra();
    w->txtAngAsta[1]->setText("5");
    w->txtBAsta[1]->setText("12");
    w->txtNAsta[2]->setText("-35");
    scegliTipo(*w, a.tipo);

    EXPECT_EQ(w->stkPicture->currentWidget(), w->PicNodo[a.disegno]);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ui::TabVisible(w->SSTab2, i), i < a.aste) << "tab " << i;
    EXPECT_EQ(w->SSTab2->currentIndex(), 0);
    EXPECT_EQ(w->stkAsta->currentWidget(), w->FrameAsta[1]);
    EXPECT_EQ(w->Text1->text(), a.nome1);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(!w->txtMis[k]->isHidden(), a.mis[k] != nullptr) << "txtMis " << k;
        EXPECT_EQ(!w->lblMis[k]->isHidden(), a.mis[k] != nullptr) << "lblMis " << k;
        if (a.mis[k]) {
            EXPECT_EQ(w->lblMis[k]->text(), a.mis[k]);
        }
    }
    for (QWidget* r : {static_cast<QWidget*>(w->lblReaz), static_cast<QWidget*>(w->txtReaz),
                       static_cast<QWidget*>(w->lblLapp), static_cast<QWidget*>(w->txtLapp)})
        EXPECT_EQ(!r->isHidden(), a.reazione) << r->objectName().toStdString();
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(!w->txtNAsta[k]->isHidden(), a.nVisibile[k]) << "txtNAsta " << k;
        EXPECT_EQ(!w->lblNAsta[k]->isHidden(), a.nVisibile[k]) << "lblNAsta " << k;
        EXPECT_EQ(!w->txtAngAsta[k]->isHidden(), a.angVisibile[k]) << "txtAngAsta " << k;
    }
    // Every angle is erased except the king post's fixed one; other inputs stay.
    EXPECT_EQ(w->txtAngAsta[1]->text(), "");
    EXPECT_EQ(w->txtAngAsta[2]->text(), a.angolo2);
    EXPECT_EQ(w->txtBAsta[1]->text(), "12");
    EXPECT_EQ(w->txtNAsta[2]->text(), "-35");
    EXPECT_EQ(w->Command8->text(), "Verifica");
    EXPECT_TRUE(w->Command8->isEnabled());
    EXPECT_EQ(w->RichTextBox1->toPlainText(), "Esegui Verifica");
    EXPECT_TRUE(w->FrameParamNodo->isEnabled());
    EXPECT_TRUE(w->SSTab2->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(QuattroTipi, frmNodiSetupTable, ::testing::ValuesIn(kAttesi));

TEST(frmNodiSetup, ChangingTypeEmptiesTheKingPostAngleAndTheReportAndRenamesMembers) {
    auto w = nuovaFinestra();
    scegliTipo(*w, 2);
    ui::SetCurrentTab(w->SSTab2, 2);
    EXPECT_EQ(w->Text1->text(), "Puntone Dx");
    EXPECT_EQ(w->stkAsta->currentWidget(), w->FrameAsta[3]);
    w->RichTextBox1->setPlainText("una relazione");
    scegliTipo(*w, 0);
    EXPECT_EQ(w->txtAngAsta[2]->text(), "");
    EXPECT_EQ(w->RichTextBox1->toPlainText(), "Esegui Verifica");
    // The third tab was hidden; the selection is back on member 1.
    EXPECT_EQ(w->SSTab2->currentIndex(), 0);
    EXPECT_EQ(w->Text1->text(), "Catena");
    EXPECT_EQ(w->stkAsta->currentWidget(), w->FrameAsta[1]);
    ui::SetCurrentTab(w->SSTab2, 1);
    EXPECT_EQ(w->Text1->text(), "Puntone");
    scegliTipo(*w, -1);
    EXPECT_EQ(w->Command8->text(), "Seleziona Tipo Unione");
    EXPECT_EQ(w->stkPicture->currentWidget(), w->PicTipoNodi);
}

TEST(frmNodiSetup, UnknownTypeOnATabChangeBeepsAndWarnsKeepingTheName) {
    testing_support::ScriptedUi ui;
    auto w = nuovaFinestra();
    scegliTipo(*w, 1);
    w->cmbTipoNodo->setEditable(true); // the only way to get a text that is none of the four
    w->cmbTipoNodo->setEditText("Capriata Palladiana");
    ui::SetCurrentTab(w->SSTab2, 1);
    ASSERT_EQ(ui.msgBoxes().size(), 1u);
    EXPECT_EQ(ui.msgBoxes()[0].prompt,
              QString::fromUtf8("Attenzione!\nIl Tipo di nodo selezionato non è ancora implementato nella Classe"));
    EXPECT_EQ(ui.msgBoxes()[0].style, ui::vbOKOnly);
    EXPECT_TRUE(ui.msgBoxes()[0].title.isNull());
    EXPECT_EQ(ui.beeps(), 1);
    EXPECT_EQ(w->Text1->text(), "Puntone Inferiore");
    EXPECT_EQ(w->stkAsta->currentWidget(), w->FrameAsta[2]);
}

void mouse(QWidget* target, QEvent::Type type) {
    const QPointF p(target->width() / 2.0, target->height() / 2.0);
    const Qt::MouseButton b = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons bs = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent e(type, p, target->mapToGlobal(p), b, bs, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &e);
}

TEST(frmNodiSetup, ChooserFramesTheHoveredImageAndAClickChoosesItsType) {
    auto w = nuovaFinestra();
    w->resize(1200, 800);
    w->show();
    mouse(w->ImgTipoUnione[1], QEvent::MouseMove);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(w->ImgTipoUnione[i]->borderStyle(), i == 1 ? 1 : 0);
    mouse(w->ImgTipoUnione[3], QEvent::MouseMove);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(w->ImgTipoUnione[i]->borderStyle(), i == 3 ? 1 : 0);
    mouse(w->PicTipoNodi, QEvent::MouseMove);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(w->ImgTipoUnione[i]->borderStyle(), 0);

    mouse(w->ImgTipoUnione[2], QEvent::MouseMove);
    mouse(w->ImgTipoUnione[2], QEvent::MouseButtonPress);
    mouse(w->ImgTipoUnione[2], QEvent::MouseButtonRelease);
    EXPECT_EQ(w->ImgTipoUnione[2]->borderStyle(), 0);
    EXPECT_EQ(w->cmbTipoNodo->currentText(), "Monaco Puntoni a Dente Semplice");
    EXPECT_EQ(w->stkPicture->currentWidget(), w->PicNodo[2]);
}

TEST(frmNodiSetup, CircularSectionRelabelsTheBaseAndHidesTheHeightKeepingItsText) {
    auto w = nuovaFinestra();
    scegliTipo(*w, 1);
    w->Command8->setEnabled(false);
    w->txtHAsta[2]->setText("20");
    w->ComboAsta[2]->setCurrentIndex(1);
    EXPECT_EQ(w->lblBase[2]->text(), "R (cm)");
    EXPECT_TRUE(w->txtHAsta[2]->isHidden());
    EXPECT_TRUE(w->lblAltezza[2]->isHidden());
    EXPECT_TRUE(w->Command8->isEnabled());
    EXPECT_EQ(w->lblBase[1]->text(), "B (cm)"); // other members untouched
    w->ComboAsta[2]->setCurrentIndex(0);
    EXPECT_EQ(w->lblBase[2]->text(), "B (cm)");
    EXPECT_FALSE(w->txtHAsta[2]->isHidden());
    EXPECT_EQ(w->txtHAsta[2]->text(), "20");
}

TEST(frmNodiInput, PointTypedInANumberBoxBecomesACommaAndMaterialNumbersStayWhole) {
    testing_support::LocaleGuard italiano(testing_support::LocaleGuard::italian());
    auto w = nuovaFinestra();
    scegliTipo(*w, 2);
    for (QLineEdit* b : {w->txtMis[1], w->txtReaz, w->txtLapp, w->txtBAsta[1], w->txtHAsta[3], w->txtAngAsta[1],
                         w->txtNAsta[3], w->txtCoefMat[6], w->txtCoefCar[3]}) {
        b->clear();
        QTest::keyClicks(b, "2.5");
        EXPECT_EQ(b->text(), "2,5") << b->objectName().toStdString();
    }
    QTest::keyClicks(w->txtMatAsta, "12.5,");
    EXPECT_EQ(w->txtMatAsta->text(), "125");
    QTest::keyClicks(w->txtMis[2], "a-");
    EXPECT_EQ(w->txtMis[2]->text(), "a-"); // letters and signs are the input check's business

    // Under a decimal-point locale the point stays, so the text still reads as a number.
    testing_support::LocaleGuard en(testing_support::LocaleGuard::english());
    w->txtMis[1]->clear();
    QTest::keyClicks(w->txtMis[1], "2.5");
    EXPECT_EQ(w->txtMis[1]->text(), "2.5");
}

TEST(frmNodiInput, CoefficientDefaultsFollowTheLocale) {
    testing_support::LocaleGuard en(testing_support::LocaleGuard::english());
    auto w = nuovaFinestra();
    EXPECT_EQ(w->txtCoefMat[6]->text(), "1.50");
    EXPECT_EQ(w->txtCoefCar[3]->text(), "0.50");
    EXPECT_TRUE(basic::IsNumeric(w->txtCoefMat[6]->text()));
}

TEST(frmNodiInput, CoefficientLeftWithoutANumberGetsItsDefaultBack) {
    testing_support::LocaleGuard italiano(testing_support::LocaleGuard::italian());
    auto w = nuovaFinestra();
    const auto lascia = [](QLineEdit* b, const QString& t) {
        b->setText(t);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(b, &out);
        return b->text();
    };
    EXPECT_EQ(lascia(w->txtCoefMat[6], ""), "1,50");
    EXPECT_EQ(lascia(w->txtCoefMat[6], "abc"), "1,50");
    EXPECT_EQ(lascia(w->txtCoefMat[6], "0"), "0");
    EXPECT_EQ(lascia(w->txtCoefMat[6], "-2"), "-2");
    EXPECT_EQ(lascia(w->txtCoefMat[2], " "), "1,45");
    EXPECT_EQ(lascia(w->txtCoefCar[3], ""), "0,50");
    EXPECT_EQ(lascia(w->txtCoefCar[1], "0,8"), "0,8");
}

TEST(frmNodiButtons, HelpOpensTheHelpPageAndEsciUnloads) {
    testing_support::ScriptedUi ui;
    auto w = nuovaFinestra();
    w->Command2->click();
    bool aperto = false;
    for (const auto& c : ui.calls())
        if (c.kind == testing_support::Call::Shell) aperto = c.prompt == IndirizzoHelp();
    EXPECT_TRUE(aperto);

    frmNodi* w2 = new frmNodi; // closes and deletes itself
    QPointer<frmNodi> guard(w2);
    w2->show();
    // Tearing down with a coefficient box focused and holding no number runs no handler late.
    w2->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w2));
    w2->SSTab1->setCurrentIndex(2);
    w2->txtCoefMat[6]->setFocus();
    ASSERT_TRUE(w2->txtCoefMat[6]->hasFocus());
    w2->txtCoefMat[6]->setText("abc");
    w2->Command9->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

} // namespace

namespace {
TEST(frmNodiButtons, DeletingTheWindowWhileABoxHasTheFocusRunsNoHandlerLate) {
    auto* w = new frmNodi;
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    w->SSTab1->setCurrentIndex(2);
    w->txtCoefMat[6]->setFocus();
    w->txtCoefMat[6]->setText("abc");
    delete w; // as a parent window tearing its children down does
}
} // namespace
