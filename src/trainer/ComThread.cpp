#include "ComThread.h"

#include "ComPort.h"

#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <QCoreApplication>
#include <QThread>
#include <condition_variable>
#include <mutex>

struct EntregaSincronizada::Estado {
    std::mutex mutex;
    std::condition_variable cambio;
    bool cancelada = false;
};

EntregaSincronizada::EntregaSincronizada() : estado_(std::make_shared<Estado>()) {}

void EntregaSincronizada::Ejecutar(std::function<void()> f) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        f();
        return;
    }
    auto hecha = std::make_shared<bool>(false);
    {
        std::lock_guard bloqueo(estado_->mutex);
        if (estado_->cancelada) return;
    }
    auto estado = estado_;
    QMetaObject::invokeMethod(
        app,
        [estado, hecha, f = std::move(f)] {
            {
                std::lock_guard bloqueo(estado->mutex);
                if (estado->cancelada) return;
            }
            f();
            std::lock_guard bloqueo(estado->mutex);
            *hecha = true;
            estado->cambio.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock bloqueo(estado_->mutex);
    estado_->cambio.wait(bloqueo, [&] { return *hecha || estado_->cancelada; });
}

void EntregaSincronizada::Cancelar() {
    std::lock_guard bloqueo(estado_->mutex);
    estado_->cancelada = true;
    estado_->cambio.notify_all();
}

namespace {

// What the port says about itself between two looks; the calls a device does not support
// (a pseudo-terminal has no modem lines nor counters) leave their part at rest.
struct Muestra {
    int entrada = 0;
    int salida = 0;
    int lineas = 0;
    serial_icounter_struct contadores{};

    static Muestra Tomar(int fd) {
        Muestra m;
        if (::ioctl(fd, FIONREAD, &m.entrada) != 0) m.entrada = 0;
        if (::ioctl(fd, TIOCOUTQ, &m.salida) != 0) m.salida = 0;
        if (::ioctl(fd, TIOCMGET, &m.lineas) != 0) m.lineas = 0;
        if (::ioctl(fd, TIOCGICOUNT, &m.contadores) != 0) m.contadores = {};
        return m;
    }
};

unsigned Cambios(const Muestra& antes, const Muestra& ahora, int limite80) {
    unsigned ev = 0;
    if (ahora.entrada > antes.entrada) ev |= EV_RXCHAR;
    if (ahora.entrada >= limite80 && antes.entrada < limite80) ev |= EV_RX80FULL;
    if (ahora.salida == 0 && antes.salida > 0) ev |= EV_TXEMPTY;
    const int cambiadas = ahora.lineas ^ antes.lineas;
    if (cambiadas & TIOCM_CTS) ev |= EV_CTS;
    if (cambiadas & TIOCM_DSR) ev |= EV_DSR;
    if (cambiadas & TIOCM_CD) ev |= EV_RLSD;
    if ((cambiadas & TIOCM_RI) && (ahora.lineas & TIOCM_RI)) ev |= EV_RING;
    const auto& a = antes.contadores;
    const auto& b = ahora.contadores;
    if (b.brk > a.brk) ev |= EV_BREAK;
    if (b.frame > a.frame || b.overrun > a.overrun || b.parity > a.parity || b.buf_overrun > a.buf_overrun)
        ev |= EV_ERR;
    return ev;
}

// Line events have no descriptor to wait on: they are sampled at this period.
constexpr int kPeriodoMuestreoMs = 20;

}  // namespace

TComThread::TComThread(int fd, unsigned mascara, int readBufSize, std::function<void(unsigned)> despachar)
    : fd_(fd), mascara_(mascara), limite80_(readBufSize * 8 / 10), despachar_(std::move(despachar)) {
    hilo_ = std::thread([this] { Bucle(); });
}

TComThread::~TComThread() {
    parar_.senalar();
    if (hilo_.joinable()) hilo_.join();
}

void TComThread::Bucle() {
    constexpr unsigned kMuestreados = EV_TXEMPTY | EV_CTS | EV_DSR | EV_RLSD | EV_BREAK | EV_ERR | EV_RING;
    // The queues were emptied at open: bytes already there when the thread starts are news.
    Muestra antes = Muestra::Tomar(fd_);
    antes.entrada = 0;
    antes.salida = 0;
    bool colgado = false;
    for (;;) {
        // Input waits on the descriptor while the queue is empty; once bytes wait unread (or
        // the other end hung up, which poll would report without pause) it is sampled too.
        pollfd fds[2] = {{parar_.fd(), POLLIN, 0}, {colgado ? -1 : fd_, 0, 0}};
        if (antes.entrada == 0) fds[1].events = POLLIN;
        const bool muestrear = (mascara_ & kMuestreados) || antes.entrada > 0 || colgado;
        const int n = ::poll(fds, 2, muestrear ? kPeriodoMuestreoMs : -1);
        if (n < 0 && errno != EINTR) break;
        if (fds[0].revents & POLLIN) break;
        if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) colgado = true;
        const Muestra ahora = Muestra::Tomar(fd_);
        const unsigned ev = Cambios(antes, ahora, limite80_) & mascara_;
        antes = ahora;
        if (ev) despachar_(ev);
    }
    ::tcflush(fd_, TCIOFLUSH);
}
