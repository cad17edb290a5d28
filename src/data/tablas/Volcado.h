#pragma once

#include <QTextStream>

#include "ClientDataSet.h"

// Plain-text views of an open table, for people and spreadsheets.

// CSV: first line the field names, then one line per row in the cursor's order.
// Date-times in ISO 8601, booleans "True"/"False", Null as an empty cell; cells with a
// comma, a quote or a line break are quoted.
void VolcarCsv(TClientDataSet& tabla, QTextStream& salida);
// One line per stored field (name, type, width, required) and per index definition.
void DescribirDefiniciones(const TClientDataSet& tabla, QTextStream& salida);
