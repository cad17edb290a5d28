#include "FichaPersonalDatos.h"

#include "dmCDS.h"

FichaPersonalDatos::FichaPersonalDatos(TdmCDS& datos, int tipoUsuario) : datos_(datos), tipo_(tipoUsuario) {}

QString FichaPersonalDatos::Nombre() const {
    return datos_.cdsAFNombre->AsString();
}
QString FichaPersonalDatos::Apellido1() const {
    return datos_.cdsAFApellido1->AsString();
}
QString FichaPersonalDatos::Apellido2() const {
    return datos_.cdsAFApellido2->AsString();
}
QString FichaPersonalDatos::Asignatura() const {
    return datos_.cdsGrpFAsignatura->AsString();
}

void FichaPersonalDatos::FijarNombres(const QString& nombre, const QString& apellido1,
                                      const QString& apellido2) {
    if (datos_.cdsAlumno->State() != dsEdit && datos_.cdsAlumno->State() != dsInsert) return;
    datos_.cdsAFNombre->SetAsString(nombre);
    datos_.cdsAFApellido1->SetAsString(apellido1);
    datos_.cdsAFApellido2->SetAsString(apellido2);
}

QString FichaPersonalDatos::NombreSubgrupo() const {
    return datos_.cdsSubFNombre->AsString();
}

QStringList FichaPersonalDatos::Miembros() const {
    TClientDataSet* subgrupo = datos_.cdsSubgrupo;
    QStringList miembros;
    // Read row by row without moving the cursor, which the dialog is editing.
    for (int fila = 1; fila <= subgrupo->RecordCount(); ++fila) {
        const bool conAlumno = subgrupo->ValueAt(fila, datos_.cdsSubFPtrAlumno).isValid();
        miembros.append(conAlumno ? subgrupo->DisplayTextAt(fila, datos_.cdsSubgrupoCalcNAlumno) : QString());
    }
    return miembros;
}

QString FichaPersonalDatos::Password() const {
    return esAlumno() ? datos_.cdsAFPassword->AsString() : datos_.cdsSubFPassword->AsString();
}

void FichaPersonalDatos::Editar() {
    TClientDataSet* tabla = esAlumno() ? datos_.cdsAlumno : datos_.cdsSubgrupo;
    try {
        if (tabla->State() == dsBrowse && !tabla->IsEmpty()) tabla->Edit();
    } catch (const EDatabaseError&) {
        // A table that cannot be edited is shown as it is; accepting then stores nothing.
    }
}

bool FichaPersonalDatos::Guardar() {
    TClientDataSet* tabla = esAlumno() ? datos_.cdsAlumno : datos_.cdsSubgrupo;
    if (tabla->State() == dsBrowse) return true;
    try {
        return tabla->Post();
    } catch (const EDatabaseError&) {
        return false;
    }
}

void FichaPersonalDatos::Deshacer() {
    TClientDataSet* tabla = esAlumno() ? datos_.cdsAlumno : datos_.cdsSubgrupo;
    if (tabla->State() == dsEdit || tabla->State() == dsInsert) tabla->Cancel();
}
