#pragma once
// The procedures that open a material card on one record of table Legno: new, view, modify, delete.
#include "platform/data/Data.h"

#include <QString>
#include <memory>

// A card for a new material; rs is the materials list's own recordset, which the proposal of the
// new number moves to its last row.
void SchedaLegnoNuova(std::shared_ptr<data::Recordset>& rs);
// Looks material numero up and opens a card on it in mode "Visualizza", "Modifica" or "Elimina".
void ApriSchedaLegno(QString& modo, QString& numero);
