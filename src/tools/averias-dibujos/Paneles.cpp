#include "Dibujos.h"
#include "Piezas.h"

using namespace Paleta;
using Pieza::Signo;

void DibujarPaneles(Salida& salida) {
    salida.Seccion("Pictures inside the practice panels, dialogs and history windows (transparent)");
    salida.Png(
        "images/paneles/Historico.png",
        Pintar({32, 32}, Qt::transparent,
               [](Trazo& t) {
                   Pieza::Libreta(t, {4, 0, 92, 100});
               }),
        "ImageHistorico of the repair panel, beside \"Histórico de la avería\" (also the history windows)");
    salida.Png("images/paneles/Observaciones.png",
               Pintar({32, 32}, Qt::transparent,
                      [](Trazo& t) {
                          Pieza::Bocadillo(t, {0, 0, 100, 100}, true);
                      }),
               "ImageObserv of the repair panel and the comments picture of the history windows");
    salida.Png("images/paneles/Confirmacion.png",
               Pintar({64, 64}, Qt::transparent,
                      [](Trazo& t) {
                          Pieza::Bandera(t, {0, 0, 92, 92});
                          Pieza::Insignia(t, {77, 77}, 19, Signo::Interrogacion, Salmon());
                      }),
               "ImageConfirmacion of the finish dialog TFDMT_AVFinalizar");
}
