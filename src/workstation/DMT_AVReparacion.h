#pragma once

#include <QWidget>

class QGroupBox;
class QFrame;
class QLabel;
class QListView;
class QPlainTextEdit;
class QTimer;
class TDBGrid;
struct TDatosPractica;

// The symptom filter for a group's symptom-level text ("J#", "J#C#"): the condition of
// the second level when there are two or more, of the only one, or none.
QString FiltroSintomas(const QString& nivelSintomas);
// Elapsed time of a repair as "hh:mm:ss" (hours may pass 24).
QString TextoTiempo(double desdeDias, double hastaDias);

// The panel of a running or paused repair: the fault's code as the student knows it, when
// it was provoked, the symptoms at the group's level, a running clock, the lines so far
// and the repair's comments. It carries an invisible holder where the diagnosis panel
// collects the comments of the current attempt.
class TFDMT_AVReparacion : public QWidget {
    Q_OBJECT
public:
    TFDMT_AVReparacion(TDatosPractica& practica, QWidget* parent = nullptr);
    ~TFDMT_AVReparacion() override;

    void Preparar(int codigoMostrado, const QString& nivelSintomas, double inicio);
    void AspectoPausado();
    void AspectoActivo();
    void TimerTTotalTimer();
    QPlainTextEdit* Comentarios() const { return comentarios_; }
    QString Observaciones() const;
    // The repair has been finished: the state shows it and the panel is put away (its hide
    // routine runs even when it was already hidden).
    void Finalizada();
    void FormHide();

protected:
    void showEvent(QShowEvent* evento) override;
    void hideEvent(QHideEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void ponerTextos();
    void pintar(const QColor& fondo, bool activo);

    TDatosPractica& practica_;
    int codigoMostrado_ = -1;
    QString nivelSintomas_;
    double inicio_ = 0;
    QPlainTextEdit* comentarios_ = nullptr;

    QLabel* LabelTitulo;
    QGroupBox* GroupBoxDatos;
    QLabel* FadeLCodAveria;
    QLabel* FadeLFecha;
    QLabel* FadeLEstado;
    QListView* DBLookupListBoxSintomas;
    QGroupBox* GroupBoxTReparacion;
    QLabel* LabelTReparacion;
    QGroupBox* GroupBoxReparacion;
    TDBGrid* DBGridReparacion;
    QPlainTextEdit* MemoObser;
    QTimer* TimerTTotal;
};

// Creates the one repair panel inside a host if it does not exist yet and gives it the
// repair's values; the caller shows it with MostrarFormEnPanel.
TFDMT_AVReparacion* CrearPanelReparacion(QWidget* anfitrion, TDatosPractica& practica, int codigoMostrado,
                                         const QString& nivelSintomas, double inicio);
TFDMT_AVReparacion* PanelReparacion();
