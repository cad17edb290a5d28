#include "Mensajes.h"

#include <cstdio>

namespace {

// Until the windows are installed (command-line tools, early start-up) messages go to
// the error output and every question is answered as if cancelled.
class MensajesEnConsola : public CapaMensajes {
public:
    int Mensaje(const QString& texto, int botones, int, int, int) override {
        std::fprintf(stderr, "%s\n", texto.toLocal8Bit().constData());
        return ResultadoAlCancelar(botones);
    }
    void Estado(const QString&) override {}
    void QuitarEstado() override {}
};

CapaMensajes*& actual() {
    static MensajesEnConsola consola;
    static CapaMensajes* capa = &consola;
    return capa;
}

}  // namespace

int ResultadoAlCancelar(int botones) {
    switch (botones) {
        case BotonesAceptar:
            return mrOk;
        case BotonesSiNo:
            return mrNo;
        default:
            return mrCancel;
    }
}

CapaMensajes* InstalarCapaMensajes(CapaMensajes* capa) {
    static MensajesEnConsola respaldo;
    CapaMensajes* anterior = actual();
    actual() = capa ? capa : &respaldo;
    return anterior;
}

CapaMensajes& CapaMensajesActual() {
    return *actual();
}

int MostrarMensaje(const QString& texto, int botones, int imagen, int x, int y) {
    return actual()->Mensaje(texto, botones, imagen, x, y);
}

void MostrarEstado(const QString& texto) {
    actual()->Estado(texto);
}

void OcultarEstado() {
    actual()->QuitarEstado();
}
