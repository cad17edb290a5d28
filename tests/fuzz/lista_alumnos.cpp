// The class list from a spreadsheet: any bytes give an error for the whole file or one
// entry per line, each accepted student fitting the student table.
#include <cstdint>

#include "ApoyoFuzz.h"
#include "ListaAlumnos.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    const QByteArray contenido(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(tamano));
    const ListaAlumnos lista = LeerListaAlumnos(contenido, {{"Ana", "Gil", ""}});
    Exigir(lista.error.isEmpty() || lista.lineas.empty(), "a refused file has no lines");
    int anterior = 1;
    for (const LineaLista& l : lista.lineas) {
        Exigir(l.linea > anterior, "lines come in file order after the header");
        anterior = l.linea;
        Exigir(l.Aceptada() == l.Motivo().isEmpty(), "a refused line has a reason, an accepted one none");
        if (!l.Aceptada()) continue;
        for (const QString& valor : {l.alumno.nombre, l.alumno.apellido1, l.alumno.apellido2}) {
            Exigir(valor.size() <= 40, "an accepted value fits its field");
            Exigir(valor == valor.trimmed(), "values come without surrounding spaces");
        }
        Exigir(!l.alumno.nombre.isEmpty(), "an accepted student has a name");
    }
    Exigir(lista.Aceptados().size() + lista.NumRechazadas() == lista.lineas.size(),
           "every line is counted once");
    return 0;
}
