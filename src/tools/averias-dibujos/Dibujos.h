#pragma once

#include <functional>

#include "Salida.h"
#include "Trazo.h"

// One picture of an image list: its number there, its file name, the control it serves.
struct Pictograma {
    int indice;
    QString nombre;
    QString para;
    std::function<void(Trazo&)> dibujo;
};

// Each set writes its pictures under the installation folder and notes what they are for.
// `tipo` is the installation type: it names the icon and is the product name on the logo.
// Writes `base`.png at `lado` pixels and `base`@2x.png at twice that, which Qt picks on
// high-density screens.
inline void PngConDoble(Salida& salida, const QString& base, int lado,
                        const std::function<void(Trazo&)>& dibujo, const QString& para) {
    salida.Png(base + ".png", Pintar({lado, lado}, Qt::transparent, dibujo), para);
    salida.Png(base + "@2x.png", Pintar({2 * lado, 2 * lado}, Qt::transparent, dibujo),
               "the same, twice the size");
}

void DibujarMarca(Salida& salida, const QString& tipo);  // icon, login and class management logos
void DibujarBarra(Salida& salida);                       // workstation toolbar
void DibujarEstados(Salida& salida);                     // workstation state pictures and trainer detection
void DibujarAvisos(Salida& salida);                      // message window pictures
void DibujarArbol(Salida& salida);                       // class management tree
void DibujarPaneles(Salida& salida);                     // pictures inside the practice panels and dialogs
void DibujarBotones(Salida& salida);                     // glyphs of the push buttons
void DibujarCaratulas(Salida& salida);                   // trainer model pages
