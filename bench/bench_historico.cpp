// The teacher's history browser on a student with 5,000 practices on two trainers (each with
// its first line, three steps, an attempt and the finish): opening it, and switching trainer.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>

#include "AplicacionBench.h"
#include "Cadenas.h"
#include "CarpetaTemporal.h"
#include "ControlesDatos.h"
#include "DMT_VentanaHistorico.h"
#include "GrupoBench.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "dmCDS.h"

namespace {

constexpr int kPracticas = 5000;
constexpr int kAverias = 40;
constexpr double kInicio = 45000.0;

void EscribirHistorial(TdmCDS& m, const QString& raiz) {
    m.CrearTablaVacia(m.cdsReparacion);
    m.CrearTablaVacia(m.cdsLineaReparacion);
    int linea = 0;
    for (int p = 1; p <= kPracticas; ++p) {
        const int averia = 1 + p % kAverias;
        const double inicio = kInicio + p * 0.1;
        PracticaBench(m, p, 1, averia, inicio, 1 + p % 2, p % 5 == 0);
        for (const char* accion : {"A", " ", " ", " ", "R", "F"})
            Fila(m.cdsLineaReparacion,
                 {{"cdsLRepFCodLinea", ++linea}, {"cdsLRepFPtrReparacion", p}, {"cdsLRepFAccion", accion}});
    }
    m.cdsReparacion->SaveToFile(raiz + "/Historic/cdsReparacion001.cds");
    m.cdsLineaReparacion->SaveToFile(raiz + "/Historic/cdsLineaReparacion001.cds");
}

// Two trainers with the same kAverias faults; one group of one student.
void EscribirInstalacion(const QString& raiz) {
    TdmCDS m;
    m.CrearTablasVacias();
    for (int equipo : {1, 2})
        Fila(m.cdsEquipo, {{"cdsEFCodEquipo", equipo},
                           {"cdsEFDescripcion", QString("Entrenador %1").arg(equipo)},
                           {"cdsEFActivado", true}});
    for (int a = 1; a <= kAverias; ++a) {
        Fila(m.cdsAveria, {{"cdsAvFIdAveria", a}, {"cdsAvFCodAveria", a}, {"cdsAvFPtrEquipo", 1}});
        for (bool tutorizada : {false, true}) {
            SemillaBench(m, a * 4 + tutorizada, a, tutorizada);
            Fila(m.cdsSemilla, {{"cdsSemFIdSemilla", a * 4 + 2 + tutorizada},
                                {"cdsSemFCodSemilla", 1},
                                {"cdsSemFPtrGrupo", 1},
                                {"cdsSemFPtrEquipo", 2},
                                {"cdsSemFPtrIdAveria", a},
                                {"cdsSemFCodVirtual", 700 + a},
                                {"cdsSemFTutorizada", tutorizada}});
        }
    }
    EscribirGrupoBench(m, raiz, 1, [&](int) { EscribirHistorial(m, raiz); });
    QDir().mkpath(raiz + "/BDs/EQ002/");
    for (const char* t :
         {"cdsSintomas", "cdsAveria", "cdsBloque", "cdsCircuito", "cdsComponente", "cdsElemento"})
        QFile::copy(raiz + "/BDs/EQ001/" + t + ".cds", raiz + "/BDs/EQ002/" + t + ".cds");
}

// Arg 0: the browser shown and painted on the history the student page has opened and
// filtered. Arg 1: choosing the other trainer, painted.
void HistoricoAbrir5000(benchmark::State& estado) {
    AsegurarAplicacion();
    const IdiomaTemporal idioma(QStringLiteral(AVERIAS_IDIOMA));
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion(carpeta.ruta());
    EscribirInstalacion(carpeta.ruta());
    TdmCDS dm;
    if (!dm.AbrirTablas()) estado.SkipWithError("the installation does not open");
    dm.Modulo = QStringLiteral("Alumnos");
    TFDMT_VentanaHistorico pagina(nullptr, dm, nullptr);
    pagina.resize(1100, 800);
    // The student page's part, not timed: reading the history's two files (the table
    // engine's load), given apart as a counter.
    double carga = 0;
    const auto prepararHistorico = [&] {
        QElapsedTimer reloj;
        reloj.start();
        dm.AbrirHistoricoSiExiste(FormatoCodigo(1));
        TdmCDS::AplicarFiltro(dm.cdsReparacion,
                              QStringLiteral("cdsRepFPtrGrupo = 1 and cdsRepFPtrSubgrupo = -1"));
        carga = std::max(carga, static_cast<double>(reloj.elapsed()));
    };
    const auto abrir = [&] {
        pagina.FormShow();
        pagina.show();
        benchmark::DoNotOptimize(pagina.grab());
    };
    auto* equipos = pagina.findChild<TDBLookupComboBox*>(QStringLiteral("DBLookupComboBoxEquipo"));
    const bool cambiar = estado.range(0) == 1;
    if (cambiar) {
        prepararHistorico();
        abrir();
    }
    int filas = 0;
    for (auto _ : estado) {
        if (!cambiar) {
            estado.PauseTiming();
            prepararHistorico();
            estado.ResumeTiming();
            abrir();
        } else {
            const int indice = equipos->currentIndex() == 0 ? 1 : 0;
            equipos->setCurrentIndex(indice);
            emit equipos->activated(indice);
            benchmark::DoNotOptimize(pagina.grab());
        }
        filas = dm.cdsReparacion->RecordCount();
    }
    if (filas != kPracticas / 2) estado.SkipWithError("wrong practices in view");
    estado.counters["cargaHistorico_ms"] = carga;
}
BENCHMARK(HistoricoAbrir5000)->ArgName("cambiarEntrenador")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
