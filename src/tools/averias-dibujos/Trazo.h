#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <functional>

// The colours of every picture: the program's default accent (salmon), white and dark slate,
// with a few signal colours toned to sit beside them.
namespace Paleta {
inline QColor Salmon() {
    return QColor(0xEA, 0x92, 0x82);
}
inline QColor SalmonOscuro() {
    return QColor(0xC9, 0x67, 0x57);
}
inline QColor Melocoton() {
    return QColor(0xFD, 0xE5, 0xCE);
}  // the status panel colour 13559037
inline QColor Crema() {
    return QColor(0xFF, 0xF7, 0xF0);
}
inline QColor Blanco() {
    return QColor(0xFF, 0xFF, 0xFF);
}
inline QColor Pizarra() {
    return QColor(0x2F, 0x3E, 0x4E);
}
inline QColor PizarraMedia() {
    return QColor(0x6B, 0x7A, 0x8A);
}
inline QColor PizarraClara() {
    return QColor(0xD5, 0xDC, 0xE3);
}
inline QColor Verde() {
    return QColor(0x3F, 0xA3, 0x7C);
}
inline QColor Rojo() {
    return QColor(0xD6, 0x4B, 0x3C);
}
inline QColor Ambar() {
    return QColor(0xF4, 0xB7, 0x40);
}
inline QColor Azul() {
    return QColor(0x4C, 0x7A, 0x9E);
}
}  // namespace Paleta

// Draws on a picture in a square of 100 units per piece, whatever its size in pixels.
// Outlines keep the same width in pixels however deep the pieces are nested, so that every
// picture of one size has one line width.
class Trazo {
public:
    Trazo(QPainter& pintor, qreal grosorPixeles);

    QPainter& Pintor() { return pintor_; }
    // Outline width in the current units.
    qreal Grosor() const;

    // Runs `dibujo` with the 100-unit square mapped onto `destino`.
    void En(const QRectF& destino, const std::function<void()>& dibujo);
    // Filled shape with the slate outline.
    void Figura(const QPainterPath& camino, const QColor& relleno);
    void Figura(const QPainterPath& camino, const QColor& relleno, const QColor& borde);
    // Fill only, no outline.
    void Relleno(const QPainterPath& camino, const QColor& color);
    // Stroke only, round caps; `factor` widens or narrows the standard line.
    void Linea(const QPainterPath& camino, const QColor& color, qreal factor = 1.0);
    void Linea(QPointF desde, QPointF hasta, const QColor& color, qreal factor = 1.0);
    // Stroke of a given width in units, for signs that grow with their badge.
    void Ancha(const QPainterPath& camino, const QColor& color, qreal ancho);

private:
    QPainter& pintor_;
    qreal grosorPixeles_;
};

// Outline width in pixels for a picture whose smaller side is `lado` pixels.
qreal GrosorPara(int lado);

// A picture of `tamano` pixels over `fondo`, drawn by `dibujo` in a 100-unit square
// (a wider picture gets proportionally more units across). Outlines are `grosorPixeles` wide,
// or as GrosorPara gives for the size when it is 0; large illustrations want finer lines.
QImage Pintar(QSize tamano, const QColor& fondo, const std::function<void(Trazo&)>& dibujo,
              qreal grosorPixeles = 0);
// The same look greyed out and faded, for a disabled control.
QImage Apagada(const QImage& imagen);

// Shape helpers in the current units.
QPainterPath Rectangulo(const QRectF& r, qreal radio = 0);
QPainterPath Circulo(QPointF centro, qreal radio);
QPainterPath Poligono(std::initializer_list<QPointF> puntos);
QPainterPath Trayecto(std::initializer_list<QPointF> puntos);
