#include "Diario.h"

#include <QDateTime>
#include <QSysInfo>
#include <cstdio>
#include <utility>

namespace tablas {

namespace {
Anotador& Destino() {
    static Anotador destino;
    return destino;
}
}  // namespace

Anotador FijarDiario(Anotador anotador) {
    return std::exchange(Destino(), std::move(anotador));
}

void Anotar(const QString& suceso) {
    const QString linea = QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + ' ' +
                          QSysInfo::machineHostName() + ' ' + suceso;
    if (Destino())
        Destino()(linea);
    else
        std::fprintf(stderr, "%s\n", linea.toLocal8Bit().constData());
}

}  // namespace tablas
