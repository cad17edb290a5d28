#include "Piezas.h"

#include <QFont>
#include <QTransform>
#include <cmath>

using namespace Paleta;

namespace Pieza {

void SignoBlanco(Trazo& t, const QRectF& r, Signo signo, const QColor& color) {
    t.En(r, [&] {
        switch (signo) {
            case Signo::Visto:
                t.Ancha(Trayecto({{28, 52}, {44, 68}, {73, 35}}), color, 13);
                break;
            case Signo::Aspa:
                t.Ancha(Trayecto({{33, 33}, {67, 67}}), color, 13);
                t.Ancha(Trayecto({{67, 33}, {33, 67}}), color, 13);
                break;
            case Signo::Mas:
                t.Ancha(Trayecto({{50, 28}, {50, 72}}), color, 13);
                t.Ancha(Trayecto({{28, 50}, {72, 50}}), color, 13);
                break;
            case Signo::Pausa:
                t.Relleno(Rectangulo({31, 27, 13, 46}, 3), color);
                t.Relleno(Rectangulo({56, 27, 13, 46}, 3), color);
                break;
            case Signo::Play: {
                const QPainterPath triangulo = Poligono({{39, 27}, {75, 50}, {39, 73}});
                t.Relleno(triangulo, color);
                t.Ancha(triangulo, color, 6);
                break;
            }
            case Signo::Reloj:
                t.Ancha(Circulo({50, 50}, 30), color, 8);
                t.Ancha(Trayecto({{50, 31}, {50, 50}, {63, 58}}), color, 8);
                break;
            case Signo::Exclamacion:
                t.Relleno(Rectangulo({43, 20, 14, 42}, 7), color);
                t.Relleno(Circulo({50, 76}, 7.5), color);
                break;
            case Signo::Interrogacion: {
                QPainterPath gancho({35, 38});
                gancho.cubicTo(35, 17, 65, 17, 65, 37);
                gancho.cubicTo(65, 50, 50, 50, 50, 61);
                t.Ancha(gancho, color, 13);
                t.Relleno(Circulo({50, 79}, 7.5), color);
                break;
            }
            case Signo::Informacion:
                t.Relleno(Circulo({50, 26}, 8), color);
                t.Relleno(Rectangulo({43, 40, 14, 40}, 4), color);
                break;
        }
    });
}

void Insignia(Trazo& t, QPointF centro, qreal radio, Signo signo, const QColor& fondo) {
    t.Figura(Circulo(centro, radio), fondo);
    SignoBlanco(t, QRectF(centro.x() - radio, centro.y() - radio, 2 * radio, 2 * radio), signo);
}

void Entrenador(Trazo& t, const QRectF& r, bool detalle) {
    t.En(r, [&] {
        const QPainterPath cuerpo = Rectangulo({6, 20, 88, 62}, 9);
        t.Relleno(cuerpo, Crema());
        t.Relleno(cuerpo.intersected(Rectangulo({0, 0, 100, 37})), Salmon());
        t.Linea({6, 37}, {94, 37}, Pizarra());
        t.Linea(cuerpo, Pizarra());
        if (!detalle) {
            t.Figura(Circulo({40, 60}, 13), Blanco());
            t.Linea({40, 60}, {48, 52}, Pizarra());
            t.Figura(Circulo({74, 60}, 6), SalmonOscuro());
            return;
        }
        t.Relleno(Circulo({17, 28.5}, 3.2), Blanco());
        t.Relleno(Circulo({27, 28.5}, 3.2), Blanco());
        for (qreal x : {30.0, 58.0}) {
            t.Figura(Circulo({x, 60}, 12), Blanco());
            t.Linea({x, 60}, {x + 7, 53}, Pizarra());
        }
        t.Figura(Circulo({82, 51}, 4.5), SalmonOscuro());
        t.Figura(Circulo({82, 68}, 4.5), Pizarra());
    });
}

void Rayo(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        t.Figura(Poligono({{60, 4}, {22, 56}, {46, 56}, {36, 96}, {80, 40}, {55, 40}, {70, 4}}), Ambar());
    });
}

void Llave(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        // Built lying along the x axis, jaw to the right, then turned onto the diagonal.
        QPainterPath llave = Rectangulo({0, -9.5, 70, 19}, 9.5);
        llave = llave.united(Circulo({72, 0}, 23));
        llave = llave.subtracted(Rectangulo({73, -9.5, 30, 19}));
        llave = llave.subtracted(Circulo({9, 0}, 3.5));
        QTransform giro;
        giro.translate(50, 50);
        giro.rotate(-45);
        giro.translate(-44, 0);
        const QPainterPath colocada = giro.map(llave);
        const QPainterPath mango =
            giro.map(Rectangulo({0, -9.5, 40, 19}, 9.5).subtracted(Circulo({9, 0}, 3.5)));
        t.Relleno(colocada, PizarraClara());
        t.Relleno(mango, Salmon());
        t.Linea(giro.map(Trayecto({{40, -9.5}, {40, 9.5}})), Pizarra());
        t.Linea(colocada, Pizarra());
    });
}

