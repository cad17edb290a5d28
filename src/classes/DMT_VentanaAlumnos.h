#pragma once

#include <functional>

#include "PaginaGestion.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidgetItem;
class TDBEdit;
class TDBMemo;
class TDBText;
class TListaCodigos;

// The student page: the personal data of the current member of the group, his subgroups,
// new students, removing one from the group, the password sheet and his history.
class TFDMT_VentanaAlumnos : public TPaginaGestion {
    Q_OBJECT
public:
    TFDMT_VentanaAlumnos(TFDMT_GestAlumnado* gestion, QWidget* parent);

    void FormShow() override;
    void AspectoEditable() override;
    void AspectoVacio() override;
    // The subgroups of the current member (the subgroup table filtered to him).
    void CargarSubgruposAlumno();

    void AltaAlumno();
    // Saves the member being inserted or edited; false when nothing was saved.
    bool GuardarAlumno();
    void BitBtnAceptarClick();
    void BitBtnCancelClick();
    void QuitarAlumnoGrupo();
    void VerHistoricoAlumno();
    // The students folder of the current group read again (after students came in from
    // elsewhere, such as an imported list); the student shown before stays selected when he
    // is still a member, else the first one.
    void RecargarAlumnos();

    // Imports a class list into the current group, set by the import; the button stays
    // disabled while it is not set. It calls RecargarAlumnos when students came in.
    static inline std::function<void(TFDMT_VentanaAlumnos*)> ImportarLista;

protected:
    void FormHide() override;

private:
    void ponerTextos();
    void habilitarBotones(bool habilitados);
    bool hayMiembros() const;
    void filtrarSubgrupos();
    // The students folder of the group shown.
    QTreeWidgetItem* carpetaAlumnos() const;
    // Shows the node selected again, as the tree shows it (after an undo or a failed save).
    void volverAlNodo();

    QLabel* LabelTitulo;
    QWidget* ShapeLinea;
    TDBText* DBTextNombreGrp;
    QPushButton* SpeedButtonNewAlumno;
    QPushButton* SpeedButtonAddAlumno;
    QPushButton* SpeedButtonDelAlumno;
    QPushButton* BitBtnImportarLista;
    QLabel* LabelSubTitulo;
    QLabel* LabelNombre;
    TDBEdit* DBEditNombre;
    QLabel* LabelApellido1;
    TDBEdit* DBEditApellido1;
    QLabel* LabelApellido2;
    TDBEdit* DBEditApellido2;
    QLabel* LabelCurso;
    TDBEdit* DBEditGrupo;
    QLabel* LabelAsignatura;
    TDBEdit* DBEditAsignatura;
    QLabel* LabelContrasena;
    TDBEdit* DBEditPassword;
    QPushButton* SpeedButtonImpPassword;
    QLabel* LabelObserv;
    TDBMemo* DBMemoObserv;
    QGroupBox* PanelSubgrupos;
    TListaCodigos* SGridSubgrupo;
    QPushButton* SpeedButtonSubgrupos;
    QPushButton* BitBtnVerHistorico;
    QPushButton* BitBtnAceptar;
    QPushButton* BitBtnCancel;
    bool vacia_ = true;
};
