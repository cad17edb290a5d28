#pragma once

#include <QColor>
#include <cstdint>

class QWidget;

// A stored colour is 00BBGGRR: red in the lowest byte.
QColor ColorDesdeAlmacenado(std::uint32_t valor);
// The installation's accent colour (configuration file), read now.
QColor ColorAcento();
// Paints a panel's or label's background in a colour.
void PintarFondo(QWidget* control, const QColor& color);
// Paints a button's face in a colour.
void PintarBoton(QWidget* boton, const QColor& color);
