#pragma once

#include <QGuiApplication>

// Fonts need an application object; the benchmarks have none of their own.
inline void AsegurarAplicacion() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nombre[] = "averias-bench";
    static char* argv[] = {nombre, nullptr};
    static QGuiApplication aplicacion(argc, argv);
}