void Osciloscopio(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        t.Figura(Rectangulo({6, 14, 88, 74}, 10), Crema());
        const QPainterPath pantalla = Rectangulo({14, 22, 72, 46}, 5);
        t.Figura(pantalla, Pizarra());
        t.Pintor().save();
        t.Pintor().setClipPath(pantalla);
        for (qreal x : {32.0, 50.0, 68.0}) t.Linea({x, 22}, {x, 68}, PizarraMedia(), 0.45);
        t.Linea({14, 45}, {86, 45}, PizarraMedia(), 0.45);
        t.Pintor().restore();
        // A wave that breaks off its rhythm: the trainer misbehaving.
        QPainterPath onda({18, 45});
        onda.cubicTo(22, 30, 28, 30, 32, 45);
        onda.cubicTo(36, 60, 42, 60, 46, 45);
        onda.lineTo(52, 30);
        onda.lineTo(56, 62);
        onda.lineTo(61, 38);
        onda.lineTo(64, 50);
        onda.cubicTo(70, 34, 76, 34, 82, 45);
        t.Linea(onda, Salmon(), 1.15);
        t.Figura(Circulo({24, 78}, 4), Salmon());
        t.Figura(Circulo({38, 78}, 4), SalmonOscuro());
        t.Figura(Rectangulo({56, 74, 24, 8}, 3), PizarraClara());
    });
}

void Cronometro(Trazo& t, const QRectF& r, qreal fraccion) {
    t.En(r, [&] {
        const QPointF c(50, 56);
        t.Figura(Rectangulo({43, 6, 14, 9}, 3), Salmon());
        t.Linea({50, 15}, {50, 20}, Pizarra(), 1.4);
        QTransform giro;
        giro.translate(c.x(), c.y());
        giro.rotate(45);
        t.Figura(giro.map(Rectangulo({-4, -44, 8, 8}, 2)), Salmon());
        t.Figura(Circulo(c, 36), Crema());
        QPainterPath cuna(c);
        cuna.arcTo(QRectF(c.x() - 28, c.y() - 28, 56, 56), 90, -fraccion * 360);
        cuna.closeSubpath();
        t.Relleno(cuna, Salmon());
        for (int i = 0; i < 4; ++i) {
            const qreal a = i * M_PI / 2;
            t.Linea(c + QPointF(std::sin(a), -std::cos(a)) * 30, c + QPointF(std::sin(a), -std::cos(a)) * 34,
                    Pizarra(), 0.8);
        }
        const qreal a = fraccion * 2 * M_PI;
        t.Linea(c, c + QPointF(std::sin(a), -std::cos(a)) * 26, Pizarra());
        t.Relleno(Circulo(c, 4), Pizarra());
    });
}

void Lupa(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        QTransform giro;
        giro.translate(42, 42);
        giro.rotate(45);
        t.Figura(giro.map(Rectangulo({30, -8, 36, 16}, 7)), Salmon());
        t.Figura(giro.map(Rectangulo({25, -5, 8, 10})), PizarraMedia());
        t.Figura(Circulo({42, 42}, 30), PizarraClara());
        t.Figura(Circulo({42, 42}, 22), Blanco());
        QPainterPath brillo;
        brillo.arcMoveTo(QRectF(28, 28, 28, 28), 100);
        brillo.arcTo(QRectF(28, 28, 28, 28), 100, 70);
        t.Linea(brillo, PizarraClara(), 0.9);
    });
}

void Bandera(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        t.Figura(Rectangulo({16, 8, 8, 86}, 4), PizarraMedia());
        QPainterPath tela({24, 14});
        tela.cubicTo(44, 4, 64, 24, 88, 12);
        tela.lineTo(88, 58);
        tela.cubicTo(64, 70, 44, 50, 24, 60);
        tela.closeSubpath();
        t.Relleno(tela, Blanco());
        t.Pintor().save();
        t.Pintor().setClipPath(tela);
        const qreal ancho = 64.0 / 4, alto = 17;
        for (int fila = 0; fila < 4; ++fila)
            for (int col = 0; col < 4; ++col)
                if ((fila + col) % 2 == 0) {
                    // Each square follows the wave of the cloth at its column.
                    const qreal x = 24 + col * ancho;
                    const qreal onda = 6 * std::sin((x - 24) / 64.0 * 2 * M_PI) * -1;
                    t.Relleno(Rectangulo({x, 4 + fila * alto + onda, ancho, alto}), Pizarra());
                }
        t.Pintor().restore();
        t.Linea(tela, Pizarra());
    });
}

