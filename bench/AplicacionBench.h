#pragma once

#include <QApplication>

// Fonts and widgets need an application object; the benchmarks have none of their own. A
// widgets one, so that the pages measured here can be shown too.
inline void AsegurarAplicacion() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nombre[] = "averias-bench";
    static char* argv[] = {nombre, nullptr};
    static QApplication aplicacion(argc, argv);
}
