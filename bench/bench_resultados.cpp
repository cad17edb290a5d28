// Group results: the figures of 30 students with 200 practices each (every practice with
// its first line, three steps, an attempt and the finish), read from their histories; the
// results page showing them with its three plots; and the same practices as a spreadsheet.
#include <benchmark/benchmark.h>

#include <QDir>

#include "AplicacionBench.h"
#include "Cadenas.h"
#include "CarpetaTemporal.h"
#include "DMT_Resultados.h"
#include "GrupoBench.h"
#include "HistorialGrupo.h"
#include "HojaHistorial.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "ResultadosGrupo.h"
#include "TablasResultados.h"
#include "dmCDS.h"

namespace {

constexpr int kAlumnos = 30;
constexpr int kPracticas = 200;
constexpr int kAverias = 40;
constexpr double kInicio = 45000.0;

void EscribirHistorial(TdmCDS& m, const QString& raiz, int alumno) {
    m.CrearTablaVacia(m.cdsReparacion);
    m.CrearTablaVacia(m.cdsLineaReparacion);
    int linea = 0;
    for (int p = 1; p <= kPracticas; ++p) {
        const int averia = 1 + (p + alumno) % kAverias;
        const double inicio = kInicio + p * 0.4;
        Fila(m.cdsReparacion, {{"cdsRepFCodReparacion", p},
                               {"cdsRepFPtrAlumno", alumno},
                               {"cdsRepFPtrGrupo", 1},
                               {"cdsRepFPtrIdAveria", averia},
                               {"cdsRepFInicio", inicio},
                               {"cdsRepFFin", inicio + 0.01},
                               {"cdsRepFDuracion", QString("0d 00:%1:24").arg(10 + p % 40)},
                               {"cdsRepFResp", p % 3 != 0},
                               {"cdsRepFCorrecta", p % 4 != 0},
                               {"cdsRepFEstado", p == kPracticas ? "P" : "F"},
                               {"cdsRepFPtrSubgrupo", -1},
                               {"cdsRepFPtrEquipo", 1},
                               {"cdsRepFTutorizada", p % 2 == 0}});
        const int bloque = 1 + averia % 4;
        for (const char* accion : {"A", " ", " ", " ", "R", "F"})
            Fila(m.cdsLineaReparacion, {{"cdsLRepFCodLinea", ++linea},
                                        {"cdsLRepFPtrReparacion", p},
                                        {"cdsLRepFAccion", accion},
                                        {"cdsLRepFBloque", bloque},
                                        {"cdsLRepFCircuito", bloque * 10 + p % 3},
                                        {"cdsLRepFComponente", 100 + averia}});
    }
    const QString usuario = FormatoCodigo(alumno);
    m.cdsReparacion->SaveToFile(raiz + "/Historic/cdsReparacion" + usuario + ".cds");
    m.cdsLineaReparacion->SaveToFile(raiz + "/Historic/cdsLineaReparacion" + usuario + ".cds");
}

// One trainer with kAverias faults, each element in one circuit; one group of kAlumnos.
void EscribirInstalacion(const QString& raiz) {
    TdmCDS m;
    m.CrearTablasVacias();
    Fila(m.cdsEquipo, {{"cdsEFCodEquipo", 1}, {"cdsEFDescripcion", "Motor"}});
    for (int a = 1; a <= kAverias; ++a) {
        const int bloque = 1 + a % 4, circuito = bloque * 10 + 1;
        Fila(m.cdsComponente, {{"cdsComFIdComponente", a},
                               {"cdsComFCodComponente", 100 + a},
                               {"cdsComFPtrEquipo", 1},
                               {"cdsComFPtrBloque", bloque},
                               {"cdsComFPtrCircuito", circuito}});
        Fila(m.cdsAveria, {{"cdsAvFIdAveria", a},
                           {"cdsAvFCodAveria", a},
                           {"cdsAvFPtrEquipo", 1},
                           {"cdsAvFDescripcion", QString("Avería %1").arg(a)},
                           {"cdsAvFPtrBloque", bloque},
                           {"cdsAvFPtrCircuito", circuito},
                           {"cdsAvFPtrComponente", 100 + a}});
        for (bool tutorizada : {false, true}) SemillaBench(m, a * 2 + tutorizada, a, tutorizada);
    }
    EscribirGrupoBench(m, raiz, kAlumnos, [&](int alumno) { EscribirHistorial(m, raiz, alumno); });
}

void ResultadosGrupo6000(benchmark::State& estado) {
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion(carpeta.ruta());
    EscribirInstalacion(carpeta.ruta());
    int practicas = 0;
    for (auto _ : estado) {
        const ResultadosGrupo r = CalcularResultados(LeerHistorialGrupo(1), {});
        for (PorResultados por : {PorResultados::Averia, PorResultados::Alumno, PorResultados::Semana})
            benchmark::DoNotOptimize(TextoCsv(TablaDe(r, por)));
        practicas = r.practicas;
    }
    if (practicas != kAlumnos * kPracticas) estado.SkipWithError("practices were lost");
}
BENCHMARK(ResultadosGrupo6000)->Unit(benchmark::kMillisecond);

// From the histories to the bytes of the spreadsheet file, one row per practice.
void HistorialCsv6000(benchmark::State& estado) {
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion(carpeta.ruta());
    EscribirInstalacion(carpeta.ruta());
    std::size_t filas = 0;
    for (auto _ : estado) {
        const TablaResultados tabla = TablaHistorial(LeerHistorialGrupo(1), std::nullopt);
        benchmark::DoNotOptimize(HojaCalculo(tabla));
        filas = tabla.filas.size();
    }
    if (filas != std::size_t(kAlumnos * kPracticas)) estado.SkipWithError("practices were lost");
}
BENCHMARK(HistorialCsv6000)->Unit(benchmark::kMillisecond);

// From nothing to the page painted with its plots and tables.
void PaginaResultadosGrupo6000(benchmark::State& estado) {
    AsegurarAplicacion();
    const IdiomaTemporal idioma(QStringLiteral(AVERIAS_IDIOMA));
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion(carpeta.ruta());
    EscribirInstalacion(carpeta.ruta());
    bool vacia = true;
    for (auto _ : estado) {
        TFDMT_Resultados pagina;
        pagina.resize(1360, 900);
        pagina.MostrarGrupo(1);
        pagina.show();
        benchmark::DoNotOptimize(pagina.grab());
        vacia = pagina.Vacia();
    }
    if (vacia) estado.SkipWithError("the page shows no results");
}
BENCHMARK(PaginaResultadosGrupo6000)->Unit(benchmark::kMillisecond);

}  // namespace
