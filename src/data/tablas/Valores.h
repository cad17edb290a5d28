#pragma once

#include <QVariant>

#include "ClientDataSet.h"

namespace tablas {

// The value a field of that type keeps for `valor`: Null stays Null, an empty string
// becomes Null, strings are cut to `ancho`. A value that cannot be converted raises
// EDatabaseError naming the field.
QVariant Convertir(const QVariant& valor, TFieldType tipo, int ancho, const QString& campo);
// Like Convertir, but an impossible conversion gives `valido` false instead of raising.
QVariant ConvertirSinError(const QVariant& valor, TFieldType tipo, bool& valido);

// Order of two values of one field type; Null first.
int Comparar(const QVariant& a, const QVariant& b, TFieldType tipo, bool sinMayusculas = false);

bool EsTexto(TFieldType tipo);
QString NombreTipo(TFieldType tipo);
TFieldType TipoDesdeNombre(const QString& nombre);

// "dd/MM/yyyy hh:mm:ss", or the date alone at midnight.
QString TextoFechaHora(double dias);

}  // namespace tablas
