#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

// Which trainers are activated: only those are offered anywhere else.
class TFDMT_ActivarEquipos : public QDialog {
    Q_OBJECT
public:
    explicit TFDMT_ActivarEquipos(QWidget* parent = nullptr);

    void BitBtnAceptarClick();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void cargar();

    QLabel* LabelActivar;
    QListWidget* RxCheckListBox;
    // Each trainer's code, at the same place as its description.
    QListWidget* RxCheckListBoxCod;
    QPushButton* BitBtnAceptar;
    QPushButton* BitBtnCancelar;
};
