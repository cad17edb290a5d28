#include "EjecucionInforme.h"

#include "EstadoCursor.h"
#include "dmCDS.h"

informes::OpcionesInforme OpcionesDePeticion(TdmCDS& dm, const PeticionInforme& peticion) {
    informes::OpcionesInforme opciones;
    opciones.constantes["GRUPO"] = dm.cdsGrupo->FieldByName("cdsGrpFNombre")->AsString();
    if (EsDeSubgrupo(peticion.tipo))
        opciones.constantes["PROPIETARIO"] = dm.cdsSubgrupo->FieldByName("cdsSubFNombre")->AsString();
    else
        opciones.constantes["PROPIETARIO"] = dm.cdsGrupoAlumno->FieldByName("CalcNCompleto")->AsString();
    {
        // The trainer's name without moving the trainer table.
        EstadoCursor posicion(dm.cdsEquipo, false);
        if (dm.cdsEquipo->Locate("cdsEFCodEquipo", peticion.equipo))
            opciones.constantes["EQUIPO"] = dm.cdsEquipo->FieldByName("cdsEFDescripcion")->AsString();
    }
    if (peticion.averia.idAveria >= 0)
        opciones.constantes["AVERIA"] = QString::number(peticion.averia.idAveria);
    return opciones;
}

bool EjecutarInforme(TdmCDS& dm, const PeticionInforme& peticion, const QString& diseno, Informe& informe) {
    if (!informe.CargarDiseno(diseno)) return false;
    const informes::OpcionesInforme opciones = OpcionesDePeticion(dm, peticion);
    FuenteInforme fuente(dm, peticion);
    fuente.Limpiar();
    OrigenDeFuente origen(fuente);
    return informe.Preparar(origen, opciones);
}
