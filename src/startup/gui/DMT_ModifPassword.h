#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The teacher password change: the current password, then the new one, then the new one again.
class TDMT_ModifPassword : public QDialog {
    Q_OBJECT
public:
    explicit TDMT_ModifPassword(QWidget* parent = nullptr);
    int Paso() const { return paso_; }

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void ButtonAceptarClick();
    void aceptarActual();
    void aceptarNueva();
    void aceptarConfirmacion();
    static void pintarEdicion(QLineEdit* edicion, bool activa);

    QLabel* Label1;
    QLineEdit* EditOldPassword;
    QLabel* Label2;
    QLineEdit* EditNewPassword;
    QPushButton* ButtonAceptar;
    QPushButton* ButtonCancelar;
    QPushButton* BitBtnAyuda;
    int paso_ = 1;
    QString nueva_;
};

// Shows the dialog modally; true when the new password was stored.
bool CambiarPasswordProfesor();
