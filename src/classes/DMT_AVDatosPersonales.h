#pragma once

#include <QDialog>

class FichaPersonal;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// Shows who has just logged in: a student completes or corrects his names; a subgroup
// sees its name and members. OK only when the data were stored.
class TFDMT_AVDatosPersonales : public QDialog {
    Q_OBJECT
public:
    TFDMT_AVDatosPersonales(int tipoUsuario, FichaPersonal& ficha, QWidget* parent = nullptr);

    void reject() override;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void BitBtnAceptarClick();
    void BitBtnSalirClick();
    bool datosCompletos();
    QWidget* crearPanelAlumno();
    QWidget* crearPanelSubgrupo();

    int tipo_;
    FichaPersonal& ficha_;
    QWidget* PanelDatosPersonales;
    QLabel* LabelNombre;
    QLineEdit* DBEditNombre;
    QLabel* LabelApellido1;
    QLineEdit* DBEditApellido1;
    QLabel* LabelApellido2;
    QLineEdit* DBEditApellido2;
    QLabel* LabelAsignatura;
    QLineEdit* DBEditAsignatur;
    QWidget* PanelDatosSubgrupo;
    QLabel* LabelNSubgrupo;
    QTableWidget* StringGridAlumnos;
    QLabel* LabelContrasena;
    QLineEdit* DBEditPassword;
    QPushButton* BitBtnAceptar;
    QPushButton* BitBtnSalir;
};
