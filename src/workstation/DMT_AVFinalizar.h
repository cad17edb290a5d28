#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Asks how the student ends the repair: Si (6), No (7) or Cancelar (2, also Esc and the
// title bar).
class TFDMT_AVFinalizar : public QDialog {
    Q_OBJECT
public:
    explicit TFDMT_AVFinalizar(QWidget* parent = nullptr);
    void reject() override { done(2); }

protected:
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    QLabel* FinalF;
    QLabel* LabelTexto1;
    QLabel* ImageConfirmacion;
    QPushButton* BitBtnCancelar;
    QPushButton* BitBtnNo;
    QPushButton* BitBtnSi;
};

int FinalizarDialogo(QWidget* parent = nullptr);
