#include "DemoHistorial.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTime>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <vector>

#include "Cadenas.h"
#include "ClientDataSet.h"
#include "FechaHora.h"
#include "Instalacion.h"
#include "dmCDS.h"

namespace {

constexpr int kGrupo = 1;
constexpr int kEquipo = 1;
constexpr int kSubgrupo = 1;
// Students 2 to 5 practise on their own; 4 and 5 also as the subgroup (logged as 4).
const int kAlumnos[] = {2, 3, 4, 5};
constexpr int kAlumnoSubgrupo = 4;
constexpr std::uint32_t kSemilla = 20241008;
constexpr int kSemanas = 4;
// The trainer's first fault stays unpractised: anyone can still take it for a first practice.
constexpr int kAveriaReservada = 101;

constexpr double kMinuto = 1.0 / (24 * 60);
constexpr double kSegundo = kMinuto / 60;

struct Lugar {
    int bloque, circuito, elemento;
    bool operator==(const Lugar&) const = default;
};

// The draws of the whole history, from one fixed seed (mt19937 is the same everywhere).
class Sorteo {
public:
    int Entre(int desde, int hasta) {
        return desde + static_cast<int>(gen_() % static_cast<std::uint32_t>(hasta - desde + 1));
    }
    bool Probabilidad(int porCiento) { return Entre(1, 100) <= porCiento; }

private:
    std::mt19937 gen_{kSemilla};
};

// Records practices the way the workstation does: the practice, its first line, the steps
// and attempts of each visit to the diagnosis, pauses, and the finish with its verdict.
class Practicante {
public:
    Practicante(TdmCDS& dm, Sorteo& sorteo) : dm_(dm), sorteo_(sorteo) {
        TClientDataSet* todos = dm_.cdsComponenteTodos;
        for (todos->First(); !todos->Eof(); todos->Next())
            lugares_.push_back({todos->FieldByName(QStringLiteral("cdsComFPtrBloque"))->AsInteger(),
                                todos->FieldByName(QStringLiteral("cdsComFPtrCircuito"))->AsInteger(),
                                todos->FieldByName(QStringLiteral("cdsComFCodComponente"))->AsInteger()});
        TClientDataSet* semillas = dm_.cdsSemilla;
        for (semillas->First(); !semillas->Eof(); semillas->Next())
            if (dm_.cdsSemFPtrEquipo->AsInteger() == kEquipo && !dm_.cdsSemFTutorizada->AsBoolean() &&
                dm_.cdsSemFPtrIdAveria->AsInteger() != kAveriaReservada)
                averias_.push_back(dm_.cdsSemFPtrIdAveria->AsInteger());
    }

    // One practice of a fault the owner has not practised yet, started at `inicio`; the
    // time it ends, or nothing when the owner has practised every fault.
    std::optional<double> Practicar(int alumno, int subgrupo, std::set<int>& practicadas, double inicio) {
        const std::optional<int> libre = AveriaNueva(practicadas);
        if (!libre) return std::nullopt;
        const int averia = *libre;
        if (!dm_.cdsAveria->Locate(QStringLiteral("cdsAvFIdAveria"), averia))
            throw EDatabaseError(QStringLiteral("demo: the fault %1 is not in the catalogue").arg(averia));
        const Lugar correcto{dm_.cdsAvFPtrBloque->AsInteger(), dm_.cdsAvFPtrCircuito->AsInteger(),
                             dm_.cdsAvFPtrComponente->AsInteger()};
        const int codigo =
            dm_.NuevaReparacion(alumno, kGrupo, false, QStringLiteral("BL#CI#CO#"), QStringLiteral("J#"),
                                QStringLiteral("R"), inicio, kEquipo, averia, subgrupo);
        if (codigo < 0) throw EDatabaseError(QStringLiteral("demo: a practice could not be recorded"));
        Linea(codigo, 1, QStringLiteral("A"), inicio, inicio, {});

        // Reading the symptoms first, then up to three visits to the diagnosis.
        double t = inicio + sorteo_.Entre(2, 6) * kMinuto + sorteo_.Entre(0, 59) * kSegundo;
        int diagnostico = 1;
        bool correcta = false;
        const int intentos = sorteo_.Entre(1, 3);
        for (int intento = 1; intento <= intentos && !correcta; ++intento) {
            // A last attempt is more often right; a student may also give up after a wrong one.
            const bool acierta = sorteo_.Probabilidad(intento == intentos ? 65 : 30);
            const Lugar elegido = acierta ? correcto : LugarErroneo(correcto);
            t = Visita(codigo, diagnostico, elegido, t);
            correcta = acierta;
            ++diagnostico;
            if (!correcta && sorteo_.Probabilidad(25)) t = Pausa(codigo, diagnostico, t);
            t += sorteo_.Entre(1, 5) * kMinuto;
        }
        const double fin = t + sorteo_.Entre(10, 50) * kSegundo;
        // Most students say it is repaired when it is; some are too sure, some too careful.
        const bool dicenReparada = correcta ? sorteo_.Probabilidad(90) : sorteo_.Probabilidad(35);
        Terminar(codigo, diagnostico, fin, dicenReparada, correcta);
        practicadas.insert(averia);
        return fin;
    }

private:
    std::optional<int> AveriaNueva(const std::set<int>& practicadas) {
        std::vector<int> libres;
        for (int averia : averias_)
            if (!practicadas.count(averia)) libres.push_back(averia);
        if (libres.empty()) return std::nullopt;
        return libres[sorteo_.Entre(0, static_cast<int>(libres.size()) - 1)];
    }

