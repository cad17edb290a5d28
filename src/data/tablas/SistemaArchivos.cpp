#include "SistemaArchivos.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstdio>

namespace tablas {

namespace {
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};
}  // namespace

int Renombrar(const QString& origen, const QString& destino) {
    return std::rename(QFile::encodeName(origen).constData(), QFile::encodeName(destino).constData()) == 0
               ? 0
               : errno;
}

int Identificar(const QString& ruta, IdArchivo& id) {
    struct stat datos {};
    if (::stat(QFile::encodeName(ruta).constData(), &datos) != 0) return errno;
    id.dispositivo = datos.st_dev;
    id.nodo = datos.st_ino;
    return 0;
}

int SincronizarCarpeta(const QString& carpeta) {
    Descriptor d(::open(QFile::encodeName(carpeta).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (d.fd() < 0) return errno;
    return ::fsync(d.fd()) == 0 ? 0 : errno;
}

}  // namespace tablas
