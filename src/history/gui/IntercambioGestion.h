#pragma once

#include <QString>
#include <functional>

class QWidget;
class TFDMT_GestAlumnado;

// The export and import buttons of class management: the folder dialog, the panel lock,
// the messages and the tree, around the group exchange.

// Asks for a folder under a title; empty when the teacher cancels. Tests put their own.
extern std::function<QString(QWidget* padre, const QString& titulo)> ElegirCarpetaIntercambio;
// The folder dialog the program uses ("RZSelecCarpeta").
QString ElegirCarpetaConDialogo(QWidget* padre, const QString& titulo);

void ExportarGrupoGestion(TFDMT_GestAlumnado* ventana);
void ImportarGrupoGestion(TFDMT_GestAlumnado* ventana);
// Gives the class management window these two actions.
void InstalarIntercambioGrupos();
