#include "EnlacesAyuda.h"

#include <QFileInfo>
#include <QStringList>
#include <QUrl>

#include "PaginaAyuda.h"

namespace {

const QStringList kMedios{QStringLiteral("wav"), QStringLiteral("mid"), QStringLiteral("avi"),
                          QStringLiteral("ogg"), QStringLiteral("mp3"), QStringLiteral("mp4")};
// Files the viewer shows, whatever their permissions on the disk.
const QStringList kLegibles{QStringLiteral("htm"), QStringLiteral("html"), QStringLiteral("txt"),
                            QStringLiteral("png"), QStringLiteral("jpg"),  QStringLiteral("jpeg"),
                            QStringLiteral("gif"), QStringLiteral("bmp"),  QStringLiteral("svg")};
const QStringList kProgramas{QStringLiteral("exe"), QStringLiteral("com"), QStringLiteral("bat"),
                             QStringLiteral("cmd"), QStringLiteral("sh")};

bool esDireccion(const QString& enlace) {
    const qsizetype dosPuntos = enlace.indexOf(QLatin1Char(':'));
    return dosPuntos >= 2 && !enlace.toUpper().contains(QStringLiteral("FILE:"));
}

bool esDeEscritorio(const QString& enlace) {
    const QString m = enlace.toUpper();
    return m.contains(QStringLiteral("MAILTO:")) || m.contains(QStringLiteral("HTTP://")) ||
           m.contains(QStringLiteral("HTTPS://"));
}

bool esPrograma(const QFileInfo& info) {
    const QString sufijo = info.suffix().toLower();
    if (kProgramas.contains(sufijo)) return true;
    return info.isFile() && info.isExecutable() && !kLegibles.contains(sufijo);
}

}  // namespace

EnlaceAyuda ClasificarEnlace(const QString& enlace, const QString& carpetaPagina) {
    EnlaceAyuda resultado;
    QString texto = enlace.trimmed();
    if (texto.startsWith(kPrefijoVentanaNueva)) {
        texto = texto.mid(kPrefijoVentanaNueva.size());
        resultado.accion = AccionEnlace::VentanaNueva;
    }
    if (esDireccion(texto)) {
        resultado.destino = texto;
        if (esDeEscritorio(texto)) resultado.accion = AccionEnlace::Escritorio;
        return resultado;
    }
    if (texto.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) texto = QUrl(texto).toLocalFile();

    qsizetype corte = texto.indexOf(QLatin1Char(' '));
    if (corte < 0) corte = texto.indexOf(QLatin1Char('?'));
    QString archivo = corte < 0 ? texto : texto.left(corte);
    if (corte >= 0) resultado.parametros = texto.mid(corte + 1);
    const qsizetype almohadilla = archivo.indexOf(QLatin1Char('#'));
    if (almohadilla >= 0) {
        resultado.ancla = archivo.mid(almohadilla + 1);
        archivo.truncate(almohadilla);
    }
    resultado.destino = archivo.isEmpty() ? QString() : ResolverReferencia(archivo, carpetaPagina);

    const QFileInfo info(resultado.destino);
    if (kMedios.contains(info.suffix().toLower()))
        resultado.accion = AccionEnlace::Reproducir;
    else if (!archivo.isEmpty() && esPrograma(info))
        resultado.accion = AccionEnlace::Programa;
    return resultado;
}
