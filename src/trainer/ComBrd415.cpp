#include "ComBrd415.h"

#include <chrono>
#include <thread>

namespace {

using Reloj = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The board answers a UART command within this wait; reads return at once.
constexpr milliseconds kEsperaUart{500};
constexpr milliseconds kEsperaLinea{1000};
constexpr milliseconds kFinTrama{2};
constexpr int kPuertosBuscados = 6;

void Dormir(milliseconds ms) {
    std::this_thread::sleep_for(ms);
}

}  // namespace

TComBrd415::TComBrd415(std::unique_ptr<LineasModem> lineas) : manejadorLinea_(std::move(lineas)) {}

TComBrd415::~TComBrd415() {
    // No release on destruction: the relays stay as they are, as on any close of the program.
    if (puertoEntrenador_ != 0 && modoLinea_) manejadorLinea_->Cerrar();
    CerrarPuertoUart();
}

// --- Operations.

bool TComBrd415::Conectar() {
    if (BuscarPuertoUart()) return true;
    // The last UART probe may still hold its port, which the line-mode open would find busy.
    CerrarPuertoUart();
    puertoEntrenador_ = 0;
    if (BuscarPuertoLinea()) return true;
    puertoEntrenador_ = 0;
    return false;
}

int TComBrd415::LeerCodigo() {
    return modoLinea_ ? LeerCodigoLinea() : LeerCodigoUart();
}

bool TComBrd415::ActivarRele(int rele) {
    return modoLinea_ ? ActivarReleLinea(rele) : ActivarReleUart(rele);
}

bool TComBrd415::DesactivarReles() {
    return modoLinea_ ? ActivarReleLinea(0) : DesactivarRelesUart();
}

bool TComBrd415::Cerrar() {
    if (puertoEntrenador_ == 0) return true;
    if (modoLinea_) {
        ActivarReleLinea(0);
        CerrarLinea();
    } else {
        CerrarPuertoUart();
    }
    puertoEntrenador_ = 0;
    return true;
}

// --- UART mode.

bool TComBrd415::BuscarPuerto(bool (TComBrd415::*abrir)(int), bool modoLinea) {
    for (int n = 1; n <= kPuertosBuscados; ++n) {
        if ((this->*abrir)(n)) {
            puertoEntrenador_ = static_cast<std::uint8_t>(n);
            modoLinea_ = modoLinea;
            return true;
        }
    }
    return false;
}

bool TComBrd415::BuscarPuertoUart() {
    return BuscarPuerto(&TComBrd415::AbrirUart, false);
}

bool TComBrd415::AbrirUart(int puerto) {
    if (puertoEntrenador_ != 0 && modoLinea_) CerrarLinea();
    CerrarPuertoUart();
    try {
        setPort(static_cast<TPortType>(puerto - 1));
        ConfigurarUart();
        Open();
        modoLinea_ = false;
        versionLeida_ = LeerVersion();
    } catch (const EComPort&) {
        // A port that fails while probed is a port without board: the search goes on.
        return false;
    }
    return !versionLeida_.isEmpty();
}

void TComBrd415::ConfigurarUart() {
    setBaudRate(br19200);
    setDataBits(dbEight);
    Parity().setBits(prNone);
}

void TComBrd415::CerrarPuertoUart() {
    try {
        Close();
    } catch (const EComPort&) {
        // Closing what we leave is best effort; the handle is gone either way.
    }
}

QByteArray TComBrd415::LeerVersion() {
    Dormir(kEsperaUart);
    // A write still pending (-1) was accepted; only 0 means nothing went out.
    if (WriteText("V#", false) == 0) return {};
    Dormir(kEsperaUart);
    QByteArray respuesta;
    const int leidos = ReadText(respuesta, 20, true);
    if (leidos <= 0) return {};
    respuesta.truncate(leidos);
    const qsizetype fin = respuesta.indexOf('&');
    if (!respuesta.startsWith('V') || fin < 0) return {};
    return respuesta.left(fin);
}

