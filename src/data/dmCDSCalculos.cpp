// Calculated, internally calculated and looked-up names of the data module's tables.
// Every lookup reads the searched table without moving it, so that painting a grid never
// moves a cursor that another list or a detail table follows.
#include "Azar.h"
#include "TextosCampos.h"
#include "dmCDS.h"

namespace {

// The values of the result fields in the first visible row of the table whose key fields
// equal the values; empty when the table is closed or no row matches.
QVariantList Buscar(TClientDataSet* tabla, const QString& claves, const QVariant& valores,
                    const QString& resultados) {
    if (!tabla->Active()) return {};
    const QVariant hallado = tabla->Lookup(claves, valores, resultados);
    if (!hallado.isValid()) return {};
    if (!resultados.contains(QLatin1Char(';'))) return {hallado};
    return hallado.toList();
}

// The random order key of a seed: 0 to 9998.
constexpr int kOrdenesAzar = 9999;

}  // namespace

void TdmCDS::AsignarCalculos() {
    const std::pair<TClientDataSet*, TClientDataSet*> componentes[] = {
        {cdsComponente, cdsElemento},
        {cdsComponenteLUp, cdsElementoLUp},
        {cdsComponenteLoc, cdsElementoLoc},
        {cdsComponenteTodos, cdsElementoTodos}};
    for (const auto& [tabla, elementos] : componentes)
        tabla->OnCalcFields = [this, elementos](TClientDataSet* ds) { CalcularComponente(ds, elementos); };
    cdsAlumno->OnCalcFields = [this](TClientDataSet*) { CalcularAlumno(); };
    cdsGrupoAlumno->OnCalcFields = [this](TClientDataSet*) { CalcularGrupoAlumno(); };
    cdsSubgrupo->OnCalcFields = [this](TClientDataSet*) { CalcularSubgrupo(); };
    cdsSemilla->OnCalcFields = [this](TClientDataSet*) { CalcularSemilla(); };
    cdsReparacion->OnCalcFields = [this](TClientDataSet*) { CalcularReparacion(); };
    cdsLineaReparacion->OnCalcFields = [this](TClientDataSet*) { CalcularLineaReparacion(); };
}

void TdmCDS::CalcularComponente(TClientDataSet* componentes, TClientDataSet* elementos) {
    const QVariantList nombre =
        Buscar(elementos, QStringLiteral("cdsElemFCodElemento"),
               componentes->FieldByName(QStringLiteral("cdsComFCodComponente"))->Value(),
               QStringLiteral("cdsElemFDescripcion"));
    componentes->FieldByName(QStringLiteral("cdsComFDescripcion"))->SetValue(nombre.value(0));
}

void TdmCDS::CalcularAlumno() {
    cdsAlumnoCalcNAlumno->SetAsString(TextosCampos::NombreAlumno(
        cdsAFApellido1->AsString(), cdsAFApellido2->AsString(), cdsAFNombre->AsString()));
}

void TdmCDS::CalcularGrupoAlumno() {
    if (cdsGrupo->Active()) {
        cdsGrupoAlumnoCalcNGrupo->SetValue(cdsGrpFNombre->Value());
        cdsGrpAlFAsignatura->SetValue(cdsGrpFAsignatura->Value());
    }
    TField* nombres[] = {cdsGrupoAlumnoCalcNAlumno, cdsGrupoAlumnoCalcApellido1, cdsGrupoAlumnoCalcApellido2,
                         cdsGrupoAlumnoCalcNCompleto};
    // The student being inserted has no name yet, but the member row shows the password
    // that its insertion has just given it.
    if (cdsAlumno->State() == dsInsert) {
        for (TField* campo : nombres) campo->Clear();
        cdsGrupoAlumnoCalcPassword->SetValue(cdsAFPassword->Value());
        return;
    }
    const QVariantList alumno =
        Buscar(cdsAlumno, QStringLiteral("cdsAFCodAlumno"), cdsGrpAlFPtrAlumno->Value(),
               QStringLiteral("cdsAFNombre;cdsAFApellido1;cdsAFApellido2;cdsAFPassword"));
    if (alumno.isEmpty()) {
        for (TField* campo : nombres) campo->Clear();
        cdsGrupoAlumnoCalcPassword->Clear();
        return;
    }
    const QString nombre = alumno.value(0).toString();
    const QString apellido1 = alumno.value(1).toString();
    const QString apellido2 = alumno.value(2).toString();
    cdsGrupoAlumnoCalcNAlumno->SetAsString(nombre);
    cdsGrupoAlumnoCalcApellido1->SetAsString(apellido1);
    cdsGrupoAlumnoCalcApellido2->SetAsString(apellido2);
    cdsGrupoAlumnoCalcNCompleto->SetAsString(TextosCampos::NombreCompleto(apellido1, apellido2, nombre));
    cdsGrupoAlumnoCalcPassword->SetValue(alumno.value(3));
}

