#pragma once

#include <QString>

// The report kinds: each has one data writer and one variable list.
enum class TipoInforme {
    TodasAlumno,       // 1 - every practice of the student
    TodasSubgrupo,     // 1 - every practice of the subgroup
    SimpleAlumno,      // 2 - one fault of the student, simple history
    SimpleSubgrupo,    // 2 - one fault of the subgroup, simple history
    CompletoAlumno,    // 3 - one fault of the student, complete history
    CompletoSubgrupo,  // 3 - one fault of the subgroup, complete history
    GrupoAlumnos,      // 4 - every practice of every student of the group
    GrupoSubgrupos,    // 4 - every practice of every subgroup of the group
    AveriaAlumnos,     // 5 - one fault of every student of the group
    AveriaSubgrupos,   // 5 - one fault of every subgroup of the group
    Accesibilidad,     // the faults a group may practise (difficulty page)
    Contrasenas        // the passwords of a group's students and subgroups
};

// The fault that the one-fault reports are about: its identifier and whether its tutorised
// seed (or practice) was chosen.
struct AveriaElegida {
    int idAveria = -1;
    bool tutorizada = false;
};

// Everything a report run needs besides the data module's current group, member and subgroup.
struct PeticionInforme {
    TipoInforme tipo = TipoInforme::TodasAlumno;
    int equipo = -1;
    // 1 student, 2 subgroup (on the workstation), 3 the teacher.
    int tipoUsuario = 3;
    AveriaElegida averia;
};

// The number of the choice in the reports window (1 to 5); 0 for the two lists.
int EleccionDeTipo(TipoInforme tipo);
bool EsDeSubgrupo(TipoInforme tipo);
