#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "Mensajes.h"

// Installs itself as the message layer for the life of a test: records every message
// and answers questions from a queue (the cancel result when the queue is empty).
class MensajesGrabados : public CapaMensajes {
public:
    struct Registro {
        QString texto;
        int botones;
        int imagen;
    };

    MensajesGrabados();
    ~MensajesGrabados() override;
    MensajesGrabados(const MensajesGrabados&) = delete;
    MensajesGrabados& operator=(const MensajesGrabados&) = delete;

    void Responder(int resultado) { respuestas_.push_back(resultado); }
    const std::vector<Registro>& mensajes() const { return mensajes_; }
    QStringList textos() const;
    const std::vector<QString>& estados() const { return estados_; }
    bool estadoVisible() const { return estadoVisible_; }
    void Limpiar() { mensajes_.clear(); }

    int Mensaje(const QString& texto, int botones, int imagen, int x, int y) override;
    void Estado(const QString& texto) override;
    void QuitarEstado() override;

private:
    CapaMensajes* anterior_;
    std::deque<int> respuestas_;
    std::vector<Registro> mensajes_;
    std::vector<QString> estados_;
    bool estadoVisible_ = false;
};
