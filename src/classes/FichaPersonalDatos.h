#pragma once

#include "FichaPersonal.h"

class TdmCDS;

// The personal data of the logged user as the data module holds them: the current
// student of cdsAlumno (and the current group's subject), or the subgroup that cdsSubgrupo
// is filtered to since the login.
class FichaPersonalDatos : public FichaPersonal {
public:
    FichaPersonalDatos(TdmCDS& datos, int tipoUsuario);

    QString Nombre() const override;
    QString Apellido1() const override;
    QString Apellido2() const override;
    QString Asignatura() const override;
    void FijarNombres(const QString& nombre, const QString& apellido1, const QString& apellido2) override;
    QString NombreSubgrupo() const override;
    QStringList Miembros() const override;
    QString Password() const override;
    void Editar() override;
    bool Guardar() override;
    void Deshacer() override;

private:
    bool esAlumno() const { return tipo_ == 1; }
    TdmCDS& datos_;
    int tipo_;
};
