#pragma once

#include <QColor>
#include <QIcon>
#include <QWidget>

class QLabel;
class QLayout;
class QPushButton;
class TFDMT_GestAlumnado;

// A page of the class management window: embedded in its right-hand panel, created on
// first use and kept; the window runs its show routine each time it shows it.
class TPaginaGestion : public QWidget {
    Q_OBJECT
public:
    TPaginaGestion(TFDMT_GestAlumnado* gestion, const char* nombre, int tag, QWidget* parent);

    // Captions, look and edit state for the current record.
    virtual void FormShow() = 0;
    virtual void AspectoEditable() {}
    virtual void AspectoVacio() {}

    TFDMT_GestAlumnado* Gestion() const { return gestion_; }

    // The colour of the fields of a page without a record.
    static QColor GrisVacio() { return QColor(225, 225, 225); }
    // A field's background colour.
    static void PintarCampo(QWidget* campo, const QColor& color);

protected:
    // The page was hidden: its flag in the class management window is cleared.
    virtual void FormHide() {}
    void hideEvent(QHideEvent* evento) override;

    // Controls every page is made of.
    QLabel* Titulo(const char* nombre, const QString& texto);
    QWidget* Linea(const char* nombre);
    QPushButton* Boton(const char* nombre, const QString& texto, const char* glifo);
    // The frame every page shares: title, line, heading, the page's own controls, and the
    // save and undo buttons at the bottom right. Controls that do not grow keep to the top.
    void Disponer(QLabel* titulo, QWidget* linea, QWidget* encabezado, QLayout* contenido,
                  QPushButton* aceptar, QPushButton* cancelar, bool contenidoCrece);
    // The title and the line under it in the installation's accent colour, read now.
    static void PintarTituloYLinea(QLabel* titulo, QWidget* linea);

private:
    TFDMT_GestAlumnado* gestion_;
};

// A button glyph of "images\botones" (with its double-size picture when there is one).
QIcon Glifo(const char* nombre);
