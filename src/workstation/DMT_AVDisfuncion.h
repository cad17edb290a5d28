#pragma once

#include <QWidget>

class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
struct TDatosPractica;

// The panel of a dysfunction: a fault put on the trainer to be watched, not diagnosed. It
// shows where the fault is (block, circuit and element, down to the configured repair
// level) and all of its symptoms, the workshop chief's and the customer's.
class TFDMT_AVDisfuncion : public QWidget {
    Q_OBJECT
public:
    TFDMT_AVDisfuncion(TDatosPractica& practica, QWidget* parent = nullptr);

    // momento: when the dysfunction was provoked, in days as the tables keep date-times.
    void Preparar(int codigo, const QString& nivelSintomas, double momento);

protected:
    void showEvent(QShowEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void ponerTextos();
    void mostrarAveria();
    void mostrarNivelReparacion();
    void mostrarSintomas();
    void colocarCliente(bool sobreJefeTaller);
    void pintarAcento();

    TDatosPractica& practica_;
    int codigo_ = -1;
    QString nivelSintomas_;
    double momento_ = 0;

    QLabel* LabelTitulo;
    QFrame* ShapeLine;
    QGroupBox* GroupBoxDatos;
    QLabel* LabelFecha;
    QLabel* FadeLFecha;
    QLabel* LabelEstado;
    QLabel* FadeLEstado;
    QLabel* LabelBloque;
    QLabel* FadeLabelBloque;
    QLabel* LabelCircuito;
    QLabel* FadeLabelCircuito;
    QLabel* LabelElemento;
    QLabel* FadeLabelElemento;
    QGroupBox* GroupBoxSintomas;
    QLabel* LabelDisfSintom;
    QFrame* ShapeCabecera;
    QLabel* LabelNivel;
    QLabel* LabelDescripcion;
    QGridLayout* bloques_;
    QFrame* ShapeJTaller;
    QLabel* LabelJefeTaller;
    QPlainTextEdit* MemoJefeTaller;
    QFrame* ShapeCliente;
    QLabel* LabelCliente;
    QPlainTextEdit* MemoCliente;
};

// Creates the one dysfunction panel inside a host (owned by it) if it does not exist yet
// and gives it its values; the caller shows it with MostrarFormEnPanel. Without a known
// trainer the detection runs again first; when it finds none there is no panel (nullptr).
TFDMT_AVDisfuncion* CrearPanelDisfuncion(QWidget* anfitrion, TDatosPractica& practica, int codigo,
                                         const QString& nivelSintomas, double momento);
// The panel created, or nullptr.
TFDMT_AVDisfuncion* PanelDisfuncion();
