#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPair>
#include <QWidget>

class QLabel;
class QLayout;
class QPushButton;
class TDataSource;
class TDBEdit;
class TDBMemo;
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
    // A field's background colour.
    static void PintarCampo(QWidget* campo, const QColor& color);
    // The editable look (fields the teacher types in white, the ones only shown in the button
    // colour) or the empty one (all grey, nothing to type in).
    void PintarAspecto(const QList<QWidget*>& editables, const QList<QWidget*>& soloLectura, bool vacio);
    // An edit bound to a field: what the teacher types is an unsaved change while the
    // page's flag in the class management window is set.
    TDBEdit* CampoDatos(const char* nombre, TDataSource* fuente, const QString& campo,
                        bool TFDMT_GestAlumnado::*bandera);
    // An edit that shows a field the teacher never types (group, subject, password).
    TDBEdit* CampoMostrado(const char* nombre, TDataSource* fuente, const QString& campo);
    // The notes of a record: what the teacher types is an unsaved change as in CampoDatos.
    TDBMemo* MemoDatos(const char* nombre, TDataSource* fuente, const QString& campo,
                       bool TFDMT_GestAlumnado::*bandera);
    // The password sheet's button ("SpeedButtonImpPassword").
    QPushButton* BotonContrasenas();
    // The frame of a page of one record and its list (students, subgroups): a row of
    // actions, the record's fields, the password with its print button, the notes (which
    // grow), and beside them a box with the list over the history button.
    struct Ficha {
        QList<QPushButton*> acciones;
        QLabel* subtitulo = nullptr;
        QList<QPair<QLabel*, QWidget*>> campos;
        QLabel* etiquetaPassword = nullptr;
        QWidget* password = nullptr;
        QPushButton* imprimir = nullptr;
        QLabel* etiquetaObservaciones = nullptr;
        QWidget* observaciones = nullptr;
        QWidget* lista = nullptr;
        QPushButton* historico = nullptr;
    };
    QLayout* DisponerFicha(const Ficha& ficha);
    // A button whose action another part of the program sets: enabled only with it.
    static void HabilitarConAccion(QPushButton* boton, bool habilitado, bool hayAccion);
    // The group's password sheet; the unsaved-change flag is the same afterwards.
    void ImprimirHojaContrasenas();
    // The title and the line under it in the installation's accent colour, read now.
    static void PintarTituloYLinea(QLabel* titulo, QWidget* linea);

private:
    TFDMT_GestAlumnado* gestion_;
};

// A button glyph of "images\botones" (with its double-size picture when there is one).
QIcon Glifo(const char* nombre);
