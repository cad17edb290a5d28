#include "DispositivoSerie.h"

#include "Ini.h"
#include "Instalacion.h"

#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>

void Descriptor::cerrar() {
    if (fd_ < 0) return;
    if (exclusivo_) ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    exclusivo_ = false;
}

Aviso::Aviso() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

void Aviso::senalar() {
    const std::uint64_t uno = 1;
    [[maybe_unused]] const auto escritos = ::write(fd_.fd(), &uno, sizeof uno);
}

QString RutaPuerto(int numero) {
    const QString clave = QStringLiteral("COM%1").arg(numero);
    const QString porDefecto = QStringLiteral("/dev/ttyS%1").arg(numero - 1);
    const QString ruta =
        LeerIni(Instalacion::ArchivoConfiguracion(), QStringLiteral("Puertos"), clave, porDefecto);
    return ruta.trimmed().isEmpty() ? porDefecto : ruta.trimmed();
}

Descriptor AbrirPuertoExclusivo(const QString& ruta, int& error) {
    error = 0;
    Descriptor d(::open(ruta.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!d.valido()) {
        error = errno;
        return {};
    }
    if (!::isatty(d.fd())) {
        error = ENOTTY;
        return {};
    }
    if (::flock(d.fd(), LOCK_EX | LOCK_NB) != 0) {
        error = (errno == EWOULDBLOCK) ? EBUSY : errno;
        return {};
    }
    if (::ioctl(d.fd(), TIOCEXCL) != 0) {
        error = errno;
        return {};
    }
    d.marcarExclusivo();
    termios t{};
    if (::tcgetattr(d.fd(), &t) != 0) {
        error = errno;
        return {};
    }
    t.c_cflag &= ~HUPCL;
    t.c_cflag |= CLOCAL | CREAD;
    if (::tcsetattr(d.fd(), TCSANOW, &t) != 0) {
        error = errno;
        return {};
    }
    return d;
}

bool FijarLineaModem(int fd, int linea, bool activa) {
    return ::ioctl(fd, activa ? TIOCMBIS : TIOCMBIC, &linea) == 0;
}

bool LeerLineasModem(int fd, int& lineas) {
    return ::ioctl(fd, TIOCMGET, &lineas) == 0;
}
