#pragma once

#include <QByteArray>
#include <QString>

// The teacher password lives in the configuration file, [General] Profesor, as the
// password's Windows-1252 bytes each shifted by +3 (modulo 256).
QByteArray Cifrar(const QByteArray& bytes);
QByteArray Descifrar(const QByteArray& bytes);
// Text forms: the text's Windows-1252 bytes shifted, read back as Windows-1252.
QString Cifrar(const QString& texto);
QString Descifrar(const QString& texto);

QString LeerPasswordProfesor();
// A password can be stored when all its characters are Windows-1252 and its scrambled
// form holds no control character (the file could not keep it).
bool PasswordGuardable(const QString& password);
// Writes the scrambled password; false (nothing written) when it cannot be stored.
// Raises ErrorIni when the file cannot be written.
bool GuardarPasswordProfesor(const QString& password);
