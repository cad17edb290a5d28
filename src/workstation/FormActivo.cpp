#include "FormActivo.h"

#include <QPointer>
#include <QWidget>

namespace {

QPointer<QWidget>& activo() {
    static QPointer<QWidget> ventana;
    return ventana;
}

}  // namespace

QWidget* FormActivo() {
    return activo().data();
}

void FijarFormActivo(QWidget* ventana) {
    activo() = ventana;
}
