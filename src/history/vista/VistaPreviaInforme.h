#pragma once

#include <QDialog>

#include "PaginasInforme.h"

class HojasInforme;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolButton;

// The preview of a prepared report: zoom, page navigation, find, print, save as PDF, help
// and exit. The report stays owned by the caller and must outlive the window.
class VistaPreviaInforme : public QDialog {
    Q_OBJECT
public:
    VistaPreviaInforme(const informes::InformePreparado& informe, int libroAyuda, QWidget* padre = nullptr);

    HojasInforme* Hojas() const { return hojas_; }
    // Finds the next place that holds `texto` (case and accents as typed are ignored for
    // case only), from the one found last; wraps round at the end. False when there is none.
    bool BuscarSiguiente(const QString& texto);
    void Primera();
    void Anterior();
    void Siguiente();
    void Ultima();
    void Imprimir();
    void GuardarComoPdf();
    void GuardarPdfEn(const QString& ruta);
    QString Estado() const;

protected:
    void showEvent(QShowEvent* e) override;

private:
    struct Sitio {
        int pagina = -1, elemento = -1, linea = -1;
    };

    void CrearControles();
    void PonerTextos();
    void ActualizarPagina(int pagina);
    void ActualizarZoom(qreal zoom);
    void ElegirZoom(int indice);
    void Avisar(const QString& texto);

    const informes::InformePreparado& informe_;
    int libroAyuda_;
    HojasInforme* hojas_ = nullptr;
    QComboBox* zoom_ = nullptr;
    QSpinBox* pagina_ = nullptr;
    QLabel* dePaginas_ = nullptr;
    QLineEdit* buscar_ = nullptr;
    QLabel* estado_ = nullptr;
    QList<QToolButton*> botones_;
    Sitio encontrado_;
    QString buscado_;
};

// Shows the preview modally.
void MostrarVistaPrevia(const informes::InformePreparado& informe, int libroAyuda, QWidget* padre = nullptr);
