// historial: every practice of a group as a spreadsheet, one row per practice.
#include <QStringDecoder>

#include "ArgumentosGrupo.h"
#include "HojaHistorial.h"
#include "Ordenes.h"

namespace {

struct PeticionHistorial {
    ArgumentosGrupo grupo;
    std::optional<int> equipo;
};

std::optional<QString> LeerPeticion(const QStringList& argumentos, PeticionHistorial& p) {
    if (const std::optional<QString> fallo = LeerArgumentosGrupo(argumentos, p.grupo)) return fallo;
    for (const auto& [opcion, valor] : p.grupo.opciones) {
        if (opcion != QLatin1String("--equipo")) return QStringLiteral("opción desconocida %1").arg(opcion);
        if (const std::optional<QString> fallo = LeerEquipo(valor, p.equipo)) return fallo;
    }
    return std::nullopt;
}

}  // namespace

int OrdenHistorial(const QStringList& argumentos, QTextStream& salida, QTextStream& errores) {
    PeticionHistorial p;
    if (const std::optional<QString> fallo = LeerPeticion(argumentos, p)) {
        errores << "averias-datos historial: " << *fallo << "\nUso: averias-datos historial " << kUsoHistorial
                << '\n';
        return kSalidaUso;
    }
    return ConHistorialGrupo(p.grupo, errores, [&](const HistorialGrupo& historial) {
        // Decoded keeping the byte-order mark, which spreadsheet programs look for.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        salida << QString(utf8.decode(HojaCalculo(TablaHistorial(historial, p.equipo))));
    });
}
