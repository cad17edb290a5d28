#include "NivelesGrupo.h"

namespace NivelesGrupo {

QString Cadena(const QStringList& items, int marcada) {
    QString cadena;
    for (int i = 0; i <= marcada && i < items.size(); ++i) cadena += items[i] + QLatin1Char('#');
    return cadena;
}

int Opcion(const QString& cadena, int opciones) {
    int cuenta = 0;
    for (const QString& item : cadena.split(QLatin1Char('#'))) {
        if (item.isEmpty()) break;
        ++cuenta;
    }
    return cuenta >= 1 && cuenta <= opciones ? cuenta - 1 : -1;
}

}  // namespace NivelesGrupo
