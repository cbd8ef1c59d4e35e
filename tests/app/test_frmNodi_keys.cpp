// The joint window from the keyboard: Enter walks every joint type to the buttons, any edit of the
// joint re-arms "Verifica", Enter on a button presses it.
#include "test_frmNodi.h"

#include "FindChild.h"
#include "ScriptedUi.h"
#include "app/ModuloCapreo.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace frmnodi_test;

namespace {

// A joint window on screen and active, so that the focus really moves; the test owns it.
struct frmNodiTastiera : ::testing::Test {
    DatabaseMateriali db;
    testing_support::ScriptedUi ui;
    std::unique_ptr<frmNodi> w = nuovaFinestra();
    void SetUp() override {
        w->resize(1400, 900);
        w->show();
        QApplication::setActiveWindow(w.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    QWidget* widget(const QString& nome) {
        if (nome == QLatin1String("SSTab2")) return w->SSTab2->tabBar();
        return testing_support::findChild<QWidget>(w.get(), nome);
    }
    static void invio() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
};

// A walk: the start, then where each Enter leads. "name*" has its whole text selected, a plain
// "name" box has the focus and no selection; "@n" is the member tab in front there.
struct Percorso {
    const char* nome;
    int tipo;
    bool circolari;
    const char* passi;
};

const Percorso kPercorsi[] = {
    {"catena, rettangoli", 0, false,
     "cmbTipoNodo txtMis(1)* txtMis(2)* txtReaz* txtLapp* txtMatAsta@0 txtBAsta(1)* txtHAsta(1)* txtMatAsta@1 "
     "txtBAsta(2)* txtHAsta(2)* txtAngAsta(2)* txtNAsta(2)* Command8"},
    {"catena, cerchi", 0, true,
     "txtMis(1) txtMis(2)* txtReaz* txtLapp* txtMatAsta@0 txtBAsta(1)* txtMatAsta@1 txtBAsta(2)* txtAngAsta(2)* "
     "txtNAsta(2)* Command8"},
    {"puntone e saetta, rettangoli", 1, false,
     "txtMis(1) txtMatAsta@0* txtBAsta(1)* txtHAsta(1)* txtAngAsta(1)* txtMatAsta@1 txtBAsta(2)* txtHAsta(2)* "
     "txtAngAsta(2)* txtMatAsta@2 txtBAsta(3)* txtHAsta(3)* txtAngAsta(3)* txtNAsta(3)* Command8"},
    {"puntone e saetta, cerchi", 1, true,
     "txtMis(1) txtMatAsta@0* txtBAsta(1)* txtAngAsta(1)* txtMatAsta@1 txtBAsta(2)* txtAngAsta(2)* txtMatAsta@2 "
     "txtBAsta(3)* txtAngAsta(3)* txtNAsta(3)* Command8"},
    {"monaco e puntoni, rettangoli", 2, false,
     "txtMis(1) txtMis(2)* txtMis(3)* txtMis(4)* txtMatAsta@0* txtBAsta(1)* txtHAsta(1)* txtAngAsta(1)* "
     "txtNAsta(1)* txtMatAsta@1 txtBAsta(2)* txtHAsta(2)* txtMatAsta@2 txtBAsta(3)* txtHAsta(3)* txtAngAsta(3)* "
     "txtNAsta(3)* Command8"},
    {"monaco e saette, cerchi", 3, true,
     "txtMis(1) txtMis(2)* txtMis(3)* txtMis(4)* txtMatAsta@0* txtBAsta(1)* txtAngAsta(1)* txtNAsta(1)* "
     "txtMatAsta@1 txtBAsta(2)* txtMatAsta@2 txtBAsta(3)* txtAngAsta(3)* txtNAsta(3)* Command8"},
    {"monaco e saette, rettangoli", 3, false,
     "txtMis(4) txtMatAsta@0* txtBAsta(1)* txtHAsta(1)* txtAngAsta(1)* txtNAsta(1)* txtMatAsta@1 txtBAsta(2)* "
     "txtHAsta(2)* txtMatAsta@2"},
    {"monaco e puntoni, cerchi", 2, true, "txtNAsta(1)@0 txtMatAsta@1 txtBAsta(2)* txtMatAsta@2"},
    {"dai tab", 1, false, "SSTab2@1 txtMatAsta* txtBAsta(2)*"},
    {"dal tipo di sezione", 1, false, "ComboAsta(3)@2 txtBAsta(3)*"},
    {"coefficienti: gamma M torna al primo", 0, false,
     "txtCoefMat(1) txtCoefMat(2)* txtCoefMat(3)* txtCoefMat(4)* txtCoefMat(5)* txtCoefMat(6)* txtCoefMat(7)* "
     "txtCoefMat(8)* txtCoefMat(1)*"},
    {"coefficienti: kmod verso Verifica", 0, false, "txtCoefCar(1) txtCoefCar(2)* txtCoefCar(3)* Command8"},
};

TEST_F(frmNodiTastiera, EnterWalksEveryJointTypeToVerificaOrEsci) {
    int verifiche = 0;
    QObject::connect(w->Command8, &QPushButton::clicked, [&] { ++verifiche; });
    for (const Percorso& p : kPercorsi) {
        SCOPED_TRACE(p.nome);
        scegliTipo(*w, -1);
        scegliTipo(*w, p.tipo);
        for (int k = 1; k <= frmNodi::NumeroAste; ++k) {
            w->ComboAsta[k]->setCurrentIndex(p.circolari ? 1 : 0);
            for (QLineEdit* b : {w->txtBAsta[k], w->txtHAsta[k], w->txtAngAsta[k], w->txtNAsta[k]}) b->setText("1");
        }
        for (QLineEdit* b : {w->txtMis[1], w->txtMis[2], w->txtMis[3], w->txtMis[4], w->txtReaz, w->txtLapp})
            b->setText("2");
        // Member 1 has material 7; the others take it over as their tabs open.
        ui::SetCurrentTab(w->SSTab2, 0);
        w->txtMatAsta->setText("7");

        const QStringList passi = QString::fromLatin1(p.passi).split(' ');
        QWidget* penultimo = nullptr;
        for (int i = 0; i < passi.size(); ++i) {
            QString passo = passi[i];
            const bool selezione = passo.endsWith('*');
            if (selezione) passo.chop(1);
            int tab = -1;
            if (const int at = passo.indexOf('@'); at >= 0) {
                tab = passo.mid(at + 1).toInt();
                passo = passo.left(at);
            }
            QWidget* atteso = widget(passo);
            ASSERT_TRUE(atteso);
            if (i == 0) {
                // The start: its tab pages in front, then the focus, as a click would give it.
                w->SSTab1->setCurrentIndex(w->SSTab1->widget(2)->isAncestorOf(atteso) ? 2 : 0);
                if (tab >= 0) ui::SetCurrentTab(w->SSTab2, tab);
                atteso->setFocus();
            } else {
                penultimo = QApplication::focusWidget();
                invio();
            }
            ASSERT_EQ(QApplication::focusWidget(), atteso)
                << "step " << i << ": " << passo.toStdString() << ", focus on "
                << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none");
            if (tab >= 0) {
                EXPECT_EQ(w->SSTab2->currentIndex(), tab) << passo.toStdString();
            }
            if (auto* box = qobject_cast<QLineEdit*>(atteso); box && i > 0) {
                ASSERT_FALSE(box->text().isEmpty()) << passo.toStdString();
                EXPECT_EQ(box->selectedText(), selezione ? box->text() : QString()) << "step " << i << ": " << passo.toStdString();
            }
        }
        // With nothing left to verify, the same last Enter goes to "Esci".
        if (passi.last() == QLatin1String("Command8")) {
            penultimo->setFocus();
            w->Command8->setEnabled(false);
            invio();
            EXPECT_EQ(QApplication::focusWidget(), w->Command9);
        }
    }
    EXPECT_EQ(verifiche, 0) << "Enter in a box never starts a run";
    EXPECT_TRUE(ui.msgBoxes().empty());
}

TEST_F(frmNodiTastiera, EnterOnAFocusedButtonPressesItAndNoButtonIsADefault) {
    scegliTipo(*w, 0);
    for (QPushButton* b : {w->Command1, w->Command2, w->Command8, w->Command9}) {
        EXPECT_FALSE(b->autoDefault()) << b->objectName().toStdString();
        EXPECT_FALSE(b->isDefault()) << b->objectName().toStdString();
    }
    int verifiche = 0;
    QObject::connect(w->Command8, &QPushButton::clicked, [&] { ++verifiche; });
    w->Command8->setFocus();
    invio();
    EXPECT_EQ(verifiche, 1);

    w->Command2->setFocus();
    invio();
    bool aperto = false;
    for (const auto& c : ui.calls()) aperto = aperto || c.kind == testing_support::Call::Shell;
    EXPECT_TRUE(aperto) << "Enter on Help opens the help page";

    w->Command9->setFocus();
    invio();
    EXPECT_FALSE(w->isVisible()) << "Esci closes the window";
}

TEST_F(frmNodiTastiera, AnyKeyInTheTypeListGoesToTheFirstNotchAndAnEditReArmsVerifica) {
    // Without a type the notch boxes are disabled: the key picks the type it begins, whose set-up
    // then puts the focus into the first notch box.
    w->cmbTipoNodo->setFocus();
    QTest::keyClick(w->cmbTipoNodo, Qt::Key_M);
    EXPECT_EQ(w->cmbTipoNodo->currentText(), "Monaco Puntoni a Dente Semplice");
    EXPECT_EQ(QApplication::focusWidget(), w->txtMis[1]);
    w->txtMis[1]->setText("3");
    w->cmbTipoNodo->setFocus();
    QTest::keyClick(w->cmbTipoNodo, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w->txtMis[1]);
    EXPECT_EQ(w->txtMis[1]->selectedText(), "3");

    // After a successful run "Verifica" is disabled; an edit of the joint, of a member, of the γM
    // of joints or of a kmod, typed or written, makes it available again, and so does the choice
    // of a service class. The γM of the other families enters no run.
    QLineEdit* const famiglie[] = {w->txtMis[2],     w->txtReaz,      w->txtLapp,        w->txtBAsta[3],
                                   w->txtHAsta[2],   w->txtAngAsta[3], w->txtNAsta[1],   w->txtCoefMat[6],
                                   w->txtCoefCar[1], w->txtCoefCar[3]};
    for (QLineEdit* b : famiglie) {
        w->Command8->setEnabled(false);
        QTest::keyClick(b, Qt::Key_1);
        EXPECT_TRUE(w->Command8->isEnabled()) << b->objectName().toStdString();
        w->Command8->setEnabled(false);
        b->clear();
        EXPECT_TRUE(w->Command8->isEnabled()) << b->objectName().toStdString();
    }
    w->Command8->setEnabled(false);
    w->Option2[3]->click();
    EXPECT_TRUE(w->Command8->isEnabled());
    w->Command8->setEnabled(false);
    QTest::keyClick(w->txtCoefMat[1], Qt::Key_2);
    EXPECT_FALSE(w->Command8->isEnabled());
}

} // namespace
