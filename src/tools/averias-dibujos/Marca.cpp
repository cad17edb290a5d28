#include <QFont>
#include <QFontMetricsF>

#include "Dibujos.h"
#include "Piezas.h"

using namespace Paleta;

namespace {

// The program's emblem: a trainer panel struck by a fault, on an accent-coloured tile.
// The smaller the picture, the fewer and larger its parts: dials blur below 48 pixels, and
// at 24 and 16 the panel is only its dark strip so that the bolt stays readable.
enum class Detalle { Minimo, Medio, Completo };

Detalle DetallePara(int lado) {
    if (lado <= 24) return Detalle::Minimo;
    return lado < 48 ? Detalle::Medio : Detalle::Completo;
}

void Emblema(Trazo& t, const QRectF& r, Detalle detalle) {
    t.En(r, [&] {
        t.Figura(Rectangulo({5, 5, 90, 90}, 22), Salmon());
        if (detalle == Detalle::Minimo) {
            t.Figura(Rectangulo({14, 40, 56, 40}, 8), Blanco());
            t.Relleno(Rectangulo({14, 40, 56, 40}, 8).intersected(Rectangulo({0, 0, 100, 54})), Pizarra());
            t.Figura(Poligono({{66, 6}, {42, 52}, {58, 52}, {50, 92}, {92, 36}, {74, 36}, {84, 6}}), Ambar());
            return;
        }
        const QPainterPath panel = Rectangulo({14, 34, 60, 46}, 8);
        t.Relleno(panel, Blanco());
        t.Relleno(panel.intersected(Rectangulo({0, 0, 100, 45})), Pizarra());
        t.Linea(panel, Pizarra());
        if (detalle == Detalle::Completo) {
            for (qreal x : {30.0, 50.0}) {
                t.Figura(Circulo({x, 63}, 8), Crema());
                t.Linea({x, 63}, {x + 4.5, 58.5}, Pizarra());
            }
        } else {
            t.Figura(Circulo({34, 63}, 8), Crema());
        }
        t.Figura(Poligono({{72, 9}, {55, 42}, {67, 42}, {60, 70}, {89, 31}, {76, 31}, {86, 9}}), Ambar());
    });
}

QFont Letra(int pixeles, bool negrita) {
    QFont letra("DejaVu Sans");
    letra.setPixelSize(pixeles);
    letra.setBold(negrita);
    return letra;
}

// Faint circuit traces with round pads, the way a trainer's front panel is printed.
// Units: 100 span the picture's height.
void Pistas(Trazo& t, const QColor& color) {
    const QList<QList<QPointF>> pistas = {
        {{0, 12}, {22, 12}, {30, 20}, {58, 20}},
        {{0, 88}, {14, 88}, {24, 78}, {24, 52}},
        {{103, 24}, {88, 24}, {78, 14}, {78, 6}},
        {{103, 80}, {74, 80}, {64, 90}, {64, 94}},
        {{58, 100}, {58, 70}, {50, 62}, {36, 62}},
        {{103, 64}, {90, 64}, {90, 40}},
        {{0, 36}, {10, 36}, {16, 42}},
        {{40, 0}, {40, 6}, {46, 12}},
    };
    for (const auto& pista : pistas) {
        QPainterPath camino(pista.first());
        for (const QPointF& p : pista) camino.lineTo(p);
        t.Ancha(camino, color, 0.6);
        t.Relleno(Circulo(pista.last(), 1.5), color);
        t.Relleno(Circulo(pista.last(), 0.6), Crema());
    }
}

}  // namespace

void DibujarMarca(Salida& salida, const QString& tipo) {
    salida.Seccion("Application and login window");
    QList<QImage> tamanos;
    for (int lado : {256, 128, 64, 48, 32, 24, 16})
        tamanos << Pintar(
            {lado, lado}, Qt::transparent,
            [lado](Trazo& t) {
                Emblema(t, {0, 0, 100, 100}, DetallePara(lado));
            },
            lado <= 16 ? 1.0 : 0);
    salida.Ico("images/" + tipo + ".ico", tamanos, "application icon (installation type " + tipo + ")");

    salida.Bmp("images/Logo.bmp",
               Pintar({160, 160}, Blanco(),
                      [](Trazo& t) {
                          Emblema(t, {4, 4, 92, 92}, Detalle::Completo);
                      }),
               "ImageLogo of the login window: shown at its own size, white background");

    salida.Bmp("images/TextoLogo.bmp",
               Pintar({420, 110}, Blanco(),
                      [&](Trazo& t) {
                          QPainter& p = t.Pintor();
                          p.setPen(Pizarra());
                          p.setFont(Letra(50, true));
                          p.drawText(QRectF(0, 4, 382, 62), Qt::AlignCenter, tipo);
                          t.Relleno(Rectangulo({131, 70, 120, 5}, 2.5), Salmon());
                          p.setPen(PizarraMedia());
                          p.setFont(Letra(12, false));
                          p.drawText(QRectF(0, 78, 382, 18), Qt::AlignCenter,
                                     "Reparación interactiva de averías");
                      }),
               "ImageTextoLogo of the login window: the product name, shown at its own size");

    salida.Bmp("images/Fondo.bmp",
               Pintar({561, 545}, Crema(),
                      [](Trazo& t) {
                          // 100 units span the 545-pixel height; the width is about 103 units.
                          t.Relleno(Circulo({96, 92}, 40), Melocoton());
                          t.Relleno(Circulo({6, 4}, 22), Melocoton());
                          Pistas(t, QColor(0xF6, 0xD3, 0xC4));
                      }),
               "ImageFondo of the login window: background of the right-hand panel at its design size"
               " (561 x 545); stretch it to fill when the panel grows");

    salida.Bmp("images/LogoQuilo.bmp",
               Pintar({96, 96}, Blanco(),
                      [](Trazo& t) {
                          t.Figura(Circulo({50, 50}, 45), Pizarra());
                          Pieza::Birrete(t, {8, 8, 84, 84});
                      }),
               "logo picture of the class management window, beside the TextoLogo label");

    salida.Seccion("Printed reports");
    // 100 units span the 200-pixel height; the width is 360 units.
    salida.Png("images/LogoInforme.png",
               Pintar({720, 200}, Qt::transparent,
                      [&](Trazo& t) {
                          Emblema(t, {2, 8, 84, 84}, Detalle::Completo);
                          QPainter& p = t.Pintor();
                          p.setPen(Pizarra());
                          p.setFont(Letra(36, true));
                          p.drawText(QRectF(98, 10, 260, 46), Qt::AlignLeft | Qt::AlignVCenter, tipo);
                          t.Relleno(Rectangulo({100, 60, 74, 4.5}, 2.25), Salmon());
                          p.setPen(PizarraMedia());
                          p.setFont(Letra(12, false));
                          p.drawText(QRectF(99, 68, 260, 18), Qt::AlignLeft | Qt::AlignVCenter,
                                     "Prácticas de diagnóstico de averías");
                      }),
               "logo at the top of every printed report (the layouts in Informes\\ draw it keeping its"
               " proportions): a school may put its own picture in its place");
}
