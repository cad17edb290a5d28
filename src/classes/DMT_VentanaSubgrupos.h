#pragma once

#include "PaginaGestion.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidgetItem;
class TDBEdit;
class TDBMemo;
class TDBText;
class TListaCodigos;

// The subgroup page: the current subgroup of the group (the subgroup table filtered to its
// code), its members, new subgroups, renaming and deleting one, the password sheet and the
// subgroup's history.
class TFDMT_VentanaSubgrupos : public TPaginaGestion {
    Q_OBJECT
public:
    TFDMT_VentanaSubgrupos(TFDMT_GestAlumnado* gestion, QWidget* parent);

    void FormShow() override;
    void AspectoEditable() override;
    void AspectoVacio() override;
    // The members of the subgroup in view.
    void CargarAlumnosSubgrupo();
    // A subgroup in view with fewer than two members: the teacher completes or deletes it
    // before leaving it.
    bool SubgrupoIncompleto() const;

    void NuevoSubgrupo();
    // Checks the name and saves the subgroup being inserted or edited; false when nothing
    // was saved (the teacher was told why, or there was nothing to save).
    bool GuardarSubgrupo();
    void BitBtnAceptarClick();
    void BitBtnCancelClick();
    void AnadirAlumnosSubgrupo();
    void QuitarAlumnoSubgrupo();
    void EliminarSubgrupo();
    void VerHistoricoSubgrupo();

protected:
    void FormHide() override;

private:
    void ponerTextos();
    void habilitarBotones(bool habilitados);
    bool hayFilas() const;
    // The name may be taken by the subgroup being edited: not empty, not another's.
    bool nombreValido();
    QTreeWidgetItem* carpetaSubgrupos() const;
    // The new subgroup, once posted, gets its node.
    void anadirNodo();
    void anadirFila();
    void volverAlNodo();

    QLabel* LabelTitulo;
    QWidget* ShapeLinea;
    TDBText* DBTextNombreGrp;
    QPushButton* SpeedBAddSubgrupo;
    QPushButton* SpeedBDelSubgrupo;
    QLabel* LabelNombre;
    TDBEdit* DBEditNombre;
    QLabel* LabelCurso;
    TDBEdit* DBEditGrupo;
    QLabel* LabelAsignatura;
    TDBEdit* DBEditAsignatura;
    QLabel* LabelPassword;
    TDBEdit* DBEditPassword;
    QPushButton* SpeedButtonImpPassword;
    QLabel* LabelObserv;
    TDBMemo* DBMemoObserv;
    QGroupBox* PanelAlumno;
    TListaCodigos* SGridAlumno;
    QPushButton* SpeedBAddAlumno;
    QPushButton* SpeedBDelAlumno;
    QPushButton* SpeedBVerAlumno;
    QPushButton* BitBtnVerHistorico;
    QPushButton* BitBtnAceptar;
    QPushButton* BitBtnCancel;
    bool vacia_ = true;
};
