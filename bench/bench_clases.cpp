// Class management: the group tree of a large installation, and a new group's seeds.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTreeWidget>
#include <memory>

#include "CarpetaTemporal.h"
#include "DMT_GestAlumnado.h"
#include "Instalacion.h"
#include "dmCDS.h"

namespace {

constexpr int kGrupos = 30;
constexpr int kAlumnosPorGrupo = 20;
constexpr int kSubgruposPorGrupo = 3;
constexpr int kEquipos = 5;
constexpr int kAveriasPorEquipo = 200;

// The window's tree needs an application object; the benchmarks run without a display.
QApplication& Aplicacion() {
    static int argc = 1;
    static char nombre[] = "averias-bench";
    static char* argv[] = {nombre, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

void Guardar(TClientDataSet* tabla, const QString& carpeta) {
    QDir().mkpath(carpeta);
    tabla->SaveToFile(carpeta + tabla->Name + QStringLiteral(".cds"));
}

QString Carpeta(const QString& raiz, const char* prefijo, int codigo) {
    return raiz +
           QStringLiteral("/BDs/%1%2/").arg(QLatin1String(prefijo)).arg(codigo, 3, 10, QLatin1Char('0'));
}

// kEquipos trainers of kAveriasPorEquipo faults, and `grupos` groups of kAlumnosPorGrupo
// students in kSubgruposPorGrupo subgroups each.
void EscribirInstalacion(const QString& raiz, int grupos) {
    TdmCDS origen;
    origen.CrearTablasVacias();
    for (int equipo = 1; equipo <= kEquipos; ++equipo) {
        origen.cdsEquipo->Append();
        origen.cdsEFCodEquipo->SetAsInteger(equipo);
        origen.cdsEFDescripcion->SetAsString(QStringLiteral("Entrenador %1").arg(equipo));
        origen.cdsEFActivado->SetAsBoolean(true);
        origen.cdsEquipo->Post();
        origen.CrearTablaVacia(origen.cdsAveria);
        for (int averia = 1; averia <= kAveriasPorEquipo; ++averia) {
            origen.cdsAveria->Append();
            origen.cdsAvFIdAveria->SetAsInteger(equipo * 1000 + averia);
            origen.cdsAvFCodAveria->SetAsInteger(averia);
            origen.cdsAvFPtrEquipo->SetAsInteger(equipo);
            origen.cdsAveria->Post();
        }
        for (TClientDataSet* tabla : {origen.cdsSintomas, origen.cdsAveria, origen.cdsBloque,
                                      origen.cdsCircuito, origen.cdsComponente, origen.cdsElemento})
            Guardar(tabla, Carpeta(raiz, "EQ", equipo));
    }
    origen.cdsGrupo->SetReadOnly(false);
    int alumno = 0;
    for (int grupo = 1; grupo <= grupos; ++grupo) {
        const QString carpeta = raiz + QStringLiteral("/BDs/GRP %1/").arg(grupo, 3, 10, QLatin1Char('0'));
        QDir().mkpath(carpeta);  // the group's tables are made in its folder
        origen.cdsGrupo->Append();
        origen.cdsGrpFCodGrupo->SetAsInteger(grupo);
        origen.cdsGrpFNombre->SetAsString(QStringLiteral("Grupo %1").arg(grupo));
        origen.cdsGrpFDirectorio->SetAsString(carpeta);
        origen.cdsGrupo->Post();
        for (TClientDataSet* tabla : {origen.cdsGrupoAlumno, origen.cdsSubgrupo, origen.cdsSemilla})
            origen.CrearTablaVacia(tabla);
        for (int i = 0; i < kAlumnosPorGrupo; ++i) {
            ++alumno;
            origen.cdsAlumno->Append();
            origen.cdsAFCodAlumno->SetAsInteger(alumno);
            origen.cdsAFNombre->SetAsString(QStringLiteral("Nombre %1").arg(alumno));
            origen.cdsAFApellido1->SetAsString(QStringLiteral("Apellido %1").arg(alumno));
            origen.cdsAFGrupos->SetAsString(QStringLiteral("%1#").arg(grupo));
            origen.cdsAlumno->Post();
            origen.cdsGrupoAlumno->Append();
            origen.cdsGrpAlFPtrGrupo->SetAsInteger(grupo);
            origen.cdsGrpAlFPtrAlumno->SetAsInteger(alumno);
            origen.cdsGrupoAlumno->Post();
            origen.cdsSubgrupo->Append();
            const int subgrupo = (grupo - 1) * kSubgruposPorGrupo + i % kSubgruposPorGrupo + 1;
            origen.cdsSubFCodSubgrupo->SetAsInteger(subgrupo);
            origen.cdsSubFNombre->SetAsString(QStringLiteral("Equipo %1").arg(subgrupo));
            origen.cdsSubFPtrGrupo->SetAsInteger(grupo);
            origen.cdsSubFPtrAlumno->SetAsInteger(alumno);
            origen.cdsSubgrupo->Post();
        }
        for (TClientDataSet* tabla : {origen.cdsGrupoAlumno, origen.cdsSubgrupo, origen.cdsSemilla})
            Guardar(tabla, carpeta);
    }
    for (TClientDataSet* tabla : {origen.cdsEquipo, origen.cdsCodigos, origen.cdsAlumno, origen.cdsGrupo,
                                  origen.cdsReparacion, origen.cdsLineaReparacion})
        Guardar(tabla, raiz + QStringLiteral("/BDs/"));
}

// The tree of 30 groups with 20 students and 3 subgroups each, built from the tables.
void ArbolGrupos30x20(benchmark::State& estado) {
    Aplicacion();
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion(carpeta.ruta());
    EscribirInstalacion(carpeta.ruta(), kGrupos);
    TdmCDS dm;
    if (!dm.AbrirTablas()) estado.SkipWithError("the installation does not open");
    dm.Modulo = QStringLiteral("Alumnos");
    TFDMT_GestAlumnado ventana;
    for (auto _ : estado) ventana.CargarArbol();
    QTreeWidget* arbol = ventana.TreeViewGrupos();
    if (arbol->topLevelItemCount() != kGrupos ||
        arbol->topLevelItem(kGrupos - 1)->child(0)->childCount() != kAlumnosPorGrupo ||
        arbol->topLevelItem(kGrupos - 1)->child(2)->childCount() != kSubgruposPorGrupo)
        estado.SkipWithError("wrong tree");
}
BENCHMARK(ArbolGrupos30x20)->Unit(benchmark::kMillisecond);

// A new group's seeds for 5 trainers of 200 faults, both modes, generated and saved.
void GenerarSemillas5x200(benchmark::State& estado) {
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion(carpeta.ruta());
    EscribirInstalacion(carpeta.ruta(), 1);
    TdmCDS dm;
    if (!dm.AbrirTablas()) estado.SkipWithError("the installation does not open");
    dm.Modulo = QStringLiteral("Alumnos");
    for (auto _ : estado) {
        estado.PauseTiming();
        dm.CrearTablasGrupo();
        estado.ResumeTiming();
        dm.GenerarSemillasGrupo(1);
    }
    TClientDataSet guardadas;
    guardadas.LoadFromFile(Carpeta(carpeta.ruta(), "GRP ", 1) + QStringLiteral("cdsSemilla.cds"));
    if (guardadas.RecordCount() != 2 * kEquipos * kAveriasPorEquipo) estado.SkipWithError("wrong seeds");
}
BENCHMARK(GenerarSemillas5x200)->Unit(benchmark::kMillisecond);

}  // namespace
