#include "InformeDirecto.h"

#include "DMT_Informes.h"
#include "EjecucionInforme.h"
#include "Instalacion.h"
#include "VistaPreviaInforme.h"
#include "dmCDS.h"

namespace {

constexpr int kLibroProfesor = 1;

// Puts the unsaved-edits flag back, however the report ends.
class GuardaModificado {
public:
    explicit GuardaModificado(TdmCDS& dm) : dm_(dm), modificado_(dm.Modificado) {}
    ~GuardaModificado() { dm_.Modificado = modificado_; }
    GuardaModificado(const GuardaModificado&) = delete;
    GuardaModificado& operator=(const GuardaModificado&) = delete;

private:
    TdmCDS& dm_;
    bool modificado_;
};

}  // namespace

bool MostrarInformeDirecto(TdmCDS& dm, TipoInforme tipo, int equipo, const QString& diseno, QWidget* padre,
                           const AveriaElegida& averia) {
    const GuardaModificado modificado(dm);
    if (dm.cdsEFCodEquipo->AsInteger() != equipo)
        dm.cdsEquipo->Locate(QStringLiteral("cdsEFCodEquipo"), equipo);
    if (dm.EquipoCargado() != equipo) dm.AbrirTablasEquipo(equipo);
    PeticionInforme peticion;
    peticion.tipo = tipo;
    peticion.equipo = equipo;
    peticion.averia = averia;
    Informe informe;
    if (!EjecutarInforme(dm, peticion, Instalacion::Ruta(diseno), informe)) return false;
    if (TFInformes::VerPrevia)
        TFInformes::VerPrevia(informe.Paginado(), kLibroProfesor, padre);
    else
        MostrarVistaPrevia(informe.Paginado(), kLibroProfesor, padre);
    return true;
}
