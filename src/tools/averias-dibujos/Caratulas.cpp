#include <QFont>
#include <functional>

#include "Dibujos.h"
#include "Piezas.h"

using namespace Paleta;

namespace {

// The model pictures are 520 x 360: 100 units high and about 144 across.
constexpr qreal kAncho = 520.0 * 100 / 360;

void Etiqueta(Trazo& t, const QRectF& r, const QString& texto, const QColor& color, int pixeles,
              bool negrita = false) {
    QFont letra("DejaVu Sans");
    letra.setPixelSize(pixeles);
    letra.setBold(negrita);
    t.Pintor().setFont(letra);
    t.Pintor().setPen(color);
    t.Pintor().drawText(r, Qt::AlignCenter, texto);
}

// The front panel of a trainer: a printed board with its title strip and a row of
// test sockets along the bottom.
void Tablero(Trazo& t, const QString& titulo) {
    const QPainterPath tablero = Rectangulo({2, 2, kAncho - 4, 96}, 5);
    t.Relleno(tablero, Crema());
    t.Relleno(tablero.intersected(Rectangulo({0, 0, kAncho, 15})), Salmon());
    t.Linea({2, 15}, {kAncho - 2, 15}, Pizarra());
    t.Linea(tablero, Pizarra());
    Etiqueta(t, {2, 2, kAncho - 4, 13}, titulo, Blanco(), 7, true);
    Etiqueta(t, {8, 80, 60, 6}, "Puntos de medida", PizarraMedia(), 4);
    for (int i = 0; i < 14; ++i) {
        const QPointF centro(12 + i * 9.3, 90);
        t.Figura(Circulo(centro, 2.8), i % 2 == 0 ? Rojo() : Pizarra());
        t.Relleno(Circulo(centro, 1.0), Crema());
    }
}

void Cable(Trazo& t, std::initializer_list<QPointF> puntos, const QColor& color) {
    t.Linea(Trayecto(puntos), color, 0.9);
}

void PanelDiesel(Trazo& t) {
    Tablero(t, "MOTOR DIÉSEL");
    // Fuel rail feeding the four injectors from the pump.
    Cable(t, {{78, 52}, {78, 21}, {15, 21}}, SalmonOscuro());
    for (int i = 0; i < 4; ++i) {
        const qreal x = 18 + i * 14;
        t.Figura(Rectangulo({x, 20, 7, 10}, 2), Salmon());
        Cable(t, {{x + 3.5, 30}, {x + 3.5, 33}}, Pizarra());
    }
    t.Figura(Rectangulo({10, 32, 62, 9}, 3), PizarraMedia());
    t.Figura(Rectangulo({13, 41, 56, 26}, 3), PizarraClara());
    for (int i = 0; i < 4; ++i) t.Figura(Circulo({21.5 + i * 14, 53}, 5), Blanco());
    t.Figura(Poligono({{17, 67}, {65, 67}, {60, 75}, {22, 75}}), PizarraMedia());
    t.Figura(Rectangulo({76, 52, 14, 18}, 3), SalmonOscuro());
    Etiqueta(t, {70, 70, 26, 6}, "Bomba", PizarraMedia(), 4);
    // Rev counter.
    t.Figura(Circulo({88, 33}, 7.5), Blanco());
    t.Linea({88, 33}, {92.5, 28}, Rojo());
    Etiqueta(t, {78, 41, 20, 6}, "r.p.m.", PizarraMedia(), 4);
    // Engine control unit wired to the injectors, and the relay board that provokes the faults.
    for (int i = 0; i < 4; ++i) {
        QPainterPath hilo({99, 30 + i * 4.0});
        hilo.cubicTo(94, 30 + i * 4.0, 94, 18, 21.5 + i * 14, 18);
        t.Linea(hilo, Azul(), 0.6);
    }
    t.Figura(Rectangulo({99, 22, 36, 24}, 3), Pizarra());
    Etiqueta(t, {99, 22, 36, 16}, "UCE", Blanco(), 8, true);
    Etiqueta(t, {99, 36, 36, 8}, "gestión motor", PizarraClara(), 4);
    t.Figura(Rectangulo({99, 52, 36, 20}, 3), Blanco());
    for (int i = 0; i < 8; ++i)
        t.Figura(Rectangulo({102 + (i % 4) * 8.3, 55 + (i / 4) * 8.5, 5.5, 6}, 1), i == 2 ? Ambar() : Azul());
    Etiqueta(t, {99, 72, 36, 6}, "Placa de relés", PizarraMedia(), 4);
}

void Lampara(Trazo& t, QPointF centro, qreal radio) {
    t.Figura(Circulo(centro, radio), Ambar());
    t.Relleno(Circulo(centro, radio * 0.45), Blanco());
}

void Interruptor(Trazo& t, qreal x, bool encendido) {
    t.Figura(Rectangulo({x, 58, 9, 16}, 2.5), Blanco());
    t.Figura(Rectangulo({x + 2, encendido ? 60.0 : 65.5, 5, 6.5}, 1.5), encendido ? Verde() : PizarraMedia());
}

void PanelElectrico(Trazo& t) {
    Tablero(t, "ELECTRICIDAD DEL VEHÍCULO");
    // Positive feed (red) from the battery through the fuses to the loads; earth in slate.
    Cable(t, {{17, 54}, {17, 36}, {44, 36}}, Rojo());
    Cable(t, {{74, 30}, {84, 30}}, Rojo());
    Cable(t, {{96, 30}, {106, 30}, {106, 28}, {111, 28}}, Rojo());
    Cable(t, {{74, 42}, {84, 42}, {84, 50}}, Rojo());
    Cable(t, {{96, 44}, {106, 44}, {106, 62}, {113, 62}}, Rojo());
    Cable(t, {{29, 76}, {29, 79}, {125, 79}, {125, 62}}, Pizarra());
    for (qreal x : {49.5, 63.5, 77.5}) Cable(t, {{x, 74}, {x, 79}}, Pizarra());
    // Battery.
    t.Figura(Rectangulo({14, 51, 6, 4}, 1), Rojo());
    t.Figura(Rectangulo({26, 51, 6, 4}, 1), PizarraMedia());
    t.Figura(Rectangulo({9, 54, 28, 22}, 3), Pizarra());
    Etiqueta(t, {9, 54, 28, 12}, "+   −", Blanco(), 6, true);
    Etiqueta(t, {9, 64, 28, 10}, "Batería 12 V", PizarraClara(), 4);
    // Fuse box.
    t.Figura(Rectangulo({44, 22, 30, 26}, 3), Blanco());
    const QList<QColor> fusibles = {Ambar(), Rojo(), Azul(), Verde(), Ambar(), Rojo()};
    for (int i = 0; i < 6; ++i)
        t.Figura(Rectangulo({48 + (i % 3) * 8.5, 26 + (i / 3) * 10.0, 5.5, 7.5}, 1.2), fusibles[i]);
    Etiqueta(t, {40, 48, 38, 6}, "Fusibles", PizarraMedia(), 4);
    // Relays.
    for (int i = 0; i < 2; ++i) {
        t.Figura(Rectangulo({84, 24 + i * 14.0, 12, 12}, 2), Pizarra());
        Etiqueta(t, {84, 24 + i * 14.0, 12, 12}, QString("R%1").arg(i + 1), Blanco(), 5, true);
    }
    // Switches on the dashboard row.
    Interruptor(t, 45, true);
    Interruptor(t, 59, false);
    Interruptor(t, 73, false);
    Etiqueta(t, {83, 63, 22, 6}, "Mandos", PizarraMedia(), 4);
    // Lamps: headlights and indicators.
    Lampara(t, {117, 28}, 6.5);
    Lampara(t, {132, 28}, 6.5);
    Etiqueta(t, {108, 36, 34, 6}, "Alumbrado", PizarraMedia(), 4);
    t.Figura(Circulo({119, 62}, 4.5), Ambar());
    t.Figura(Circulo({131, 62}, 4.5), Ambar());
    Etiqueta(t, {106, 51, 38, 6}, "Intermitentes", PizarraMedia(), 4);
}

struct Modelo {
    int codigo;  // trainer identification code (cdsEFCodigo)
    QString titulo;
    QString descripcion;
    QString bloques;
    std::function<void(Trazo&)> dibujo;
};

QString Pagina(const Modelo& m) {
    return QString(
               "<!DOCTYPE html>\n<html lang=\"es\">\n<head>\n<meta "
               "charset=\"utf-8\">\n<title>%2</title>\n</head>\n"
               "<body style=\"font-family: 'DejaVu Sans', Arial, sans-serif; color: #2F3E4E; background: "
               "#FFFFFF;\">\n"
               "<h2 style=\"color: #C96757;\">%2</h2>\n"
               "<p><img src=\"%1.png\" width=\"520\" height=\"360\" alt=\"%2\"></p>\n"
               "<p>%3</p>\n"
               "<table cellpadding=\"4\" cellspacing=\"0\" style=\"border-color: #FDE5CE;\" border=\"1\">\n"
               "<tr><td bgcolor=\"#FDE5CE\"><b>Código del modelo</b></td><td>%1</td></tr>\n"
               "<tr><td bgcolor=\"#FDE5CE\"><b>Bloques</b></td><td>%4</td></tr>\n"
               "</table>\n"
               "<p style=\"color: #6B7A8A;\">Si este es el entrenador conectado al puesto, pulse "
               "«Aceptar».</p>\n"
               "</body>\n</html>\n")
        .arg(m.codigo)
        .arg(m.titulo, m.descripcion, m.bloques);
}

}  // namespace

