#pragma once

#include <QDateTime>
#include <QString>
#include <map>
#include <optional>

// The practice state of the workstation, shared by all its panels.
enum EstadoPractica { Libre = 1, Disfuncion = 2, Reparando = 3, Diagnosticando = 4, Pausada = 5 };
enum TipoUsuario { UsuarioAlumno = 1, UsuarioSubgrupo = 2, UsuarioProfesor = 3 };

struct TDatosPractica {
    int CodAlumno = -1;
    int CodGrupo = -1;
    int CodSubgrupo = -1;
    int CodEquipo = -1;  // 0: no trainer found
    int IdAveria = -1;
    int CodVirtual = -1;
    // The running repair, found by its code: after the tables are closed and reopened the
    // current row is no longer the repair.
    int CodReparacion = -1;
    double Inicio = 0;
    int Estado = Libre;
    int TipoUsuario = UsuarioAlumno;
    int NumDiagnostico = 1;

    bool EsProfesor() const { return TipoUsuario != UsuarioAlumno && TipoUsuario != UsuarioSubgrupo; }
    // Forgets the practice that ended: the state is free again and no fault is current.
    void OlvidarPractica() {
        IdAveria = -1;
        CodVirtual = -1;
        CodReparacion = -1;
        NumDiagnostico = 1;
        Estado = Libre;
    }
};

// What the state shows on the toolbar, the menu and the status boxes. A control missing
// from `activos` keeps whatever it had.
struct AspectoEstado {
    std::map<QString, bool> activos;
    int imagen = 6;
    int textoPista = 0;   // 0: empty hint
    int textoEstado = 0;  // 0: blank line
};

// The table of the workstation's states: `disfuncion` is the group's permission for
// dysfunctions, `hayEntrenador` whether detection found one.
AspectoEstado CalcularAspecto(int estado, bool disfuncion, bool profesor, bool hayEntrenador);
