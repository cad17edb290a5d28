// A class list from a spreadsheet: 600 students into an empty group, read and saved.
#include <benchmark/benchmark.h>

#include <QDir>
#include <memory>

#include "CarpetaTemporal.h"
#include "GrupoBench.h"
#include "ImportarAlumnos.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "dmCDS.h"

namespace {

constexpr int kAlumnos = 600;

// Trainer 1 and group 1 "1A" without students.
void EscribirInstalacion(const QString& raiz) {
    TdmCDS m;
    m.CrearTablasVacias();
    Fila(m.cdsEquipo, {{"cdsEFCodEquipo", 1}, {"cdsEFDescripcion", "Motor"}});
    m.cdsGrupo->SetReadOnly(false);
    const QString grupo = raiz + "/BDs/GRP 001/";
    Fila(m.cdsGrupo, {{"cdsGrpFCodGrupo", 1}, {"cdsGrpFNombre", "1A"}, {"cdsGrpFDirectorio", grupo}});
    m.CrearTablaVacia(m.cdsReparacion);
    m.CrearTablaVacia(m.cdsLineaReparacion);
    const auto guardar = [&m](const QString& carpeta, std::initializer_list<const char*> tablas) {
        QDir().mkpath(carpeta);
        for (const char* t : tablas) m.Tabla(QLatin1String(t))->SaveToFile(carpeta + t + ".cds");
    };
    guardar(raiz + "/BDs/",
            {"cdsEquipo", "cdsCodigos", "cdsAlumno", "cdsGrupo", "cdsReparacion", "cdsLineaReparacion"});
    guardar(raiz + "/BDs/EQ001/",
            {"cdsSintomas", "cdsAveria", "cdsBloque", "cdsCircuito", "cdsComponente", "cdsElemento"});
    guardar(grupo, {"cdsGrupoAlumno", "cdsSubgrupo", "cdsSemilla"});
}

QByteArray Lista() {
    QByteArray csv = "Nombre;Apellido1;Apellido2;Correo\n";
    for (int i = 1; i <= kAlumnos; ++i)
        csv += QString("Lucía %1;Fernández;\"Muñoz, Peña\";alumna%1@example.es\n").arg(i).toUtf8();
    return csv;
}

void ImportarAlumnos600(benchmark::State& estado) {
    CarpetaTemporal carpeta;
    MensajesGrabados mensajes;
    const QString lista = carpeta.escribir("lista.csv", Lista());
    int vuelta = 0;
    for (auto _ : estado) {
        estado.PauseTiming();
        const QString raiz = carpeta.archivo(QString("i%1").arg(vuelta++));
        EscribirInstalacion(raiz);
        InstalacionTemporal en(raiz);
        auto dm = std::make_unique<TdmCDS>();
        dm->AbrirTablas();
        estado.ResumeTiming();
        const ListaAlumnos leida = LeerArchivoListaAlumnos(lista, MiembrosGrupoActual(*dm));
        const ResultadoImportacion r = ImportarAlumnos(*dm, leida.Aceptados());
        if (!r.correcto || r.anadidos.size() != kAlumnos) estado.SkipWithError("import failed");
        estado.PauseTiming();
        dm.reset();
        estado.ResumeTiming();
    }
}
BENCHMARK(ImportarAlumnos600)->Unit(benchmark::kMillisecond);

}  // namespace
