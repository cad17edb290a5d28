#pragma once

#include <QString>

#include "TiposInforme.h"

class QWidget;
class TdmCDS;

// Prepares one report kind with a layout ("Informes\Informe9.frf" and so on) over the data
// module as it stands (its current group, member or subgroup, and the seeds as filtered
// now) and shows it in the same preview as the reports window, with its printing. False,
// with the failure already told, when the layout cannot be read or the pages cannot be
// prepared. The trainer table and the trainer's tables are put on `equipo` first, since the
// reports name faults from its catalogue. The data module's unsaved-edits flag comes back as
// it was: a printout is no edit.
bool MostrarInformeDirecto(TdmCDS& dm, TipoInforme tipo, int equipo, const QString& diseno,
                           QWidget* padre = nullptr, const AveriaElegida& averia = {});
