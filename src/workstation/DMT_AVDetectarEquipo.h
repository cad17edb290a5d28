#pragma once

#include <QDialog>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;
struct TDatosPractica;

// Looks for the trainer on the serial ports, reads its code and finds it among the
// enabled trainers; the only way out is the accept button, once the search has ended.
class TFDMT_AVDetectarEquipo : public QDialog {
    Q_OBJECT
public:
    TFDMT_AVDetectarEquipo(TDatosPractica& practica, QWidget* parent = nullptr);

    // Runs the search now (the window does it one second after it is shown).
    void TimerDetectarTimer();
    bool EntrenadorDetectado() const { return detectado_; }

    // Lets the user pick the trainer model when several share a code (the model chooser);
    // set by start-up. Returns the chosen code, or the code itself.
    static inline std::function<int(int codigo)> ElegirModelo;

    void reject() override {}  // neither Esc nor the title bar: only BtnAceptar

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void EquipoDetectado();
    void mostrarResultado(int texto, int imagen);
    void mostrarResultado(const QString& texto, int imagen);

    TDatosPractica& practica_;
    QLabel* FadeLBus;
    QFrame* ShapeMotor;
    QLabel* LabelMotor;
    QLabel* ImageDetectado;
    QPushButton* BtnAceptar;
    QTimer* TimerDetectar;
    bool detectado_ = false;
};

// Shows the detection window; 1 when a known trainer was found, else 2. The practice
// state's trainer code says which (0: none).
int DetectarEntrenador(TDatosPractica& practica, QWidget* parent = nullptr);

// Finds the first enabled trainer, in the table's order, whose identification text begins
// with the code's decimal text; moves cdsEquipo to it. False when there is none.
bool LocalizarEquipoPorCodigo(int codigo);
