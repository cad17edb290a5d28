#include "ArchivosInforme.h"

#include <QFile>
#include <QSaveFile>

#include "Instalacion.h"
#include "LineaInforme.h"

namespace ArchivosInforme {

QString Principal() {
    return Instalacion::Ruta(QStringLiteral("FileInfor.txt"));
}

QString Secundario() {
    return Instalacion::Ruta(QStringLiteral("FileInfor2.txt"));
}

}  // namespace ArchivosInforme

namespace {

const QString kFinLinea = QStringLiteral("\r\n");

}  // namespace

EArchivoInforme::EArchivoInforme(const QString& archivo, const QString& motivo)
    : std::runtime_error(QStringLiteral("%1: %2").arg(archivo, motivo).toStdString()),
      archivo_(archivo),
      mensaje_(QStringLiteral("%1: %2").arg(archivo, motivo)) {}

void SalidaInforme::Linea(const QStringList& valores) {
    lineas_ << LineaInforme::Componer(valores);
}

void SalidaInforme::LineaFin() {
    lineas_ << LineaInforme::kLineaFin;
}

void SalidaInforme::Escribir() const {
    QByteArray contenido;
    for (const QString& linea : lineas_) contenido += (linea + kFinLinea).toUtf8();
    // Written aside and put in place whole: a report never reads half a file.
    QSaveFile archivo(archivo_);
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(contenido) != contenido.size() ||
        !archivo.commit())
        throw EArchivoInforme(archivo_, archivo.errorString());
}

void EntradaInforme::Abrir(const QString& archivo) {
    lineas_.clear();
    siguiente_ = 0;
    abierto_ = true;
    QFile f(archivo);
    if (!f.exists()) return;
    if (!f.open(QIODevice::ReadOnly)) throw EArchivoInforme(archivo, f.errorString());
    const QByteArray contenido = f.readAll();
    if (f.error() != QFileDevice::NoError) throw EArchivoInforme(archivo, f.errorString());
    lineas_ = QString::fromUtf8(contenido).split(kFinLinea);
    // The last line end leaves an empty piece behind it.
    if (!lineas_.isEmpty() && lineas_.last().isEmpty()) lineas_.removeLast();
}

void EntradaInforme::Cerrar() {
    lineas_.clear();
    siguiente_ = 0;
    abierto_ = false;
}

bool EntradaInforme::Leer(QString& linea) {
    if (Fin()) {
        linea.clear();
        return false;
    }
    linea = lineas_[siguiente_++];
    return true;
}
