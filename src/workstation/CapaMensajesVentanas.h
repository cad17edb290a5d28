#pragma once

#include "Mensajes.h"

// The message layer of the running program: the message and status windows.
class CapaMensajesVentanas : public CapaMensajes {
public:
    int Mensaje(const QString& texto, int botones, int imagen, int x, int y) override;
    void Estado(const QString& texto) override;
    void QuitarEstado() override;
};
