#include "Azar.h"

#include <chrono>
#include <mutex>
#include <random>

namespace {

struct Generador {
    std::mutex cerrojo;
    std::mt19937 motor;
    bool sembrado = false;
};

Generador& generador() {
    static Generador g;
    return g;
}

}  // namespace

void SembrarAzar(std::uint32_t semilla) {
    Generador& g = generador();
    std::lock_guard lock(g.cerrojo);
    g.motor.seed(semilla);
    g.sembrado = true;
}

int Azar(int limite) {
    if (limite <= 0) return 0;
    Generador& g = generador();
    std::lock_guard lock(g.cerrojo);
    if (!g.sembrado) {
        g.motor.seed(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
        g.sembrado = true;
    }
    return std::uniform_int_distribution<int>(0, limite - 1)(g.motor);
}