void TdmCDS::CalcularSubgrupo() {
    if (cdsGrupo->Active()) {
        cdsSubgrupoCalcNGrupo->SetValue(cdsGrpFNombre->Value());
        cdsSubFAsignatura->SetValue(cdsGrpFAsignatura->Value());
    }
    const QVariantList alumno = Buscar(cdsAlumno, QStringLiteral("cdsAFCodAlumno"), cdsSubFPtrAlumno->Value(),
                                       QStringLiteral("cdsAFNombre;cdsAFApellido1;cdsAFApellido2"));
    if (alumno.isEmpty()) return;
    cdsSubgrupoCalcNAlumno->SetAsString(TextosCampos::NombreMiembroSubgrupo(
        alumno.value(1).toString(), alumno.value(2).toString(), alumno.value(0).toString()));
}

void TdmCDS::CalcularSemilla() {
    if (cdsAveria->Active()) {
        const QVariantList averia =
            Buscar(cdsAveria, QStringLiteral("cdsAvFIdAveria"), cdsSemFPtrIdAveria->Value(),
                   QStringLiteral("cdsAvFCodAveria;cdsAvFDescripcion"));
        cdsSemillaPtrAvReal->SetValue(averia.value(0));
        cdsSemillaCalcDescripcion->SetValue(averia.value(1));
    } else {
        cdsSemillaPtrAvReal->SetAsInteger(-1);
        cdsSemillaCalcDescripcion->Clear();
    }
    // Drawn once for the shown copy; kept only when the row is edited and posted.
    if (cdsSemillaCalcRandomOrden->IsNull()) cdsSemillaCalcRandomOrden->SetAsInteger(Azar(kOrdenesAzar));
}

void TdmCDS::CalcularReparacion() {
    const QVariantList semilla = Buscar(
        cdsSemilla, QStringLiteral("cdsSemFPtrIdAveria;cdsSemFTutorizada;cdsSemFPtrEquipo"),
        QVariantList{cdsRepFPtrIdAveria->Value(), cdsRepFTutorizada->Value(), cdsRepFPtrEquipo->Value()},
        QStringLiteral("cdsSemFCodVirtual"));
    if (!semilla.isEmpty()) cdsReparacionCalcCVirtual->SetValue(semilla.value(0));
    const QVariantList averia =
        Buscar(cdsAveria, QStringLiteral("cdsAvFIdAveria"), cdsRepFPtrIdAveria->Value(),
               QStringLiteral("cdsAvFCodAveria;cdsAvFDescripcion"));
    if (averia.isEmpty()) return;
    cdsReparacionCalcAvReal->SetValue(averia.value(0));
    cdsReparacionCalcAvDescrip->SetValue(averia.value(1));
}

void TdmCDS::CalcularLineaReparacion() {
    const QVariantList bloque = Buscar(cdsBloque, QStringLiteral("cdsBloFCodBloque"), cdsLRepFBloque->Value(),
                                       QStringLiteral("cdsBloFDescripcion"));
    if (!bloque.isEmpty()) cdsLineaReparacionCalcBloque->SetValue(bloque.value(0));
    const QVariantList circuito = Buscar(cdsCircuitoLoc, QStringLiteral("cdsCFCodCircuito"),
                                         cdsLRepFCircuito->Value(), QStringLiteral("cdsCFDescripcion"));
    if (!circuito.isEmpty()) cdsLineaReparacionCalcCircuito->SetValue(circuito.value(0));
    // A placement's name is its element's catalogue name: read from the catalogue that the
    // placement copy takes its names from, whether or not a row has stored it yet.
    const QVariant elemento = cdsLRepFComponente->Value();
    const QVariantList colocado = Buscar(cdsComponenteLoc, QStringLiteral("cdsComFCodComponente"), elemento,
                                         QStringLiteral("cdsComFCodComponente"));
    if (colocado.isEmpty()) return;
    const QVariantList nombre = Buscar(cdsElementoLoc, QStringLiteral("cdsElemFCodElemento"), elemento,
                                       QStringLiteral("cdsElemFDescripcion"));
    cdsLineaReparacionCalcComponente->SetValue(nombre.value(0));
}
