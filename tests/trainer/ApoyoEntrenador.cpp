#include "ApoyoEntrenador.h"

#include <QThread>

PuertosDePrueba::PuertosDePrueba(const QMap<int, QString>& dispositivos) : instalacion_(carpeta_.ruta()) {
    Mapear(dispositivos);
}

void PuertosDePrueba::Mapear(const QMap<int, QString>& dispositivos) {
    QByteArray ini = "[Puertos]\n";
    for (int n = 1; n <= 8; ++n) {
        const QString ruta =
            dispositivos.value(n, carpeta_.archivo(QStringLiteral("no-existe-COM%1").arg(n)));
        ini += QStringLiteral("COM%1=%2\n").arg(n).arg(ruta).toLocal8Bit();
    }
    carpeta_.escribir(QStringLiteral("averias.ini"), ini);
}

bool EsperarHasta(const std::function<bool()>& listo, std::chrono::milliseconds limite) {
    const auto fin = std::chrono::steady_clock::now() + limite;
    while (!listo()) {
        if (std::chrono::steady_clock::now() > fin) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}
