#include "Password.h"

#include "Ini.h"
#include "Instalacion.h"
#include "TextoArchivo.h"

namespace {

QByteArray desplazar(QByteArray bytes, int cantidad) {
    for (char& c : bytes) c = static_cast<char>((static_cast<unsigned char>(c) + cantidad) & 0xFF);
    return bytes;
}

bool aBytes(const QString& texto, QByteArray& bytes) {
    return CodificarWindows1252(texto, bytes);
}

}  // namespace

QByteArray Cifrar(const QByteArray& bytes) {
    return desplazar(bytes, 3);
}

QByteArray Descifrar(const QByteArray& bytes) {
    return desplazar(bytes, -3);
}

QString Cifrar(const QString& texto) {
    QByteArray bytes;
    if (!aBytes(texto, bytes)) bytes = texto.toLatin1();
    return DecodificarWindows1252(Cifrar(bytes));
}

QString Descifrar(const QString& texto) {
    QByteArray bytes;
    if (!aBytes(texto, bytes)) bytes = texto.toLatin1();
    return DecodificarWindows1252(Descifrar(bytes));
}

QString LeerPasswordProfesor() {
    const QByteArray guardada = LeerIniBytes(Instalacion::ArchivoConfiguracion(), QStringLiteral("General"),
                                             QStringLiteral("Profesor"));
    return DecodificarWindows1252(Descifrar(guardada));
}

bool PasswordGuardable(const QString& password) {
    QByteArray bytes;
    if (!aBytes(password, bytes)) return false;
    const QByteArray cifrada = Cifrar(bytes);
    for (const char c : cifrada) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) return false;
    }
    // The reader trims blanks around a value, so they could not come back either.
    return cifrada.isEmpty() || (cifrada.front() != ' ' && cifrada.back() != ' ');
}

bool GuardarPasswordProfesor(const QString& password) {
    if (!PasswordGuardable(password)) return false;
    QByteArray bytes;
    aBytes(password, bytes);
    EscribirIniBytes(Instalacion::ArchivoConfiguracion(), QStringLiteral("General"),
                     QStringLiteral("Profesor"), Cifrar(bytes));
    return true;
}