    Lugar LugarErroneo(const Lugar& correcto) {
        // Often the right block or circuit with the wrong element: the usual near miss.
        std::vector<Lugar> cerca, otros;
        for (const Lugar& l : lugares_) {
            if (l == correcto) continue;
            (l.circuito == correcto.circuito || l.bloque == correcto.bloque ? cerca : otros).push_back(l);
        }
        std::vector<Lugar>& entre =
            !cerca.empty() && (otros.empty() || sorteo_.Probabilidad(70)) ? cerca : otros;
        return entre[sorteo_.Entre(0, static_cast<int>(entre.size()) - 1)];
    }

    // Choosing block, circuit and element (a step each), then the attempt; the time it ends.
    double Visita(int codigo, int diagnostico, const Lugar& l, double desde) {
        double t = desde;
        const QVariant nada;
        t += sorteo_.Entre(20, 90) * kSegundo;
        Linea(codigo, diagnostico, QStringLiteral(" "), desde, t, {l.bloque, nada, nada});
        t += sorteo_.Entre(20, 120) * kSegundo;
        Linea(codigo, diagnostico, QStringLiteral(" "), desde, t, {l.bloque, l.circuito, nada});
        t += sorteo_.Entre(20, 150) * kSegundo;
        Linea(codigo, diagnostico, QStringLiteral(" "), desde, t, {l.bloque, l.circuito, l.elemento});
        t += sorteo_.Entre(10, 40) * kSegundo;
        Linea(codigo, diagnostico, QStringLiteral("R"), desde, t, {l.bloque, l.circuito, l.elemento});
        return t;
    }

    double Pausa(int codigo, int diagnostico, double desde) {
        const double fin = desde + sorteo_.Entre(3, 12) * kMinuto;
        Linea(codigo, diagnostico, QStringLiteral("P"), desde, fin, {});
        return fin;
    }

    void Linea(int codigo, int diagnostico, const QString& accion, double inicio, double fin,
               const std::vector<QVariant>& lugar) {
        const QVariant nada;
        const auto parte = [&](std::size_t i) { return i < lugar.size() ? lugar[i] : nada; };
        if (!dm_.NuevaLineaReparacion(codigo, diagnostico, QString(), accion, fin, inicio, parte(2), parte(1),
                                      parte(0)))
            throw EDatabaseError(QStringLiteral("demo: a practice line could not be recorded"));
    }

    void Terminar(int codigo, int diagnostico, double fin, bool reparada, bool correcta) {
        if (!dm_.cdsReparacion->Locate(QStringLiteral("cdsRepFCodReparacion"), codigo) ||
            !dm_.cdsReparacion->Edit())
            throw EDatabaseError(QStringLiteral("demo: a practice could not be finished"));
        dm_.cdsRepFEstado->SetAsString(QStringLiteral("F"));
        dm_.cdsRepFFin->SetAsDateTime(fin);
        dm_.cdsRepFResp->SetAsBoolean(reparada);
        dm_.cdsRepFCorrecta->SetAsBoolean(correcta);
        dm_.cdsRepFDuracion->SetAsString(dm_.CalcularDuracion());
        if (!dm_.cdsReparacion->Post())
            throw EDatabaseError(QStringLiteral("demo: a practice could not be finished"));
        Linea(codigo, diagnostico, QStringLiteral("F"), fin, fin, {});
    }

