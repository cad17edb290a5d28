#include "HojasInforme.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "DibujoInforme.h"

namespace {

constexpr int kSeparacion = 14;  // pixels around and between the pages
// Zoom steps of Ctrl + wheel and Ctrl +/-.
const QList<qreal> kPasos = {0.25, 0.33, 0.5, 0.67, 0.75, 0.9, 1, 1.1, 1.25, 1.5, 1.75, 2, 2.5, 3, 4};
// Pictures of pages kept beyond those in view.
constexpr int kGuardadas = 6;

}  // namespace

HojasInforme::HojasInforme(const informes::InformePreparado& informe, QWidget* padre)
    : QAbstractScrollArea(padre), informe_(informe) {
    setObjectName("HojasInforme");
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
    setFocusPolicy(Qt::StrongFocus);
}

qreal HojasInforme::PixelesPorMm() const {
    return logicalDpiX() / 25.4 * zoom_;
}

QSize HojasInforme::TamanoPagina() const {
    return {qRound(informe_.tamano.width() * PixelesPorMm()),
            qRound(informe_.tamano.height() * PixelesPorMm())};
}

int HojasInforme::Alto() const {
    return kSeparacion + informe_.Paginas() * (TamanoPagina().height() + kSeparacion);
}

int HojasInforme::Arriba(int pagina) const {
    return kSeparacion + pagina * (TamanoPagina().height() + kSeparacion);
}

int HojasInforme::Izquierda() const {
    const int ancho = TamanoPagina().width();
    const int libre = viewport()->width() - ancho;
    return libre > 2 * kSeparacion ? libre / 2 : kSeparacion - horizontalScrollBar()->value();
}

void HojasInforme::FijarZoom(qreal zoom) {
    ajuste_ = Ajuste::Ninguno;
    const qreal nuevo = std::clamp(zoom, kZoomMinimo, kZoomMaximo);
    if (std::abs(nuevo - zoom_) < 1e-6) return;
    const int pagina = PaginaActual();
    // Keep the same place of the current page at the top of the view.
    const qreal dentro = Arriba(pagina) > 0 ? qreal(verticalScrollBar()->value() - Arriba(pagina)) /
                                                  std::max(1, TamanoPagina().height())
                                            : 0;
    zoom_ = nuevo;
    Recolocar();
    verticalScrollBar()->setValue(Arriba(pagina) + qRound(dentro * TamanoPagina().height()));
    emit ZoomCambiado(zoom_);
}

void HojasInforme::FijarAjuste(Ajuste ajuste) {
    ajuste_ = ajuste;
    const int pagina = PaginaActual();
    AplicarAjuste();
    IrAPagina(pagina);
}

void HojasInforme::AplicarAjuste() {
    if (ajuste_ == Ajuste::Ninguno || informe_.tamano.isEmpty()) return;
    const qreal porMm100 = logicalDpiX() / 25.4;
    const qreal ancho = (viewport()->width() - 2 * kSeparacion) / (informe_.tamano.width() * porMm100);
    const qreal alto = (viewport()->height() - 2 * kSeparacion) / (informe_.tamano.height() * porMm100);
    const qreal zoom =
        std::clamp(ajuste_ == Ajuste::AnchoPagina ? ancho : std::min(ancho, alto), kZoomMinimo, kZoomMaximo);
    if (std::abs(zoom - zoom_) > 1e-6) {
        zoom_ = zoom;
        Recolocar();
        emit ZoomCambiado(zoom_);
    } else {
        Recolocar();
    }
}

void HojasInforme::Acercar() {
    for (qreal paso : kPasos)
        if (paso > zoom_ + 0.001) return FijarZoom(paso);
}

void HojasInforme::Alejar() {
    for (auto i = kPasos.rbegin(); i != kPasos.rend(); ++i)
        if (*i < zoom_ - 0.001) return FijarZoom(*i);
}

int HojasInforme::PaginaActual() const {
    if (informe_.Paginas() == 0) return 0;
    if (pedida_ >= 0 && verticalScrollBar()->value() == valorPedido_) return pedida_;
    // The page that holds the upper third of the view.
    const int y = verticalScrollBar()->value() + viewport()->height() / 3;
    const int pagina = (y - kSeparacion / 2) / (TamanoPagina().height() + kSeparacion);
    return std::clamp(pagina, 0, informe_.Paginas() - 1);
}

void HojasInforme::IrAPagina(int pagina) {
    if (informe_.Paginas() == 0) return;
    pagina = std::clamp(pagina, 0, informe_.Paginas() - 1);
    verticalScrollBar()->setValue(Arriba(pagina) - kSeparacion);
    pedida_ = pagina;
    valorPedido_ = verticalScrollBar()->value();
    viewport()->update();
    emit PaginaCambiada(pagina);
}

