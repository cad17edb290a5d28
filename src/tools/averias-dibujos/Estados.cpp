#include <functional>

#include "Dibujos.h"
#include "Piezas.h"

using namespace Paleta;
using Pieza::Signo;

namespace {

QList<Pictograma> Estados() {
    return {
        {0, "Reparando", "repairing (Estado 3)",
         [](Trazo& t) {
             Pieza::Entrenador(t, {-4, -6, 84, 84});
             Pieza::Llave(t, {34, 34, 66, 66});
         }},
        {1, "Disfuncion", "dysfunction on the trainer (Estado 2)",
         [](Trazo& t) {
             Pieza::Osciloscopio(t, {0, 0, 100, 100});
         }},
        {2, "Diagnosticando", "diagnosing (Estado 4)",
         [](Trazo& t) {
             Pieza::Entrenador(t, {-4, -6, 84, 84});
             Pieza::Lupa(t, {36, 36, 64, 64});
         }},
        {3, "ReparacionEnCurso", "repair running, pause possible",
         [](Trazo& t) {
             Pieza::Cronometro(t, {0, 0, 92, 92}, 0.3);
             Pieza::Insignia(t, {77, 77}, 19, Signo::Play, Verde());
         }},
        {4, "Pausada", "repair paused (Estado 5)",
         [](Trazo& t) {
             Pieza::Cronometro(t, {0, 0, 92, 92}, 0.3);
             Pieza::Insignia(t, {77, 77}, 19, Signo::Pausa, Pizarra());
         }},
        {5, "EntrenadorPresente", "no practice, trainer found (Estado 1)",
         [](Trazo& t) {
             Pieza::Entrenador(t, {0, -4, 94, 94});
             Pieza::Insignia(t, {77, 77}, 19, Signo::Visto, Verde());
         }},
        {6, "SinEntrenador", "no practice, no trainer found (Estado 1)",
         [](Trazo& t) {
             Pieza::Entrenador(t, {0, -4, 94, 94});
             Pieza::Insignia(t, {77, 77}, 19, Signo::Aspa, Rojo());
         }},
    };
}

}  // namespace

void DibujarEstados(Salida& salida) {
    salida.Seccion(
        "Workstation state picture ImageInfor (image list ImageListInfor, 64 x 64, transparent;"
        " drawn over the panel colour 13559037)");
    for (const Pictograma& e : Estados())
        salida.Png("images/estado/" + e.nombre + ".png", Pintar({64, 64}, Qt::transparent, e.dibujo),
                   QString("picture %1: %2").arg(e.indice).arg(e.para));

    salida.Seccion("Trainer detection ImageDetectado (image list IListConectado, 75 x 75, transparent)");
    salida.Png("images/deteccion/NoConectado.png",
               Pintar({75, 75}, Qt::transparent,
                      [](Trazo& t) {
                          Pieza::Clavija(t, {0, -6, 100, 100}, false);
                          Pieza::Insignia(t, {50, 80}, 16, Signo::Aspa, Rojo());
                      }),
               "picture 0: no trainer connected (texts 104, 225)");
    salida.Png("images/deteccion/Conectado.png",
               Pintar({75, 75}, Qt::transparent,
                      [](Trazo& t) {
                          Pieza::Clavija(t, {0, -6, 100, 100}, true);
                          Pieza::Insignia(t, {50, 80}, 16, Signo::Visto, Verde());
                      }),
               "picture 1: trainer connected and known (text 103)");
}
