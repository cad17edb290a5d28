#include "CapaMensajesVentanas.h"

#include "DMT_Msg.h"
#include "FMsg.h"

int CapaMensajesVentanas::Mensaje(const QString& texto, int botones, int imagen, int x, int y) {
    return MostrarMensajeVentana(texto, botones, imagen, x, y);
}

void CapaMensajesVentanas::Estado(const QString& texto) {
    MostrarEstadoVentana(texto);
}

void CapaMensajesVentanas::QuitarEstado() {
    OcultarEstadoVentana();
}
