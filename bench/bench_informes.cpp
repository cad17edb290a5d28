// Report data: the main file of "every practice of every student of the group" for a
// group of 30 students with 200 practices each.
#include <benchmark/benchmark.h>

#include <QDir>

#include "AplicacionBench.h"
#include "ArchivosInforme.h"
#include "Cadenas.h"
#include "CarpetaTemporal.h"
#include "DMT_UtilInformes.h"
#include "EjecucionInforme.h"
#include "GrupoBench.h"
#include "Instalacion.h"
#include "dmCDS.h"

namespace {

constexpr int kAlumnos = 30;
constexpr int kPracticas = 200;
constexpr int kAverias = 20;
constexpr double kInicio = 45000.0;

// One trainer with kAverias faults, each element placed in two circuits; one group of
// kAlumnos students, each with kPracticas finished practices.
void EscribirInstalacion(const QString& raiz) {
    TdmCDS m;
    m.CrearTablasVacias();
    Fila(m.cdsEquipo, {{"cdsEFCodEquipo", 1}, {"cdsEFDescripcion", "Motor"}});
    for (int b = 1; b <= 4; ++b) {
        Fila(m.cdsBloque,
             {{"cdsBloFCodBloque", b}, {"cdsBloFPtrEquipo", 1}, {"cdsBloFDescripcion", "Bloque"}});
        for (int c = 1; c <= 5; ++c)
            Fila(m.cdsCircuito, {{"cdsCFCodCircuito", b * 10 + c},
                                 {"cdsCFPtrEquipo", 1},
                                 {"cdsCFPtrBloque", b},
                                 {"cdsCFDescripcion", "Circuito"}});
    }
    for (int a = 1; a <= kAverias; ++a) {
        const int bloque = 1 + a % 4, circuito = bloque * 10 + 1 + a % 5, elemento = 100 + a;
        Fila(m.cdsElemento, {{"cdsElemFCodElemento", elemento},
                             {"cdsElemFDescripcion", "Elemento"},
                             {"cdsElemFPtrEquipo", 1}});
        for (int otro : {circuito, bloque * 10 + 1 + (a + 1) % 5})
            Fila(m.cdsComponente, {{"cdsComFIdComponente", a * 2 + (otro == circuito ? 0 : 1)},
                                   {"cdsComFCodComponente", elemento},
                                   {"cdsComFPtrEquipo", 1},
                                   {"cdsComFPtrBloque", bloque},
                                   {"cdsComFPtrCircuito", otro}});
        Fila(m.cdsAveria, {{"cdsAvFIdAveria", a},
                           {"cdsAvFCodAveria", a},
                           {"cdsAvFPtrEquipo", 1},
                           {"cdsAvFPtrBloque", bloque},
                           {"cdsAvFPtrCircuito", circuito},
                           {"cdsAvFPtrComponente", elemento}});
        SemillaBench(m, a, a, false);
    }
    EscribirGrupoBench(m, raiz, kAlumnos, [&](int alumno) {
        m.CrearTablaVacia(m.cdsReparacion);
        for (int p = 1; p <= kPracticas; ++p)
            Fila(m.cdsReparacion, {{"cdsRepFCodReparacion", p},
                                   {"cdsRepFPtrAlumno", alumno},
                                   {"cdsRepFPtrGrupo", 1},
                                   {"cdsRepFPtrIdAveria", 1 + p % kAverias},
                                   {"cdsRepFInicio", kInicio + p},
                                   {"cdsRepFFin", kInicio + p + 0.01},
                                   {"cdsRepFDuracion", "0d 00:14:24"},
                                   {"cdsRepFResp", p % 3 != 0},
                                   {"cdsRepFCorrecta", p % 4 != 0},
                                   {"cdsRepFEstado", "F"},
                                   {"cdsRepFPtrSubgrupo", -1},
                                   {"cdsRepFPtrEquipo", 1},
                                   {"cdsRepFTutorizada", false}});
        m.cdsReparacion->SaveToFile(raiz + "/Historic/cdsReparacion" + FormatoCodigo(alumno) + ".cds");
        m.CrearTablaVacia(m.cdsLineaReparacion);
        m.cdsLineaReparacion->SaveToFile(raiz + "/Historic/cdsLineaReparacion" + FormatoCodigo(alumno) +
                                         ".cds");
    });
}

void EscribirInformeGrupo6000(benchmark::State& estado) {
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion(carpeta.ruta());
    EscribirInstalacion(carpeta.ruta());
    TdmCDS dm;
    if (!dm.AbrirTablas()) {
        estado.SkipWithError("the installation does not open");
        return;
    }
    TUtilInformes escritores(dm);
    for (auto _ : estado) escritores.InformeGrupoAlumnos(1);
    EntradaInforme lector;
    lector.Abrir(ArchivosInforme::Principal());
    QString linea;
    int lineas = 0;
    while (lector.Leer(linea)) ++lineas;
    // A practice line and the element's other place for each practice, and the end line.
    if (lineas != kAlumnos * kPracticas * 2 + 1) estado.SkipWithError("the report lost lines");
}
BENCHMARK(EscribirInformeGrupo6000)->Unit(benchmark::kMillisecond);

// Target: under 3 s. The report "Informe4AL" of the same group written, laid out and saved
// as PDF, as averias-informe makes it.
void InformeGrupo6000(benchmark::State& estado) {
    AsegurarAplicacion();
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion(carpeta.ruta());
    EscribirInstalacion(carpeta.ruta());
    QDir().mkpath(carpeta.archivo("Informes"));
    QDir().mkpath(carpeta.archivo("images"));
    QFile::copy(carpetaFuentes() + "/installation/Informes/Informe4AL.frf",
                carpeta.archivo("Informes/Informe4AL.frf"));
    QFile::copy(carpetaFuentes() + "/installation/images/LogoInforme.png",
                carpeta.archivo("images/LogoInforme.png"));
    TdmCDS dm;
    if (!dm.AbrirTablas()) {
        estado.SkipWithError("the installation does not open");
        return;
    }
    PeticionInforme peticion;
    peticion.tipo = TipoInforme::GrupoAlumnos;
    peticion.equipo = 1;
    int paginas = 0;
    for (auto _ : estado) {
        Informe informe;
        if (!EjecutarInforme(dm, peticion, carpeta.archivo("Informes/Informe4AL.frf"), informe) ||
            !informe.GuardarPdf(carpeta.archivo("grupo.pdf"))) {
            estado.SkipWithError("the report was not written");
            return;
        }
        paginas = informe.Paginas();
    }
    estado.counters["paginas"] = paginas;
}
BENCHMARK(InformeGrupo6000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
