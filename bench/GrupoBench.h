#pragma once

#include <QDir>
#include <QString>
#include <functional>
#include <initializer_list>

#include "dmCDS.h"

// What the benchmarks' installations are made of: rows, the seed of a fault, and one group
// of students with their histories, written where the program looks for them.

inline void Fila(TClientDataSet* tabla, std::initializer_list<std::pair<const char*, QVariant>> valores) {
    tabla->Append();
    for (const auto& [campo, valor] : valores) tabla->FieldByName(QLatin1String(campo))->SetValue(valor);
    tabla->Post();
}

inline void SemillaBench(TdmCDS& m, int id, int averia, bool tutorizada) {
    Fila(m.cdsSemilla, {{"cdsSemFIdSemilla", id},
                        {"cdsSemFCodSemilla", 1},
                        {"cdsSemFPtrGrupo", 1},
                        {"cdsSemFPtrEquipo", 1},
                        {"cdsSemFPtrIdAveria", averia},
                        {"cdsSemFCodVirtual", 500 + averia},
                        {"cdsSemFTutorizada", tutorizada}});
}

// One finished practice (unless `estado` says otherwise) of a student in group 1, its
// figures varying with its number `p`.
inline void PracticaBench(TdmCDS& m, int p, int alumno, int averia, double inicio, int equipo,
                          bool tutorizada, const char* estado = "F") {
    Fila(m.cdsReparacion, {{"cdsRepFCodReparacion", p},
                           {"cdsRepFPtrAlumno", alumno},
                           {"cdsRepFPtrGrupo", 1},
                           {"cdsRepFPtrIdAveria", averia},
                           {"cdsRepFInicio", inicio},
                           {"cdsRepFFin", inicio + 0.01},
                           {"cdsRepFDuracion", QString("0d 00:%1:24").arg(10 + p % 40)},
                           {"cdsRepFResp", p % 3 != 0},
                           {"cdsRepFCorrecta", p % 4 != 0},
                           {"cdsRepFEstado", estado},
                           {"cdsRepFPtrSubgrupo", -1},
                           {"cdsRepFPtrEquipo", equipo},
                           {"cdsRepFTutorizada", tutorizada}});
}

// Group 1 "1A" of students 1 to `alumnos`, each history written by `historial`, then every
// table of the module in its folder (trainer 1's catalogue included) under `raiz`.
inline void EscribirGrupoBench(TdmCDS& m, const QString& raiz, int alumnos,
                               const std::function<void(int alumno)>& historial) {
    m.cdsGrupo->SetReadOnly(false);
    const QString grupo = raiz + "/BDs/GRP 001/";
    Fila(m.cdsGrupo, {{"cdsGrpFCodGrupo", 1}, {"cdsGrpFNombre", "1A"}, {"cdsGrpFDirectorio", grupo}});
    QDir().mkpath(raiz + "/Historic");
    for (int alumno = 1; alumno <= alumnos; ++alumno) {
        Fila(m.cdsAlumno, {{"cdsAFCodAlumno", alumno}, {"cdsAFNombre", "Alumno"}, {"cdsAFGrupos", "1#"}});
        Fila(m.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 1}, {"cdsGrpAlFPtrAlumno", alumno}});
        historial(alumno);
    }
    const auto guardar = [&m](const QString& carpeta, std::initializer_list<const char*> tablas) {
        QDir().mkpath(carpeta);
        for (const char* t : tablas) m.Tabla(QLatin1String(t))->SaveToFile(carpeta + t + ".cds");
    };
    m.CrearTablaVacia(m.cdsReparacion);
    m.CrearTablaVacia(m.cdsLineaReparacion);
    guardar(raiz + "/BDs/",
            {"cdsEquipo", "cdsCodigos", "cdsAlumno", "cdsGrupo", "cdsReparacion", "cdsLineaReparacion"});
    guardar(raiz + "/BDs/EQ001/",
            {"cdsSintomas", "cdsAveria", "cdsBloque", "cdsCircuito", "cdsComponente", "cdsElemento"});
    guardar(grupo, {"cdsGrupoAlumno", "cdsSubgrupo", "cdsSemilla"});
}
