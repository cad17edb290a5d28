#pragma once

#include <QString>
#include <vector>

// The structure of every stored table of the data module, as data: the module builds
// its tables from it, and a table created empty for a new file gets exactly this.
namespace Esquema {

enum class Tipo { Entero, Cadena, Booleano, FechaHora, Memo, MemoFormato };
enum class Clase {
    Datos,             // stored
    Calculado,         // recomputed whenever the row is shown, never stored
    InternoCalculado,  // filled in by the calculation, stored with the row and indexable
    Busqueda           // taken from another cursor by key
};

struct Busqueda {
    QString cursor{};        // where the value is looked up ("cdsGrupoLUp")
    QString claves{};        // fields of this row that hold the key
    QString clavesCursor{};  // fields of the looked-up cursor that match them
    QString resultado{};     // field of the looked-up cursor that gives the value
};

struct Campo {
    QString nombre{};
    Tipo tipo = Tipo::Entero;
    int ancho = 0;  // strings: width values are cut to
    bool requerido = false;
    QString etiqueta{};  // empty: the field name
    QString valores{};   // booleans: "cierto;falso"
    Clase clase = Clase::Datos;
    Busqueda busqueda{};
};

struct Indice {
    QString nombre{};
    QString campos{};
    bool unico = false;
    bool primario = false;
};

struct Agregado {
    QString nombre{};
    QString expresion{};
};

struct Tabla {
    QString nombre{};
    std::vector<Campo> campos{};
    std::vector<Indice> indices{};
    QString orden{};         // IndexFieldNames
    QString indiceActivo{};  // IndexName (instead of orden)
    QString maestro{};       // data source of the master table ("dsGrupo")
    QString camposMaestro{};
    std::vector<Agregado> agregados{};
};

// Every stored table in declaration order (the order in which the identifier counters
// are created): cdsEquipo ... cdsCodigos.
const std::vector<Tabla>& Tablas();
// The structure of one table by name; raises std::out_of_range for an unknown name.
const Tabla& DeTabla(const QString& nombre);

// A full path on Linux can be far longer than the 100 characters older installations kept.
constexpr int kAnchoDirectorio = 4096;

}  // namespace Esquema
