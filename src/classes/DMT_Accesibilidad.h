#pragma once

#include <QColor>

#include "ControlesDatos.h"
#include "PaginaGestion.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The difficulty page of a group: repair and symptom levels, tutored and malfunction
// practice, and per trainer the group's faults with their virtual codes.
class TFDMT_Accesibilidad : public TPaginaGestion {
    Q_OBJECT
public:
    TFDMT_Accesibilidad(TFDMT_GestAlumnado* gestion, QWidget* parent);

    void FormShow() override;
    // Options and boxes from the group record.
    void LeerNiveles();
    void FiltrarSemillasSelector();
    // The seed list's colour tells the group's mode.
    void ColorModo();
    static QColor ColorDeModo(const QVariant& tutorizada);
    // The selector on the trainer table's current trainer (after the activation dialog).
    void SeleccionarEquipoActual();

    void BitBtnAceptarClick();
    void BitBtnCancelClick();
    // Prints the fault table of the chosen trainer (through ImprimirAccesos).
    void RxSpeedButtonImprimirClick();

protected:
    void FormHide() override;

private:
    void RadioButtonBLClick();
    void RadioButtonJClick();
    void CBTutorizadaClick();
    void CBDisfuncionClick();
    void DBLookupComboBoxEquipoCloseUp();
    void habilitarImprimir();
    // Puts the group record in edit state for a handler's change; false when there is none.
    bool editarGrupo();
    void mostrarResumen();
    void ponerTextos();
    void marcarOpcion(const QList<QRadioButton*>& opciones, int marcada);
    void generarSiFaltan(bool tutorizada);
    QRadioButton* opcion(QGroupBox* caja, const char* nombre, const QString& texto);

    QLabel* LabelTitulo;
    QWidget* ShapeLinea;
    TDBText* DBTextNombreGrp;
    QLabel* LabelNReparacion;
    QGroupBox* GroupBoxNRep;
    QRadioButton* RadioButtonBL;
    QRadioButton* RadioButtonCI;
    QRadioButton* RadioButtonCO;
    QLabel* LabelSintomas;
    QGroupBox* GroupBoxSintomas;
    QRadioButton* RadioButtonJ;
    QRadioButton* RadioButtonC;
    QCheckBox* CBTutorizada;
    QCheckBox* CBDisfuncion;
    QLabel* LabelDificultad;
    QLabel* LabelNRepar;
    QLabel* DBTextNReparacion;
    QLabel* LabelSinto;
    QLabel* DBTextSintomas;
    QLabel* LabelTutor;
    QLabel* DBTextTutorizada;
    QLabel* LabelDisf;
    QLabel* DBTextDisfuncion;
    QLabel* LabelTabla;
    QLabel* LabelEquipo;
    TDBLookupComboBox* DBLookupComboBoxEquipo;
    TDBGrid* DBGridSemilla;
    QPushButton* RxSpeedButtonImprimir;
    QPushButton* BitBtnAceptar;
    QPushButton* BitBtnCancel;

    EnlaceDatos grupo_;
    // The option and box handlers, detached while the page sets them itself.
    bool manejadores_ = true;
};
