#include "LibrosAyuda.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <array>

#include "Instalacion.h"

namespace {

const std::array<LibroAyuda, 3> kLibros{{
    {1, QStringLiteral("Help\\gestion"), QStringLiteral("helpAux.htm"), true},
    {2, QStringLiteral("Help\\reparacion"), QStringLiteral("helpAux.htm"), true},
    {3, QStringLiteral("Help\\Acceso"), QStringLiteral("acceso.htm"), false},
}};

struct Tema {
    int tag;
    const char* pagina;
    const char* paginaLibro2;  // where the workstation's book has another page
};

const Tema kTemas[] = {
    {1, "generalidades", nullptr},
    {2, "dificultad", nullptr},
    {3, "alumnos", nullptr},
    {4, "subgrupos", nullptr},
    {6, "anadiralumnos", nullptr},
    {7, "contrasena", nullptr},
    {8, "imprimirhistoricos", "imprimir"},
    {9, "comenzar", nullptr},
    {10, "comenzar", nullptr},
    {11, "intentoreparacion", nullptr},
    {12, "diagnosisyreparacion", nullptr},
    {13, "provocaraveria", nullptr},
    {14, "historicos", nullptr},
    {15, "finalizarreparada", nullptr},
    {16, "provocardisfuncion", nullptr},
    {17, "conexion", nullptr},
    {18, "datospersonales", nullptr},
    {19, "obtenerayuda", nullptr},
    {20, "historicos", nullptr},
    {21, "introduccion", nullptr},
    {22, "anadiralumnossubgrupo", nullptr},
    {23, "resultados", nullptr},
};

const QByteArray kIntroduccion = QByteArrayLiteral("introduccion.htm");

QByteArray construirTema(const QByteArray& origen, const QString& tema) {
    QByteArray salida;
    salida.reserve(origen.size() + tema.size());
    qsizetype inicio = 0;
    while (inicio < origen.size()) {
        qsizetype fin = origen.indexOf('\n', inicio);
        fin = fin < 0 ? origen.size() : fin + 1;  // the line keeps its own ending
        salida += ReemplazarPrimeraIntroduccion(origen.mid(inicio, fin - inicio), tema);
        inicio = fin;
    }
    return salida;
}

bool escribir(const QString& archivo, const QByteArray& contenido) {
    if (!QDir().mkpath(QFileInfo(archivo).absolutePath())) return false;
    QSaveFile f(archivo);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(contenido);
    return f.commit();
}

// A folder of this user's own for topic pages of books whose folder is read-only.
QString carpetaTemporalDelLibro(const LibroAyuda& libro) {
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty()) base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (base.isEmpty()) base = QDir::tempPath();
    return base + QStringLiteral("/averias-ayuda/libro") + QString::number(libro.numero);
}

}  // namespace

const LibroAyuda* BuscarLibro(int libro) {
    for (const LibroAyuda& l : kLibros)
        if (l.numero == libro) return &l;
    return nullptr;
}

QString TemaDeTag(int tag, int libro) {
    for (const Tema& t : kTemas) {
        if (t.tag != tag) continue;
        const char* nombre = (libro == 2 && t.paginaLibro2) ? t.paginaLibro2 : t.pagina;
        return QString::fromLatin1(nombre);
    }
    return {};
}

QByteArray ReemplazarPrimeraIntroduccion(const QByteArray& linea, const QString& tema) {
    const qsizetype donde = linea.indexOf(kIntroduccion);
    if (donde < 0) return linea;
    QByteArray resultado = linea;
    resultado.replace(donde, kIntroduccion.size(), (tema + QStringLiteral(".htm")).toUtf8());
    return resultado;
}

QString CarpetaDelLibro(const LibroAyuda& libro) {
    return Instalacion::Ruta(libro.carpeta + QLatin1Char('\\'));
}

PaginaPreparada PrepararTema(const LibroAyuda& libro, const QString& tema) {
    PaginaPreparada preparada{QString(), CarpetaDelLibro(libro)};
    if (!libro.conTemas) {
        preparada.archivo = Instalacion::Ruta(libro.carpeta + QLatin1Char('\\') + libro.pagina);
        return preparada;
    }
    // A window without a topic of its own opens the book at its start, not at whatever
    // topic page an earlier opening left behind.
    const QString pagina = tema.isEmpty() ? TemaDeTag(kTagIntroduccion, libro.numero) : tema;
    QFile origen(Instalacion::Ruta(libro.carpeta + QStringLiteral("\\help.htm")));
    if (!origen.open(QIODevice::ReadOnly)) return preparada;
    const QByteArray contenido = construirTema(origen.readAll(), pagina);
    const QString junto = Instalacion::Ruta(libro.carpeta + QLatin1Char('\\') + libro.pagina);
    if (escribir(junto, contenido)) {
        preparada.archivo = junto;
    } else {
        const QString aparte = carpetaTemporalDelLibro(libro) + QLatin1Char('/') + libro.pagina;
        if (escribir(aparte, contenido)) preparada.archivo = aparte;
    }
    return preparada;
}

QString PaginaDeLineaDeOrdenes(const QString& linea) {
    const QString texto = linea.trimmed();
    qsizetype resto;
    if (texto.startsWith(QLatin1Char('"'))) {
        const qsizetype cierre = texto.indexOf(QStringLiteral("\" "), 1);
        resto = cierre < 0 ? texto.size() : cierre + 2;
    } else {
        const qsizetype blanco = texto.indexOf(QLatin1Char(' '));
        resto = blanco < 0 ? texto.size() : blanco + 1;
    }
    QString pagina = texto.mid(resto);
    pagina.remove(QLatin1Char('"'));
    return pagina.trimmed();
}

QString PaginaDeArgumentos(const QStringList& argumentos) {
    QString pagina = argumentos.mid(1).join(QLatin1Char(' '));
    pagina.remove(QLatin1Char('"'));
    return pagina.trimmed();
}

QString ArchivoDePaginaPedida(const QString& pagina) {
    const QFileInfo info(pagina);
    if (info.isAbsolute() || info.exists()) return info.absoluteFilePath();
    return Instalacion::Ruta(pagina);
}
