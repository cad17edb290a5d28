#include <functional>

#include "Dibujos.h"
#include "Piezas.h"

using namespace Paleta;
using Pieza::Signo;

namespace {

QList<Pictograma> Botones() {
    return {
        {0, "Averia", "BtnAveria (\"&Avería\")",
         [](Trazo& t) {
             Pieza::Entrenador(t, {-3, 14, 90, 90});
             Pieza::Rayo(t, {46, -2, 56, 70});
         }},
        {1, "Disfuncion", "BtnDisfuncion (\"&Disfunción\")",
         [](Trazo& t) {
             Pieza::Osciloscopio(t, {0, 0, 100, 100});
         }},
        {2, "Reparar", "BtnReparar (\"&Reparar\")",
         [](Trazo& t) {
             Pieza::Llave(t, {0, 0, 100, 100});
         }},
        {3, "Pausa", "BtnPausa while the repair runs (\"&Pausa\")",
         [](Trazo& t) {
             Pieza::Insignia(t, {50, 50}, 42, Signo::Pausa, Salmon());
         }},
        {4, "Historico", "BtnHistorico (\"&Histórico\")",
         [](Trazo& t) {
             Pieza::Libreta(t, {0, 0, 92, 100});
             Pieza::Insignia(t, {76, 76}, 19, Signo::Reloj, Pizarra());
         }},
        {5, "Finalizar", "BtnFinalizar (\"&Finalizar\")",
         [](Trazo& t) {
             Pieza::Bandera(t, {0, 0, 100, 100});
         }},
        {6, "Salir", "BtnSalir (\"&Salir\")",
         [](Trazo& t) {
             Pieza::Puerta(t, {0, 0, 100, 100});
         }},
        {7, "Ayuda", "BtnAyuda (\"A&yuda\")",
         [](Trazo& t) {
             Pieza::Bocadillo(t, {0, 0, 100, 100});
         }},
        {8, "Reanudar", "BtnPausa while paused (caption text 102)",
         [](Trazo& t) {
             Pieza::Insignia(t, {50, 50}, 42, Signo::Play, Verde());
         }},
    };
}

}  // namespace

void DibujarBarra(Salida& salida) {
    salida.Seccion("Workstation toolbar BarraHtas (image list IList, 60 x 60, transparent)");
    for (const Pictograma& b : Botones()) {
        const QImage imagen = Pintar({60, 60}, Qt::transparent, b.dibujo);
        const QString prefijo = "images/toolbar/" + b.nombre;
        salida.Png(prefijo + ".png", imagen, QString("picture %1: %2").arg(b.indice).arg(b.para));
        salida.Png(prefijo + "_des.png", Apagada(imagen), QString("picture %1 disabled").arg(b.indice));
    }
}
