// importar-alumnos: a class list from a spreadsheet into a group.
#include "Cadenas.h"
#include "Idioma.h"
#include "ImportarAlumnos.h"
#include "ListaAlumnos.h"
#include "Ordenes.h"
#include "SesionDatos.h"

int OrdenImportarAlumnos(const QStringList& argumentos, QTextStream& salida, QTextStream& errores) {
    if (argumentos.size() != 3) {
        errores << "Uso: averias-datos importar-alumnos " << kUsoImportarAlumnos << '\n';
        return kSalidaUso;
    }
    SesionDatos sesion(argumentos[0]);
    if (!sesion.abierta()) return SinInstalacion(argumentos[0], errores);
    TdmCDS& dm = sesion.dm;
    if (!ElegirGrupo(dm, argumentos[1])) {
        errores << "averias-datos: no hay ningún grupo \"" << argumentos[1] << "\"\n";
        return kSalidaArchivo;
    }
    dm.AbrirTablasGrupo();
    const ListaAlumnos lista = LeerArchivoListaAlumnos(argumentos[2], MiembrosGrupoActual(dm));
    if (!lista.error.isEmpty()) {
        errores << "averias-datos: " << argumentos[2] << ": " << lista.error << '\n';
        return kSalidaArchivo;
    }
    for (const LineaLista& l : lista.lineas)
        if (!l.Aceptada()) errores << argumentos[2] << ": " << l.TextoRechazo() << '\n';
    const std::vector<NombreAlumno> alumnos = lista.Aceptados();
    if (alumnos.empty()) {
        errores << "averias-datos: " << Texto(72032) << '\n';
        return kSalidaArchivo;
    }
    // A failure has been told on the error output by the message layer.
    const ResultadoImportacion r =
        ImportarAlumnos(dm, alumnos, [&salida] { PararSiSePide(QStringLiteral("codigos"), salida); });
    if (!r.correcto) return kSalidaArchivo;
    for (const AlumnoAnadido& a : r.anadidos)
        salida << FormatoCodigo(a.codigo) << '\t' << a.alumno.Completo() << '\t' << a.password << '\n';
    return kSalidaBien;
}