    TdmCDS& dm_;
    Sorteo& sorteo_;
    std::vector<Lugar> lugares_;
    std::vector<int> averias_;
};

// The class sessions: Tuesdays and Thursdays at nine, from the first week of October 2024.
std::vector<double> Sesiones() {
    std::vector<double> sesiones;
    const QDate lunes(2024, 10, 7);
    for (int semana = 0; semana < kSemanas; ++semana)
        for (int dia : {1, 3})
            sesiones.push_back(DiasDesdeFechaHora(QDateTime(lunes.addDays(semana * 7 + dia), QTime(9, 0))));
    return sesiones;
}

void AbrirHistorialDe(TdmCDS& dm, int alumno) {
    dm.AbrirHistoricoSiExiste(FormatoCodigo(alumno));
}

void CopiarArchivo(const QString& origen, const QString& destino) {
    QDir().mkpath(QFileInfo(destino).absolutePath());
    QFile::remove(destino);
    if (!QFile::copy(origen, destino))
        throw EDatabaseError(QStringLiteral("demo: %1 cannot be copied to %2").arg(origen, destino));
}

// Every table file under `desde`, at the same place under `hasta`.
void CopiarTablas(const QString& desde, const QString& hasta) {
    QDirIterator it(desde, {QStringLiteral("*.cds")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString origen = it.next();
        CopiarArchivo(origen, hasta + QDir(desde).relativeFilePath(origen));
    }
}

// A folder for scratch work, in memory where the system has one: every practice step is
// saved at once, as on the workstation, and a disk would make the demo wait for each.
QString CarpetaBorradores() {
    const QFileInfo memoria(QStringLiteral("/dev/shm"));
    return memoria.isDir() && memoria.isWritable() ? memoria.filePath() : QDir::tempPath();
}

void Registrar(const QString& carpeta) {
    const InstalacionTemporal instalacion(carpeta);
    TdmCDS dm;
    if (!dm.AbrirTablas()) throw EDatabaseError(QStringLiteral("demo: the installation cannot be opened"));
    if (!dm.cdsEquipo->Locate(QStringLiteral("cdsEFCodEquipo"), kEquipo) || !dm.LocalizarGrupo(kGrupo))
        throw EDatabaseError(QStringLiteral("demo: the group or the trainer is missing"));
    Sorteo sorteo;
    Practicante practicante(dm, sorteo);

    std::map<int, std::set<int>> practicadas;
    std::set<int> practicadasSubgrupo;
    for (double sesion : Sesiones()) {
        for (int alumno : kAlumnos) {
            // Now and then a student misses a session or does two practices in it.
            if (sorteo.Probabilidad(15)) continue;
            dm.cdsGrupoAlumno->Locate(QStringLiteral("cdsGrpAlFPtrAlumno"), alumno);
            AbrirHistorialDe(dm, alumno);
            double t = sesion + sorteo.Entre(0, 25) * kMinuto;
            const int practicas = sorteo.Probabilidad(30) ? 2 : 1;
            for (int i = 0; i < practicas; ++i) {
                const std::optional<double> fin = practicante.Practicar(alumno, -1, practicadas[alumno], t);
                if (!fin) break;
                t = *fin + sorteo.Entre(2, 8) * kMinuto;
            }
        }
        // The subgroup works together at the second hour of every other session.
        if (sorteo.Probabilidad(50)) continue;
        dm.cdsAlumno->Locate(QStringLiteral("cdsAFCodAlumno"), kAlumnoSubgrupo);
        TdmCDS::AplicarFiltro(dm.cdsSubgrupo, QStringLiteral("cdsSubFCodSubgrupo =%1").arg(kSubgrupo));
        dm.cdsSubgrupo->First();
        AbrirHistorialDe(dm, kAlumnoSubgrupo);
        if (practicante.Practicar(kAlumnoSubgrupo, kSubgrupo, practicadasSubgrupo,
                                  sesion + 1.0 / 24 + sorteo.Entre(0, 15) * kMinuto))
            dm.CopiarReparacionSubgrupo();
        TdmCDS::QuitarFiltro(dm.cdsSubgrupo);
    }
    dm.CerrarTablas();
}

}  // namespace

void EscribirHistorialDemo(const QString& carpeta) {
    // Recorded on a copy of the tables, then the histories and counters are put in place.
    QTemporaryDir borrador(CarpetaBorradores() + QStringLiteral("/averias-demo-XXXXXX"));
    if (!borrador.isValid()) throw EDatabaseError(QStringLiteral("demo: no scratch folder for the history"));
    const QString copia = borrador.path() + QLatin1Char('/');
    CopiarTablas(carpeta + QStringLiteral("BDs/"), copia + QStringLiteral("BDs/"));
    QDir().mkpath(copia + QStringLiteral("Historic"));
    Registrar(copia);
    CopiarTablas(copia + QStringLiteral("Historic/"), carpeta + QStringLiteral("Historic/"));
    CopiarArchivo(copia + QStringLiteral("BDs/cdsCodigos.cds"),
                  carpeta + QStringLiteral("BDs/cdsCodigos.cds"));
}
