// Table engine on a 10,000-row practice table, and the bare SQLite update it is measured against.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QFile>
#include <memory>

#include "CarpetaTemporal.h"
#include "ClientDataSet.h"

namespace {

constexpr int kFilas = 10000;
// Commits made before timing, on our files and on the reference alike: the first commits
// after a file is written wait for the disk to take the new file, which says nothing of
// the save itself.
constexpr int kCommitsPrevios = 300;

// The fields of a student's practice history.
struct Practicas {
    Practicas() : cds("cdsReparacion") {
        Cod = cds.AddField("cdsRepFCodReparacion", ftInteger);
        Alumno = cds.AddField("cdsRepFPtrAlumno", ftInteger);
        Grupo = cds.AddField("cdsRepFPtrGrupo", ftInteger);
        Averia = cds.AddField("cdsRepFPtrIdAveria", ftInteger);
        Inicio = cds.AddField("cdsRepFInicio", ftDateTime);
        Fin = cds.AddField("cdsRepFFin", ftDateTime);
        Duracion = cds.AddField("cdsRepFDuracion", ftString, 20);
        Resp = cds.AddField("cdsRepFResp", ftBoolean);
        Correcta = cds.AddField("cdsRepFCorrecta", ftBoolean);
        Estado = cds.AddField("cdsRepFEstado", ftString, 1);
        Subgrupo = cds.AddField("cdsRepFPtrSubgrupo", ftInteger);
        Observacion = cds.AddField("cdsRepFObservacion", ftFmtMemo);
        Equipo = cds.AddField("cdsRepFPtrEquipo", ftInteger);
        Tutorizada = cds.AddField("cdsRepFTutorizada", ftBoolean);
        NSintomas = cds.AddField("cdsRepFNSintomas", ftString, 20);
        NReparacion = cds.AddField("cdsRepFNReparacion", ftString, 20);
        cds.IndexDefs.Add("cdsRepIndexCod",
                          "cdsRepFInicio;cdsRepFPtrIdAveria;cdsRepFTutorizada;cdsRepFCodReparacion");
        cds.SetIndexName("cdsRepIndexCod");
    }

    void Rellenar(int codigo) {
        Cod->SetAsInteger(codigo);
        Alumno->SetAsInteger(7);
        Grupo->SetAsInteger(codigo % 10);
        Averia->SetAsInteger(codigo % 40);
        Inicio->SetAsDateTime(46000 + codigo / 24.0);
        Fin->SetAsDateTime(46000 + codigo / 24.0 + 0.02);
        Duracion->SetAsString("0d 00:28:48");
        Resp->SetAsBoolean(codigo % 2);
        Correcta->SetAsBoolean(codigo % 3);
        Estado->SetAsString("F");
        Subgrupo->SetAsInteger(codigo % 5 ? -1 : codigo % 7);
        Observacion->SetAsString("Observaciones de la practica");
        Equipo->SetAsInteger(1 + codigo % 2);
        Tutorizada->SetAsBoolean(codigo % 4 == 0);
        NSintomas->SetAsString("J#C#");
        NReparacion->SetAsString("BL#CI#CO#");
    }

