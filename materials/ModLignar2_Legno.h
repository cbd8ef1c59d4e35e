#pragma once
// The procedures that open a material card on one record of table Legno: new, view, modify, delete.
// Every opening creates a card of its own; several can be open at once, also on one material.
#include "materials/SchedaLegno.h"
#include "platform/basic/Basic.h"
#include "platform/data/Data.h"

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

// The card created last (null once it is gone), and the number of cards open.
extern QPointer<SchedaLegno> SchedaLegnoCorrente;
extern Integer NumSchedeAperte;

// What runs each time a card has closed, whatever closed it (a save, a delete, "Esci" or "Annulla",
// its close box): the materials list hands down its re-read, as it cannot count on becoming the
// active window then (the work area makes the window active before the card active again, which is
// another one when the user went there meanwhile). An empty function: nothing runs.
void ImpostaDopoChiusuraScheda(std::function<void()> f);
// Called by a card once it has closed.
void DopoChiusuraScheda();

// Creates a card into SchedaLegnoCorrente and counts it; the card is not shown.
void CreaSchedaLegno();

// A card for a new material; rs is the materials list's own recordset, which the proposal of the
// new number moves to its last row. A list without rows, or without an open recordset, proposes
// nothing.
void SchedaLegnoNuova(std::shared_ptr<data::Recordset>& rs);
// A card on the material on which rs stands; the card keeps rs and saves or deletes through it.
void SchedaLegnoVisualizza(std::shared_ptr<data::Recordset>& rs);
void SchedaLegnoModifica(std::shared_ptr<data::Recordset>& rs);
void SchedaLegnoElimina(std::shared_ptr<data::Recordset>& rs);
// Looks material numero up and opens a card on it in mode "Visualizza", "Modifica" or "Elimina".
// A failed look-up, a number no material has and a number several share are each reported; any
// other mode text opens nothing.
void ApriSchedaLegno(QString& modo, QString& numero);
