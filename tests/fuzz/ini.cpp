// The configuration file: any bytes are read without a crash, and writing a key keeps it
// readable with the value written, whatever the file held before.
#include <cstdint>

#include "ApoyoFuzz.h"
#include "Ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    const QString archivo = ArchivoDeEntrada(datos, tamano, QStringLiteral("averias.ini"));
    for (const char* seccion : {"Puertos", "Averias", ""})
        for (const char* clave : {"COM1", "Password", "TipoDumet", ""}) {
            LeerIni(archivo, seccion, clave, QStringLiteral("-"));
            LeerIniBytes(archivo, seccion, clave);
        }

    EscribirIni(archivo, QStringLiteral("Puertos"), QStringLiteral("COM1"), QStringLiteral("/dev/ttyUSB0"));
    Exigir(
        LeerIni(archivo, QStringLiteral("puertos"), QStringLiteral("com1")) == QLatin1String("/dev/ttyUSB0"),
        "a key written reads back");
    const QByteArray clave("\x01\x80\xfe clave", 9);
    EscribirIniBytes(archivo, QStringLiteral("Averias"), QStringLiteral("Password"), clave);
    Exigir(LeerIniBytes(archivo, QStringLiteral("Averias"), QStringLiteral("Password")) == clave,
           "bytes written read back");
    Exigir(
        LeerIni(archivo, QStringLiteral("Puertos"), QStringLiteral("COM1")) == QLatin1String("/dev/ttyUSB0"),
        "writing one key keeps another");
    return 0;
}
