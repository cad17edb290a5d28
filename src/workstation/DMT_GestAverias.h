#pragma once

#include <QMainWindow>
#include <QMap>
#include <functional>
#include <memory>

#include "EstadoPractica.h"

class QAction;
class TComBrd415;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTimer;
class QToolBar;
class QToolButton;

// The student's main window: the practice actions on a toolbar and a menu, the trainer
// and practice state in two boxes, and one practice panel at a time in the client area.
class TFDMT_GestAverias : public QMainWindow {
    Q_OBJECT
public:
    explicit TFDMT_GestAverias(int tipoUsuario, QWidget* parent = nullptr);
    ~TFDMT_GestAverias() override;

    TDatosPractica DatosPractica;

    // Sets toolbar, menu, picture, hint and state text from DatosPractica.Estado.
    void ActualizarEstado();
    QWidget* PanelForms() const { return PanelForms_; }
    // The pause button's caption tells the direction of the next press.
    void MostrarBotonPausa(bool enPausa);
    // One second after opening: finds the trainer and shows it.
    void Timer1Timer();
    // Provokes a fault chosen among the group's seeds and starts its repair.
    void ItemProvocaraveriaClick();
    // Puts the chosen fault (DatosPractica.IdAveria) on the trainer and records its start;
    // false (text 146, every relay released) when the trainer does not take it.
    bool EmpezarReparacion();
    // Pauses the running repair, or resumes the paused one (the pause button tells which).
    void ItemPausaReanudaraveriaClick();
    // Takes up this user's paused repair for this group, trainer and mode, if there is one.
    void RecuperarReparacionPausada();
    // Ends the practice running: a repair is closed with its verdict, a dysfunction only
    // releases the trainer. False when the student cancelled.
    bool FinalizarPractica();
    // Writes the finish of the running repair and shows the verdict; false when it could
    // not be written (the tables are back as they were).
    bool CerrarReparacion(bool reparada);
    // Whether the diagnosis in force is right; false while the diagnosis panel was never opened.
    bool DiagnosticoCorrecto() const;
    // The student states a diagnosis: the diagnosis panel takes the repair panel's place.
    void ItemRepararaveriaClick();
    // Back from the diagnosis to the running repair.
    void VolverAReparacion();
    // Puts a fault on the trainer to be watched: no record is written.
    void ItemProvocardisfuncionClick();

    // The user's history: text 172 when there is no practice yet, else the history panel.
    void MItemVerhistoricoClick();
    // Opens the logged user's history (created at the first practice); false when it is
    // damaged, which has been reported: the window must not open.
    bool AbrirHistoricoUsuario();

    // The personal data dialog for a user kind, set by start-up (the dialog belongs to
    // class management, above this library).
    static inline std::function<void(int tipoUsuario)> MostrarDatosPersonales;
    // The history panel (a history window, above this library), set by start-up: shows
    // the open history of the logged user in the panel area.
    static inline std::function<void(TFDMT_GestAverias*)> MostrarHistorico;
    // The object name of that panel: a fault provoked while it is shown closes it first.
    static inline const QString kPanelHistorico = QStringLiteral("FDMT_AVGestHistorico");

signals:
    void Cerrada();

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    // The provoke dialog in a mode ("Reparar", "Disfuncion"); true when a fault was chosen.
    bool ElegirAveria(const QString& modo);
    // The trainer did not take the fault: every relay is released and the user told (text 146).
    void RelesRechazados();
    // The trainer box: the detected trainer's description, or text 171.
    void MostrarEntrenador();
    void VolverAReparacionEnPausa();
    void Pausar();
    void Reanudar();
    bool LocalizarReparacion();
    void InicializarPractica();
    void crearBarra();
    void crearMenu();
    void crearPanelMotor();
    void ponerTextos();
    void fijarActivo(const QString& nombre, bool activo);
    void mostrarImagenInfor(int imagen);
    void EscribirMemo(QPlainTextEdit* memo, const QString& primera, const QString& segunda);
    QToolButton* nuevoBoton(const char* nombre, const char* imagen, const QString& texto);

    QToolBar* BarraHtas;
    QToolButton* BtnAveria;
    QToolButton* BtnDisfuncion;
    QToolButton* BtnReparar;
    QToolButton* BtnPausa;
    QToolButton* BtnFinalizar;
    QToolButton* BtnHistorico;
    QToolButton* BtnAyuda;
    QToolButton* BtnSalir;
    QWidget* PanelMotor;
    QLabel* ImageInfor;
    QPlainTextEdit* MemoInfor1;
    QPlainTextEdit* MemoInfor2;

    QMenu* MItemAveria;
    QAction* ItemProvocaraveria;
    QAction* ItemPausaReanudaraveria;
    QAction* ItemRepararaveria;
    QAction* ItemFinalizarreparacionaveria;
    QMenu* MItemDisfuncion;
    QAction* ItemProvocardisfuncion;
    QAction* ItemFinalizardisfuncion;
    QAction* MItemDPersonales;
    QAction* MItemVerhistorico;
    QAction* MItemSalir;
    QMenu* MItemAyuda;
    QAction* ItemAyuda;

    QWidget* PanelForms_;
    QTimer* Timer1;
    std::unique_ptr<TComBrd415> Brd415;
    bool hayEntrenador_ = false;
    bool historicoAbierto_ = false;
    // A repair was paused when the dysfunction running now was provoked.
    bool reparacionEnEspera_ = false;
};

// Opens the workstation for a user kind (1 student, 2 subgroup, 3 teacher), maximised and
// modal; returns when it has closed. `alAbrir` runs once the window is sure to open (the
// login hides then). False when it did not open: the user's history is damaged (reported).
bool MostrarGestAverias(int tipoUsuario, const std::function<void()>& alAbrir = {});

// Pictures of the state box, 0 to 6.
QPixmap ImagenEstado(int imagen);
