#include "EntradaSalida.h"

#include <poll.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>

namespace {

using Reloj = std::chrono::steady_clock;

// Milliseconds left before `limite`; -1 (no limit) when there is none.
int Restante(bool hayLimite, Reloj::time_point limite) {
    if (!hayLimite) return -1;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(limite - Reloj::now()).count();
    return ms > 0 ? static_cast<int>(ms) : 0;
}

// Waits for the descriptor; false on time-out; error set on cancel or failure.
bool Esperar(int fd, short eventos, int esperaMs, int cancelar, int& error) {
    pollfd fds[2] = {{fd, eventos, 0}, {cancelar, POLLIN, 0}};
    const int n = ::poll(fds, cancelar >= 0 ? 2 : 1, esperaMs);
    if (n < 0) {
        if (errno == EINTR) return true;
        error = errno;
        return false;
    }
    if (n == 0) return false;
    if (cancelar >= 0 && (fds[1].revents & POLLIN)) {
        error = ECANCELED;
        return false;
    }
    if (fds[0].revents & POLLNVAL) {
        error = EBADF;
        return false;
    }
    // We only wait after a transfer found nothing to do, so a hung-up line (which would wake
    // poll at once for ever) is an input/output error.
    if (fds[0].revents & (POLLHUP | POLLERR)) {
        error = EIO;
        return false;
    }
    return true;
}

template <typename Paso>
ResultadoES Transferir(int fd, short eventos, int cuenta, int plazoMs, int intervaloMs, int cancelar,
                       Paso paso) {
    ResultadoES r;
    const bool hayTotal = plazoMs > 0;
    const auto limiteTotal = Reloj::now() + std::chrono::milliseconds(plazoMs);
    while (r.bytes < cuenta) {
        const ssize_t n = paso(r.bytes);
        if (n > 0) {
            r.bytes += static_cast<int>(n);
            continue;
        }
        // A terminal without VMIN answers "nothing yet" with 0 instead of EAGAIN.
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) {
            r.error = errno;
            return r;
        }
        int espera = Restante(hayTotal, limiteTotal);
        if (intervaloMs > 0 && r.bytes > 0 && (espera < 0 || espera > intervaloMs)) espera = intervaloMs;
        if (espera == 0) return r;
        if (!Esperar(fd, eventos, espera, cancelar, r.error)) return r;
    }
    return r;
}

}  // namespace

ResultadoES EscribirConPlazo(int fd, const char* datos, int cuenta, int plazoMs, int cancelar) {
    return Transferir(fd, POLLOUT, cuenta, plazoMs, 0, cancelar,
                      [&](int hechos) { return ::write(fd, datos + hechos, cuenta - hechos); });
}

ResultadoES LeerConPlazo(int fd, char* datos, int cuenta, int plazoMs, int intervaloMs, int cancelar) {
    return Transferir(fd, POLLIN, cuenta, plazoMs, intervaloMs, cancelar,
                      [&](int hechos) { return ::read(fd, datos + hechos, cuenta - hechos); });
}

namespace {

template <typename Paso>
ResultadoES SinEsperar(int cuenta, Paso paso) {
    ResultadoES r;
    while (r.bytes < cuenta) {
        const ssize_t n = paso(r.bytes);
        if (n > 0) {
            r.bytes += static_cast<int>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            if (n < 0 && errno != EAGAIN) r.error = errno;
            break;
        }
    }
    return r;
}

}  // namespace

ResultadoES LeerDisponible(int fd, char* datos, int cuenta) {
    return SinEsperar(cuenta, [&](int hechos) { return ::read(fd, datos + hechos, cuenta - hechos); });
}

ResultadoES EscribirDisponible(int fd, const char* datos, int cuenta) {
    return SinEsperar(cuenta, [&](int hechos) { return ::write(fd, datos + hechos, cuenta - hechos); });
}

OperacionPendiente::OperacionPendiente(Trabajo trabajo, std::function<void(const ResultadoES&)> alCompletar)
    : alCompletar_(std::move(alCompletar)) {
    hilo_ = std::thread([this, t = std::move(trabajo)] { resultado_ = t(cancelar_.fd()); });
}

OperacionPendiente::~OperacionPendiente() {
    Abortar();
}

ResultadoES OperacionPendiente::Esperar() {
    if (hilo_.joinable()) {
        hilo_.join();
        if (alCompletar_) alCompletar_(resultado_);
    }
    return resultado_;
}

void OperacionPendiente::Abortar() {
    if (!hilo_.joinable()) return;
    cancelar_.senalar();
    hilo_.join();
}
