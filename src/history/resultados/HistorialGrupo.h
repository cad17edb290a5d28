#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <set>
#include <vector>

// What the results of a group are computed from: the group's members and subgroups, its
// seeds, the catalogues of the trainers concerned, and every practice of the group found
// in the members' histories, each as the figures the results need.

struct AveriaCatalogo {
    int id = 0;
    int numero = 0;  // the fault's number within its trainer
    QString descripcion;
    int bloque = -1, circuito = -1, elemento = -1;
};

struct CatalogoEquipo {
    QString nombre;
    std::map<int, AveriaCatalogo> averias;  // by identifier
    // Where each element is placed: (block, element) and (circuit, element) pairs.
    std::set<std::pair<int, int>> elementoEnBloque, elementoEnCircuito;
};

// A diagnosis line as the results read it: its kind and the codes chosen (-1 for none).
struct LineaPractica {
    QString accion;
    int bloque = -1, circuito = -1, elemento = -1;
};

struct Practica {
    int codigo = 0;
    int alumno = 0;     // whose history holds this copy
    int subgrupo = -1;  // -1: an individual practice
    int equipo = 0;
    int averia = 0;  // fault identifier
    bool tutorizada = false;
    double inicio = 0;                 // days since 30/12/1899
    std::optional<double> fin;         // set when it was finished
    bool terminada = false;            // state "F"; running and paused ones are not
    bool respuesta = false;            // the student declared it repaired
    bool correcta = false;             // ended with the right diagnosis
    std::optional<int> segundos;       // working time without pauses (finished ones)
    int intentos = 0;                  // diagnoses submitted
    std::optional<int> pasosErroneos;  // unknown when the fault left the catalogue
};

struct MiembroGrupo {
    int codigo = 0;
    QString nombre;
};

struct SubgrupoGrupo {
    int codigo = 0;
    QString nombre;
    std::vector<int> miembros;
};

struct SemillaGrupo {
    int equipo = 0;
    int averia = 0;
    bool tutorizada = false;
    std::optional<int> codigoVirtual;  // the number the group sees the fault under
};

struct HistorialGrupo {
    int grupo = 0;
    QString nombre;
    std::vector<MiembroGrupo> alumnos;
    std::vector<SubgrupoGrupo> subgrupos;
    std::vector<SemillaGrupo> semillas;
    std::map<int, CatalogoEquipo> equipos;  // by trainer code
    // One entry per copy: a subgroup practice appears once in every member's history.
    std::vector<Practica> practicas;
    // Histories or tables that could not be read, one sentence each.
    QStringList avisos;
};

// Reads group `grupo` of the current installation (Instalacion). Raises EDatabaseError
// when the group does not exist; an unreadable history is skipped and told in `avisos`.
HistorialGrupo LeerHistorialGrupo(int grupo);

// The figures of one practice from its lines: attempts, and the steps that named a block,
// circuit or element where the fault is not (unknown without the fault in the catalogue).
void ResumirLineas(const std::vector<LineaPractica>& lineas, const CatalogoEquipo* catalogo,
                   Practica& practica);

// "1d 02:03:04" in seconds; nothing when the text is not such a duration.
std::optional<int> SegundosDeDuracion(const QString& texto);
