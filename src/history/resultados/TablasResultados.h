#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

#include "ResultadosGrupo.h"

// The results as tables of text, the same for the command line's CSV and the page's grids.
// Every cell keeps the value it sorts by next to its text (Null where there is no figure).
struct CeldaResultado {
    QString texto;
    QVariant valor;
};

struct TablaResultados {
    QStringList columnas;
    std::vector<std::vector<CeldaResultado>> filas;
};

// Which table: per fault, per student and subgroup, per week.
enum class PorResultados { Averia, Alumno, Semana };

TablaResultados TablaDe(const ResultadosGrupo& resultados, PorResultados por);

// "17 (eliminada)" for a fault that left the catalogue, else its number.
QString TextoAveria(const FilaAveria& fila);

// UTF-8, ";" between values, a header line; a value holding ";", quotes
// or line breaks goes in double quotes with its quotes doubled; lines end with `finLinea`.
QByteArray TextoCsv(const TablaResultados& tabla, const QByteArray& finLinea = "\n");
