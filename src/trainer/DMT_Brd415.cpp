#include "DMT_Brd415.h"

#include "ComBrd415.h"
#include "EnlaceEntrenador.h"

namespace {

TComBrd415* Placa() {
    return EnlaceEntrenadorActual().placa;
}

// The workstation must not fall over because a port failed in the middle of a command: a
// port error is a failed command, as the trainer link reports every failure.
template <typename Resultado, typename Orden>
Resultado SinErrores(Orden orden, Resultado siFalla) {
    try {
        return orden();
    } catch (const EComPort&) {
        return siFalla;
    }
}

// Cuts the next relay off the front of a list such as "3,17,22".
bool SiguienteRele(QString& lista, int& rele) {
    const qsizetype coma = lista.indexOf(QLatin1Char(','));
    const QString parte = coma < 0 ? lista : lista.left(coma);
    lista = coma < 0 ? QString() : lista.mid(coma + 1);
    bool esNumero = false;
    rele = parte.trimmed().toInt(&esNumero, 10);
    return esNumero;
}

}  // namespace

bool ConectarEntrenador() {
    TComBrd415* placa = Placa();
    if (!placa) return false;
    try {
        if (placa->Conectar()) return true;
    } catch (const EComPort&) {
        return false;
    }
    if (const auto& fijar = EnlaceEntrenadorActual().fijarCodigoEquipo) fijar(0);
    return false;
}

std::uint8_t LeerEquipoEntrenador() {
    TComBrd415* placa = Placa();
    if (!placa) return 0;
    return SinErrores([placa] { return static_cast<std::uint8_t>(placa->LeerCodigo() & 0xFF); },
                      std::uint8_t{0});
}

bool ActivarAveria(int idAveria, bool reconectar) {
    TComBrd415* placa = Placa();
    if (!placa) return false;
    if (reconectar && !ConectarEntrenador()) return false;
    const auto& relesDeAveria = EnlaceEntrenadorActual().relesDeAveria;
    const std::optional<QString> reles = relesDeAveria ? relesDeAveria(idAveria) : std::nullopt;
    if (!reles) return false;
    // A fault without relays provokes nothing, so it is no success either.
    bool resultado = false;
    QString lista = *reles;
    while (!lista.isEmpty()) {
        int rele = 0;
        if (!SiguienteRele(lista, rele)) return false;
        resultado = SinErrores([placa, rele] { return placa->ActivarRele(rele); }, false);
    }
    return resultado;
}

bool DesactivarAveria(bool reconectar) {
    TComBrd415* placa = Placa();
    if (!placa) return false;
    if (reconectar && !ConectarEntrenador()) return false;
    return SinErrores([placa] { return placa->DesactivarReles(); }, false);
}

bool CerrarEntrenador() {
    TComBrd415* placa = Placa();
    if (!placa || !ConectarEntrenador()) return false;
    return SinErrores([placa] { return placa->Cerrar(); }, false);
}
