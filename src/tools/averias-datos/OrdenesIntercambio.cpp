// exportar-grupo and importar-grupo: the group exchange for a school's technician.
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "Intercambio.h"
#include "Ordenes.h"
#include "SesionDatos.h"

namespace {

FuncionAvance MostrarAvance(QTextStream& salida) {
    return [&salida](const Avance& a) {
        switch (a.etapa) {
            case Avance::Leyendo:
                salida << "Datos del grupo leídos" << Qt::endl;
                PararSiSePide(QStringLiteral("leyendo"), salida);
                break;
            case Avance::Alumnos:
                if (a.hechos % 100 == 0) salida << "Alumnos: " << a.hechos << " de " << a.total << Qt::endl;
                PararSiSePide(QStringLiteral("alumno:%1").arg(a.hechos), salida);
                break;
            case Avance::PoniendoEnSitio:
                if (a.hechos == 0) salida << "Escribiendo en su sitio" << Qt::endl;
                PararSiSePide(QStringLiteral("poniendo:%1").arg(a.hechos), salida);
                break;
        }
    };
}

}  // namespace

int OrdenExportarGrupo(const QStringList& argumentos, QTextStream& salida, QTextStream& errores) {
    if (argumentos.size() != 3) {
        errores << "Uso: averias-datos exportar-grupo INSTALACION GRUPO CARPETA\n";
        return kSalidaUso;
    }
    SesionDatos sesion(argumentos[0]);
    if (!sesion.abierta()) return SinInstalacion(argumentos[0], errores);
    if (!ElegirGrupo(sesion.dm, argumentos[1])) {
        errores << "averias-datos: no hay ningún grupo \"" << argumentos[1] << "\"\n";
        return kSalidaArchivo;
    }
    sesion.dm.AbrirTablasGrupo();
    const ResultadoIntercambio r = ExportarGrupo(sesion.dm, argumentos[2], MostrarAvance(salida));
    if (!r.correcto) {
        errores << "averias-datos: " << r.mensaje << '\n';
        return kSalidaArchivo;
    }
    salida << r.mensaje << '\n'
           << "Grupo \"" << r.nombre << "\" (código " << r.codigoGrupo << ", " << r.alumnos << " alumnos) en "
           << QDir::toNativeSeparators(r.carpeta) << '\n';
    return kSalidaBien;
}

int OrdenImportarGrupo(const QStringList& argumentos, QTextStream& salida, QTextStream& errores) {
    QStringList resto = argumentos;
    const bool reemplazar = resto.removeAll(QStringLiteral("--reemplazar")) > 0;
    if (resto.size() != 2) {
        errores << "Uso: averias-datos importar-grupo INSTALACION CARPETA [--reemplazar]\n";
        return kSalidaUso;
    }
    SesionDatos sesion(resto[0]);
    if (!sesion.abierta()) return SinInstalacion(resto[0], errores);
    const ResultadoIntercambio r =
        ImportarGrupo(sesion.dm, resto[1], reemplazar ? Reemplazo::Si : Reemplazo::No, MostrarAvance(salida));
    if (!r.correcto) {
        errores << "averias-datos: " << r.mensaje << '\n';
        if (r.cancelado) errores << "Para reemplazarlo, repita la orden con --reemplazar.\n";
        return kSalidaArchivo;
    }
    salida << r.mensaje << '\n'
           << "Grupo \"" << r.nombre << "\" importado con el código " << r.codigoGrupo << ": " << r.alumnos
           << " alumnos\n";
    if (r.grupoReemplazado >= 0)
        salida << "Reemplaza al grupo de código " << r.grupoReemplazado
               << ", con sus alumnos y sus históricos\n";
    return kSalidaBien;
}
