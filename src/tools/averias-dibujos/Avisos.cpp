#include <QPainterPathStroker>

#include "Dibujos.h"
#include "Piezas.h"

using namespace Paleta;
using Pieza::Signo;

void DibujarAvisos(Salida& salida) {
    salida.Seccion("Message window TFormMsg, ImageDib (image list ImageList, 34 x 35, transparent)");
    const QSize tamano(34, 35);
    const QPointF centro(50, 51.5);  // the 100 units span the 34-pixel width
    auto redonda = [&](Signo signo, const QColor& fondo) {
        return Pintar(tamano, Qt::transparent,
                      [=](Trazo& t) { Pieza::Insignia(t, centro, 44, signo, fondo); });
    };
    salida.Png("images/Mensaje0.png", redonda(Signo::Informacion, Azul()), "picture 0: information");
    salida.Png("images/Mensaje1.png",
               Pintar(tamano, Qt::transparent,
                      [](Trazo& t) {
                          // Rounded corners: the triangle grown by a round-joined stroke.
                          const QPainterPath triangulo = Poligono({{50, 12}, {90, 86}, {10, 86}});
                          QPainterPathStroker borde;
                          borde.setWidth(12);
                          borde.setJoinStyle(Qt::RoundJoin);
                          t.Figura(borde.createStroke(triangulo).united(triangulo).simplified(), Ambar());
                          Pieza::SignoBlanco(t, {24, 28, 52, 60}, Signo::Exclamacion, Pizarra());
                      }),
               "picture 1: warning");
    salida.Png("images/Mensaje2.png", redonda(Signo::Aspa, Rojo()), "picture 2: error");
    salida.Png("images/Mensaje3.png", redonda(Signo::Interrogacion, Salmon()), "picture 3: question");
    salida.Png("images/Mensaje4.png", redonda(Signo::Visto, Verde()), "picture 4: success");
}
