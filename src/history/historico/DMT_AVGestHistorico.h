#pragma once

#include <QString>
#include <QWidget>

#include "ClientDataSet.h"

class QLabel;
class QPushButton;
class TFDMT_GestAverias;
class TVistaHistorico;
class TdmCDS;

// The history a user sees on the workstation: the logged user's practices per trainer as
// a general list or one fault with its lines and the teacher's observations; prints and,
// for a student, exports. Shown in the workstation's panel area.
class TFDMT_AVGestHistorico : public QWidget {
    Q_OBJECT
public:
    TFDMT_AVGestHistorico(TFDMT_GestAverias* puesto, TdmCDS& dm, QWidget* parent);

    void SpeedBImprimirClick();
    // Back to the practice panel of the practice state.
    void SpeedBSalirClick();
    TVistaHistorico* Vista() const { return vista_; }

protected:
    void showEvent(QShowEvent* evento) override;
    void hideEvent(QHideEvent* evento) override;

private:
    void FormShow();
    void FormHide();
    void PonerTextos();
    void AlCambiarModo(int modo);
    int TipoUsuario() const;

    // A table's filter and row as the panel found them, put back when it hides.
    struct Guardado {
        QString filtro;
        bool filtrado = false;
        TBookmark fila;
    };
    static Guardado Tomar(TClientDataSet* tabla);
    static void Devolver(TClientDataSet* tabla, const Guardado& guardado);

    TFDMT_GestAverias* puesto_;
    TdmCDS& dm_;
    TVistaHistorico* vista_;
    QLabel* LabelTitulo;
    QWidget* ShapeLinea;
    QPushButton* SpeedBSalir;
    Guardado reparaciones_, semillas_;
    bool mostrado_ = false;
};

// The workstation's history command once the user has practices: creates the panel on
// first use and shows it in place of the practice panel.
void MostrarHistoricoPuesto(TFDMT_GestAverias* puesto);
