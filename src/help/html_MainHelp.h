#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>

#include "HistorialAyuda.h"
#include "LibrosAyuda.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPrinter;
class QSplitter;
class QToolButton;
class VisorAyuda;

// The help window: a book's topic list and content side by side, as its frame set lays
// them out, with a start button, history, find and printing.
class Thtml_FMainHelp : public QDialog {
    Q_OBJECT
public:
    explicit Thtml_FMainHelp(int libro, QWidget* parent = nullptr);

    int Libro() const { return libro_; }
    // Builds the topic page of the Tag's topic in this book and shows it.
    void MostrarTema(int tag);
    // Shows a page: a frame set fills both panes, any other page the content pane.
    void AbrirPagina(const QString& archivo, const QString& ancla = {});
    // Shows this page when the window appears, instead of the topic of the window in front.
    void FijarPaginaInicial(const QString& archivo, const QString& ancla = {});
    // What a click on a link of a pane does.
    void SeguirEnlace(const QUrl& enlace, VisorAyuda* desde);

    void SpeedButtonInicioClick();
    void ItemImprimirClick();
    void ItemVistaPreviaClick();
    void Buscar();
    void BuscarSiguiente();
    // Paints the content pane's document on a printer, with its header and footer lines,
    // the pages that the printer's range asks for.
    void Imprimir(QPrinter* impresora);

    // The file the content pane shows, and the history of pages shown.
    QString ArchivoContenido() const;
    const HistorialAyuda& Historial() const { return historial_; }

    // How mail, web, sound and video links reach the desktop (the tests record them).
    static std::function<bool(const QUrl&)> AbrirEnEscritorio;

    VisorAyuda* VisorTemas;
    VisorAyuda* VisorContenido;

protected:
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void crearMenu();
    void crearBarra();
    void crearBusqueda();
    void ponerTextos();
    // The content pane tells the page it shows (its source() still names the one before).
    void paginaMostrada(const QUrl& url);
    void rehacerMenuHistorial();
    void volverA(int entrada);
    void abrirVentanaNueva(const QString& archivo, const QString& ancla);

    int libro_;
    int tagAlAbrir_ = 0;
    bool mostrada_ = false;
    QString paginaInicial_, anclaInicial_;
    QString conjunto_, tituloConjunto_;  // the frame set shown, when there is one
    HistorialAyuda historial_;

    QMenuBar* MenuPrincipal;
    QMenu* MenuArchivo;
    QAction* ItemImprimir;
    QAction* ItemVistaPrevia;
    QAction* ItemSalir;
    QMenu* MenuHistorial;
    QMenu* MenuBuscar;
    QAction* ItemBuscar;
    QAction* ItemBuscarSiguiente;
    QToolButton* SpeedButtonInicio;
    QToolButton* SpeedButtonAtras;
    QToolButton* SpeedButtonAdelante;
    QToolButton* SpeedButtonSalir;
    QLineEdit* EditDireccion;
    QSplitter* SplitterMarcos;
    QWidget* PanelBuscar;
    QLabel* LabelBuscar;
    QLineEdit* EditBuscar;
    QToolButton* SpeedButtonBuscar;
    QLabel* LabelNoEncontrado;
};

// Opens the help window at a book, modally, when none is open; does nothing when one is.
void MostrarAyuda(int libro);
// The help window open now, or nullptr.
Thtml_FMainHelp* AyudaAbierta();
// The page that the program's command line names: the next help window opens there.
void FijarPaginaDeLineaDeOrdenes(const QString& pagina);
