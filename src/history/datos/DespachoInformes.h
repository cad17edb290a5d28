#pragma once

#include <QString>
#include <optional>

#include "TiposInforme.h"
#include "VariablesInforme.h"

class TdmCDS;
struct PracticaInforme;

// Which report kind a choice of the reports window or a layout name prints, and the
// variable list of each kind. The reports window and the command-line renderer both go
// through these, so a name always means the same report.
namespace DespachoInformes {

// The boxes of the reports window: the teacher's student and subgroup boxes (choices 1 to
// 5) and the workstation's item list for a student or a subgroup (items 1 and 2).
enum class Caja { Alumno, Subgrupo, PuestoAlumno, PuestoSubgrupo };

std::optional<TipoInforme> TipoDeEleccion(Caja caja, int eleccion);

// The kind a layout prints, from its name with or without folder and ".frf", in any case:
// "Informe4AL", "Informes\Informe1SUBPROFE.frf", "Informe9" (fault access), "Informe10"
// (passwords). Nothing for a name that is no layout of ours.
std::optional<TipoInforme> TipoDeDiseno(const QString& nombre);

// What the computed variables read besides the line.
struct ContextoVariables {
    TdmCDS* dm = nullptr;
    AveriaElegida averia;
    // The practice the one-fault writer reported on.
    const PracticaInforme* practica = nullptr;
    // The password lists' "Tipo", set as each user dataset starts.
    const QString* tipo = nullptr;
};

VariablesInforme VariablesDeTipo(TipoInforme tipo, const ContextoVariables& contexto);

}  // namespace DespachoInformes