int TComBrd415::LeerCodigoUart() {
    if (!IsConnected()) return 0;
    if (WriteText("L#", true) <= 0) return 0;
    Dormir(kEsperaUart);
    QByteArray respuesta;
    const int leidos = ReadText(respuesta, 6, true);
    respuesta.truncate(std::max(leidos, 0));
    const qsizetype fin = respuesta.indexOf('&');
    if (fin < 0) return 0;
    bool esNumero = false;
    const int codigo = respuesta.left(fin).toInt(&esNumero, 10);
    return esNumero ? codigo : 0;
}

bool TComBrd415::EnviarOrdenUart(const QByteArray& orden) {
    if (!IsConnected()) return false;
    WriteText(orden, true);
    Dormir(kEsperaUart);
    QByteArray respuesta;
    const int leidos = ReadText(respuesta, 1, true);
    return leidos == 1 && respuesta[0] == '&';
}

bool TComBrd415::ActivarReleUart(int rele) {
    return EnviarOrdenUart("A" + QByteArray::number(rele) + "#");
}

bool TComBrd415::DesactivarRelesUart() {
    return EnviarOrdenUart("D#");
}

// --- Line mode.

bool TComBrd415::BuscarPuertoLinea() {
    return BuscarPuerto(&TComBrd415::AbrirLinea, true);
}

bool TComBrd415::AbrirLinea(int puerto) {
    if (puertoEntrenador_ != 0) {
        if (modoLinea_)
            CerrarLinea();
        else
            CerrarPuertoUart();
    }
    if (!manejadorLinea_->Abrir(puerto)) return false;
    rtsActivo_ = false;
    puertoEntrenador_ = static_cast<std::uint8_t>(puerto);
    return ComprobarLinea();
}

void TComBrd415::CerrarLinea() {
    manejadorLinea_->Cerrar();
    rtsActivo_ = false;
}

bool TComBrd415::ComprobarLinea() {
    const int inicial = LeerCTS();
    bool presente = false;
    if (!errorLinea_) {
        const auto inicio = Reloj::now();
        for (;;) {
            const int cts = LeerCTS();
            if (errorLinea_) break;
            if (cts != inicial) {
                presente = true;
                break;
            }
            if (Reloj::now() - inicio > kEsperaLinea) break;
        }
    }
    if (presente) return true;
    CerrarLinea();
    puertoEntrenador_ = 0;
    return false;
}

int TComBrd415::LeerCodigoLinea() {
    errorLinea_ = false;
    if (puertoEntrenador_ == 0) {
        if (!Conectar()) return 0;
        // The board may have answered in UART mode: a line frame would go to a closed handle.
        if (!modoLinea_) return LeerCodigoUart();
    }
    if (!Sincronizar()) return 0;
    if (!Rts(false)) return 0;
    Retardo();
    if (!CabeceraLectura() || !AcuseLectura()) return 0;
    const std::uint8_t codigo = LeerByte();
    if (errorLinea_) return 0;
    Rts(false);
    Retardo();
    Dormir(kFinTrama);
    return codigo;
}

bool TComBrd415::ActivarReleLinea(int rele) {
    errorLinea_ = false;
    if (puertoEntrenador_ == 0) return false;
    // A frame addresses relays 1 to 32 only (0 = none); anything else has no frame.
    if (rele < 0 || rele > 32) return false;
    if (!Sincronizar()) return false;
    // A frame broken off earlier left RTS asserted: without this falling edge the first
    // header clock would have no rising edge and the board would read the frame one short.
    if (rtsActivo_) {
        if (!Rts(false)) return false;
        Retardo();
    }
    if (!CabeceraEscritura() || !EnviarPalabra(rele)) return false;
    if (!Rts(true)) return false;
    Retardo();
    const int acuse = LeerCTS();
    if (errorLinea_ || acuse == 0) return false;
    if (!Rts(false)) return false;
    Dormir(kFinTrama);
    return true;
}

