#pragma once

class QWidget;

// The program's start sequence; returns the exit status of the message loop.
int EjecutarAverias(int argc, char** argv);

// The window in front: each main window and dialog sets it when shown; the help window
// reads its topic from it.
QWidget* FormActivo();
void FijarFormActivo(QWidget* ventana);
