// The catalogue's CSV files: any bytes give a table or an error that names the line.
#include <cstdint>
#include <stdexcept>

#include "ApoyoFuzz.h"
#include "Csv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    try {
        const TablaCsv tabla =
            LeerCsv(QByteArray(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(tamano)));
        for (int i = 0; i < tabla.columnas.size(); ++i)
            Exigir(tabla.Columna(tabla.columnas[i]) >= 0, "every column is found by its name");
    } catch (const std::runtime_error&) {
    }
    return 0;
}
