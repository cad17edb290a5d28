#pragma once

#include <QStringList>

class TDBGrid;
class TDBLookupComboBox;
class TdmCDS;

// The history grid's columns and views, shared by the teacher's history browser and the
// workstation's history panel.
namespace DMT_UtilHistorico {

// What the grid shows: one fault with its lines, or the general list of practices.
enum Modo { UnaAveria = 1, ListaGeneral = 2 };
// Who looks at the general list.
enum Nivel { NivelAlumno = 1, NivelSubgrupo = 2, NivelProfesor = 3 };

// Shared by both windows, as only one of them is ever in front.
inline int ModoVista = ListaGeneral;
inline int NivelVista = NivelProfesor;

// The practice fields the general list shows, in order: students and subgroups never see
// the real fault number; the teacher on the workstation sees it but not the virtual code.
QStringList ColumnasReparaciones(int nivelVista, bool profesorEnPuesto);
// The line fields a repair level shows: the circuit from level 2, the block from level 3.
QStringList ColumnasLineas(int nivelReparacion);

// The grid on the practices for a level; the fault box loses its choice.
void VerListaGeneral(TdmCDS& dm, TDBGrid* grid, TDBLookupComboBox* averias, int nivel, bool profesorEnPuesto);
// The grid on the lines of the current practice, at the configured repair level.
void VerLineasAveria(TdmCDS& dm, TDBGrid* grid);

}  // namespace DMT_UtilHistorico
