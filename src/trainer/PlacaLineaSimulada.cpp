#include "PlacaLineaSimulada.h"

namespace {

constexpr int kLecturasPorLatido = 3;
constexpr int kLecturasTrasRotura = 4;
// Headers as they arrive, first bit in the most significant place.
constexpr std::uint32_t kCabeceraEscritura = 0b11111101;
constexpr std::uint32_t kCabeceraLectura = 0b11111110;

}  // namespace

PlacaLineaSimulada::PlacaLineaSimulada(int puerto, std::uint8_t codigo) : puerto_(puerto), codigo_(codigo) {}

bool PlacaLineaSimulada::Abrir(int puerto) {
    probados_.push_back(puerto);
    if (puerto != puerto_) return false;
    abierta_ = true;
    estado_ = Estado::Reposo;
    cts_ = false;
    return true;
}

void PlacaLineaSimulada::Cerrar() {
    abierta_ = false;
}

bool PlacaLineaSimulada::FijarDTR(bool activa) {
    if (!abierta_ || lineaPerdida_) return false;
    dtr_ = activa;
    return true;
}

bool PlacaLineaSimulada::FijarRTS(bool activa) {
    if (!abierta_ || lineaPerdida_) return false;
    const bool subida = activa && !rts_;
    const bool bajada = !activa && rts_;
    rts_ = activa;
    if (subida) Reloj();
    // A write frame ends when the PC takes the acknowledge clock down.
    if (bajada && estado_ == Estado::Trama && !lectura_ && relojes_ >= 41) {
        estado_ = Estado::Reposo;
        cts_ = false;
    }
    return true;
}

bool PlacaLineaSimulada::LeerCTS(bool& activa) {
    if (!abierta_ || lineaPerdida_) return false;
    if (estado_ == Estado::Reposo && !muda_ && ++lecturasEnReposo_ % kLecturasPorLatido == 0) cts_ = !cts_;
    if (estado_ == Estado::Rota && ++lecturasRota_ >= kLecturasTrasRotura) {
        estado_ = Estado::Reposo;
        cts_ = false;
    }
    activa = cts_;
    return true;
}

void PlacaLineaSimulada::Romper() {
    estado_ = Estado::Rota;
    lecturasRota_ = 0;
    cts_ = true;
    ++tramasRotas_;
}

void PlacaLineaSimulada::Reloj() {
    if (estado_ == Estado::Rota) return;
    if (estado_ == Estado::Reposo) {
        estado_ = Estado::Trama;
        relojes_ = 0;
        cabecera_ = 0;
        lectura_ = false;
        bitsEnCurso_.clear();
    }
    ++relojes_;
    if (relojRoto_ > 0 && relojes_ == relojRoto_) {
        Romper();
        return;
    }
    const int bit = dtr_ ? 0 : 1;
    if (relojes_ <= 8) {
        cts_ = false;
        cabecera_ = (cabecera_ << 1) | static_cast<std::uint32_t>(bit);
        if (relojes_ == 8) FinCabecera();
        return;
    }
    if (relojes_ <= 40) {
        cts_ = false;
        if (!lectura_) bitsEnCurso_.push_back(bit);
        return;
    }
    if (relojes_ == 41) {
        if (!lectura_) AplicarPalabra();
        if (sinAcuse_) {
            estado_ = Estado::Reposo;
            cts_ = false;
        } else {
            cts_ = true;
        }
        return;
    }
    // Read frame: the code goes out most significant bit first, one bit a clock.
    if (relojes_ <= 49) {
        cts_ = (codigo_ >> (49 - relojes_)) & 1u;
        return;
    }
    estado_ = Estado::Reposo;
    cts_ = false;
}

void PlacaLineaSimulada::FinCabecera() {
    if (cabecera_ == kCabeceraEscritura) {
        lectura_ = false;
    } else if (cabecera_ == kCabeceraLectura) {
        lectura_ = true;
        ++tramasLectura_;
    } else {
        Romper();
    }
}

void PlacaLineaSimulada::AplicarPalabra() {
    ++tramasEscritura_;
    bitsDatos_ = bitsEnCurso_;
    std::uint32_t palabra = 0;
    for (std::size_t i = 0; i < bitsDatos_.size(); ++i)
        palabra |= static_cast<std::uint32_t>(bitsDatos_[i]) << i;
    if (palabra == 0) {
        reles_ = 0;
        ++liberaciones_;
        return;
    }
    // Bit 32 - n is relay n.
    for (int rele = 1; rele <= 32; ++rele)
        if (palabra & (1u << (32 - rele))) reles_ |= 1u << (rele - 1);
}
