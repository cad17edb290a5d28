#pragma once

#include <QString>
#include <QStringList>

// One line of the report data files: columns each followed by '#'. Every value is written
// so that it reads back exactly: "\" escapes '#', '$', '&' and itself; a line feed is
// written as '$' and a carriage return as '&', so a value never breaks its line. An empty
// value is written as one space: the reader stops at the first empty column.
namespace LineaInforme {

// The column text of a value (without its '#').
QString Codificar(const QString& valor);
// The value of a column text: escapes undone, '$' and '&' back to line feed and carriage return.
QString Decodificar(const QString& columna);
// A whole line (without its line end): every value encoded and followed by '#'.
QString Componer(const QStringList& valores);
// The values of a line, decoded: taken up to each unescaped '#' while the column taken is
// not empty; a rest without '#' is the last column.
QStringList Partir(const QString& linea);

// The value of an empty column: one space.
inline const QString kBlanco = QStringLiteral(" ");
// The line that ends a file, and each group of the complete history's main file.
inline const QString kLineaFin = QStringLiteral(" ");

}  // namespace LineaInforme
