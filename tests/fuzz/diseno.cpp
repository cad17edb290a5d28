// Report layouts: any bytes are read or refused without a crash, and a refusal names a
// line of the text (0 only for a whole-file fault).
#include <cstdint>

#include "ApoyoFuzz.h"
#include "DisenoInforme.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    const QString texto = QString::fromUtf8(reinterpret_cast<const char*>(datos), qsizetype(tamano));
    informes::ErrorDiseno error;
    const auto diseno = informes::LeerDisenoTexto(texto, QStringLiteral("fuzz.frf"), error);
    if (diseno) {
        for (const informes::Banda& b : diseno->bandas)
            for (int hija : b.hijas) Exigir(hija >= 0 && hija < diseno->bandas.size(), "nested band out of range");
        return 0;
    }
    Exigir(error.linea >= 0 && error.linea <= texto.count('\n') + 1, "error line outside the text");
    Exigir(!error.Texto().isEmpty(), "empty error message");
    return 0;
}
