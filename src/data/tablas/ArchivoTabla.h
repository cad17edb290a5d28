#pragma once

#include <QString>
#include <memory>

#include "Tabla.h"

namespace tablas {

// Table files are SQLite databases in rollback-journal mode: one file that stands alone,
// holding the column and index definitions and the rows. Errors raise EArchivoTabla
// naming the file.

// Reads a whole table file.
std::shared_ptr<Tabla> CargarTabla(const QString& ruta);
// Writes the table in one transaction: only what changed when the file is the one the
// table last read or wrote and nobody wrote it since, else everything. A new file is
// written beside its final name and renamed into place.
void GuardarTabla(Tabla& tabla, const QString& ruta);
// Absolute, clean form of a file name, so that two names of one file compare equal.
QString RutaNormal(const QString& ruta);

}  // namespace tablas
