// The seeds of a group: which faults of each trainer it meets, under which virtual codes;
// and the walk over every group that the class tree is built by.
#include <algorithm>
#include <cstdint>
#include <utility>

#include "Azar.h"
#include "EstadoCursor.h"
#include "dmCDS.h"

namespace {

constexpr int kAzarTutorizada = 3000;
constexpr int kAzarLibre = 2500;
constexpr int kRestaTutorizada = 200;
constexpr int kRestaLibre = 250;

// Detaches a handler for the life of the guard and puts it back however the block ends.
class SinManejador {
public:
    explicit SinManejador(TDataSetNotifyEvent& manejador)
        : manejador_(manejador), guardado_(std::exchange(manejador, nullptr)) {}
    ~SinManejador() { manejador_ = std::move(guardado_); }
    SinManejador(const SinManejador&) = delete;
    SinManejador& operator=(const SinManejador&) = delete;
    const TDataSetNotifyEvent& Guardado() const { return guardado_; }

private:
    TDataSetNotifyEvent& manejador_;
    TDataSetNotifyEvent guardado_;
};

// The highest batch number among the group's seeds, whatever the seed list is filtered
// to: a batch number is never given twice. 0 when there is none.
int UltimoLote(TClientDataSet* semillas, const TField* lote) {
    EstadoCursor estado(semillas, true);
    TdmCDS::QuitarFiltro(semillas);
    int mayor = 0;
    for (int fila = 1; fila <= semillas->RecordCount(); ++fila)
        mayor = std::max(mayor, semillas->ValueAt(fila, lote).toInt());
    return mayor;
}

}  // namespace

int TdmCDS::CodigoVirtual(int codigoAveria, int azar, bool tutorizada) {
    if (codigoAveria == 0) return azar;
    const int resta = tutorizada ? kRestaTutorizada : kRestaLibre;
    // The product and the difference wrap as 32-bit integers; the quotient is cut toward zero.
    const auto diferencia = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(static_cast<std::int64_t>(codigoAveria) * azar - resta));
    return static_cast<int>(static_cast<double>(diferencia) / codigoAveria);
}

bool TdmCDS::AnadirLoteSemillas(int grupo, int equipo, bool tutorizada) {
    // The faults shown are those of the trainer table's current row (which loads its catalogue).
    if (cdsEFCodEquipo->AsInteger() != equipo && !cdsEquipo->Locate(QStringLiteral("cdsEFCodEquipo"), equipo))
        return false;
    if (EquipoCargado() != equipo) AbrirTablasEquipo(equipo);
    EstadoCursor averias(cdsAveria, true);
    AplicarFiltro(cdsAveria, QStringLiteral("cdsAvFPtrEquipo = ") + QString::number(equipo));
    // The seeds and the counters are written once for the whole batch, not once per seed.
    SinManejador sinCalculos(cdsSemilla->OnCalcFields);
    SinManejador sinGuardarSemilla(cdsSemilla->AfterPost);
    SinManejador sinGuardarCodigos(cdsCodigos->AfterPost);
    const int lote = UltimoLote(cdsSemilla, cdsSemFCodSemilla) + 1;
    for (cdsAveria->First(); !cdsAveria->Eof(); cdsAveria->Next()) {
        const int azar = Azar(tutorizada ? kAzarTutorizada : kAzarLibre);
        NuevaSemilla(lote, grupo, tutorizada, CodigoVirtual(cdsAvFCodAveria->AsInteger(), azar, tutorizada),
                     cdsAvFIdAveria->AsInteger(), equipo);
    }
    return true;
}

void TdmCDS::GuardarLotesSemillas() {
    Modificado = false;
    if (!EnInsercion(cdsGrupo)) SalvarTabla(cdsSemilla);
    SalvarTabla(cdsCodigos);
    cdsSemilla->First();
    // The insertions kept the class tree waiting; nothing else would release it.
    emit ReaccionesArbol(true);
}

void TdmCDS::GenerarSemillas(int grupo, int equipo, bool tutorizada) {
    if (AnadirLoteSemillas(grupo, equipo, tutorizada)) GuardarLotesSemillas();
}

void TdmCDS::GenerarSemillasGrupo(int grupo) {
    const QString filtro = cdsEquipo->Filter();
    const bool filtrado = cdsEquipo->Filtered();
    const bool tutorizada = cdsGrpFTutorizada->AsBoolean();
    QuitarFiltro(cdsEquipo);
    for (cdsEquipo->First(); !cdsEquipo->Eof(); cdsEquipo->Next()) {
        const int equipo = cdsEFCodEquipo->AsInteger();
        AnadirLoteSemillas(grupo, equipo, tutorizada);
        AnadirLoteSemillas(grupo, equipo, !tutorizada);
    }
    GuardarLotesSemillas();
    cdsEquipo->SetFilter(filtro);
    cdsEquipo->SetFiltered(filtrado);
    cdsEquipo->First();
    FiltrarSemillas();
    cdsSemilla->First();
}

void TdmCDS::RecorrerGrupos(const std::function<void()>& porGrupo) {
    if (!cdsGrupo->Active()) return;
    {
        // Each group's members and subgroups only: its seeds and the subgroup lookup copy
        // are not needed to list it.
        SinManejador sinCargarGrupo(cdsGrupo->AfterScroll);
        SinManejador sinCopiaSubgrupos(cdsSubgrupo->AfterOpen);
        EstadoCursor actual(cdsGrupo, false);
        for (cdsGrupo->First(); !cdsGrupo->Eof(); cdsGrupo->Next()) {
            if (HayGrupos()) CargarTablasGrupo();
            porGrupo();
        }
    }
    if (!cdsGrupo->IsEmpty() && EnConsulta(cdsGrupo)) AbrirTablasGrupo();
}
