#include "Instalacion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

struct Estado {
    QString carpeta;
    QString ini;
};

Estado& estado() {
    static Estado e;
    return e;
}

QString conBarraFinal(QString carpeta) {
    carpeta = QDir::cleanPath(QDir(carpeta).absolutePath());
    if (!carpeta.endsWith(QLatin1Char('/'))) carpeta += QLatin1Char('/');
    return carpeta;
}

// The executable's path with its extension replaced by ".ini"; a bare name gets ".ini" added.
QString iniDelEjecutable(const QString& ejecutable) {
    const QFileInfo info(ejecutable);
    const QString sufijo = info.suffix();
    const QString base =
        sufijo.isEmpty() ? info.absoluteFilePath() : info.absoluteFilePath().chopped(sufijo.size() + 1);
    return base + QStringLiteral(".ini");
}

QString ejecutable(const QStringList& argumentos) {
    if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath();
    return argumentos.isEmpty() ? QString() : argumentos.first();
}

QString componenteExistente(const QDir& dir, const QString& nombre) {
    if (dir.exists(nombre)) return nombre;
    const QStringList entradas =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entradas)
        if (e.compare(nombre, Qt::CaseInsensitive) == 0) return e;
    return nombre;
}

}  // namespace

namespace Instalacion {

QStringList Iniciar(const QStringList& argumentos) {
    QStringList resto;
    QString carpeta;
    for (int i = 0; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (i > 0 && a == QLatin1String("--instalacion") && i + 1 < argumentos.size()) {
            carpeta = argumentos[++i];
        } else if (i > 0 && a.startsWith(QLatin1String("--instalacion="))) {
            carpeta = a.mid(QStringLiteral("--instalacion=").size());
        } else {
            resto.append(a);
        }
    }
    if (carpeta.isEmpty()) {
        const QString exe = ejecutable(argumentos);
        estado().carpeta = conBarraFinal(QFileInfo(exe).absolutePath());
        estado().ini = iniDelEjecutable(exe);
    } else {
        FijarCarpeta(carpeta);
    }
    return resto;
}

void FijarCarpeta(const QString& carpeta) {
    estado().carpeta = conBarraFinal(carpeta);
    estado().ini = estado().carpeta + QStringLiteral("averias.ini");
}

QString Carpeta() {
    if (estado().carpeta.isEmpty()) Iniciar({});
    return estado().carpeta;
}

QString ArchivoConfiguracion() {
    if (estado().ini.isEmpty()) Iniciar({});
    return estado().ini;
}

QString ResolverRuta(const QString& base, const QString& relativa) {
    QString normal = relativa;
    normal.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool barraFinal = normal.endsWith(QLatin1Char('/'));
    const QStringList partes = normal.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString ruta = conBarraFinal(base);
    ruta.chop(1);
    for (const QString& parte : partes) {
        ruta += QLatin1Char('/') + componenteExistente(QDir(ruta), parte);
    }
    if (barraFinal || partes.isEmpty()) ruta += QLatin1Char('/');
    return ruta;
}

QString Ruta(const QString& relativa) {
    return ResolverRuta(Carpeta(), relativa);
}

QString CarpetaSinEscritura() {
    for (const QString& carpeta :
         {Carpeta(), Ruta(QStringLiteral("BDs\\")), Ruta(QStringLiteral("Historic\\"))}) {
        if (carpeta != Carpeta() && !QFileInfo::exists(QDir::cleanPath(carpeta))) continue;  // made when needed
        QTemporaryFile prueba(carpeta + QStringLiteral(".escritura-XXXXXX"));
        if (!prueba.open()) return QDir::cleanPath(carpeta);
    }
    return {};
}

}  // namespace Instalacion

InstalacionTemporal::InstalacionTemporal(const QString& carpeta)
    : anteriorCarpeta_(estado().carpeta), anteriorIni_(estado().ini) {
    Instalacion::FijarCarpeta(carpeta);
}

InstalacionTemporal::~InstalacionTemporal() {
    estado().carpeta = anteriorCarpeta_;
    estado().ini = anteriorIni_;
}
