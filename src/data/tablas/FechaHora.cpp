#include "FechaHora.h"

#include <cmath>

namespace {
const QDateTime& Origen() {
    static const QDateTime origen(QDate(1899, 12, 30), QTime(0, 0));
    return origen;
}
constexpr double kMsPorDia = 86400000.0;
}  // namespace

double DiasDesdeFechaHora(const QDateTime& fecha) {
    // Whole days by calendar (immune to daylight-saving shifts), the time as the fraction.
    const double dias = static_cast<double>(Origen().date().daysTo(fecha.date()));
    const double fraccion = fecha.time().msecsSinceStartOfDay() / kMsPorDia;
    return dias >= 0 ? dias + fraccion : dias - fraccion;
}

QDateTime FechaHoraDesdeDias(double dias) {
    const double entero = std::trunc(dias);
    const double fraccion = std::fabs(dias - entero);
    qint64 ms = std::llround(fraccion * kMsPorDia);
    qint64 diasEnteros = static_cast<qint64>(entero);
    if (ms >= static_cast<qint64>(kMsPorDia)) {
        ms -= static_cast<qint64>(kMsPorDia);
        diasEnteros += dias >= 0 ? 1 : -1;
    }
    return QDateTime(Origen().date().addDays(diasEnteros),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

double Ahora() {
    return DiasDesdeFechaHora(QDateTime::currentDateTime());
}