void Libreta(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        t.Figura(Rectangulo({16, 12, 68, 84}, 8), Salmon());
        t.Figura(Rectangulo({24, 22, 52, 66}, 3), Blanco());
        t.Figura(Rectangulo({36, 5, 28, 14}, 5), PizarraMedia());
        for (qreal y : {38.0, 50.0, 62.0, 74.0}) {
            t.Relleno(Circulo({32, y}, 2.6), SalmonOscuro());
            t.Linea({39, y}, {y == 74.0 ? 56.0 : 67.0, y}, PizarraMedia(), 0.8);
        }
    });
}

void Barras(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        t.Figura(Rectangulo({14, 52, 20, 38}, 3), Salmon());
        t.Figura(Rectangulo({40, 20, 20, 70}, 3), Azul());
        t.Figura(Rectangulo({66, 38, 20, 52}, 3), Verde());
        t.Linea({6, 92}, {94, 92}, Pizarra());
    });
}

void Puerta(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        t.Figura(Rectangulo({10, 8, 46, 86}, 3), Pizarra());
        t.Figura(Poligono({{10, 8}, {38, 16}, {38, 88}, {10, 94}}), Crema());
        t.Relleno(Circulo({32, 54}, 3.5), Pizarra());
        t.Figura(Poligono({{48, 43}, {70, 43}, {70, 30}, {94, 51}, {70, 72}, {70, 59}, {48, 59}}), Salmon());
    });
}

void Bocadillo(Trazo& t, const QRectF& r, bool lineas) {
    t.En(r, [&] {
        QPainterPath globo = Rectangulo({6, 10, 88, 64}, 20);
        globo = globo.united(Poligono({{26, 66}, {22, 94}, {52, 70}}));
        t.Figura(globo, Salmon());
        if (lineas) {
            for (qreal y : {30.0, 42.0, 54.0})
                t.Ancha(Trayecto({{24, y}, {y == 54.0 ? 56.0 : 76.0, y}}), Blanco(), 8);
        } else {
            SignoBlanco(t, {25, 16, 50, 50}, Signo::Interrogacion);
        }
    });
}

void Persona(Trazo& t, const QRectF& r, const QColor& ropa) {
    t.En(r, [&] {
        t.Figura(Circulo({50, 92}, 36).intersected(Rectangulo({0, 0, 100, 94})), ropa);
        t.Figura(Circulo({50, 34}, 19), Melocoton());
    });
}

void Grupo(Trazo& t, const QRectF& r, const QColor& ropa) {
    t.En(r, [&] {
        Persona(t, {-4, 6, 62, 62}, PizarraClara());
        Persona(t, {42, 6, 62, 62}, PizarraClara());
        Persona(t, {16, 28, 68, 68}, ropa);
    });
}

void Carpeta(Trazo& t, const QRectF& r, bool abierta) {
    t.En(r, [&] {
        const QPainterPath fondo = Rectangulo({6, 28, 88, 62}, 6).united(Rectangulo({6, 16, 38, 22}, 5));
        if (abierta) {
            t.Figura(fondo, SalmonOscuro());
            t.Figura(Rectangulo({14, 32, 72, 30}, 2), Blanco());
            t.Figura(Poligono({{18, 46}, {98, 46}, {86, 90}, {6, 90}}), Salmon());
        } else {
            t.Figura(fondo, Salmon());
            t.Linea({6, 38}, {94, 38}, Pizarra());
        }
    });
}

void Clavija(Trazo& t, const QRectF& r, bool conectada) {
    t.En(r, [&] {
        const qreal x = conectada ? 30 : 14;  // left edge of the plug
        t.Linea({0, 50}, {x, 50}, Pizarra(), 1.8);
        for (qreal y : {40.0, 56.0}) t.Figura(Rectangulo({x + 22, y, 14, 5}, 1.5), PizarraClara());
        t.Figura(Rectangulo({x, 32, 24, 36}, 6), Salmon());
        t.Linea({x + 8, 40}, {x + 8, 60}, SalmonOscuro(), 0.8);
        t.Figura(Rectangulo({62, 22, 30, 56}, 8), conectada ? Crema() : Blanco());
        for (qreal y : {42.5, 58.5}) t.Relleno(Circulo({72, y}, 3), Pizarra());
        t.Linea({100, 50}, {92, 50}, Pizarra(), 1.8);
    });
}

