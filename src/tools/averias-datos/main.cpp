#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

#include "Ordenes.h"

namespace {

// Every subcommand; a new one is one more line here.
const Orden kOrdenes[] = {
    {"volcar", "FICHERO.cds", "imprime la tabla como CSV (primera línea, los nombres de los campos)",
     OrdenVolcar},
    {"campos", "FICHERO.cds", "imprime las definiciones de campos e índices de la tabla", OrdenCampos},
    {"demo", "CARPETA", "escribe una instalación de demostración completa en CARPETA", OrdenDemo},
    {"resultados", kUsoResultados,
     "imprime como CSV (UTF-8, \";\") los resultados del grupo por avería, por alumno y subgrupo o por "
     "semana",
     OrdenResultados},
};

void Uso(QTextStream& errores) {
    errores << "Uso: averias-datos ORDEN ARGUMENTOS\n";
    for (const Orden& o : kOrdenes)
        errores << "  " << o.nombre << ' ' << o.uso << "\n      " << o.descripcion << '\n';
}

}  // namespace

int main(int argc, char** argv) {
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
