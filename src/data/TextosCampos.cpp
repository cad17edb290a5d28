#include "TextosCampos.h"

#include "Idioma.h"

namespace TextosCampos {

namespace {

// Null shows nothing; a boolean picks one of two texts.
QString SiNoNulo(const QVariant& valor, int textoCierto, int textoFalso) {
    if (valor.isNull()) return QString();
    return Texto(valor.toBool() ? textoCierto : textoFalso);
}

}  // namespace

QString Accion(const QVariant& valor) {
    const QString accion = valor.toString();
    if (accion.isEmpty()) return Texto(163);
    if (accion == QLatin1String("A")) return Texto(189);
    if (accion == QLatin1String("R")) return Texto(195);
    if (accion == QLatin1String("P")) return Texto(184);
    if (accion == QLatin1String("F")) return Texto(155);
    return QString();
}

QString NivelSintoma(const QVariant& valor) {
    return Texto(valor.toString() == QLatin1String("J") ? 165 : 113);
}

QString EstadoReparacion(const QVariant& valor) {
    if (valor.isNull()) return QString();
    return Texto(valor.toString() == QLatin1String("F") ? 5 : 6);
}

QString NSintomas(const QVariant& valor) {
    if (valor.isNull()) return QString();
    return Texto(valor.toString() == QLatin1String("J#C#") ? 113 : 165);
}

QString NReparacion(const QVariant& valor) {
    if (valor.isNull()) return QString();
    const QString nivel = valor.toString();
    if (nivel == QLatin1String("BL#CI#CO#")) return Texto(140);
    if (nivel == QLatin1String("BL#CI#")) return Texto(112);
    return Texto(111);
}

QString Tutorizada(const QVariant& valor) {
    return SiNoNulo(valor, 5, 6);
}

QString Disfuncion(const QVariant& valor) {
    return SiNoNulo(valor, 156, 174);
}

QString NombreAlumno(const QString& apellido1, const QString& apellido2, const QString& nombre) {
    return apellido1 + QLatin1Char(' ') + apellido2 + QLatin1Char(' ') + nombre;
}

QString NombreCompleto(const QString& apellido1, const QString& apellido2, const QString& nombre) {
    return apellido1 + QLatin1Char(' ') + apellido2 + QLatin1String(", ") + nombre;
}

QString NombreMiembroSubgrupo(const QString& apellido1, const QString& apellido2, const QString& nombre) {
    const QString primero = apellido1.isEmpty() ? QString() : apellido1 + QLatin1Char(' ');
    return primero + apellido2 + QLatin1String(" ,") + nombre;
}

}  // namespace TextosCampos
