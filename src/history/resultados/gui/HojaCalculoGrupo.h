#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// "Exportar a hoja de cálculo…" of the history browser: asks where to save the practices
// of group `grupo` on trainer `equipo` (all trainers without one) as a spreadsheet, writes
// them and tells the user how it went. False when nothing was written (cancelled, the group
// could not be read, or the file could not be written). A file that existed is only
// replaced once the new one is complete.
bool ExportarHojaCalculoGrupo(int grupo, std::optional<int> equipo, QWidget* padre);

// Asks for the file to write, proposing `propuesto`; empty when the user cancels. A save
// dialog unless replaced (tests do).
inline std::function<QString(QWidget* padre, const QString& propuesto)> ElegirArchivoHojaCalculo;
