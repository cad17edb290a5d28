#include "TextoArchivo.h"

#include <QStringDecoder>
#include <array>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five undefined codes map
// to the control characters of the same value, as Windows itself does.
constexpr std::array<char16_t, 32> kAlto = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

CodificacionTexto DetectarCodificacion(const QByteArray& bytes) {
    // A byte-order mark says UTF-8 even when some bytes are not (a value kept as bytes).
    if (bytes.startsWith("\xEF\xBB\xBF")) return CodificacionTexto::Utf8;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texto = utf8.decode(bytes);
    return utf8.hasError() ? CodificacionTexto::Windows1252 : CodificacionTexto::Utf8;
}

QString DecodificarWindows1252(const QByteArray& bytes) {
    QString texto;
    texto.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        texto += (b >= 0x80 && b <= 0x9F) ? QChar(kAlto[b - 0x80]) : QChar(b);
    }
    return texto;
}

bool CodificarWindows1252(const QString& texto, QByteArray& salida) {
    QByteArray bytes;
    bytes.reserve(texto.size());
    for (const QChar c : texto) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes += static_cast<char>(u);
            continue;
        }
        int encontrado = -1;
        for (int i = 0; i < static_cast<int>(kAlto.size()); ++i)
            if (kAlto[i] == u) encontrado = i;
        if (encontrado < 0) return false;
        bytes += static_cast<char>(0x80 + encontrado);
    }
    salida = bytes;
    return true;
}

QString DecodificarTexto(const QByteArray& bytes, CodificacionTexto codificacion) {
    return codificacion == CodificacionTexto::Utf8 ? QString::fromUtf8(bytes) : DecodificarWindows1252(bytes);
}

QString DecodificarTexto(const QByteArray& bytes) {
    return DecodificarTexto(bytes, DetectarCodificacion(bytes));
}
