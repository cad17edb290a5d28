#include "EnlaceEntrenador.h"

namespace {

EnlaceEntrenador& enlace() {
    static EnlaceEntrenador e;
    return e;
}

}  // namespace

void FijarEnlaceEntrenador(EnlaceEntrenador nuevo) {
    enlace() = std::move(nuevo);
}

const EnlaceEntrenador& EnlaceEntrenadorActual() {
    return enlace();
}

EnlaceEntrenadorTemporal::EnlaceEntrenadorTemporal(EnlaceEntrenador nuevo) : anterior_(enlace()) {
    FijarEnlaceEntrenador(std::move(nuevo));
}

EnlaceEntrenadorTemporal::~EnlaceEntrenadorTemporal() {
    FijarEnlaceEntrenador(std::move(anterior_));
}
