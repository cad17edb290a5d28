#pragma once

#include "Descriptor.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

// How a simulated UART board misbehaves, for tests and demonstrations.
struct ConductaUart {
    bool sinAmpersand = false;  // replies lack the final "&"
    bool letraErronea = false;  // the version reply starts with another letter
    bool basura = false;        // replies are bytes without meaning
    bool silencio = false;      // no reply at all
    int retrasoMs = 0;          // each reply waits this long
};

// The relay board's UART protocol without any port: commands in ("V#", "L#", "An#", "D#"),
// replies out, and the relays it holds.
class PlacaUartSimulada {
public:
    PlacaUartSimulada(QByteArray codigo, QByteArray version, ConductaUart conducta = {});

    // Takes received bytes; returns the reply to every command completed by them.
    QByteArray Recibir(const QByteArray& datos);
    std::uint32_t Reles() const { return reles_; }
    const ConductaUart& Conducta() const { return conducta_; }

private:
    QByteArray Responder(const QByteArray& orden);
    QByteArray Deformar(QByteArray respuesta, bool esVersion) const;

    QByteArray codigo_;
    QByteArray version_;
    ConductaUart conducta_;
    QByteArray pendiente_;
    std::uint32_t reles_ = 0;
};

// Relays as text: "3 17 22", or "-" when none is on.
QString TextoReles(std::uint32_t reles);

// A pseudo-terminal: the board keeps the master side, the PC opens the device path. The
// board also holds the slave side open (raw) so that the master never sees a hang-up
// between two opens of the PC.
class Pseudoterminal {
public:
    Pseudoterminal();  // throws std::runtime_error with the errno when it cannot
    QString Ruta() const { return ruta_; }
    int Maestro() const { return maestro_.fd(); }
    // Hangs the line up, as a pulled cable does.
    void CerrarMaestro() {
        maestro_.cerrar();
        esclavo_.cerrar();
    }

private:
    Descriptor maestro_;
    Descriptor esclavo_;
    QString ruta_;
};

// A simulated UART board served on a pseudo-terminal by a thread of its own.
class ServidorUartSimulado {
public:
    // `alCambiarReles` runs on the server's thread after a command changes the relays.
    ServidorUartSimulado(PlacaUartSimulada placa, std::function<void(std::uint32_t)> alCambiarReles = {});
    ~ServidorUartSimulado();
    ServidorUartSimulado(const ServidorUartSimulado&) = delete;
    ServidorUartSimulado& operator=(const ServidorUartSimulado&) = delete;

    QString Ruta() const { return pty_.Ruta(); }
    std::uint32_t Reles() const;
    // Everything the PC sent so far.
    QByteArray Recibido() const;

private:
    void Bucle();

    Pseudoterminal pty_;
    PlacaUartSimulada placa_;
    std::function<void(std::uint32_t)> alCambiarReles_;
    mutable std::mutex mutex_;
    QByteArray recibido_;
    std::uint32_t reles_ = 0;
    Aviso parar_;
    std::thread hilo_;
};
