// The language file: any bytes load or are refused without a crash, and every look-up
// gives a text.
#include <climits>
#include <cstdint>

#include "ApoyoFuzz.h"
#include "Idioma.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    const QString archivo = ArchivoDeEntrada(datos, tamano, QStringLiteral("idioma.lng"));
    TLanguage idioma;
    try {
        idioma.setIdiomaFile(archivo);
    } catch (const ErrorIdioma&) {
        return 0;
    }
    const int numeros[] = {INT_MIN, -1, 0, 1, 2, 157, 175, 16000, 16005, 24005, INT_MAX};
    for (const int n : numeros) idioma.TextoDesdeInicio(n);
    for (const int n : numeros) idioma.TextoContinuando(n);
    for (int n = 16005; n >= 16000; --n) idioma.TextoContinuando(n);
    return 0;
}
