#include "CopiaCampos.h"

#include "ClientDataSet.h"

namespace {

bool EsGuardado(const TField* campo) {
    return campo->FieldKind() == fkData || campo->FieldKind() == fkInternalCalc;
}

}  // namespace

void CopiarCampos(const TClientDataSet* origen, TClientDataSet* destino, bool soloNulos) {
    for (TField* campo : destino->Fields()) {
        if (!EsGuardado(campo) || (soloNulos && !campo->IsNull())) continue;
        if (const TField* fuente = origen->FindField(campo->FieldName())) campo->SetValue(fuente->Value());
    }
}
