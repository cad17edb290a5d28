// Data module: a new practice step, saved, on a long history.
#include <benchmark/benchmark.h>

#include <QDir>

#include "CarpetaTemporal.h"
#include "Instalacion.h"
#include "dmCDS.h"

namespace {

constexpr int kLineas = 10000;
constexpr double kInicio = 45000.0;

// An installation with one trainer, no groups and student 1's history of one practice
// with kLineas steps.
void EscribirInstalacion(const QString& raiz) {
    TdmCDS origen;
    origen.CrearTablasVacias();
    origen.cdsEquipo->Append();
    origen.cdsEFCodEquipo->SetAsInteger(1);
    origen.cdsEFDescripcion->SetAsString(QStringLiteral("Motor"));
    origen.cdsEquipo->Post();
    origen.cdsReparacion->Append();
    origen.cdsRepFCodReparacion->SetAsInteger(1);
    origen.cdsRepFInicio->SetAsDateTime(kInicio);
    origen.cdsReparacion->Post();
    for (int codigo = 1; codigo <= kLineas; ++codigo) {
        origen.cdsLineaReparacion->Append();
        origen.cdsLRepFCodLinea->SetAsInteger(codigo);
        origen.cdsLRepFPtrReparacion->SetAsInteger(1);
        origen.cdsLRepFAccion->SetAsString(QStringLiteral("R"));
        origen.cdsLRepFInicio->SetAsDateTime(kInicio + codigo / 86400.0);
        origen.cdsLineaReparacion->Post();
    }
    const QString bds = raiz + QStringLiteral("/BDs/");
    const QString equipo = bds + QStringLiteral("EQ001/");
    const QString historico = raiz + QStringLiteral("/Historic/");
    for (const QString& carpeta : {equipo, historico}) QDir().mkpath(carpeta);
    for (TClientDataSet* tabla : {origen.cdsEquipo, origen.cdsCodigos, origen.cdsAlumno, origen.cdsGrupo})
        tabla->SaveToFile(bds + tabla->Name + QStringLiteral(".cds"));
    for (TClientDataSet* tabla : {origen.cdsSintomas, origen.cdsAveria, origen.cdsBloque, origen.cdsCircuito,
                                  origen.cdsComponente, origen.cdsElemento})
        tabla->SaveToFile(equipo + tabla->Name + QStringLiteral(".cds"));
    origen.cdsReparacion->SaveToFile(historico + QStringLiteral("cdsReparacion001.cds"));
    origen.cdsLineaReparacion->SaveToFile(historico + QStringLiteral("cdsLineaReparacion001.cds"));
    // The templates are the same empty tables.
    origen.CrearTablaVacia(origen.cdsReparacion);
    origen.CrearTablaVacia(origen.cdsLineaReparacion);
    origen.cdsReparacion->SaveToFile(bds + QStringLiteral("cdsReparacion.cds"));
    origen.cdsLineaReparacion->SaveToFile(bds + QStringLiteral("cdsLineaReparacion.cds"));
}

void NuevaLineaReparacion10k(benchmark::State& estado) {
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion(carpeta.ruta());
    EscribirInstalacion(carpeta.ruta());
    TdmCDS dm;
    if (!dm.AbrirTablas()) {
        estado.SkipWithError("the installation does not open");
        return;
    }
    dm.AbrirHistorico(QStringLiteral("001"));
    int paso = 0;
    for (auto _ : estado) {
        ++paso;
        if (!dm.NuevaLineaReparacion(1, paso, QString(), QStringLiteral("A"), kInicio + 1, kInicio,
                                     QVariant(), QVariant(), QVariant())) {
            estado.SkipWithError("the line was not stored");
            return;
        }
    }
    TClientDataSet lector;
    lector.LoadFromFile(dm.cdsLineaReparacion->FileName());
    if (lector.RecordCount() != kLineas + paso) estado.SkipWithError("the lines were not saved");
}
BENCHMARK(NuevaLineaReparacion10k)->Unit(benchmark::kMillisecond);

}  // namespace
