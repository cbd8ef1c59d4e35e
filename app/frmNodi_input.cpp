// The joint window: typed-key filters of the input boxes and the defaults of the code coefficients.
#include "app/frmNodi.h"

#include "platform/ui/Forms.h"

#include <QLineEdit>

using ui::VirgolaDecimale;

void frmNodi::txtMis_KeyPress(int, int& KeyAscii) { VirgolaDecimale(KeyAscii); }
void frmNodi::txtReaz_KeyPress(int& KeyAscii) { VirgolaDecimale(KeyAscii); }
void frmNodi::txtLapp_KeyPress(int& KeyAscii) { VirgolaDecimale(KeyAscii); }
void frmNodi::txtBAsta_KeyPress(int, int& KeyAscii) { VirgolaDecimale(KeyAscii); }
void frmNodi::txtHAsta_KeyPress(int, int& KeyAscii) { VirgolaDecimale(KeyAscii); }
void frmNodi::txtAngAsta_KeyPress(int, int& KeyAscii) { VirgolaDecimale(KeyAscii); }
void frmNodi::txtNAsta_KeyPress(int, int& KeyAscii) { VirgolaDecimale(KeyAscii); }
void frmNodi::txtCoefMat_KeyPress(int, int& KeyAscii) { VirgolaDecimale(KeyAscii); }
void frmNodi::txtCoefCar_KeyPress(int, int& KeyAscii) { VirgolaDecimale(KeyAscii); }

void frmNodi::txtMatAsta_KeyPress(int& KeyAscii) {
    // A material number is a whole number.
    if (KeyAscii == '.' || KeyAscii == ',') KeyAscii = 0;
}

void frmNodi::txtCoefMat_LostFocus(int Index) {
    if (!basic::IsNumeric(txtCoefMat[Index]->text())) txtCoefMat[Index]->setText(DefaultCoefMat(Index));
}

void frmNodi::txtCoefCar_LostFocus(int Index) {
    if (!basic::IsNumeric(txtCoefCar[Index]->text())) txtCoefCar[Index]->setText(DefaultCoefCar(Index));
}
