#pragma once

#include "PaginaGestion.h"

class QLabel;
class TdmCDS;
class TFDMT_Resultados;

// The results of the current group as a page of the class management window. A click on a
// student's or a subgroup's row opens that history in the history browser; a click on a
// fault's row previews that fault's report for every student of the group ("Informe5AL"),
// since a fault's practices belong to many histories.
class TFDMT_PaginaResultados : public TPaginaGestion {
public:
    TFDMT_PaginaResultados(TFDMT_GestAlumnado* gestion, TdmCDS& dm, QWidget* parent);

    // Reads the histories of the data module's current group again.
    void FormShow() override;
    TFDMT_Resultados* Resultados() const { return resultados_; }

    // The help topic of the page.
    static constexpr int kTag = 23;

private:
    void VerHistorico(int codigo, bool subgrupo);
    void VerAveria(int equipo, int averia);

    TdmCDS& dm_;
    QLabel* LabelTitulo;
    QWidget* ShapeLinea;
    QLabel* LabelNombreGrupo;
    TFDMT_Resultados* resultados_;
};

// Puts the data module on a member (or a subgroup, by its code) of the current group and
// opens the history the history browser shows for it: the student's own practices in this
// group, or the subgroup's. False, and nothing opened, when the row or the history is not there.
bool PrepararHistoricoResultados(TdmCDS& dm, int codigo, bool subgrupo);