void HojasInforme::Senalar(int pagina, const QRectF& caja) {
    senalPagina_ = caja.isEmpty() ? -1 : pagina;
    senalCaja_ = caja;
    if (senalPagina_ >= 0) {
        const int y = Arriba(pagina) + qRound(caja.top() * PixelesPorMm());
        const int vista = verticalScrollBar()->value();
        if (y < vista || y + 20 > vista + viewport()->height())
            verticalScrollBar()->setValue(y - viewport()->height() / 3);
        const int x = qRound(caja.left() * PixelesPorMm()) + kSeparacion;
        if (x < horizontalScrollBar()->value() || x > horizontalScrollBar()->value() + viewport()->width())
            horizontalScrollBar()->setValue(x - kSeparacion);
        emit PaginaCambiada(pagina);
    }
    viewport()->update();
}

void HojasInforme::Recolocar() {
    const QSize pagina = TamanoPagina();
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, Alto() - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, pagina.width() + 2 * kSeparacion - viewport()->width()));
    viewport()->update();
}

const QImage& HojasInforme::Imagen(int pagina) {
    // Pictures drawn at another zoom or for another screen density are drawn again.
    if (zoomImagenes_ != zoom_ || ratioImagenes_ != devicePixelRatioF()) {
        imagenes_.clear();
        zoomImagenes_ = zoom_;
        ratioImagenes_ = devicePixelRatioF();
    }
    auto i = imagenes_.find(pagina);
    if (i != imagenes_.end()) return *i;
    // Forget the pictures of pages far from this one.
    const int actual = PaginaActual();
    for (auto j = imagenes_.begin(); j != imagenes_.end();)
        j = std::abs(j.key() - actual) > kGuardadas ? imagenes_.erase(j) : std::next(j);
    const qreal ratio = devicePixelRatioF();
    const qreal dpi = logicalDpiX() * zoom_ * ratio;
    QImage imagen(TamanoPagina() * ratio, QImage::Format_RGB32);
    imagen.setDotsPerMeterX(qRound(dpi / 0.0254));
    imagen.setDotsPerMeterY(qRound(dpi / 0.0254));
    imagen.fill(Qt::white);
    {
        QPainter p(&imagen);
        informes::DibujarPagina(p, informe_, pagina);
    }
    imagen.setDevicePixelRatio(ratio);
    ++dibujadas_;
    return *imagenes_.insert(pagina, imagen);
}

void HojasInforme::paintEvent(QPaintEvent* e) {
    QPainter p(viewport());
    // The desk the sheets lie on.
    p.fillRect(e->rect(), QColor(0x8a, 0x92, 0x9a));
    const QSize tamano = TamanoPagina();
    const int vista = verticalScrollBar()->value();
    const int x = Izquierda();
    const int paso = tamano.height() + kSeparacion;
    const int primera = std::max(0, (vista - kSeparacion) / std::max(1, paso));
    for (int i = primera; i < informe_.Paginas(); ++i) {
        const int y = Arriba(i) - vista;
        if (y > e->rect().bottom()) break;
        const QRect hoja(QPoint(x, y), tamano);
        if (!hoja.intersects(e->rect())) continue;
        p.fillRect(hoja.translated(3, 3), QColor(0, 0, 0, 70));
        p.drawImage(hoja.topLeft(), Imagen(i));
        p.setPen(QColor(0x55, 0x5b, 0x61));
        p.drawRect(hoja.adjusted(0, 0, -1, -1));
        if (i == senalPagina_) {
            const qreal mm = PixelesPorMm();
            const QRectF marca(hoja.left() + senalCaja_.left() * mm, hoja.top() + senalCaja_.top() * mm,
                               senalCaja_.width() * mm, senalCaja_.height() * mm);
            p.fillRect(marca.adjusted(-2, -1, 2, 1), QColor(255, 200, 0, 90));
            p.setPen(QPen(QColor(230, 140, 0), 1.5));
            p.drawRect(marca.adjusted(-2, -1, 2, 1));
        }
    }
}

void HojasInforme::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    const int pagina = PaginaActual();
    AplicarAjuste();
    Recolocar();
    if (ajuste_ != Ajuste::Ninguno) verticalScrollBar()->setValue(Arriba(pagina) - kSeparacion);
}

void HojasInforme::wheelEvent(QWheelEvent* e) {
    if (e->modifiers() & Qt::ControlModifier) {
        if (e->angleDelta().y() > 0) Acercar();
        if (e->angleDelta().y() < 0) Alejar();
        e->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(e);
}

void HojasInforme::scrollContentsBy(int, int) {
    viewport()->update();
    emit PaginaCambiada(PaginaActual());
}
