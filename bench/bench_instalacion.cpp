// Start-up of a large installation: AbrirTablas on 30 groups, 600 students and 5 trainers
// of 200 faults each.
#include <benchmark/benchmark.h>

#include <QDir>
#include <memory>

#include "Cadenas.h"
#include "CarpetaTemporal.h"
#include "ClientDataSet.h"
#include "EstructuraTabla.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "dmCDS.h"

namespace {

constexpr int kGrupos = 30;
constexpr int kAlumnosPorGrupo = 20;
constexpr int kEquipos = 5;
constexpr int kAveriasPorEquipo = 200;

// Writes one table file, its rows given by a function of the row number.
template <typename Rellenar>
void Escribir(const QString& nombre, const QString& carpeta, int filas, Rellenar rellenar) {
    TClientDataSet tabla;
    CrearTablaGuardada(tabla, nombre);
    for (int i = 1; i <= filas; ++i) {
        tabla.Append();
        rellenar(tabla, i);
        tabla.Post();
    }
    QDir().mkpath(carpeta);
    tabla.SaveToFile(carpeta + nombre + QStringLiteral(".cds"));
}

void Poner(TClientDataSet& t, const char* campo, const QVariant& valor) {
    t.FieldByName(QString::fromLatin1(campo))->SetValue(valor);
}

void EscribirEquipos(const QString& bds) {
    Escribir("cdsEquipo", bds, kEquipos, [](TClientDataSet& t, int i) {
        Poner(t, "cdsEFCodEquipo", i);
        Poner(t, "cdsEFDescripcion", QStringLiteral("Entrenador %1").arg(i));
        Poner(t, "cdsEFCodigo", QString::number(i));
        Poner(t, "cdsEFActivado", true);
    });
    for (int e = 1; e <= kEquipos; ++e) {
        const QString carpeta = bds + QStringLiteral("EQ") + FormatoCodigo(e) + QLatin1Char('/');
        Escribir("cdsBloque", carpeta, 5, [e](TClientDataSet& t, int i) {
            Poner(t, "cdsBloFCodBloque", e * 100 + i);
            Poner(t, "cdsBloFPtrEquipo", e);
            Poner(t, "cdsBloFDescripcion", QStringLiteral("Bloque %1").arg(i));
        });
        Escribir("cdsCircuito", carpeta, 20, [e](TClientDataSet& t, int i) {
            Poner(t, "cdsCFCodCircuito", e * 1000 + i);
            Poner(t, "cdsCFPtrEquipo", e);
            Poner(t, "cdsCFPtrBloque", e * 100 + (i - 1) / 4 + 1);
            Poner(t, "cdsCFDescripcion", QStringLiteral("Circuito %1").arg(i));
        });
        Escribir("cdsElemento", carpeta, 60, [e](TClientDataSet& t, int i) {
            Poner(t, "cdsElemFCodElemento", e * 1000 + i);
            Poner(t, "cdsElemFDescripcion", QStringLiteral("Elemento %1").arg(i));
            Poner(t, "cdsElemFPtrEquipo", e);
        });
        Escribir("cdsComponente", carpeta, 120, [e](TClientDataSet& t, int i) {
            Poner(t, "cdsComFIdComponente", i);
            Poner(t, "cdsComFCodComponente", e * 1000 + (i - 1) % 60 + 1);
            Poner(t, "cdsComFPtrEquipo", e);
            Poner(t, "cdsComFPtrCircuito", e * 1000 + (i - 1) % 20 + 1);
        });
        Escribir("cdsAveria", carpeta, kAveriasPorEquipo, [e](TClientDataSet& t, int i) {
            Poner(t, "cdsAvFIdAveria", e * 1000 + i);
            Poner(t, "cdsAvFCodAveria", i);
            Poner(t, "cdsAvFPtrEquipo", e);
            Poner(t, "cdsAvFDescripcion", QStringLiteral("Avería %1").arg(i));
            Poner(t, "cdsAvFReles", QString::number(i % 32 + 1));
        });
        Escribir("cdsSintomas", carpeta, 2 * kAveriasPorEquipo, [e](TClientDataSet& t, int i) {
            Poner(t, "cdsSinFPtrIdAveria", e * 1000 + (i + 1) / 2);
            Poner(t, "cdsSinFNivel", i % 2 ? QStringLiteral("J") : QStringLiteral("C"));
            Poner(t, "cdsSinFDescripcion", QStringLiteral("Síntoma %1").arg(i));
        });
    }
}

void EscribirGrupos(const QString& bds) {
    Escribir("cdsGrupo", bds, kGrupos, [&bds](TClientDataSet& t, int i) {
        Poner(t, "cdsGrpFCodGrupo", i);
        Poner(t, "cdsGrpFNombre", QStringLiteral("Grupo %1").arg(i));
        Poner(t, "cdsGrpFDirectorio", bds + QStringLiteral("GRP ") + FormatoCodigo(i) + QLatin1Char('/'));
    });
    Escribir("cdsAlumno", bds, kGrupos * kAlumnosPorGrupo, [](TClientDataSet& t, int i) {
        Poner(t, "cdsAFCodAlumno", i);
        Poner(t, "cdsAFNombre", QStringLiteral("Alumno %1").arg(i));
        Poner(t, "cdsAFGrupos", QStringLiteral("%1#").arg((i - 1) / kAlumnosPorGrupo + 1));
    });
    for (int g = 1; g <= kGrupos; ++g) {
        const QString carpeta = bds + QStringLiteral("GRP ") + FormatoCodigo(g) + QLatin1Char('/');
        Escribir("cdsGrupoAlumno", carpeta, kAlumnosPorGrupo, [g](TClientDataSet& t, int i) {
            Poner(t, "cdsGrpAlFPtrGrupo", g);
            Poner(t, "cdsGrpAlFPtrAlumno", (g - 1) * kAlumnosPorGrupo + i);
        });
        Escribir("cdsSubgrupo", carpeta, 4, [g](TClientDataSet& t, int i) {
            Poner(t, "cdsSubFCodSubgrupo", (i + 1) / 2);
            Poner(t, "cdsSubFNombre", QStringLiteral("Equipo %1").arg((i + 1) / 2));
            Poner(t, "cdsSubFPtrGrupo", g);
            Poner(t, "cdsSubFPtrAlumno", (g - 1) * kAlumnosPorGrupo + i);
        });
        Escribir("cdsSemilla", carpeta, kEquipos * kAveriasPorEquipo, [g](TClientDataSet& t, int i) {
            Poner(t, "cdsSemFIdSemilla", i);
            Poner(t, "cdsSemFCodSemilla", 1);
            Poner(t, "cdsSemFPtrGrupo", g);
            Poner(t, "cdsSemFPtrEquipo", (i - 1) / kAveriasPorEquipo + 1);
            Poner(t, "cdsSemFPtrIdAveria",
                  ((i - 1) / kAveriasPorEquipo + 1) * 1000 + (i - 1) % kAveriasPorEquipo + 1);
            Poner(t, "cdsSemFCodVirtual", i);
            Poner(t, "cdsSemFTutorizada", false);
        });
    }
    for (const char* vacia : {"cdsCodigos", "cdsReparacion", "cdsLineaReparacion"})
        Escribir(vacia, bds, 0, [](TClientDataSet&, int) {});
}

void AbrirTablasInstalacionGrande(benchmark::State& estado) {
    CarpetaTemporal carpeta;
    const QString bds = carpeta.ruta() + QStringLiteral("/BDs/");
    EscribirEquipos(bds);
    EscribirGrupos(bds);
    InstalacionTemporal instalacion(carpeta.ruta());
    IdiomaTemporal idioma(carpeta.escribir("idioma.lng", "1 x\n"));
    MensajesGrabados mensajes;
    for (auto _ : estado) {
        auto dm = std::make_unique<TdmCDS>();
        if (!dm->AbrirTablas()) estado.SkipWithError("AbrirTablas failed");
        estado.PauseTiming();  // closing is not part of the opening
        dm.reset();
        estado.ResumeTiming();
    }
}
BENCHMARK(AbrirTablasInstalacionGrande)->Unit(benchmark::kMillisecond);

}  // namespace
