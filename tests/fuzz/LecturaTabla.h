#pragma once

#include <QString>

// What the fuzz targets of table files do with the file they made: it loads or is refused
// with EDatabaseError; a table that loads shows every value, and saves (or is refused with
// EDatabaseError) and reads back alike.
void LeerTablaFuzz(const QString& archivo);
