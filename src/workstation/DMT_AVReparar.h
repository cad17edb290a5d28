#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class TClientDataSet;
class TField;
struct TDatosPractica;

// One entry of a diagnosis list: what the student reads and the record it stands for.
struct EntradaDiagnostico {
    QString descripcion;
    int codigo = -1;
};

// The entries of a block, circuit or element list over the rows `tabla` shows now, sorted
// by description: one per description, with the first row's code, unless a later row with
// that description is the fault's own (`codigoAveria`), which then stands for it. The
// table's current row is kept.
std::vector<EntradaDiagnostico> EntradasDiagnostico(TClientDataSet* tabla, TField* descripcion,
                                                    TField* codigo, int codigoAveria);

// The diagnosis of a running repair: the faulty block, circuit and element, as deep as the
// group asks. Every step and attempt becomes a line of the repair; the verdict drives the
// trainer. Free mode shows every list at once; tutorised mode opens them one by one and
// refuses a wrong block or circuit at once.
class TFDMT_AVReparar : public QWidget {
    Q_OBJECT
public:
    // What the workstation does for the panel.
    struct Puesto {
        std::function<void()> VolverAReparacion;  // state 3, the repair panel in front
        std::function<bool()> FinalizarPractica;
        std::function<void()> ActualizarEstado;
    };

    TFDMT_AVReparar(TDatosPractica& practica, QWidget* parent = nullptr);
    ~TFDMT_AVReparar() override;

    void FijarPuesto(Puesto puesto) { puesto_ = std::move(puesto); }
    // A new visit: the repair's start for the clock, and the attempt starts now.
    void Preparar(double inicioReparacion);

    // Every required level is chosen, each below a chosen one.
    bool EleccionCompleta() const;
    // The choice names the fault, judged at the deepest required level: the choice on
    // screen during a visit, else that of the last attempt.
    bool DiagnosticoCorrecto() const;
    // Forgets the choice: a practice that ends takes its diagnosis with it.
    void OlvidarEleccion();

    void ListBoxBloqueClick();
    void ListBoxCircuitoClick();
    void ListBoxComponenteClick();
    void BtnBloqueClick();
    void BtnCircuitoClick();
    void SpeedBRepararClick();
    void SpeedBCancelarClick();
    void TimerTTotalTimer();

protected:
    void showEvent(QShowEvent* evento) override;
    void hideEvent(QHideEvent* evento) override;

private:
    struct Eleccion {
        int bloque = -1;
        int circuito = -1;
        int elemento = -1;
    };
    // The codes chosen, each only below a chosen level; -1 where none is.
    Eleccion EleccionActual() const;
    void FormShow();
    void FormHide();
    void ponerTextos();
    void LeerNiveles();
    void mostrarListas();
    void LlenarBloques();
    void LlenarCircuitos();
    void LlenarComponentes();
    void llenar(QListWidget* lista, const std::vector<EntradaDiagnostico>& entradas);
    void elegirEntradaAveria(QListWidget* lista, int codigoAveria);
    void confirmado(QListWidget* lista, QLabel* etiquetaSiguiente, QListWidget* siguiente, bool mostrar);
    void RegistrarPaso();
    bool RegistrarIntento(bool reparada);
    void NuevaLinea(const QString& accion);
    void copiarComentarios();
    bool contieneElementoAveria(const QString& campo, int codigo) const;
    int campoAveria(TField* campo) const;

    TDatosPractica& practica_;
    Puesto puesto_;
    double inicioReparacion_ = 0;
    double inicioIntento_ = 0;
    int marcaLineas_ = 0;
    int nivelReparacion_ = 3;
    bool ExigeBloque = false;
    bool ExigeCircuito = false;
    bool ExigeComponente = false;
    bool Tutorizada = false;
    bool enVisita_ = false;
    // The choice of the last attempt recorded.
    Eleccion eleccionVigente_;

    QLabel* LabelTitulo;
    QGroupBox* GroupBoxTTotal;
    QLabel* LabelTTotal;
    QGroupBox* GroupBoxComps;
    QLabel* LabelDiagnostico;
    QLabel* LabelBloque;
    QListWidget* ListBoxBloque;
    QPushButton* BtnBloque;
    QLabel* LabelCircuito;
    QListWidget* ListBoxCircuito;
    QPushButton* BtnCircuito;
    QLabel* LabelComponente;
    QListWidget* ListBoxComponente;
    QLabel* LabelComentario;
    QPlainTextEdit* MemoObser;
    QPushButton* SpeedBReparar;
    QPushButton* SpeedBCancelar;
    QTimer* TimerTTotal;
};

// Creates the one diagnosis panel inside a host if it does not exist yet and starts a visit.
TFDMT_AVReparar* CrearPanelDiagnostico(QWidget* anfitrion, TDatosPractica& practica, double inicioReparacion);
TFDMT_AVReparar* PanelDiagnostico();
