#include "CarpetasGrupo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "RutasDatos.h"

namespace CarpetasGrupo {

namespace {

// Longest file name component of the file systems we run on, in bytes.
constexpr int kMaximoBytesNombre = 255;

constexpr int kTextoNombreVacio = 250;
constexpr int kTextoNombreCaracteres = 251;
constexpr int kTextoNombreLargo = 252;

QString SinBarraFinal(QString ruta) {
    ruta.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (ruta.size() > 1 && ruta.endsWith(QLatin1Char('/'))) ruta.chop(1);
    return QDir::cleanPath(ruta);
}

// A real folder whose parent is the installation's "BDs" folder itself.
bool EsCarpetaDeGrupo(const QFileInfo& info) {
    if (info.isSymLink() || !info.isDir()) return false;
    const QString bds = QFileInfo(SinBarraFinal(RutasDatos::CarpetaBDs())).canonicalFilePath();
    const QString padre = QFileInfo(info.absolutePath()).canonicalFilePath();
    return !bds.isEmpty() && padre == bds;
}

}  // namespace

int ErrorNombre(const QString& nombre) {
    if (nombre.trimmed().isEmpty()) return kTextoNombreVacio;
    if (nombre == QLatin1String(".") || nombre == QLatin1String("..")) return kTextoNombreCaracteres;
    for (const QChar c : nombre)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return kTextoNombreCaracteres;
    if (QFile::encodeName(nombre).size() > kMaximoBytesNombre) return kTextoNombreLargo;
    return 0;
}

bool EsArchivoDeTabla(const QString& nombre) {
    static const QRegularExpression tabla(QStringLiteral("\\.cds([.-].*)?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    return tabla.match(nombre).hasMatch();
}

Borrado Borrar(const QString& carpeta) {
    Borrado resultado;
    const QFileInfo info(SinBarraFinal(carpeta));
    if (!info.exists() && !info.isSymLink()) return resultado;
    if (!EsCarpetaDeGrupo(info)) {
        resultado.completo = false;
        resultado.restos << info.filePath();
        return resultado;
    }
    QDir dir(info.filePath());
    const QFileInfoList entradas =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entrada : entradas) {
        const bool borrable =
            (entrada.isFile() || entrada.isSymLink()) && EsArchivoDeTabla(entrada.fileName());
        // A symbolic link is removed itself, never what it points at.
        if (!borrable || !QFile::remove(entrada.filePath())) resultado.restos << entrada.filePath();
    }
    if (!QDir().rmdir(info.filePath())) resultado.restos << info.filePath();
    resultado.completo = resultado.restos.isEmpty();
    return resultado;
}

}  // namespace CarpetasGrupo
