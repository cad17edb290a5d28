#pragma once

#include "PaginaGestion.h"

class QLabel;
class QPushButton;
class TDBEdit;
class TDBText;

// The group page: the general data of the current group, its save and undo, and for a
// new group its folder, its empty tables and its seeds.
class TFDMT_VentanaGrupos : public TPaginaGestion {
    Q_OBJECT
public:
    TFDMT_VentanaGrupos(TFDMT_GestAlumnado* gestion, QWidget* parent);

    void FormShow() override;
    void AspectoEditable() override;
    void AspectoVacio() override;

    // Checks and posts the group being edited or inserted; a new group gets its folder,
    // tables and seeds. False (with a message) when nothing could be saved: the record
    // stays in edit or insert state with what the teacher typed.
    bool GuardarGrupo();
    void BitBtnAceptarClick();
    void BitBtnCancelClick();
    void EnfocarNombre();

protected:
    void FormHide() override;

private:
    TDBEdit* campo(const char* nombre, const QString& nombreCampo);
    // The record as the teacher left it, to be put back after a save that did not reach the file.
    using Entrada = QVariantList;
    Entrada leerEntrada() const;
    void volverAEditar(bool nueva, int marca, const Entrada& entrada);
    bool crearCarpetaYSemillas();

    QLabel* LabelTitulo;
    QWidget* ShapeLinea;
    TDBText* DBTextNombreGrp;
    QLabel* LabelNombre;
    TDBEdit* DBEditNombre;
    QLabel* LabelDescripcion;
    TDBEdit* DBEditDescripcion;
    QLabel* LabelAsignatura;
    TDBEdit* DBEditAsignatura;
    QLabel* LabelProfesor;
    TDBEdit* DBEditProfesor;
    QLabel* LabelNumAlumnos;
    TDBEdit* DBEditNumAlumnos;
    QLabel* LabelDirectorio;
    TDBEdit* DBEditDirectorio;
    QPushButton* BitBtnAceptar;
    QPushButton* BitBtnCancel;
};
