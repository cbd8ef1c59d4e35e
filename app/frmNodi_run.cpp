// The joint window: "Verifica", the registration of the joint and its members with the engine and
// the verification run.
#include "app/frmNodi.h"

#include "app/ModuloCapreo.h"

void frmNodi::Command8_Click() {
    // The verification run is not part of this window yet.
}

void frmNodi::AcquisisciDatiNodo(bool& procedi) { procedi = true; }

void frmNodi::AvviaVerifica(bool&) {}

Single frmNodi::valKmod() { return 0; }

QString frmNodi::strClasse() { return QString(); }
