#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

#include "Trazo.h"

// The shapes the pictures are built from. Each one is drawn in its own 100-unit square mapped
// onto `r`, so the same shape serves a 16-pixel tree icon and a 75-pixel status picture.
namespace Pieza {

enum class Signo { Visto, Aspa, Mas, Pausa, Play, Reloj, Exclamacion, Interrogacion, Informacion };

// A white sign filling the 100-unit square (as on a round badge of that size).
void SignoBlanco(Trazo& t, const QRectF& r, Signo signo, const QColor& color = Paleta::Blanco());
// Round badge with a sign, centred at `centro`.
void Insignia(Trazo& t, QPointF centro, qreal radio, Signo signo, const QColor& fondo);

void Entrenador(Trazo& t, const QRectF& r, bool detalle = true);
void Rayo(Trazo& t, const QRectF& r);
void Llave(Trazo& t, const QRectF& r);
void Osciloscopio(Trazo& t, const QRectF& r);
void Cronometro(Trazo& t, const QRectF& r, qreal fraccion);
void Lupa(Trazo& t, const QRectF& r);
void Bandera(Trazo& t, const QRectF& r);
void Libreta(Trazo& t, const QRectF& r);
// Three bars of a plot on their axis.
void Barras(Trazo& t, const QRectF& r);
void Puerta(Trazo& t, const QRectF& r);
// Speech bubble; with `lineas` it holds text lines instead of the question mark.
void Bocadillo(Trazo& t, const QRectF& r, bool lineas = false);
void Persona(Trazo& t, const QRectF& r, const QColor& ropa);
void Grupo(Trazo& t, const QRectF& r, const QColor& ropa);
void Carpeta(Trazo& t, const QRectF& r, bool abierta);
void Clavija(Trazo& t, const QRectF& r, bool conectada);
void Birrete(Trazo& t, const QRectF& r);
void Papelera(Trazo& t, const QRectF& r);
void Disquete(Trazo& t, const QRectF& r);
void Deshacer(Trazo& t, const QRectF& r);
void Impresora(Trazo& t, const QRectF& r);
void LlaveCerradura(Trazo& t, const QRectF& r);
void Casa(Trazo& t, const QRectF& r);
// Arrow of a page navigator: `adelante` points right; `tope` adds the bar of first / last.
void Navegar(Trazo& t, const QRectF& r, bool adelante, bool tope);
// Arrow leaving (`saliendo`) or entering a folder.
void CarpetaFlecha(Trazo& t, const QRectF& r, bool saliendo);

}  // namespace Pieza
