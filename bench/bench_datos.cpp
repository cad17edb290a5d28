// Data module: the identifier scan on a 10,000-row table.
#include <benchmark/benchmark.h>

#include "CarpetaTemporal.h"
#include "dmCDS.h"

namespace {

constexpr int kFilas = 10000;

// SiguienteCodigo on a 10,000-row students file whose only free code is the last one.
void SiguienteCodigo10k(benchmark::State& estado) {
    CarpetaTemporal carpeta;
    TdmCDS dm;
    dm.CrearTablasVacias();
    for (int codigo = 1; codigo <= kFilas; ++codigo) {
        dm.cdsAlumno->Append();
        dm.cdsAFCodAlumno->SetAsInteger(codigo == kFilas ? kFilas + 1 : codigo);
        dm.cdsAFNombre->SetAsString(QStringLiteral("Alumno %1").arg(codigo));
        dm.cdsAlumno->Post();
    }
    dm.cdsAlumno->SetFileName(carpeta.archivo("cdsAlumno.cds"));
    dm.cdsAlumno->SaveToFile();
    for (auto _ : estado) benchmark::DoNotOptimize(dm.SiguienteCodigo(dm.cdsAlumno, false));
    if (dm.SiguienteCodigo(dm.cdsAlumno, false) != kFilas) estado.SkipWithError("wrong identifier");
}
BENCHMARK(SiguienteCodigo10k)->Unit(benchmark::kMillisecond);

}  // namespace
