#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// A comma-separated table as a spreadsheet writes it: first line the column names,
// values in double quotes when they hold commas, quotes or line breaks.
struct TablaCsv {
    QStringList columnas;
    std::vector<QStringList> filas;
    // Index of a column by name (case-insensitive), -1 when absent.
    int Columna(const QString& nombre) const;
};

// Reads text (UTF-8 with or without a byte-order mark, or Windows-1252; CR LF or LF).
// Raises std::runtime_error naming the line of an unclosed quote.
TablaCsv LeerCsv(const QByteArray& contenido);
