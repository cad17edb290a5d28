#pragma once

#include <QApplication>
#include <QString>
#include <memory>

// Without a display Qt's platform plugin aborts the program after several lines about
// plugins. The start sequence looks first and, when there is none, says so in one line.

// Why there is no display for the platform Qt would use, or empty when one looks available
// (a "-platform" argument is left to Qt).
QString FaltaPantalla(int argc, char** argv);

// The application object, or null after one line on the error output when there is no
// display. When the platform plugin cannot start after all (a display that is named but
// does not answer), prints one line and ends the process with kSalidaSinPantalla.
std::unique_ptr<QApplication> CrearAplicacion(int& argc, char** argv);

// Exit status when there is no display.
constexpr int kSalidaSinPantalla = 1;
