#include "ApoyoFuzz.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

QString ArchivoDeEntrada(const std::uint8_t* datos, std::size_t tamano, const QString& nombre) {
    static QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(nombre);
    QFile::remove(ruta);
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly) || f.write(reinterpret_cast<const char*>(datos),
                                                 static_cast<qint64>(tamano)) != static_cast<qint64>(tamano))
        Exigir(false, "the input could not be written to a temporary file");
    return ruta;
}

void Exigir(bool cumple, const char* que) {
    if (cumple) return;
    std::fprintf(stderr, "fuzz: %s\n", que);
    std::abort();
}
