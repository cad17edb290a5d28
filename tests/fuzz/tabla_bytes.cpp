// A table file of any bytes: refused as damaged or foreign, never a crash.
#include <cstdint>

#include "ApoyoFuzz.h"
#include "LecturaTabla.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    LeerTablaFuzz(ArchivoDeEntrada(datos, tamano, QStringLiteral("tabla.cds")));
    return 0;
}
