#pragma once

#include <QDateTime>

// Date-times of the tables are days since 30 December 1899 (local time), with the time of
// day as the fraction: 1.5 is 31 December 1899 at 12:00.
double DiasDesdeFechaHora(const QDateTime& fecha);
QDateTime FechaHoraDesdeDias(double dias);
// The current local time in days.
double Ahora();
