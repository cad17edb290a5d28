#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "HistorialGrupo.h"

// Which practices the results take: one trainer or all, one mode or both, and the days
// from `desde` to `hasta` (both included; an invalid date leaves that end open).
struct FiltroResultados {
    std::optional<int> equipo;
    std::optional<bool> tutorizada;
    QDate desde, hasta;
};

// The figures of a set of practices. Shares are over the finished practices; running and
// paused practices only count in `practicas` and `sinTerminar`.
struct Cifras {
    int practicas = 0;
    int sinTerminar = 0;
    std::optional<double> aLaPrimera;         // share repaired at the first attempt, 0 to 1
    std::optional<double> reparadas;          // share ended with the right diagnosis
    std::optional<double> dadasPorReparadas;  // share the student declared repaired
    std::optional<double> medianaSegundos, p90Segundos;
    std::optional<double> mediaIntentos, mediaPasosErroneos;
    std::optional<double> puntuacion;  // mean graded score, 0 to 100
};

struct FilaAveria {
    int equipo = 0;
    int averia = 0;          // identifier
    int numero = 0;          // number within the trainer; the identifier when eliminada
    bool eliminada = false;  // no longer in the trainer's catalogue
    QString descripcion;
    Cifras cifras;
};

// A student or a subgroup.
struct FilaAlumno {
    bool subgrupo = false;
    int codigo = 0;
    QString nombre;
    Cifras cifras;
    // The group's seeded faults not practised yet: trainer and number, in that order.
    std::vector<std::pair<int, int>> sinPracticar;
};

struct FilaSemana {
    QDate lunes;
    Cifras cifras;
};

struct ResultadosGrupo {
    QString grupo;
    int practicas = 0;                // after the filter, each subgroup practice once
    Cifras total;                     // the figures of those practices
    std::vector<FilaAveria> averias;  // hardest first: lowest share repaired, then most practised
    std::vector<FilaAlumno> alumnos;  // students by name, then subgroups by name
    std::vector<FilaSemana> semanas;  // in date order, weeks without practices left out
};

// The graded score of one practice: 100 for the right diagnosis at the first attempt, minus
// kPenalizacionIntento per further attempt and kPenalizacionPaso per wrong step, never below
// 0; 0 when it did not end with the right diagnosis. Nothing for a practice not finished.
constexpr int kPenalizacionIntento = 20;
constexpr int kPenalizacionPaso = 5;
std::optional<int> Puntuacion(const Practica& practica);

ResultadosGrupo CalcularResultados(const HistorialGrupo& historial, const FiltroResultados& filtro);

// The practices with every subgroup practice once: its copies in the members' histories
// share the subgroup, trainer, fault, mode and start. The first copy stays, order kept.
std::vector<const Practica*> UnaVezCadaUna(const std::vector<const Practica*>& practicas);

// A fault's row without figures: its number and description from the catalogue, or its
// identifier marked `eliminada` when the catalogue no longer has it.
FilaAveria FilaDeAveria(const HistorialGrupo& historial, int equipo, int averia);

// The middle value (the mean of the two middle ones for an even count), and the 90th
// percentile by nearest rank; nothing for no values.
std::optional<double> Mediana(std::vector<double> valores);
std::optional<double> Percentil90(std::vector<double> valores);
