#pragma once

#include <QString>
#include <functional>
#include <optional>

class TComBrd415;

// What the fault relay driver works on, set once by the workstation: its one relay board,
// the relay list of a fault (the cdsAvFReles text of the cdsAveria row with that IdAveria;
// nullopt when there is no such fault), and the practice state's code of the detected trainer.
struct EnlaceEntrenador {
    TComBrd415* placa = nullptr;
    std::function<std::optional<QString>(int idAveria)> relesDeAveria;
    std::function<void(int codigo)> fijarCodigoEquipo;
};

void FijarEnlaceEntrenador(EnlaceEntrenador enlace);
const EnlaceEntrenador& EnlaceEntrenadorActual();

// For tests: installs a binding for the life of the guard.
class EnlaceEntrenadorTemporal {
public:
    explicit EnlaceEntrenadorTemporal(EnlaceEntrenador enlace);
    ~EnlaceEntrenadorTemporal();
    EnlaceEntrenadorTemporal(const EnlaceEntrenadorTemporal&) = delete;
    EnlaceEntrenadorTemporal& operator=(const EnlaceEntrenadorTemporal&) = delete;

private:
    EnlaceEntrenador anterior_;
};
