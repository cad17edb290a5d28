#pragma once

#include <QString>
#include <QStringList>

// The record the personal data dialog shows: the logged student, or the logged subgroup
// with its members. The data module implements it over its tables.
class FichaPersonal {
public:
    virtual ~FichaPersonal() = default;

    // Student: editable names, the group's subject and the password.
    virtual QString Nombre() const = 0;
    virtual QString Apellido1() const = 0;
    virtual QString Apellido2() const = 0;
    virtual QString Asignatura() const = 0;
    virtual void FijarNombres(const QString& nombre, const QString& apellido1, const QString& apellido2) = 0;

    // Subgroup: its name and one entry per row of the subgroup (empty for a row without a student).
    virtual QString NombreSubgrupo() const = 0;
    virtual QStringList Miembros() const = 0;

    virtual QString Password() const = 0;
    // Puts the record in edit state; Guardar posts it (false when the post fails);
    // Deshacer cancels the edit.
    virtual void Editar() = 0;
    virtual bool Guardar() = 0;
    virtual void Deshacer() = 0;
};
