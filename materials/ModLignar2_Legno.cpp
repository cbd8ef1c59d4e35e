#include "materials/ModLignar2_Legno.h"

void SchedaLegnoNuova(std::shared_ptr<data::Recordset>&) {}
void ApriSchedaLegno(QString&, QString&) {}
