#include "GuardaInforme.h"

#include <exception>

#include "EstadoCursor.h"
#include "dmCDS.h"

GuardaInforme::GuardaInforme(TdmCDS& dm)
    : dm_(dm), reparaciones_(Tomar(dm.cdsReparacion)), lineas_(Tomar(dm.cdsLineaReparacion)) {
    for (TClientDataSet* tabla :
         {dm.cdsGrupoAlumno, dm.cdsSubgrupo, dm.cdsSemilla, dm.cdsAlumnoLUp, dm.cdsComponenteTodos})
        otras_.push_back(std::make_unique<EstadoCursor>(tabla, true));
}

GuardaInforme::~GuardaInforme() {
    otras_.clear();
    const bool otroHistorico = dm_.cdsReparacion->FileName() != reparaciones_.archivo ||
                               dm_.cdsLineaReparacion->FileName() != lineas_.archivo ||
                               dm_.cdsReparacion->Active() != reparaciones_.activa;
    if (otroHistorico) {
        dm_.cdsLineaReparacion->Close();
        dm_.cdsReparacion->Close();
    }
    // Practices first: the lines follow them.
    Devolver(reparaciones_, otroHistorico);
    Devolver(lineas_, otroHistorico);
}

GuardaInforme::Historico GuardaInforme::Tomar(TClientDataSet* tabla) {
    Historico h{tabla, tabla->FileName(), tabla->Active(), tabla->Filter(), tabla->Filtered(), QVariant()};
    if (h.activa && !tabla->IsEmpty() && !tabla->Fields().empty())
        h.codigo = tabla->Fields().front()->Value();
    return h;
}

void GuardaInforme::Devolver(const Historico& h, bool reabrir) {
    try {
        if (reabrir) {
            h.tabla->SetFileName(h.archivo);
            if (h.activa) h.tabla->Open();
        }
        if (h.tabla->Filter() != h.filtro) h.tabla->SetFilter(h.filtro);
        h.tabla->SetFiltered(h.filtrado);
        if (h.activa && !h.codigo.isNull()) h.tabla->Locate(h.tabla->Fields().front()->FieldName(), h.codigo);
    } catch (const std::exception&) {
        // The history may have gone meanwhile: there is nothing left to return to.
    }
}
