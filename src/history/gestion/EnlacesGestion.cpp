#include "EnlacesGestion.h"

#include "DMT_GestAlumnado.h"
#include "DMT_VentanaHistorico.h"
#include "HojaCalculoGrupo.h"
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
        MostrarInformeDirecto(dm, TipoInforme::Accesibilidad, equipo,
                              QStringLiteral("Informes\\Informe9.frf"), padre);
    };
    TFDMT_VentanaHistorico::ExportarHojaCalculo = [](TFDMT_VentanaHistorico* navegador) {
        const int equipo = navegador->CodigoEquipo();
        ExportarHojaCalculoGrupo(navegador->CodigoGrupo(),
                                 equipo > 0 ? std::optional<int>(equipo) : std::nullopt, navegador);
    };
    TFDMT_GestAlumnado::ImprimirContrasenas = [&dm](QWidget* padre) {
        MostrarInformeDirecto(dm, TipoInforme::Contrasenas, dm.cdsEFCodEquipo->AsInteger(),
                              QStringLiteral("Informes\\Informe10.frf"), padre);
    };
}
