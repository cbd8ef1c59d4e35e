#pragma once
// Start-up and the program-wide objects of the program.
#include "QOR_TRBNS18/QOR_TRBNS18.h"
#include "app/frmNodi.h"
#include "platform/basic/Basic.h"

#include <QPointer>
#include <QString>
#include <memory>

class frmMain;

extern std::shared_ptr<QOR_TRBNS18::_clsGenVerNodi> GenVerNodi; // the one engine object
extern std::shared_ptr<QOR_TRBNS18::_clsNodo> NodoCorrente;     // spare joint, then the newest one
extern Single PiGrecoSingolo;
extern QPointer<frmNodi> FormNodo;                              // the joint window opened last

// The help page, shipped beside the program: guida/Capreo2018.html in the program's folder.
QString IndirizzoHelp();

// The one main window, created on first use.
frmMain* MainForm();

// Brings the program up in its fixed order; false when the engine objects could not be created
// (the error has been shown and the program must end).
bool Main();
void CreaOggettiCalcolo();
void DistruggiOggettiCalcolo();
// A new joint of the given type, in a new joint window.
void NuovoNodo(frmNodi::Tipo TipoNodo);
void MostraNodo(Integer& nNodo);
void ApriDocumento(QString& documento);
