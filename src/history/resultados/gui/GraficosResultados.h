#pragma once

#include <QString>

#include "ResultadosGrupo.h"

class QChart;
class QWidget;

// The page's three plots, each a new chart the caller owns.
namespace GraficosResultados {

// The hardest faults (up to `cuantas`) by the share not repaired, with their practice counts.
QChart* AveriasDificiles(const ResultadosGrupo& r, int cuantas = 10);
// Students and subgroups with finished practices by mean score, the best on top.
QChart* AlumnosPorPuntuacion(const ResultadosGrupo& r);
// Per week: share repaired and mean score.
QChart* Tendencia(const ResultadosGrupo& r);

// A chart's view as a picture, PNG or PDF by the file's extension; false when it cannot be written.
bool Exportar(QWidget* vista, const QString& archivo);

}  // namespace GraficosResultados
