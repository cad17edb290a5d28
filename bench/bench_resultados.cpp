// Group results: the figures of 30 students with 200 practices each (every practice with
// its first line, three steps, an attempt and the finish), read from their histories; and
// the results page showing them with its three plots.
#include <benchmark/benchmark.h>

#include <QDir>

#include "AplicacionBench.h"
#include "Cadenas.h"
#include "CarpetaTemporal.h"
#include "DMT_Resultados.h"
#include "HistorialGrupo.h"
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

void Fila(TClientDataSet* tabla, std::initializer_list<std::pair<const char*, QVariant>> valores) {
    tabla->Append();
    for (const auto& [campo, valor] : valores) tabla->FieldByName(QLatin1String(campo))->SetValue(valor);
    tabla->Post();
}

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
        for (bool tutorizada : {false, true})
            Fila(m.cdsSemilla, {{"cdsSemFIdSemilla", a * 2 + tutorizada},
                                {"cdsSemFCodSemilla", 1},
                                {"cdsSemFPtrGrupo", 1},
                                {"cdsSemFPtrEquipo", 1},
                                {"cdsSemFPtrIdAveria", a},
                                {"cdsSemFCodVirtual", 500 + a},
                                {"cdsSemFTutorizada", tutorizada}});
    }
    m.cdsGrupo->SetReadOnly(false);
    const QString grupo = raiz + "/BDs/GRP 001/";
    Fila(m.cdsGrupo, {{"cdsGrpFCodGrupo", 1}, {"cdsGrpFNombre", "1A"}, {"cdsGrpFDirectorio", grupo}});
    QDir().mkpath(raiz + "/Historic");
    for (int alumno = 1; alumno <= kAlumnos; ++alumno) {
        Fila(m.cdsAlumno, {{"cdsAFCodAlumno", alumno}, {"cdsAFNombre", "Alumno"}, {"cdsAFGrupos", "1#"}});
        Fila(m.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 1}, {"cdsGrpAlFPtrAlumno", alumno}});
        EscribirHistorial(m, raiz, alumno);
    }
    const auto guardar = [&m](const QString& carpeta, std::initializer_list<const char*> tablas) {
        QDir().mkpath(carpeta);
        for (const char* t : tablas) m.Tabla(QLatin1String(t))->SaveToFile(carpeta + t + ".cds");
    };
    guardar(raiz + "/BDs/", {"cdsEquipo", "cdsAlumno", "cdsGrupo"});
    guardar(raiz + "/BDs/EQ001/", {"cdsAveria", "cdsComponente"});
    guardar(grupo, {"cdsGrupoAlumno", "cdsSubgrupo", "cdsSemilla"});
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
