#include "Trazo.h"

#include <QPolygonF>
#include <cmath>

Trazo::Trazo(QPainter& pintor, qreal grosorPixeles) : pintor_(pintor), grosorPixeles_(grosorPixeles) {}

qreal Trazo::Grosor() const {
    const QTransform t = pintor_.worldTransform();
    const qreal escala = std::sqrt(t.m11() * t.m11() + t.m12() * t.m12());
    return grosorPixeles_ / escala;
}

void Trazo::En(const QRectF& destino, const std::function<void()>& dibujo) {
    pintor_.save();
    pintor_.translate(destino.topLeft());
    pintor_.scale(destino.width() / 100.0, destino.height() / 100.0);
    dibujo();
    pintor_.restore();
}

void Trazo::Figura(const QPainterPath& camino, const QColor& relleno) {
    Figura(camino, relleno, Paleta::Pizarra());
}

void Trazo::Figura(const QPainterPath& camino, const QColor& relleno, const QColor& borde) {
    Relleno(camino, relleno);
    QPen lapiz(borde, Grosor(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pintor_.strokePath(camino, lapiz);
}

void Trazo::Relleno(const QPainterPath& camino, const QColor& color) {
    pintor_.fillPath(camino, color);
}

void Trazo::Linea(const QPainterPath& camino, const QColor& color, qreal factor) {
    QPen lapiz(color, Grosor() * factor, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pintor_.strokePath(camino, lapiz);
}

void Trazo::Linea(QPointF desde, QPointF hasta, const QColor& color, qreal factor) {
    QPainterPath camino(desde);
    camino.lineTo(hasta);
    Linea(camino, color, factor);
}

void Trazo::Ancha(const QPainterPath& camino, const QColor& color, qreal ancho) {
    pintor_.strokePath(camino, QPen(color, ancho, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

qreal GrosorPara(int lado) {
    return 0.75 + lado / 32.0;
}

QImage Pintar(QSize tamano, const QColor& fondo, const std::function<void(Trazo&)>& dibujo,
              qreal grosorPixeles) {
    QImage imagen(tamano, QImage::Format_ARGB32_Premultiplied);
    imagen.fill(fondo);
    QPainter pintor(&imagen);
    pintor.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                          QPainter::SmoothPixmapTransform);
    const int lado = std::min(tamano.width(), tamano.height());
    pintor.scale(lado / 100.0, lado / 100.0);
    Trazo trazo(pintor, grosorPixeles > 0 ? grosorPixeles : GrosorPara(lado));
    dibujo(trazo);
    pintor.end();
    return imagen.convertToFormat(QImage::Format_ARGB32);
}

QImage Apagada(const QImage& imagen) {
    QImage gris = imagen.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < gris.height(); ++y) {
        auto* fila = reinterpret_cast<QRgb*>(gris.scanLine(y));
        for (int x = 0; x < gris.width(); ++x) {
            const QRgb p = fila[x];
            // Lighter grey than the luminance, so the shape reads as inactive but stays legible.
            const int luz = 110 + qGray(p) * 120 / 255;
            fila[x] = qRgba(luz, luz, luz + 6 > 255 ? 255 : luz + 6, qAlpha(p) * 60 / 100);
        }
    }
    return gris;
}

QPainterPath Rectangulo(const QRectF& r, qreal radio) {
    QPainterPath camino;
    if (radio > 0)
        camino.addRoundedRect(r, radio, radio);
    else
        camino.addRect(r);
    return camino;
}

QPainterPath Circulo(QPointF centro, qreal radio) {
    QPainterPath camino;
    camino.addEllipse(centro, radio, radio);
    return camino;
}

QPainterPath Poligono(std::initializer_list<QPointF> puntos) {
    QPainterPath camino;
    camino.addPolygon(QPolygonF(QList<QPointF>(puntos)));
    camino.closeSubpath();
    return camino;
}

QPainterPath Trayecto(std::initializer_list<QPointF> puntos) {
    QPainterPath camino;
    bool primero = true;
    for (const QPointF& p : puntos) {
        if (primero)
            camino.moveTo(p);
        else
            camino.lineTo(p);
        primero = false;
    }
    return camino;
}