    TClientDataSet cds;
    TField *Cod, *Alumno, *Grupo, *Averia, *Inicio, *Fin, *Duracion, *Resp, *Correcta, *Estado, *Subgrupo,
        *Observacion, *Equipo, *Tutorizada, *NSintomas, *NReparacion;
};

// A written history (10,000 rows unless told) and a table opened on it.
struct Historial {
    explicit Historial(int filas = kFilas) : filas(filas) {
        ruta = dir.archivo("cdsReparacion007.cds");
        {
            Practicas p;
            p.cds.CreateDataSet();
            for (int i = 1; i <= filas; ++i) {
                p.cds.Append();
                p.Rellenar(i);
                p.cds.Post();
            }
            p.cds.MergeChangeLog();
            p.cds.SaveToFile(ruta);
        }
        tabla.cds.SetFileName(ruta);
        tabla.cds.Open();
    }
    int filas;
    CarpetaTemporal dir;
    QString ruta;
    Practicas tabla;
};

// The rows edited one after another, all over the table.
int Siguiente(int codigo, int filas) {
    return static_cast<int>(static_cast<long long>(codigo) * 7919 % filas) + 1;
}

// A value no earlier save wrote, so that every save has something to write: SQLite leaves a
// page untouched when the new row equals the old one, and so does the engine.
QString Duracion() {
    static int contador = 0;
    return QString("%1d 00:00:00").arg(++contador);
}

void CargarTabla10k(benchmark::State& state) {
    Historial h;
    for (auto _ : state) {
        h.tabla.cds.Close();
        h.tabla.cds.Open();
        benchmark::DoNotOptimize(h.tabla.cds.RecordCount());
    }
}
BENCHMARK(CargarTabla10k)->Unit(benchmark::kMillisecond);

void LocalizarCodigo10k(benchmark::State& state) {
    Historial h;
    int codigo = 1;
    for (auto _ : state) {
        codigo = codigo * 7919 % kFilas + 1;
        benchmark::DoNotOptimize(h.tabla.cds.Locate("cdsRepFCodReparacion", codigo));
    }
}
BENCHMARK(LocalizarCodigo10k)->Unit(benchmark::kMicrosecond);

void Filtrar10k(benchmark::State& state) {
    Historial h;
    h.tabla.cds.SetFiltered(true);
    int grupo = 0;
    for (auto _ : state) {
        grupo = (grupo + 1) % 10;
        h.tabla.cds.SetFilter(
            QString("cdsRepFPtrGrupo = %1 and cdsRepFPtrEquipo = 1 and cdsRepFPtrSubgrupo = -1 or "
                    "cdsRepFEstado = 'R'")
                .arg(grupo));
        benchmark::DoNotOptimize(h.tabla.cds.RecordCount());
    }
}
BENCHMARK(Filtrar10k)->Unit(benchmark::kMillisecond);

void EditarYGuardar(Practicas& p, int codigo) {
    p.cds.Locate("cdsRepFCodReparacion", codigo);
    p.cds.Edit();
    p.Duracion->SetAsString(Duracion());
    p.cds.Post();
    p.cds.MergeChangeLog();
    p.cds.SaveToFile();
}

void GuardarEditando(benchmark::State& state, Historial& h) {
    int codigo = 1;
    for (int i = 0; i < kCommitsPrevios; ++i) EditarYGuardar(h.tabla, codigo = Siguiente(codigo, h.filas));
    for (auto _ : state) EditarYGuardar(h.tabla, codigo = Siguiente(codigo, h.filas));
}

void GuardarFilaEditada10k(benchmark::State& state) {
    Historial h;
    GuardarEditando(state, h);
}
BENCHMARK(GuardarFilaEditada10k)->Unit(benchmark::kMillisecond);

// The same save on tables of several sizes: its cost must not grow with the rows.
void GuardarFilaEditada(benchmark::State& state) {
    Historial h(static_cast<int>(state.range(0)));
    GuardarEditando(state, h);
}
BENCHMARK(GuardarFilaEditada)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same save when another program saved a change of its own to the file meanwhile: the
// save first brings that change in, then writes its own.
void GuardarFusionando10k(benchmark::State& state) {
    Historial h;
    Practicas otro;
    otro.cds.SetFileName(h.ruta);
    otro.cds.Open();
    int codigo = 1, suyo = kFilas / 2;
    for (int i = 0; i < kCommitsPrevios; ++i) EditarYGuardar(h.tabla, codigo = Siguiente(codigo, kFilas));
    for (auto _ : state) {
        state.PauseTiming();
        EditarYGuardar(otro, suyo = Siguiente(suyo, kFilas));
        state.ResumeTiming();
        EditarYGuardar(h.tabla, codigo = Siguiente(codigo, kFilas));
    }
}
BENCHMARK(GuardarFusionando10k)->Unit(benchmark::kMillisecond);

void InsertarFila10k(benchmark::State& state) {
    Historial h;
    int codigo = 1;
    for (int i = 0; i < kCommitsPrevios; ++i) EditarYGuardar(h.tabla, codigo = Siguiente(codigo, kFilas));
    codigo = kFilas;
    for (auto _ : state) {
        h.tabla.cds.Append();
        h.tabla.Rellenar(++codigo);
        h.tabla.cds.Post();
        h.tabla.cds.MergeChangeLog();
        h.tabla.cds.SaveToFile();
    }
}
BENCHMARK(InsertarFila10k)->Unit(benchmark::kMillisecond);

// The reference: one row of a 10,000-row SQLite table updated in one transaction with
// the durability the table files use.
void SqliteActualizarFila10k(benchmark::State& state) {
    CarpetaTemporal dir;
    const QByteArray ruta = QFile::encodeName(dir.archivo("referencia.db"));
    sqlite3* db = nullptr;
    sqlite3_open(ruta.constData(), &db);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> cerrar(db, sqlite3_close_v2);
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
    sqlite3_exec(db,
                 "CREATE TABLE filas(id INTEGER PRIMARY KEY, cod INTEGER, alumno INTEGER, grupo INTEGER, "
                 "averia INTEGER, inicio REAL, fin REAL, duracion TEXT, resp INTEGER, correcta INTEGER, "
                 "estado TEXT, subgrupo INTEGER, observacion TEXT, equipo INTEGER, tutorizada INTEGER, "
                 "nsintomas TEXT, nreparacion TEXT);"
                 "BEGIN;"
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) "
                 "INSERT INTO filas SELECT i, i, 7, i % 10, i % 40, 46000 + i / 24.0, 46000.02 + i / 24.0, "
                 "'0d 00:28:48', i % 2, i % 3, 'F', -1, 'Observaciones de la practica', 1, 0, 'J#C#', "
                 "'BL#CI#CO#' FROM n;"
                 "COMMIT;",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "UPDATE filas SET duracion = ? WHERE id = ?", -1, &st, nullptr);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> finalizar(st, sqlite3_finalize);
    int codigo = 1;
    auto actualizar = [&] {
        codigo = Siguiente(codigo, kFilas);
        const QByteArray texto = Duracion().toUtf8();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_bind_text(st, 1, texto.constData(), static_cast<int>(texto.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 2, codigo);
        sqlite3_step(st);
        sqlite3_reset(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    };
    for (int i = 0; i < kCommitsPrevios; ++i) actualizar();
    for (auto _ : state) actualizar();
}
BENCHMARK(SqliteActualizarFila10k)->Unit(benchmark::kMillisecond);

}  // namespace
