#include "Colores.h"

#include <QPalette>
#include <QWidget>

#include "Configuracion.h"

QColor ColorDesdeAlmacenado(std::uint32_t valor) {
    return QColor(static_cast<int>(valor & 0xFF), static_cast<int>((valor >> 8) & 0xFF),
                  static_cast<int>((valor >> 16) & 0xFF));
}

QColor ColorAcento() {
    return ColorDesdeAlmacenado(LeerColor());
}

void PintarFondo(QWidget* control, const QColor& color) {
    QPalette paleta = control->palette();
    paleta.setColor(QPalette::Window, color);
    control->setPalette(paleta);
    control->setAutoFillBackground(true);
}

void PintarBoton(QWidget* boton, const QColor& color) {
    QPalette paleta = boton->palette();
    paleta.setColor(QPalette::Button, color);
    boton->setPalette(paleta);
}
