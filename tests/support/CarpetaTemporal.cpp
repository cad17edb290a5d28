#include "CarpetaTemporal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

CarpetaTemporal::CarpetaTemporal() {
    if (!dir_.isValid()) throw std::runtime_error("cannot create a temporary folder");
}

QString CarpetaTemporal::archivo(const QString& relativo) const {
    return dir_.filePath(relativo);
}

QString CarpetaTemporal::escribir(const QString& relativo, const QByteArray& contenido) const {
    const QString ruta = archivo(relativo);
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + ruta.toStdString());
    f.write(contenido);
    return ruta;
}

QByteArray CarpetaTemporal::leer(const QString& relativo) const {
    QFile f(archivo(relativo));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QString carpetaFuentes() {
    const QString desdeEntorno = qEnvironmentVariable("AVERIAS_FUENTES");
    return desdeEntorno.isEmpty() ? QStringLiteral(AVERIAS_FUENTES_POR_DEFECTO) : desdeEntorno;
}

QString carpetaProgramas() {
    const QString desdeEntorno = qEnvironmentVariable("AVERIAS_BIN");
    return desdeEntorno.isEmpty() ? QStringLiteral(AVERIAS_BIN_POR_DEFECTO) : desdeEntorno;
}
