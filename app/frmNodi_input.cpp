// The joint window: typed-key filters of the input boxes and the defaults of the code coefficients.
#include "app/frmNodi.h"

#include <QLineEdit>
#include <QLocale>

namespace {
// Number boxes take the locale's decimal separator: a typed point becomes a comma under an Italian
// locale, and stays a point where the point is the separator (a comma there would not read back).
void virgolaDecimale(int& KeyAscii) {
    const QString separatore = QLocale().decimalPoint();
    if (KeyAscii == '.' && separatore.size() == 1) KeyAscii = separatore.at(0).unicode();
}
} // namespace

void frmNodi::txtMis_KeyPress(int, int& KeyAscii) { virgolaDecimale(KeyAscii); }
void frmNodi::txtReaz_KeyPress(int& KeyAscii) { virgolaDecimale(KeyAscii); }
void frmNodi::txtLapp_KeyPress(int& KeyAscii) { virgolaDecimale(KeyAscii); }
void frmNodi::txtBAsta_KeyPress(int, int& KeyAscii) { virgolaDecimale(KeyAscii); }
void frmNodi::txtHAsta_KeyPress(int, int& KeyAscii) { virgolaDecimale(KeyAscii); }
void frmNodi::txtAngAsta_KeyPress(int, int& KeyAscii) { virgolaDecimale(KeyAscii); }
void frmNodi::txtNAsta_KeyPress(int, int& KeyAscii) { virgolaDecimale(KeyAscii); }
void frmNodi::txtCoefMat_KeyPress(int, int& KeyAscii) { virgolaDecimale(KeyAscii); }
void frmNodi::txtCoefCar_KeyPress(int, int& KeyAscii) { virgolaDecimale(KeyAscii); }

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
