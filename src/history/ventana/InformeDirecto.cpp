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

bool MostrarInformeDirecto(TdmCDS& dm, TipoInforme tipo, int equipo, const QString& diseno, QWidget* padre) {
    const GuardaModificado modificado(dm);
    PeticionInforme peticion;
    peticion.tipo = tipo;
    peticion.equipo = equipo;
    Informe informe;
    if (!EjecutarInforme(dm, peticion, Instalacion::Ruta(diseno), informe)) return false;
    if (TFInformes::VerPrevia)
        TFInformes::VerPrevia(informe.Paginado(), kLibroProfesor, padre);
    else
        MostrarVistaPrevia(informe.Paginado(), kLibroProfesor, padre);
    return true;
}
