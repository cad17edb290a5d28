#pragma once

#include <QByteArray>
#include <QStringList>
#include <optional>

#include "HistorialGrupo.h"
#include "TablasResultados.h"

// A group's practices as a spreadsheet: one row per practice on one trainer (all trainers
// without one). A student's own practices go under the student's name; a subgroup practice,
// copied into every member's history, is one row under the subgroup's name. Rows follow the
// students by name, then the subgroups by name, each owner's practices by start.

// The header, in column order.
const QStringList& ColumnasHojaHistorial();

TablaResultados TablaHistorial(const HistorialGrupo& historial, std::optional<int> equipo);

// The table as a file that spreadsheet programs open as it stands: UTF-8 with a byte-order
// mark, ";" between values, lines ending with CR LF.
QByteArray HojaCalculo(const TablaResultados& tabla);
