#pragma once

#include <QByteArray>
#include <QString>

// Text files of an installation (configuration, language) are single-byte files written
// on Windows or UTF-8 files written here. They are read as bytes and decoded as UTF-8
// when they start with a UTF-8 byte-order mark or the whole content is valid UTF-8,
// otherwise as Windows-1252.
enum class CodificacionTexto { Utf8, Windows1252 };

CodificacionTexto DetectarCodificacion(const QByteArray& bytes);
QString DecodificarTexto(const QByteArray& bytes);
QString DecodificarTexto(const QByteArray& bytes, CodificacionTexto codificacion);
QString DecodificarWindows1252(const QByteArray& bytes);
// Characters outside Windows-1252 give false and leave `salida` untouched.
bool CodificarWindows1252(const QString& texto, QByteArray& salida);
