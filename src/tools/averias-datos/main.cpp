#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

#include "LineaOrdenes.h"
#include "Ordenes.h"

namespace {

// Every subcommand; a new one is one more line here.
const Orden kOrdenes[] = {
    {"volcar", "FICHERO.cds", "imprime la tabla como CSV (primera línea, los nombres de los campos)",
     OrdenVolcar},
    {"campos", "FICHERO.cds", "imprime las definiciones de campos e índices de la tabla", OrdenCampos},
    {"exportar-grupo", "INSTALACION GRUPO CARPETA",
     "escribe la carpeta de intercambio del grupo (por nombre o código) en CARPETA", OrdenExportarGrupo},
    {"importar-grupo", "INSTALACION CARPETA [--reemplazar]",
     "carga en la instalación el grupo de la carpeta de intercambio; con --reemplazar sustituye al grupo del "
     "mismo nombre",
     OrdenImportarGrupo},
    {"importar-alumnos", kUsoImportarAlumnos,
     "añade al grupo (por nombre o código) los alumnos de una lista CSV con las columnas Nombre, Apellido1 y "
     "Apellido2 (UTF-8 o Windows-1252, \";\" o \",\"); imprime código, nombre y contraseña de cada alumno "
     "añadido y, en la salida de errores, las líneas rechazadas",
     OrdenImportarAlumnos},
    {"demo", "CARPETA [--desde FUENTES]", "escribe una instalación de demostración completa en CARPETA",
     OrdenDemo},
    {"instalacion", "CARPETA [--desde FUENTES]",
     "escribe en CARPETA una instalación de aula: los entrenadores, sin grupos ni alumnos", OrdenInstalacion},
    {"resultados", kUsoResultados,
     "imprime como CSV (UTF-8, \";\") los resultados del grupo por avería, por alumno y subgrupo o por "
     "semana",
     OrdenResultados},
    {"historial", kUsoHistorial,
     "imprime como hoja de cálculo CSV (UTF-8 con BOM, \";\") una fila por práctica de cada alumno y "
     "subgrupo del grupo, en el equipo E o en todos",
     OrdenHistorial},
};

QString TextoUso() {
    QString texto = QStringLiteral("Uso: averias-datos ORDEN ARGUMENTOS\n");
    for (const Orden& o : kOrdenes)
        texto +=
            QStringLiteral("  %1 %2\n      %3\n")
                .arg(QString::fromUtf8(o.nombre), QString::fromUtf8(o.uso), QString::fromUtf8(o.descripcion));
    return texto + QStringLiteral(
                       "  --help\n      muestra esta ayuda y termina\n"
                       "  --version\n      muestra la versión y termina\n");
}

void Uso(QTextStream& errores) {
    errores << TextoUso();
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto salida = AtenderAyudaOVersion(argc, argv, "averias-datos", TextoUso())) return *salida;
    QCoreApplication app(argc, argv);
    QTextStream salida(stdout);
    QTextStream errores(stderr);
    QStringList argumentos = app.arguments().mid(1);
    if (argumentos.isEmpty()) {
        Uso(errores);
        return kSalidaUso;
    }
    const QString nombre = argumentos.takeFirst();
    for (const Orden& o : kOrdenes)
        if (nombre == o.nombre) return o.ejecutar(argumentos, salida, errores);
    errores << "averias-datos: orden desconocida \"" << nombre << "\"\n";
    Uso(errores);
    return kSalidaUso;
}
