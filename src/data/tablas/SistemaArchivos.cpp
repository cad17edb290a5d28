#include "SistemaArchivos.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

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
    // Closes now and tells whether the close failed (a late write error).
    int Cerrar() {
        const int r = ::close(fd_);
        fd_ = -1;
        return r == 0 ? 0 : errno;
    }

private:
    int fd_;
};

QByteArray Nativo(const QString& ruta) {
    return QFile::encodeName(ruta);
}

// Every byte of `n`, through interruptions and short writes.
int EscribirTodo(int fd, const char* datos, ssize_t n) {
    while (n > 0) {
        const ssize_t escritos = ::write(fd, datos, static_cast<size_t>(n));
        if (escritos < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        datos += escritos;
        n -= escritos;
    }
    return 0;
}

int CopiarContenido(int origen, int destino) {
    char bloque[64 * 1024];
    for (;;) {
        const ssize_t leidos = ::read(origen, bloque, sizeof bloque);
        if (leidos < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (leidos == 0) return 0;
        if (const int err = EscribirTodo(destino, bloque, leidos)) return err;
    }
}

}  // namespace

int Renombrar(const QString& origen, const QString& destino) {
    return std::rename(Nativo(origen).constData(), Nativo(destino).constData()) == 0 ? 0 : errno;
}

int Identificar(const QString& ruta, IdArchivo& id) {
    struct stat datos {};
    if (::stat(Nativo(ruta).constData(), &datos) != 0) return errno;
    id.dispositivo = datos.st_dev;
    id.nodo = datos.st_ino;
    return 0;
}

int SincronizarCarpeta(const QString& carpeta) {
    Descriptor d(::open(Nativo(carpeta).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (d.fd() < 0) return errno;
    return ::fsync(d.fd()) == 0 ? 0 : errno;
}

ClaseEntrada Clase(const QString& ruta) {
    struct stat datos {};
    if (::lstat(Nativo(ruta).constData(), &datos) != 0) return ClaseEntrada::Ninguna;
    if (S_ISLNK(datos.st_mode)) return ClaseEntrada::Enlace;
    if (S_ISDIR(datos.st_mode)) return ClaseEntrada::Carpeta;
    if (S_ISREG(datos.st_mode)) return ClaseEntrada::Archivo;
    return ClaseEntrada::Otra;
}

int ListarCarpeta(const QString& carpeta, QStringList& nombres) {
    nombres.clear();
    const int fd = ::open(Nativo(carpeta).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return errno;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::fdopendir(fd), ::closedir);
    if (!dir) {
        const int err = errno;
        ::close(fd);
        return err;
    }
    errno = 0;
    while (const dirent* entrada = ::readdir(dir.get())) {
        const QString nombre = QFile::decodeName(entrada->d_name);
        if (nombre != QLatin1String(".") && nombre != QLatin1String("..")) nombres.append(nombre);
        errno = 0;
    }
    if (errno != 0) return errno;
    std::sort(nombres.begin(), nombres.end());
    return 0;
}

int CrearCarpeta(const QString& carpeta) {
    return ::mkdir(Nativo(carpeta).constData(), 0777) == 0 ? 0 : errno;
}

int BorrarCarpetaVacia(const QString& carpeta) {
    return ::rmdir(Nativo(carpeta).constData()) == 0 ? 0 : errno;
}

int BorrarNombre(const QString& ruta) {
    if (::unlink(Nativo(ruta).constData()) == 0 || errno == ENOENT) return 0;
    return errno;
}

int BorrarArchivoTabla(const QString& ruta) {
    int primero = 0;
    for (const char* sufijo : {"-journal", "-wal", "-shm", ""}) {
        const int err = BorrarNombre(ruta + QLatin1String(sufijo));
        if (err && !primero) primero = err;
    }
    return primero;
}

int CopiarArchivo(const QString& origen, const QString& destino, bool durable) {
    Descriptor entrada(::open(Nativo(origen).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (entrada.fd() < 0) return errno;
    struct stat datos {};
    if (::fstat(entrada.fd(), &datos) != 0) return errno;
    if (!S_ISREG(datos.st_mode)) return EINVAL;

    const QString temporal = destino + QStringLiteral(".copia");
    BorrarNombre(temporal);
    int err = 0;
    {
        Descriptor salida(
            ::open(Nativo(temporal).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (salida.fd() < 0) return errno;
        err = CopiarContenido(entrada.fd(), salida.fd());
        if (!err && durable && ::fsync(salida.fd()) != 0) err = errno;
        if (const int cierre = salida.Cerrar(); !err) err = cierre;
    }
    if (!err) err = Renombrar(temporal, destino);
    if (err) {
        BorrarNombre(temporal);
        return err;
    }
    return durable ? SincronizarCarpeta(QFileInfo(destino).absolutePath()) : 0;
}

int Enlazar(const QString& origen, const QString& destino) {
    return ::link(Nativo(origen).constData(), Nativo(destino).constData()) == 0 ? 0 : errno;
}

}  // namespace tablas
