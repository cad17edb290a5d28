#include "EnlaceDatosEntrenador.h"

#include "ClientDataSet.h"
#include "EnlaceEntrenador.h"
#include "EstadoPractica.h"

void EnlazarEntrenador(TComBrd415* placa, TClientDataSet* averias, TDatosPractica* practica) {
    EnlaceEntrenador enlace;
    enlace.placa = placa;
    enlace.relesDeAveria = [averias](int idAveria) -> std::optional<QString> {
        if (!averias || !averias->Active()) return std::nullopt;
        const QVariant reles =
            averias->Lookup(QStringLiteral("cdsAvFIdAveria"), idAveria, QStringLiteral("cdsAvFReles"));
        if (!reles.isValid()) {
            // A fault that exists with an empty list is still a fault: Lookup gives Null for both.
            if (!averias->Lookup(QStringLiteral("cdsAvFIdAveria"), idAveria, QStringLiteral("cdsAvFIdAveria"))
                     .isValid())
                return std::nullopt;
            return QString();
        }
        return reles.toString();
    };
    enlace.fijarCodigoEquipo = [practica](int codigo) {
        if (practica) practica->CodEquipo = codigo;
    };
    FijarEnlaceEntrenador(std::move(enlace));
}
