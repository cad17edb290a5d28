#pragma once

#include <QString>
#include <QVector>
#include <memory>

#include "Tabla.h"

namespace tablas {

// Table files are SQLite databases in rollback-journal mode: one file that stands alone,
// holding the column and index definitions and the rows. Errors raise EArchivoTabla
// naming the file.

// Reads a whole table file.
std::shared_ptr<Tabla> CargarTabla(const QString& ruta);
// Writes the table in one transaction, under the file's write lock (waiting up to 5 s for
// another program's; then EArchivoOcupado). When the file is the one the table last read or
// wrote, only what this program changed is written: if another program saved in between,
// its changes are first brought into the table, field by field (see Sincronizacion). A file
// put in place of the one the table knew is read again as it is, without writing. Another
// file is overwritten with the whole table. A new file is written beside its final name and
// renamed into place.
void GuardarTabla(Tabla& tabla, const QString& ruta);
// Brings into the table what other programs saved in its file since it was read or written,
// keeping this program's unsaved changes; true when anything came in.
bool RefrescarTabla(Tabla& tabla, const QString& ruta);
// The values of one integer field in the file as it is now (Null ones left out).
QVector<int> LeerCodigos(const QString& ruta, const QString& campo);
// Absolute, clean form of a file name, so that two names of one file compare equal.
QString RutaNormal(const QString& ruta);

}  // namespace tablas
