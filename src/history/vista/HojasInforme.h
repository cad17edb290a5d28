#pragma once

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <QList>

#include "PaginasInforme.h"

// The pages of a prepared report one below the other, at a zoom. Only the pages in view are
// drawn, each once per zoom and kept while it stays near the view.
class HojasInforme : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class Ajuste { Ninguno, AnchoPagina, PaginaEntera };

    explicit HojasInforme(const informes::InformePreparado& informe, QWidget* padre = nullptr);

    // 1 is the paper's own size on this screen.
    qreal Zoom() const { return zoom_; }
    void FijarZoom(qreal zoom);
    void FijarAjuste(Ajuste ajuste);
    Ajuste AjusteActual() const { return ajuste_; }
    void Acercar();
    void Alejar();

    // Pages from 0.
    int PaginaActual() const;
    void IrAPagina(int pagina);
    // Marks a place of a page (mm) and brings it into view; an empty box clears the mark.
    void Senalar(int pagina, const QRectF& caja);
    // Pages drawn since the report was shown (for the tests that check only visible pages are).
    int PaginasDibujadas() const { return dibujadas_; }

    static constexpr qreal kZoomMinimo = 0.25, kZoomMaximo = 4;

signals:
    void ZoomCambiado(qreal zoom);
    void PaginaCambiada(int pagina);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    qreal PixelesPorMm() const;
    QSize TamanoPagina() const;
    int Alto() const;
    int Arriba(int pagina) const;
    int Izquierda() const;
    const QImage& Imagen(int pagina);
    void Recolocar();
    void AplicarAjuste();

    const informes::InformePreparado& informe_;
    qreal zoom_ = 1;
    Ajuste ajuste_ = Ajuste::AnchoPagina;
    QHash<int, QImage> imagenes_;
    qreal zoomImagenes_ = 0;
    qreal ratioImagenes_ = 0;
    int senalPagina_ = -1;
    QRectF senalCaja_;
    int dibujadas_ = 0;
    // The page asked for last, while the view stays where that put it: the last pages
    // cannot reach the top of the view and are still the current one.
    int pedida_ = -1;
    int valorPedido_ = -1;
};