void DibujarCaratulas(Salida& salida) {
    const QList<Modelo> modelos = {
        {7, "Entrenador de motor diésel",
         "Panel didáctico con un motor diésel de cuatro cilindros de inyección directa, su bomba de "
         "alta presión, la unidad de control del motor y el cuadro de instrumentos. La placa de relés "
         "interrumpe o desvía señales de sensores y actuadores para provocar las averías, y los puntos "
         "de medida del frontal permiten comprobar tensiones y continuidad con el polímetro sin "
         "desmontar nada.",
         "Alimentación de combustible, inyección, precalentamiento, arranque y carga, gestión electrónica",
         PanelDiesel},
        {12, "Entrenador de instalación eléctrica del vehículo",
         "Panel didáctico con la instalación eléctrica de un turismo: batería, caja de fusibles, relés, "
         "mandos del salpicadero, alumbrado e intermitentes, cableados como en el vehículo. La placa de "
         "relés abre circuitos, provoca derivaciones a masa o resistencias de contacto, y los puntos de "
         "medida del frontal dan acceso a cada circuito para localizar la avería.",
         "Alimentación y masa, protección, alumbrado, señalización, maniobra", PanelElectrico},
    };
    salida.Seccion("Trainer model pages (caratulas\\ + code + .htm, shown by the model chooser)");
    for (const Modelo& m : modelos) {
        const QString base = "caratulas/" + QString::number(m.codigo);
        salida.Png(base + ".png", Pintar({520, 360}, Qt::transparent, m.dibujo, 2.5),
                   "picture of model " + m.titulo);
        salida.Texto(base + ".htm", Pagina(m),
                     "page of model " + QString::number(m.codigo) + ": " + m.titulo);
    }
}