// --- Line primitives.

void TComBrd415::Retardo() {
    // Busy-wait on purpose: the board is clocked by the PC at whatever pace it keeps.
    volatile int i = 0;
    while (i < cuentaRetardo_) i = i + 1;
}

int TComBrd415::LeerCTS() {
    errorLinea_ = false;
    bool cts = false;
    if (puertoEntrenador_ >= 9 || !manejadorLinea_->LeerCTS(cts)) {
        errorLinea_ = true;
        return 0;
    }
    return cts ? 1 : 0;
}

bool TComBrd415::Rts(bool activa) {
    if (!manejadorLinea_->FijarRTS(activa)) return false;
    rtsActivo_ = activa;
    return true;
}

bool TComBrd415::Dtr(bool activa) {
    return manejadorLinea_->FijarDTR(activa);
}

bool TComBrd415::DtrRetardo(bool activa) {
    if (!Dtr(activa)) return false;
    Retardo();
    return true;
}

bool TComBrd415::Pulso() {
    if (!Rts(true)) return false;
    Retardo();
    if (!Rts(false)) return false;
    Retardo();
    return true;
}

bool TComBrd415::PulsoComprobado() {
    if (!Pulso()) return false;
    const int cts = LeerCTS();
    if (errorLinea_) return false;
    if (cts != 0) {
        Abortar();
        return false;
    }
    return true;
}

bool TComBrd415::PulsosComprobados(int veces) {
    for (int i = 0; i < veces; ++i)
        if (!PulsoComprobado()) return false;
    return true;
}

bool TComBrd415::Abortar() {
    const bool hecho = Rts(true);
    Retardo();
    errorLinea_ = true;
    return hecho;
}

bool TComBrd415::Sincronizar() {
    for (const int esperado : {1, 0}) {
        const auto inicio = Reloj::now();
        for (;;) {
            const int cts = LeerCTS();
            if (errorLinea_) return false;
            if (cts == esperado || Reloj::now() - inicio > kEsperaLinea) break;
        }
    }
    return true;
}

// A bit of value 1 is DTR negated, 0 is DTR asserted.
bool TComBrd415::CabeceraEscritura() {
    return DtrRetardo(false) && PulsosComprobados(6) && DtrRetardo(true) && PulsosComprobados(1) &&
           DtrRetardo(false) && PulsosComprobados(1);
}

bool TComBrd415::CabeceraLectura() {
    return DtrRetardo(false) && PulsosComprobados(7) && DtrRetardo(true) && PulsosComprobados(1) &&
           DtrRetardo(true) && PulsosComprobados(32);
}

bool TComBrd415::EnviarPalabra(int rele) {
    // Relay n is bit 32 - n; the word goes least significant bit first, so relay 32 is the
    // first data clock and relay 1 the last.
    std::uint32_t palabra = rele == 0 ? 0u : (1u << (32 - rele));
    for (int i = 0; i < 32; ++i) {
        if (!DtrRetardo((palabra & 1u) == 0) || !PulsoComprobado()) return false;
        palabra >>= 1;
    }
    return true;
}

bool TComBrd415::AcuseLectura() {
    if (!Pulso()) return false;
    const int cts = LeerCTS();
    if (errorLinea_ || cts == 0) {
        Abortar();
        return false;
    }
    return Pulso();
}

std::uint8_t TComBrd415::LeerByte() {
    errorLinea_ = false;
    std::uint8_t valor = 0;
    for (int bit = 1; bit <= 8; ++bit) {
        const int cts = LeerCTS();
        if (errorLinea_) break;
        if (cts) valor |= 1;
        if (bit != 8) valor = static_cast<std::uint8_t>(valor << 1);
        if (!Pulso()) {
            errorLinea_ = true;
            break;
        }
    }
    return valor;
}
