#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>

// Raised when a configuration file cannot be written; carries the errno-style reason.
class ErrorIni : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// INI files: section and key names compare without regard to case; every read and
// write opens the file and closes it again, nothing is cached. Writing one key keeps
// every other line of the file byte for byte.
QString LeerIni(const QString& archivo, const QString& seccion, const QString& clave,
                const QString& porDefecto = QString());
void EscribirIni(const QString& archivo, const QString& seccion, const QString& clave, const QString& valor);

// The same for values kept as bytes whatever the file's encoding (the scrambled teacher
// password); a missing key reads as empty.
QByteArray LeerIniBytes(const QString& archivo, const QString& seccion, const QString& clave);
void EscribirIniBytes(const QString& archivo, const QString& seccion, const QString& clave,
                      const QByteArray& valor);
