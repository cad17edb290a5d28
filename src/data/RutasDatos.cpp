#include "RutasDatos.h"

#include <QDir>
#include <QFileInfo>

#include "Cadenas.h"
#include "Instalacion.h"

namespace RutasDatos {

namespace {

QString ArchivoHistorico(const QString& tabla, const QString& usuario) {
    if (usuario == kProfesor) return Archivo(CarpetaBDs(), tabla);
    return CarpetaHistorico() + tabla + usuario + QStringLiteral(".cds");
}

// The same path resolved without regard to case and with "." and ".." removed.
QString Normal(const QString& ruta) {
    const QFileInfo info(ruta);
    const QString canonica = info.canonicalFilePath();
    if (!canonica.isEmpty()) return canonica;
    return QDir::cleanPath(Instalacion::ResolverRuta(QStringLiteral("/"), info.absoluteFilePath()));
}

}  // namespace

QString CarpetaBDs() {
    return Instalacion::Ruta(QStringLiteral("BDs\\"));
}

QString CarpetaEquipo(int codigoEquipo) {
    return Instalacion::Ruta(QStringLiteral("BDs\\EQ") + FormatoCodigo(codigoEquipo) + QLatin1Char('\\'));
}

QString CarpetaGrupo(int codigoGrupo) {
    return Instalacion::Ruta(QStringLiteral("BDs\\GRP ") + FormatoCodigo(codigoGrupo) + QLatin1Char('\\'));
}

QString CarpetaHistorico() {
    return Instalacion::Ruta(QStringLiteral("Historic\\"));
}

QString Archivo(const QString& carpeta, const QString& tabla) {
    return Instalacion::ResolverRuta(carpeta, tabla + QStringLiteral(".cds"));
}

QString ArchivoReparacion(const QString& usuario) {
    return ArchivoHistorico(QStringLiteral("cdsReparacion"), usuario);
}

QString ArchivoLineaReparacion(const QString& usuario) {
    return ArchivoHistorico(QStringLiteral("cdsLineaReparacion"), usuario);
}

bool EsPlantilla(const QString& archivo, const QString& tabla) {
    return !archivo.isEmpty() && MismoArchivo(archivo, Archivo(CarpetaBDs(), tabla));
}

QString CarpetaDe(const QString& archivo) {
    QString carpeta = QFileInfo(archivo).absolutePath();
    if (!carpeta.endsWith(QLatin1Char('/'))) carpeta += QLatin1Char('/');
    return carpeta;
}

bool MismoArchivo(const QString& a, const QString& b) {
    return Normal(a) == Normal(b);
}

bool DentroDeInstalacion(const QString& ruta) {
    if (ruta.isEmpty()) return false;
    QString raiz = Normal(Instalacion::Carpeta());
    if (!raiz.endsWith(QLatin1Char('/'))) raiz += QLatin1Char('/');
    return (Normal(ruta) + QLatin1Char('/')).startsWith(raiz);
}

}  // namespace RutasDatos
