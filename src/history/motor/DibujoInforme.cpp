#include "DibujoInforme.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPdfWriter>

namespace informes {

namespace {

constexpr qreal kRelleno = 0.6;

class Escala {
public:
    Escala(const QPaintDevice* d, QPointF origen)
        : x_(d->logicalDpiX() / 25.4), y_(d->logicalDpiY() / 25.4), origen_(origen) {}
    QPointF Punto(QPointF mm) const { return {origen_.x() + mm.x() * x_, origen_.y() + mm.y() * y_}; }
    QRectF Caja(const QRectF& mm) const { return {Punto(mm.topLeft()), Punto(mm.bottomRight())}; }
    qreal Ancho(qreal mm) const { return mm * x_; }

private:
    qreal x_, y_;
    QPointF origen_;
};

QPen Pluma(const ElementoPagina& e, const Escala& s) {
    QPen pluma(e.trazo, std::max<qreal>(1, s.Ancho(e.grosor)));
    pluma.setCapStyle(Qt::FlatCap);
    if (e.discontinua) pluma.setStyle(Qt::DashLine);
    return pluma;
}

void DibujarTexto(QPainter& p, const ElementoPagina& e, const Escala& s) {
    const QRectF caja = s.Caja(e.caja);
    if (e.fondo.isValid()) p.fillRect(caja, e.fondo);
    if (e.grosor > 0) {
        p.setPen(Pluma(e, s));
        p.setBrush(Qt::NoBrush);
        p.drawRect(caja);
    }
    const qreal relleno = (e.grosor > 0 || e.fondo.isValid()) ? kRelleno : 0;
    const qreal altoTexto = e.lineas.size() * e.altoLinea;
    qreal arriba = e.caja.top();
    if (e.alineacion & Qt::AlignVCenter) arriba += (e.caja.height() - altoTexto) / 2;
    if (e.alineacion & Qt::AlignBottom) arriba += e.caja.height() - altoTexto;
    p.setFont(QFont(FuenteQt(e.letra), p.device()));
    p.setPen(e.color);
    const Qt::Alignment horizontal = e.alineacion & Qt::AlignHorizontal_Mask;
    for (int i = 0; i < e.lineas.size(); ++i) {
        const QRectF linea(e.caja.left() + relleno, arriba + i * e.altoLinea, e.caja.width() - 2 * relleno,
                           e.altoLinea);
        p.drawText(s.Caja(linea), int(horizontal | Qt::AlignVCenter) | Qt::TextSingleLine | Qt::TextDontClip,
                   e.lineas[i]);
    }
}

void DibujarImagen(QPainter& p, const ElementoPagina& e, const Escala& s) {
    if (e.imagen.isNull()) return;
    // The picture keeps its proportions, centred in its box.
    const QRectF caja = s.Caja(e.caja);
    QSizeF tamano = QSizeF(e.imagen.size()).scaled(caja.size(), Qt::KeepAspectRatio);
    QRectF destino(QPointF(), tamano);
    destino.moveCenter(caja.center());
    p.drawImage(destino, e.imagen);
}

}  // namespace

void DibujarPagina(QPainter& p, const InformePreparado& informe, int pagina, QPointF origen) {
    if (pagina < 0 || pagina >= informe.paginas.size()) return;
    const Escala s(p.device(), origen);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const ElementoPagina& e : informe.paginas[pagina].elementos) {
        switch (e.tipo) {
            case TipoObjeto::Texto:
                DibujarTexto(p, e, s);
                break;
            case TipoObjeto::Linea:
                p.setPen(Pluma(e, s));
                p.drawLine(s.Punto(e.caja.topLeft()), s.Punto(e.caja.bottomRight()));
                break;
            case TipoObjeto::Marco: {
                p.setPen(e.grosor > 0 ? Pluma(e, s) : QPen(Qt::NoPen));
                p.setBrush(e.fondo.isValid() ? QBrush(e.fondo) : QBrush(Qt::NoBrush));
                const qreal r = s.Ancho(e.redondeo);
                p.drawRoundedRect(s.Caja(e.caja), r, r);
                break;
            }
            case TipoObjeto::Imagen:
                DibujarImagen(p, e, s);
                break;
        }
    }
    p.restore();
}

QList<int> OrdenPaginas(int desde, int hasta, int copias, bool intercalar) {
    QList<int> orden;
    if (desde < 1 || hasta < desde || copias < 1) return orden;
    if (intercalar) {
        for (int c = 0; c < copias; ++c)
            for (int i = desde; i <= hasta; ++i) orden << i - 1;
    } else {
        for (int i = desde; i <= hasta; ++i)
            for (int c = 0; c < copias; ++c) orden << i - 1;
    }
    return orden;
}

std::optional<std::pair<int, int>> LeerRango(const QString& texto, int paginas) {
    const QString t = texto.trimmed();
    const qsizetype guion = t.indexOf('-');
    bool ok1 = true, ok2 = true;
    int desde, hasta;
    if (guion < 0) {
        desde = hasta = t.toInt(&ok1);
    } else {
        const QString a = t.left(guion).trimmed(), b = t.mid(guion + 1).trimmed();
        desde = a.isEmpty() ? 1 : a.toInt(&ok1);
        hasta = b.isEmpty() ? paginas : b.toInt(&ok2);
    }
    if (!ok1 || !ok2 || desde < 1 || hasta < desde || desde > paginas) return std::nullopt;
    return std::pair(desde, std::min(hasta, paginas));
}

bool EnviarPaginas(QPagedPaintDevice& dispositivo, const InformePreparado& informe, const QList<int>& orden) {
    const QPageSize tamano(informe.tamano, QPageSize::Millimeter);
    const auto orientacion =
        informe.tamano.width() > informe.tamano.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
    dispositivo.setPageLayout(
        QPageLayout(tamano, orientacion, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    QPainter p;
    if (!p.begin(&dispositivo)) return false;
    for (int i = 0; i < orden.size(); ++i) {
        if (i > 0 && !dispositivo.newPage()) return false;
        DibujarPagina(p, informe, orden[i]);
    }
    return p.end();
}

bool GuardarPdf(const InformePreparado& informe, const QString& ruta, QString& error) {
    QPdfWriter pdf(ruta);
    pdf.setResolution(600);
    pdf.setTitle(informe.titulo);
    pdf.setCreator("Averías");
    QList<int> todas;
    for (int i = 0; i < informe.Paginas(); ++i) todas << i;
    if (!EnviarPaginas(pdf, informe, todas) || !QFile::exists(ruta)) {
        error = TextoMotor(38022).arg(ruta);
        return false;
    }
    return true;
}

}  // namespace informes
