#pragma once

#include <QApplication>
#include <functional>

// The program's application object. It is the last guard of the event loop: an exception
// that escapes an event handler (a table file damaged under a window, say) is shown to the
// user instead of ending the program, and what was saved stays saved.
class TAplicacion : public QApplication {
public:
    TAplicacion(int& argc, char** argv);

    bool notify(QObject* receptor, QEvent* evento) override;

    // Runs a delivery; an exception that leaves it is reported through the message layer
    // (the error picture, a language text naming the file where there is one). False then.
    static bool Protegido(const std::function<bool()>& entregar);
};
