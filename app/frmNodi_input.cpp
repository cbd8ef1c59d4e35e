// The joint window from the keyboard: the typed-key filters of the input boxes, the re-enabling of
// "Verifica" by any edit of the joint, the focus chain that Enter walks, and the defaults of the
// code coefficients.
#include "app/frmNodi.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using ui::SelezionaTesto;
using ui::VirgolaDecimale;

namespace {

constexpr int kInvio = 13;

// A box counts as shown by its own visibility, whether or not its frame or tab is in front.
bool mostrato(const QWidget* w) { return !w->isHidden(); }

// Enter leads to box with its text selected when the box is shown; otherwise the chain goes on
// as Enter in that box would take it (oltre).
template <class Oltre> void avanti(QLineEdit* box, Oltre oltre) {
    if (mostrato(box))
        SelezionaTesto(box);
    else
        oltre();
}

// The chain ends on "Verifica", or on "Esci" once there is nothing left to verify.
void fuocoSuPulsanti(QPushButton* verifica, QPushButton* esci) {
    // The focus moved by the keyboard: the style then frames the button, else nothing would show
    // where Enter has arrived.
    verifica->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    if (verifica->isEnabled())
        verifica->setFocus();
    else
        esci->setFocus();
}

} // namespace

// ---------------------------------------------------------------- edits re-arm "Verifica"

// A successful verification disables "Verifica"; any later edit of the joint or of a member makes
// it available again, and so does a change of what the run takes from the coefficients (the γM of
// joints, a kmod, the service class): the report on screen no longer belongs to the inputs beside
// it. Before a type is chosen there is nothing to verify, and the button stays as the set-up left it.
void frmNodi::riarmaSeTipoScelto() {
    if (cmbTipoNodo->currentIndex() >= 0) Command8->setEnabled(true);
}
void frmNodi::txtCoefMat_Change(int Index) {
    if (Index == 6) riarmaSeTipoScelto();
}
void frmNodi::txtCoefCar_Change(int) { riarmaSeTipoScelto(); }
void frmNodi::Option2_Click(int) { riarmaSeTipoScelto(); }
void frmNodi::txtMis_Change(int) { Command8->setEnabled(true); }
void frmNodi::txtReaz_Change() { Command8->setEnabled(true); }
void frmNodi::txtLapp_Change() { Command8->setEnabled(true); }
void frmNodi::txtBAsta_Change(int) { Command8->setEnabled(true); }
void frmNodi::txtHAsta_Change(int) { Command8->setEnabled(true); }
void frmNodi::txtAngAsta_Change(int) { Command8->setEnabled(true); }
void frmNodi::txtNAsta_Change(int) { Command8->setEnabled(true); }

// ---------------------------------------------------------------- the Enter chain

void frmNodi::txtMis_KeyPress(int Index, int& KeyAscii) {
    VirgolaDecimale(KeyAscii);
    if (KeyAscii != kInvio) return;
    if (Index >= 1 && Index <= 3) {
        avanti(txtMis[Index + 1], [this] {
            int invio = kInvio;
            txtMis_KeyPress(4, invio);
        });
        return;
    }
    // After the notches: the tie beam's reaction, or straight to the members.
    avanti(txtReaz, [this] { SelezionaTesto(txtMatAsta); });
}

void frmNodi::txtReaz_KeyPress(int& KeyAscii) {
    VirgolaDecimale(KeyAscii);
    if (KeyAscii == kInvio) SelezionaTesto(txtLapp);
}

void frmNodi::txtLapp_KeyPress(int& KeyAscii) {
    VirgolaDecimale(KeyAscii);
    if (KeyAscii != kInvio) return;
    ui::SetCurrentTab(SSTab2, 0);
    txtMatAsta->setFocus();
}

void frmNodi::SSTab2_KeyPress(int& KeyAscii) {
    if (KeyAscii == kInvio) SelezionaTesto(txtMatAsta);
}

void frmNodi::txtMatAsta_KeyPress(int& KeyAscii) {
    // A material number is a whole number.
    if (KeyAscii == '.' || KeyAscii == ',') KeyAscii = 0;
    if (KeyAscii != kInvio) return;
    // The section type box is skipped: Enter goes from the number straight to the sizes.
    const int k = SSTab2->currentIndex() + 1;
    if (k >= 1 && k <= NumeroAste) SelezionaTesto(txtBAsta[k]);
}

void frmNodi::ComboAsta_KeyPress(int Index, int& KeyAscii) {
    if (KeyAscii == kInvio) SelezionaTesto(txtBAsta[Index]);
}

void frmNodi::txtBAsta_KeyPress(int Index, int& KeyAscii) {
    VirgolaDecimale(KeyAscii);
    if (KeyAscii != kInvio) return;
    // A circle has no height: go on as from the height box, so that a hidden angle box does not
    // hold the focus here.
    avanti(txtHAsta[Index], [this, Index] {
        int invio = kInvio;
        txtHAsta_KeyPress(Index, invio);
    });
}

void frmNodi::txtHAsta_KeyPress(int Index, int& KeyAscii) {
    VirgolaDecimale(KeyAscii);
    if (KeyAscii != kInvio) return;
    avanti(txtAngAsta[Index], [this, Index] {
        int invio = kInvio;
        txtAngAsta_KeyPress(Index, invio);
    });
}

void frmNodi::txtAngAsta_KeyPress(int Index, int& KeyAscii) {
    VirgolaDecimale(KeyAscii);
    if (KeyAscii != kInvio) return;
    avanti(txtNAsta[Index], [this, Index] {
        int invio = kInvio;
        txtNAsta_KeyPress(Index, invio);
    });
}

void frmNodi::txtNAsta_KeyPress(int Index, int& KeyAscii) {
    VirgolaDecimale(KeyAscii);
    if (KeyAscii != kInvio) return;
    // On to the next member, whose tab change shows its frame and material number.
    if (Index < ui::TabCount(SSTab2) && ui::TabVisible(SSTab2, Index)) {
        ui::SetCurrentTab(SSTab2, Index);
        txtMatAsta->setFocus();
        return;
    }
    fuocoSuPulsanti(Command8, Command9);
}

void frmNodi::txtCoefMat_KeyPress(int Index, int& KeyAscii) {
    VirgolaDecimale(KeyAscii);
    if (KeyAscii == kInvio) SelezionaTesto(txtCoefMat[Index < 8 ? Index + 1 : 1]);
}

void frmNodi::txtCoefCar_KeyPress(int Index, int& KeyAscii) {
    VirgolaDecimale(KeyAscii);
    if (KeyAscii != kInvio) return;
    if (Index < 3)
        SelezionaTesto(txtCoefCar[Index + 1]);
    else
        fuocoSuPulsanti(Command8, Command9);
}

// Any key, not only Enter, sends the user on to the first notch box; the key still reaches the
// list, so a letter still picks the type it begins.
void frmNodi::cmbTipoNodo_KeyPress(int&) { SelezionaTesto(txtMis[1]); }

// ---------------------------------------------------------------- coefficient defaults

void frmNodi::txtCoefMat_LostFocus(int Index) {
    if (!basic::IsNumeric(txtCoefMat[Index]->text())) txtCoefMat[Index]->setText(DefaultCoefMat(Index));
}

void frmNodi::txtCoefCar_LostFocus(int Index) {
    if (!basic::IsNumeric(txtCoefCar[Index]->text())) txtCoefCar[Index]->setText(DefaultCoefCar(Index));
}
