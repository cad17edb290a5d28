#include "EnlacesGestion.h"

#include "DMT_GestAlumnado.h"
#include "InformeDirecto.h"
#include "IntercambioGestion.h"
#include "PaginaResultados.h"
#include "dmCDS.h"

void EnlazarGestionHistoria(TdmCDS& dm) {
    TFDMT_GestAlumnado::ExportarGrupo = [&dm](TFDMT_GestAlumnado* ventana) {
        IntercambioGestion::Exportar(dm, *ventana);
    };
    TFDMT_GestAlumnado::ImportarGrupo = [&dm](TFDMT_GestAlumnado* ventana) {
        IntercambioGestion::Importar(dm, *ventana);
    };
    TFDMT_GestAlumnado::CrearPaginaResultados = [&dm](TFDMT_GestAlumnado* ventana, QWidget* panel) {
        return new TFDMT_PaginaResultados(ventana, dm, panel);
    };
    TFDMT_GestAlumnado::ImprimirAccesos = [&dm](QWidget* padre, int equipo) {
        // The table names the faults from the chosen trainer's catalogue.
        if (dm.cdsEFCodEquipo->AsInteger() != equipo)
            dm.cdsEquipo->Locate(QStringLiteral("cdsEFCodEquipo"), equipo);
        if (dm.EquipoCargado() != equipo) dm.AbrirTablasEquipo(equipo);
        MostrarInformeDirecto(dm, TipoInforme::Accesibilidad, equipo,
                              QStringLiteral("Informes\\Informe9.frf"), padre);
    };
    TFDMT_GestAlumnado::ImprimirContrasenas = [&dm](QWidget* padre) {
        MostrarInformeDirecto(dm, TipoInforme::Contrasenas, dm.cdsEFCodEquipo->AsInteger(),
                              QStringLiteral("Informes\\Informe10.frf"), padre);
    };
}
