#include "DMT_AVDisfuncion.h"

// Not built yet: no panel is shown.
TFDMT_AVDisfuncion* CrearPanelDisfuncion(QWidget*, TDatosPractica&, int, const QString&, double) {
    return nullptr;
}

TFDMT_AVDisfuncion* PanelDisfuncion() {
    return nullptr;
}
