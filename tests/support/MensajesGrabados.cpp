#include "MensajesGrabados.h"

#include <QStringList>

MensajesGrabados::MensajesGrabados() : anterior_(InstalarCapaMensajes(this)) {}

MensajesGrabados::~MensajesGrabados() {
    InstalarCapaMensajes(anterior_);
}

QStringList MensajesGrabados::textos() const {
    QStringList lista;
    for (const auto& m : mensajes_) lista.append(m.texto);
    return lista;
}

int MensajesGrabados::Mensaje(const QString& texto, int botones, int imagen, int, int) {
    mensajes_.push_back({texto, botones, imagen});
    if (respuestas_.empty()) return ResultadoAlCancelar(botones);
    const int r = respuestas_.front();
    respuestas_.pop_front();
    return r;
}

void MensajesGrabados::Estado(const QString& texto) {
    estados_.push_back(texto);
    estadoVisible_ = true;
}

void MensajesGrabados::QuitarEstado() {
    estadoVisible_ = false;
}
