#include "Icono.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>
#include <algorithm>

namespace {

constexpr int kCabecera = 6;  // ICONDIR
constexpr int kEntrada = 16;  // ICONDIRENTRY

struct Entrada {
    QByteArray directorio;  // the 16 bytes of its ICONDIRENTRY
    QByteArray datos;       // the image data it points at
};

// Qt's writer leaves the padding of the transparency mask rows uninitialised, so the same
// picture would give a different file on every run. The mask (bottom-up rows of one bit per
// pixel, 1 = transparent, each row padded to 32 bits) is rebuilt from the picture's alpha.
void RehacerMascara(QByteArray& datos, const QImage& imagen) {
    const int fila = (imagen.width() + 31) / 32 * 4;
    const qsizetype desde = datos.size() - qsizetype(fila) * imagen.height();
    if (desde <= 0) return;
    const QImage argb = imagen.convertToFormat(QImage::Format_ARGB32);
    auto* mascara = reinterpret_cast<uchar*>(datos.data()) + desde;
    std::fill(mascara, mascara + fila * imagen.height(), uchar(0));
    for (int y = 0; y < argb.height(); ++y) {
        const auto* pixeles = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        uchar* destino = mascara + (argb.height() - 1 - y) * fila;
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(pixeles[x]) == 0) destino[x / 8] |= uchar(0x80 >> (x % 8));
    }
}

// One image through Qt's own writer, taken apart into its directory entry and its data.
bool EntradaDeQt(const QImage& imagen, Entrada& entrada, QString* error) {
    QByteArray archivo;
    QBuffer buffer(&archivo);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter escritor(&buffer, "ico");
    if (!escritor.write(imagen)) {
        *error = "ico writer: " + escritor.errorString();
        return false;
    }
    const auto* b = reinterpret_cast<const uchar*>(archivo.constData());
    if (archivo.size() < kCabecera + kEntrada || qFromLittleEndian<quint16>(b + 4) != 1) {
        *error = "ico writer gave an unexpected file";
        return false;
    }
    const quint32 tamano = qFromLittleEndian<quint32>(b + kCabecera + 8);
    const quint32 desde = qFromLittleEndian<quint32>(b + kCabecera + 12);
    if (desde + tamano > quint32(archivo.size())) {
        *error = "ico writer gave a truncated file";
        return false;
    }
    entrada.directorio = archivo.mid(kCabecera, kEntrada);
    entrada.datos = archivo.mid(desde, tamano);
    RehacerMascara(entrada.datos, imagen);
    return true;
}

}  // namespace

QByteArray ContenedorIco(const QList<QImage>& tamanos, QString* error) {
    if (!QImageWriter::supportedImageFormats().contains("ico")) {
        *error = "this Qt has no ico image plugin";
        return {};
    }
    QList<Entrada> entradas;
    for (const QImage& imagen : tamanos) {
        Entrada e;
        if (!EntradaDeQt(imagen, e, error)) return {};
        entradas << e;
    }
    QByteArray salida(kCabecera, '\0');
    auto* cabecera = reinterpret_cast<uchar*>(salida.data());
    qToLittleEndian<quint16>(0, cabecera);
    qToLittleEndian<quint16>(1, cabecera + 2);  // icon, not cursor
    qToLittleEndian<quint16>(quint16(entradas.size()), cabecera + 4);
    quint32 desde = kCabecera + kEntrada * entradas.size();
    for (Entrada& e : entradas) {
        auto* d = reinterpret_cast<uchar*>(e.directorio.data());
        qToLittleEndian<quint32>(desde, d + 12);
        desde += e.datos.size();
        salida += e.directorio;
    }
    for (const Entrada& e : entradas) salida += e.datos;
    return salida;
}
