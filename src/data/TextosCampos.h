#pragma once

#include <QString>
#include <QVariant>

// Display texts of the coded fields and the names that the calculated fields build.
// A null QVariant is a Null field. Texts come from the language file by number.
namespace TextosCampos {

// Step kinds of a practice line ("A", "R", "P", "F", empty; anything else shows nothing).
QString Accion(const QVariant& valor);
// Who reports a symptom: "J" the workshop chief, anything else the customer.
QString NivelSintoma(const QVariant& valor);
QString EstadoReparacion(const QVariant& valor);
// Symptom levels of a group or practice ("J#", "J#C#").
QString NSintomas(const QVariant& valor);
// Diagnosis levels of a group or practice ("BL#", "BL#CI#", "BL#CI#CO#").
QString NReparacion(const QVariant& valor);
QString Tutorizada(const QVariant& valor);
QString Disfuncion(const QVariant& valor);

// "Apellido1 Apellido2 Nombre": the student lists.
QString NombreAlumno(const QString& apellido1, const QString& apellido2, const QString& nombre);
// "Apellido1 Apellido2, Nombre": the group member lists.
QString NombreCompleto(const QString& apellido1, const QString& apellido2, const QString& nombre);
// "Apellido1 Apellido2 ,Nombre", without the first surname and its space when it is empty:
// the subgroup member lists.
QString NombreMiembroSubgrupo(const QString& apellido1, const QString& apellido2, const QString& nombre);

}  // namespace TextosCampos
