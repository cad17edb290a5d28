#pragma once

#include <QString>

class QLabel;
class QWidget;

// The labels the practice panels are built of.

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto = {});
// A value the panel shows: bold, in a frame, on its own background.
QLabel* ValorPanel(QWidget* padre, const char* nombre, const QString& texto = {});
void Negrita(QWidget* control);
// A panel's title: bold and larger than the text around it.
void FuenteTitulo(QWidget* control);
// A panel's title in the installation's accent colour, read now.
void PintarTitulo(QWidget* control);
// A moment as the panels show it: "dd/MM/yyyy", text 106, "hh:mm:ss".
QString TextoMomento(double dias);
