#pragma once

#include <QApplication>
#include <QString>
#include <memory>

// Without a display Qt's platform plugin aborts the program after several lines about
// plugins. The start sequence looks first and, when there is none, says so in one line.

// Why there is no display for the platform Qt would use, or empty when one looks available
// (a "-platform" argument is left to Qt).
QString FaltaPantalla(int argc, char** argv);
// Prints "averias: " and the text as one line on the error output.
void DecirSinPantalla(const QString& linea);

// While the application object is built, Qt's messages are held back: when its platform
// plugin cannot start after all (a display that is named but does not answer), one line is
// printed instead and the process ends with kSalidaSinPantalla; otherwise they go out.
void RetenerMensajesQt();
void SoltarMensajesQt();

// The application object (QApplication or a class derived from it), or null after one line
// on the error output when there is no display.
template <class Aplicacion>
std::unique_ptr<Aplicacion> CrearAplicacion(int& argc, char** argv) {
    if (const QString falta = FaltaPantalla(argc, argv); !falta.isEmpty()) {
        DecirSinPantalla(falta);
        return nullptr;
    }
    RetenerMensajesQt();
    auto app = std::make_unique<Aplicacion>(argc, argv);
    SoltarMensajesQt();
    return app;
}

// Exit status when there is no display.
constexpr int kSalidaSinPantalla = 1;
