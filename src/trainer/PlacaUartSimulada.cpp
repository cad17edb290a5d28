#include "PlacaUartSimulada.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#include <QStringList>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>

PlacaUartSimulada::PlacaUartSimulada(QByteArray codigo, QByteArray version, ConductaUart conducta)
    : codigo_(std::move(codigo)), version_(std::move(version)), conducta_(conducta) {}

QByteArray PlacaUartSimulada::Recibir(const QByteArray& datos) {
    QByteArray respuestas;
    for (char c : datos) {
        if (c != '#') {
            pendiente_.append(c);
            continue;
        }
        respuestas += Responder(pendiente_);
        pendiente_.clear();
    }
    return respuestas;
}

QByteArray PlacaUartSimulada::Responder(const QByteArray& orden) {
    if (orden == "V") return Deformar("V" + version_ + "&", true);
    if (orden == "L") return Deformar(codigo_ + "&", false);
    if (orden == "D") {
        reles_ = 0;
        return Deformar("&", false);
    }
    if (orden.startsWith('A')) {
        bool esNumero = false;
        const int rele = orden.mid(1).toInt(&esNumero, 10);
        if (!esNumero || rele < 0 || rele > 32) return Deformar("?", false);
        if (rele > 0) reles_ |= 1u << (rele - 1);
        return Deformar("&", false);
    }
    return {};
}

QByteArray PlacaUartSimulada::Deformar(QByteArray respuesta, bool esVersion) const {
    if (conducta_.silencio) return {};
    if (conducta_.basura) return QByteArray("\x7f%$!", 4);
    if (conducta_.sinAmpersand) respuesta.replace('&', QByteArray());
    if (conducta_.letraErronea && esVersion) respuesta[0] = 'W';
    return respuesta;
}

QString TextoReles(std::uint32_t reles) {
    QStringList activos;
    for (int rele = 1; rele <= 32; ++rele)
        if (reles & (1u << (rele - 1))) activos << QString::number(rele);
    return activos.isEmpty() ? QStringLiteral("-") : activos.join(QLatin1Char(' '));
}

namespace {

[[noreturn]] void Fallo(const char* que) {
    throw std::runtime_error(std::string(que) + ": " + std::strerror(errno));
}

}  // namespace

Pseudoterminal::Pseudoterminal() : maestro_(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC)) {
    if (!maestro_.valido()) Fallo("posix_openpt");
    if (::grantpt(maestro_.fd()) != 0 || ::unlockpt(maestro_.fd()) != 0) Fallo("unlockpt");
    char nombre[128] = {};
    if (::ptsname_r(maestro_.fd(), nombre, sizeof nombre) != 0) Fallo("ptsname");
    ruta_ = QString::fromLocal8Bit(nombre);
    esclavo_ = Descriptor(::open(nombre, O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!esclavo_.valido()) Fallo("open pts");
    termios t{};
    if (::tcgetattr(esclavo_.fd(), &t) != 0) Fallo("tcgetattr");
    ::cfmakeraw(&t);
    if (::tcsetattr(esclavo_.fd(), TCSANOW, &t) != 0) Fallo("tcsetattr");
}

ServidorUartSimulado::ServidorUartSimulado(PlacaUartSimulada placa,
                                           std::function<void(std::uint32_t)> alCambiarReles)
    : placa_(std::move(placa)), alCambiarReles_(std::move(alCambiarReles)) {
    hilo_ = std::thread([this] { Bucle(); });
}

ServidorUartSimulado::~ServidorUartSimulado() {
    parar_.senalar();
    hilo_.join();
}

std::uint32_t ServidorUartSimulado::Reles() const {
    std::lock_guard bloqueo(mutex_);
    return reles_;
}

QByteArray ServidorUartSimulado::Recibido() const {
    std::lock_guard bloqueo(mutex_);
    return recibido_;
}

void ServidorUartSimulado::Bucle() {
    const int maestro = pty_.Maestro();
    for (;;) {
        pollfd fds[2] = {{parar_.fd(), POLLIN, 0}, {maestro, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR) return;
        if (fds[0].revents & POLLIN) return;
        if (!(fds[1].revents & POLLIN)) continue;
        char bytes[256];
        const ssize_t n = ::read(maestro, bytes, sizeof bytes);
        if (n <= 0) continue;
        const QByteArray datos(bytes, static_cast<qsizetype>(n));
        const QByteArray respuesta = placa_.Recibir(datos);
        const std::uint32_t reles = placa_.Reles();
        bool cambiaron = false;
        {
            std::lock_guard bloqueo(mutex_);
            recibido_ += datos;
            cambiaron = reles != reles_;
            reles_ = reles;
        }
        if (cambiaron && alCambiarReles_) alCambiarReles_(reles);
        if (respuesta.isEmpty()) continue;
        // A slow board: the stop signal still ends the wait at once.
        if (placa_.Conducta().retrasoMs > 0) {
            pollfd parar = {parar_.fd(), POLLIN, 0};
            if (::poll(&parar, 1, placa_.Conducta().retrasoMs) > 0) return;
        }
        [[maybe_unused]] const auto escritos =
            ::write(maestro, respuesta.constData(), size_t(respuesta.size()));
    }
}
