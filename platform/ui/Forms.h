#pragma once
// What every window of the program shares, whichever folder it lives in: the select-all of a
// text box, the decimal key of number boxes, the busy pointer held for a scope, and the program's
// report of an error that no procedure handles.
#include <QString>

class QLineEdit;

namespace ui {

// Gives box the focus and selects all its text. A box that cannot take the focus (hidden,
// disabled, none) leaves the focus where it is; there is no message.
void SelezionaTesto(QLineEdit* box);

// The key filter of a number box: a typed "." becomes the locale's decimal separator ("," under an
// Italian locale). Where the point is the separator it stays a point, so the text reads back.
void VirgolaDecimale(int& KeyAscii);

// The hourglass for as long as the guard lives; the default pointer whichever way the scope ends.
class PuntatoreOccupato {
public:
    PuntatoreOccupato();
    ~PuntatoreOccupato();
    PuntatoreOccupato(const PuntatoreOccupato&) = delete;
    PuntatoreOccupato& operator=(const PuntatoreOccupato&) = delete;
};

// "Errore di run-time 'N':" + LF LF + description, OK only, critical icon, the program's title.
void MostraErroreDiSistema(long numero, const QString& descrizione);

// Reports the exception being handled (call from a catch block) with MostraErroreDiSistema:
// platform::Error with its own number and description, std::bad_alloc as 7, anything else as 5.
void MostraEccezioneCorrente();

} // namespace ui
