#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TDBLookupComboBox;
class TDataSource;
struct TDatosPractica;

// The seeds of the group for the detected trainer and mode that the user may provoke
// (in fault mode, those not practised yet), by virtual number in random order.
class TFDMT_AVProvocar : public QDialog {
    Q_OBJECT
public:
    TFDMT_AVProvocar(const QString& modo, TDatosPractica& practica, QWidget* parent = nullptr);

    // The filter on cdsSemilla before the group condition is added.
    QString FiltroSemillas() const;
    void BitBtnProvocarClick();
    void done(int resultado) override;

protected:
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void llenarLista();
    QString exclusionPracticadas(const QString& tut) const;

    QString modo_;
    TDatosPractica& practica_;
    QLabel* FadeLabelTitulo;
    TDBLookupComboBox* DBLookupComboBoxAverias;
    QPushButton* BitBtnCancelar;
    QPushButton* BitBtnProvocar;
    QString condicionGrupo_;
    TDataSource* maestro_ = nullptr;
    QString camposMaestro_, indice_;
    bool preparado_ = false;
};

// Shows the dialog when a trainer is known (detecting it again when not); the modal
// result, 0 when no trainer was found.
int ProvocarDialogo(const QString& modo, TDatosPractica& practica, QWidget* parent = nullptr);
