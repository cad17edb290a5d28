#pragma once

#include <QGroupBox>
#include <QWidget>
#include <functional>

#include "DMT_Informes.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;
class TDBGrid;
class TDBLookupComboBox;
class TDBMemo;
class TdmCDS;

// The language texts of the controls of one history window, in their order on screen.
struct TextosVistaHistorico {
    int equipo, todas, una, averia, historico, comentarios, imprimir;
    // Detail labels: fault number, code, tutored, date, time, finished as, repaired.
    int nAveria, codigo, tutorizada, fecha, tiempo, finalizada, reparada;
};

// How one history window looks at the practices.
struct OpcionesVistaHistorico {
    TextosVistaHistorico textos;
    int nivelVista = 3;             // DMT_UtilHistorico::Nivel
    bool profesorEnPuesto = false;  // the teacher on the workstation: real numbers only
    bool numeroReal = true;         // the detail shows the real fault number
    int textoNoReparada = 177;      // "Finalizada como" of a practice ended as not repaired
    bool soloLineasConAccion = false;
};

// The detail of the current practice: fault number and code, tutored, start, total time,
// how it was finished and whether it was repaired.
class TDetalleAveria : public QGroupBox {
    Q_OBJECT
public:
    TDetalleAveria(const OpcionesVistaHistorico& opciones, QWidget* parent);
    void PonerTextos();
    // The current practice of `dm`, shown under `codigo` (the fault box's text).
    void MostrarDatosAveria(TdmCDS& dm, const QString& codigo);
    void LimpiarDatosAveria();

private:
    QLabel* valor(const char* nombreEtiqueta, const char* nombreValor, int fila);

    const OpcionesVistaHistorico& opciones_;
    QLabel *FadeLabelNAveria, *FadeLCodAveria, *FadeLabelTutorizada, *FadeLFecha, *FadeLTiempo,
        *FadeLabelFinalizada, *FadeLabelReparada;
    QList<QLabel*> etiquetas_;
};

// What both history windows are made of and do alike: the trainer box, the general list
// and the one-fault view with its detail and comments, printing and exporting the history.
// The window that holds it adds its title, owner and own buttons.
class TVistaHistorico : public QWidget {
    Q_OBJECT
public:
    TVistaHistorico(TdmCDS& dm, OpcionesVistaHistorico opciones, QWidget* parent);

    void PonerTextos();
    // Shows the practices under a base filter (all when empty): the trainers practised
    // on, the first of them, the general list. `filtroSemillasPrevio` stays in force.
    void Abrir(const QString& filtroBase, const QString& filtroSemillasPrevio = QString());

    // The handlers of the controls.
    void DBLookupComboBoxEquipoCloseUp();
    void RadioButtonTodasAveriasClick();
    void RadioButtonUnaAveriaClick();
    void DBLookupComboBoxAveriasCloseUp();
    // Opens the reports window for the chosen trainer; the practices' filter is put back.
    void SpeedBImprimirClick(const ContextoInformes& contexto);
    // Asks where to and copies the history's two files there.
    void ExportarHistorico();

    // The trainer chosen; -1 when the owner has no practice.
    int Equipo() const;
    const QString& FiltroBase() const { return filtroBase_; }
    bool HayReparaciones() const;
    QString TextoAveria() const;
    // Greys the controls of the owner's data and colours the title parts: the accent colour.
    QPushButton* BotonExportar() const { return SpeedButtonExpHistorico; }
    QPushButton* BotonImprimir() const { return SpeedBImprimir; }
    void Repintar();

    // The file of a history pair the teacher or student chooses (`guardar`: to export to);
    // tests set it in place of the file dialog.
    static inline std::function<QString(bool guardar)> ElegirArchivo;

signals:
    // The view changed between one fault and the general list (DMT_UtilHistorico::Modo).
    void ModoCambiado(int modo);

private:
    void CrearControles();
    // The chosen trainer's practices under the base filter, and their seeds.
    void FiltrarEquipo();
    // The fault box follows the practices, or waits while they are being filtered.
    void EnlazarAverias(bool enlazada);
    void ElegirPrimeraAveria();
    void VistaDeLineas();
    void FiltrarLineas(bool activo);

    TdmCDS& dm_;
    OpcionesVistaHistorico opciones_;
    QString filtroBase_;
    QString filtroSemillasPrevio_;

    QLabel* LabelEquipo;
    TDBLookupComboBox* DBLookupComboBoxEquipo;
    QRadioButton* RadioButtonTodasAverias;
    QRadioButton* RadioButtonUnaAveria;
    QLabel* LabelEscoger;
    TDBLookupComboBox* DBLookupComboBoxAverias;
    QLabel* LabelReparaciones;
    QWidget* ShapeReparaciones;
    TDBGrid* DBGridHistorico;
    TDetalleAveria* Detalle;
    QLabel* LabelComentarios;
    TDBMemo* DBMemoObserv;
    QPushButton* SpeedBImprimir;
    QPushButton* SpeedButtonExpHistorico;
};

// The file dialog of a history pair, or the choice a test set in its place; empty when
// cancelled.
QString ElegirArchivoHistorico(QWidget* padre, bool guardar);
