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
void DibujarMarca(Salida& salida, const QString& tipo);  // icon, login and class management logos
void DibujarBarra(Salida& salida);                       // workstation toolbar
void DibujarEstados(Salida& salida);                     // workstation state pictures and trainer detection
void DibujarAvisos(Salida& salida);                      // message window pictures
void DibujarArbol(Salida& salida);                       // class management tree
void DibujarPaneles(Salida& salida);                     // pictures inside the practice panels and dialogs
void DibujarCaratulas(Salida& salida);                   // trainer model pages
