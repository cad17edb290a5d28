#include "Ayuda.h"

namespace {

std::function<void(int)>& abridor() {
    static std::function<void(int)> f;
    return f;
}

}  // namespace

void AbrirAyuda(int libro) {
    if (abridor()) abridor()(libro);
}

void FijarAbridorAyuda(std::function<void(int)> nuevo) {
    abridor() = std::move(nuevo);
}
