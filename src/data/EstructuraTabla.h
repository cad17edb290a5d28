#pragma once

#include <QString>

class TClientDataSet;

// Creates a table empty with the stored columns and indexes of the program's table of
// that name, outside the data module (no handlers, no calculated fields): for tools that
// write table files.
void CrearTablaGuardada(TClientDataSet& tabla, const QString& nombre);