void Birrete(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        t.Figura(Rectangulo({28, 44, 44, 26}, 8), Crema());
        t.Figura(Poligono({{50, 20}, {94, 39}, {50, 58}, {6, 39}}), Blanco());
        t.Linea(Trayecto({{50, 39}, {82, 50}, {82, 66}}), Salmon(), 1.3);
        t.Figura(Circulo({82, 70}, 5.5), Salmon());
        t.Relleno(Circulo({50, 39}, 4.5), Pizarra());
    });
}

void Papelera(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        t.Figura(Poligono({{20, 28}, {80, 28}, {74, 94}, {26, 94}}), PizarraClara());
        for (qreal x : {38.0, 50.0, 62.0}) t.Linea({x, 40}, {x, 82}, PizarraMedia(), 0.8);
        t.Figura(Rectangulo({38, 6, 24, 12}, 4), Rojo());
        t.Figura(Rectangulo({12, 16, 76, 12}, 4), Rojo());
    });
}

void Disquete(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        t.Figura(Poligono({{10, 10}, {76, 10}, {90, 24}, {90, 90}, {10, 90}}), Azul());
        t.Figura(Rectangulo({26, 10, 42, 26}, 2), PizarraClara());
        t.Relleno(Rectangulo({54, 15, 8, 16}, 1), Azul());
        t.Figura(Rectangulo({22, 52, 56, 38}, 3), Blanco());
    });
}

void Deshacer(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        QPainterPath arco({30, 44});
        arco.cubicTo(50, 26, 88, 32, 86, 62);
        arco.cubicTo(84, 82, 62, 88, 46, 84);
        t.Ancha(arco, Pizarra(), 22);
        t.Ancha(arco, Salmon(), 22 - 2 * t.Grosor());
        t.Figura(Poligono({{8, 40}, {44, 14}, {48, 64}}), Salmon());
    });
}

void Impresora(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        t.Figura(Rectangulo({26, 6, 48, 30}, 2), Blanco());
        t.Figura(Rectangulo({6, 30, 88, 42}, 8), PizarraMedia());
        t.Relleno(Circulo({80, 44}, 4), Verde());
        t.Figura(Rectangulo({24, 56, 52, 38}, 2), Blanco());
        for (qreal y : {68.0, 80.0}) t.Linea({34, y}, {66, y}, PizarraClara(), 0.8);
    });
}

void LlaveCerradura(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        QTransform giro;
        giro.translate(50, 50);
        giro.rotate(-45);
        QPainterPath llave = Circulo({-22, 0}, 22).united(Rectangulo({-4, -7, 52, 14}, 3));
        llave = llave.united(Rectangulo({30, 0, 9, 20}, 2)).united(Rectangulo({42, 0, 8, 16}, 2));
        llave = llave.subtracted(Circulo({-28, 0}, 7));
        t.Figura(giro.map(llave), Ambar());
    });
}

void Casa(Trazo& t, const QRectF& r) {
    t.En(r, [&] {
        t.Figura(Rectangulo({18, 44, 64, 48}, 3), Crema());
        t.Figura(Rectangulo({42, 62, 16, 30}, 2), Salmon());
        t.Figura(Poligono({{50, 8}, {94, 48}, {6, 48}}), Salmon());
    });
}

void Navegar(Trazo& t, const QRectF& r, bool adelante, bool tope) {
    t.En(r, [&] {
        // Drawn pointing left, then mirrored for the forward arrows.
        QTransform espejo;
        if (adelante) espejo = QTransform(-1, 0, 0, 1, 100, 0);
        const qreal punta = tope ? 28 : 18;
        t.Figura(espejo.map(Poligono({{punta, 50}, {78, 14}, {78, 86}})), Salmon());
        if (tope) t.Figura(espejo.map(Rectangulo({10, 14, 12, 72}, 3)), Pizarra());
    });
}

void CarpetaFlecha(Trazo& t, const QRectF& r, bool saliendo) {
    t.En(r, [&] {
        Carpeta(t, {0, 8, 84, 84}, false);
        // The arrow points up and out of the folder, or down into it.
        const QPainterPath arriba =
            Poligono({{74, 8}, {98, 36}, {82, 36}, {82, 70}, {66, 70}, {66, 36}, {50, 36}});
        const QTransform abajo(1, 0, 0, -1, 0, 78);
        t.Figura(saliendo ? arriba : abajo.map(arriba), Verde());
    });
}

}  // namespace Pieza
