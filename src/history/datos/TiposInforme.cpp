#include "TiposInforme.h"

int EleccionDeTipo(TipoInforme tipo) {
    switch (tipo) {
        case TipoInforme::TodasAlumno:
        case TipoInforme::TodasSubgrupo:
            return 1;
        case TipoInforme::SimpleAlumno:
        case TipoInforme::SimpleSubgrupo:
            return 2;
        case TipoInforme::CompletoAlumno:
        case TipoInforme::CompletoSubgrupo:
            return 3;
        case TipoInforme::GrupoAlumnos:
        case TipoInforme::GrupoSubgrupos:
            return 4;
        case TipoInforme::AveriaAlumnos:
        case TipoInforme::AveriaSubgrupos:
            return 5;
        case TipoInforme::Accesibilidad:
        case TipoInforme::Contrasenas:
            return 0;
    }
    return 0;
}

bool EsDeSubgrupo(TipoInforme tipo) {
    switch (tipo) {
        case TipoInforme::TodasSubgrupo:
        case TipoInforme::SimpleSubgrupo:
        case TipoInforme::CompletoSubgrupo:
        case TipoInforme::GrupoSubgrupos:
        case TipoInforme::AveriaSubgrupos:
            return true;
        default:
            return false;
    }
}
