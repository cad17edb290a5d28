#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "ListaAlumnos.h"

class TdmCDS;

struct AlumnoAnadido {
    int codigo = 0;
    NombreAlumno alumno;
    QString password;
};

struct ResultadoImportacion {
    bool correcto = false;
    std::vector<AlumnoAnadido> anadidos;  // in list order
};

// The current group's members as a class list names them, read fresh from the files.
std::vector<NombreAlumno> MiembrosGrupoActual(TdmCDS& dm);

// False, and the user is told, when a student of the data module is being inserted or has
// unsaved edits; an edit without changes is given up.
bool PuedeImportar(TdmCDS& dm);

// Adds the students as new members of the current group: each with its code and initial
// password as the data module gives a new student, the group in its group list, and its
// membership row. Either all are added and saved, or none: a save that fails is reported
// through the message layer and what was already written is taken back. Another program
// adding students at the same time keeps its own; a code it took meanwhile makes the
// student here get the next free one. `codigosTomados` runs once the codes are taken and
// before anything is written (where the command line lets a test start two imports at once).
ResultadoImportacion ImportarAlumnos(TdmCDS& dm, const std::vector<NombreAlumno>& alumnos,
                                     const std::function<void()>& codigosTomados = {});
