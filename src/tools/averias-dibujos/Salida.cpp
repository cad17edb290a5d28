#include "Salida.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <cstdio>

#include "Icono.h"

Salida::Salida(const QString& carpetaInstalacion) : carpeta_(QDir(carpetaInstalacion).absolutePath() + "/") {}

QString Salida::Preparar(const QString& relativa) {
    const QString ruta = carpeta_ + relativa;
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    return ruta;
}

void Salida::Fallo(const QString& relativa, const QString& motivo) {
    std::fprintf(stderr, "averias-dibujos: %s: %s\n", qPrintable(relativa), qPrintable(motivo));
    ++fallos_;
}

void Salida::Comprobar(const QString& ruta, const QString& relativa, QSize esperado) {
    QImageReader lector(ruta);
    const QImage leida = lector.read();
    if (leida.isNull())
        Fallo(relativa, "written but cannot be read back: " + lector.errorString());
    else if (leida.size() != esperado)
        Fallo(relativa, QString("reads back as %1x%2").arg(leida.width()).arg(leida.height()));
}

static QString Medida(QSize s) {
    return QString("%1x%2").arg(s.width()).arg(s.height());
}

void Salida::Png(const QString& relativa, const QImage& imagen, const QString& para) {
    const QString ruta = Preparar(relativa);
    if (!imagen.save(ruta, "PNG")) return Fallo(relativa, "cannot write PNG");
    Comprobar(ruta, relativa, imagen.size());
    Anotar(relativa, Medida(imagen.size()), para);
}

void Salida::Bmp(const QString& relativa, const QImage& imagen, const QString& para) {
    const QString ruta = Preparar(relativa);
    // 24-bit BMP without alpha: every reader takes it the same way.
    if (!imagen.convertToFormat(QImage::Format_RGB888).save(ruta, "BMP"))
        return Fallo(relativa, "cannot write BMP");
    Comprobar(ruta, relativa, imagen.size());
    Anotar(relativa, Medida(imagen.size()), para);
}

void Salida::Ico(const QString& relativa, const QList<QImage>& tamanos, const QString& para) {
    const QString ruta = Preparar(relativa);
    QString error;
    const QByteArray datos = ContenedorIco(tamanos, &error);
    if (datos.isEmpty()) return Fallo(relativa, error);
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(datos) != datos.size() || !archivo.commit())
        return Fallo(relativa, archivo.errorString());
    // The reader gives the first (largest) image of the container.
    Comprobar(ruta, relativa, tamanos.first().size());
    QStringList medidas;
    for (const QImage& i : tamanos) medidas << QString::number(i.width());
    Anotar(relativa, medidas.join("/"), para);
}

void Salida::Texto(const QString& relativa, const QString& contenido, const QString& para) {
    const QString ruta = Preparar(relativa);
    QSaveFile archivo(ruta);
    const QByteArray datos = contenido.toUtf8();
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(datos) != datos.size() || !archivo.commit())
        return Fallo(relativa, archivo.errorString());
    Anotar(relativa, "HTML", para);
}

void Salida::Seccion(const QString& titulo) {
    lista_ << "" << titulo << QString(titulo.size(), '-');
}

void Salida::Anotar(const QString& relativa, const QString& medida, const QString& para) {
    QString nombre = relativa;
    nombre.replace('/', '\\');
    lista_ << QString("%1 %2 %3").arg(nombre, -40).arg(medida, -10).arg(para);
}

void Salida::EscribirLista(const QString& relativa, const QString& cabecera) {
    const QString ruta = Preparar(relativa);
    QSaveFile archivo(ruta);
    const QByteArray datos = (cabecera + lista_.join("\n") + "\n").toUtf8();
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(datos) != datos.size() || !archivo.commit())
        Fallo(relativa, archivo.errorString());
}
