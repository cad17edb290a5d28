// Group exchange: a group of 600 students exported and imported into another installation.
#include <benchmark/benchmark.h>

#include <QDir>

#include "CarpetaTemporal.h"
#include "Instalacion.h"
#include "Intercambio.h"
#include "MensajesGrabados.h"
#include "UtilExportar.h"
#include "dmCDS.h"

namespace {

constexpr int kAlumnos = 600;

void Fila(TClientDataSet* tabla, std::initializer_list<std::pair<const char*, QVariant>> valores) {
    tabla->Append();
    for (const auto& [campo, valor] : valores) tabla->FieldByName(QLatin1String(campo))->SetValue(valor);
    tabla->Post();
}

// An installation with one group of 600 students (codes 1 to 600, so that every imported
// student needs a new code in the other one), 100 subgroups of six and 200 seeds.
void EscribirInstalacion(const QString& raiz, const QString& nombreGrupo) {
    TdmCDS m;
    m.CrearTablasVacias();
    const QString carpetaGrupo = raiz + "/BDs/GRP 001/";
    Fila(m.cdsEquipo, {{"cdsEFCodEquipo", 1}, {"cdsEFDescripcion", "Motor"}});
    m.cdsGrupo->SetReadOnly(false);
    Fila(m.cdsGrupo, {{"cdsGrpFCodGrupo", 1}, {"cdsGrpFNombre", nombreGrupo}, {"cdsGrpFDirectorio", carpetaGrupo}});
    for (int i = 1; i <= kAlumnos; ++i) {
        Fila(m.cdsAlumno, {{"cdsAFCodAlumno", i},
                           {"cdsAFNombre", QString("Alumno %1").arg(i)},
                           {"cdsAFApellido1", "Apellido"},
                           {"cdsAFPassword", QString("AL%1").arg(i, 3, 10, QChar('0'))},
                           {"cdsAFGrupos", "1#"}});
        Fila(m.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 1},
                                {"cdsGrpAlFPtrAlumno", i},
                                {"cdsGrpAlFObservaciones", "Notas del profesor"},
                                {"cdsGrpAlFSubgrupos", QString("%1#").arg((i - 1) / 6 + 1)}});
        Fila(m.cdsSubgrupo, {{"cdsSubFCodSubgrupo", (i - 1) / 6 + 1},
                             {"cdsSubFNombre", QString("Equipo %1").arg((i - 1) / 6 + 1)},
                             {"cdsSubFPtrGrupo", 1},
                             {"cdsSubFPtrAlumno", i}});
    }
    for (int i = 1; i <= 200; ++i)
        Fila(m.cdsSemilla, {{"cdsSemFIdSemilla", i}, {"cdsSemFCodSemilla", 1}, {"cdsSemFPtrGrupo", 1},
                            {"cdsSemFPtrEquipo", 1}, {"cdsSemFPtrIdAveria", i}, {"cdsSemFCodVirtual", 1000 + i}});
    const auto guardar = [&m](const QString& carpeta, std::initializer_list<const char*> tablas) {
        QDir().mkpath(carpeta);
        for (const char* tabla : tablas) m.Tabla(tabla)->SaveToFile(carpeta + tabla + ".cds");
    };
    guardar(raiz + "/BDs/", {"cdsEquipo", "cdsCodigos", "cdsAlumno", "cdsGrupo", "cdsReparacion", "cdsLineaReparacion"});
    guardar(raiz + "/BDs/EQ001/", {"cdsSintomas", "cdsAveria", "cdsBloque", "cdsCircuito", "cdsComponente", "cdsElemento"});
    guardar(carpetaGrupo, {"cdsGrupoAlumno", "cdsSubgrupo", "cdsSemilla"});
}

// The data module of one installation, opened while that installation is current.
struct Lado {
    QString raiz;
    TdmCDS dm;
    explicit Lado(const QString& carpeta) : raiz(carpeta) {
        InstalacionTemporal en(raiz);
        dm.AbrirTablas();
    }
};

struct Escenario {
    CarpetaTemporal carpeta;
    MensajesGrabados mensajes;
    std::unique_ptr<Lado> origen, destino;
    Escenario() {
        EscribirInstalacion(carpeta.archivo("a"), "Grupo 600");
        EscribirInstalacion(carpeta.archivo("b"), "Otro grupo");
        QDir().mkpath(carpeta.archivo("d"));
        origen = std::make_unique<Lado>(carpeta.archivo("a"));
        destino = std::make_unique<Lado>(carpeta.archivo("b"));
    }
    bool Exportar() {
        InstalacionTemporal en(origen->raiz);
        return ExportarGrupo(origen->dm, carpeta.archivo("d")).correcto;
    }
    bool Importar() {
        InstalacionTemporal en(destino->raiz);
        const ResultadoIntercambio r = ImportarGrupo(destino->dm, carpeta.archivo("d/Grupo 600"), Reemplazo::Si);
        return r.correcto && r.alumnos == kAlumnos;
    }
};

void ExportarImportarGrupo600(benchmark::State& estado) {
    Escenario e;
    // The first import adds the group; every later one replaces it, as a teacher would.
    if (!e.Exportar() || !e.Importar()) estado.SkipWithError("exchange failed");
    for (auto _ : estado)
        if (!e.Exportar() || !e.Importar()) estado.SkipWithError("exchange failed");
}
BENCHMARK(ExportarImportarGrupo600)->Unit(benchmark::kMillisecond);

// Reference: only copying the 600-student exchange folder, the least an import reads.
void CopiarCarpetaIntercambio600(benchmark::State& estado) {
    Escenario e;
    if (!e.Exportar()) estado.SkipWithError("export failed");
    const QString copia = e.carpeta.archivo("copia");
    QDir().mkpath(copia);
    for (auto _ : estado) benchmark::DoNotOptimize(CopiarCarpeta(e.carpeta.archivo("d/Grupo 600"), copia, "*.cds"));
}
BENCHMARK(CopiarCarpetaIntercambio600)->Unit(benchmark::kMillisecond);

}  // namespace
