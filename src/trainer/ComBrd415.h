#pragma once

#include "ComPort.h"
#include "LineasModem.h"

#include <QByteArray>
#include <cstdint>
#include <memory>

// The trainer's relay board, reached in UART mode (ASCII commands through the inherited
// port) or in line mode (frames clocked on RTS, data on DTR, answers on CTS). Every
// operation blocks the calling thread until it ends.
class TComBrd415 : public TComPort {
public:
    // `lineas` drives the modem lines in line mode; the real serial lines by default.
    explicit TComBrd415(std::unique_ptr<LineasModem> lineas = std::make_unique<LineasModemSerie>());
    ~TComBrd415() override;

    bool Conectar();
    // The trainer code; 0 also means failure.
    int LeerCodigo();
    bool ActivarRele(int rele);
    bool DesactivarReles();
    bool Cerrar();

    std::uint8_t PuertoEntrenador() const { return puertoEntrenador_; }
    bool ModoLinea() const { return modoLinea_; }
    bool ErrorLinea() const { return errorLinea_; }
    int CuentaRetardo() const { return cuentaRetardo_; }
    void setCuentaRetardo(int cuenta) { cuentaRetardo_ = cuenta; }
    // The version text of the last successful UART probe, for the technician's probe.
    QByteArray VersionLeida() const { return versionLeida_; }

private:
    // Ports COM1 to COM6 in ascending order; the first that `abrir` accepts is the board's.
    bool BuscarPuerto(bool (TComBrd415::*abrir)(int), bool modoLinea);

    // UART mode.
    bool BuscarPuertoUart();
    bool AbrirUart(int puerto);
    void ConfigurarUart();
    QByteArray LeerVersion();
    int LeerCodigoUart();
    bool ActivarReleUart(int rele);
    bool DesactivarRelesUart();
    bool EnviarOrdenUart(const QByteArray& orden);
    void CerrarPuertoUart();

    // Line mode.
    bool BuscarPuertoLinea();
    bool AbrirLinea(int puerto);
    bool ComprobarLinea();
    int LeerCodigoLinea();
    bool ActivarReleLinea(int rele);
    void CerrarLinea();

    // Line primitives.
    void Retardo();
    int LeerCTS();
    bool Rts(bool activa);
    bool Dtr(bool activa);
    bool DtrRetardo(bool activa);
    bool Pulso();
    bool PulsoComprobado();
    bool PulsosComprobados(int veces);
    bool Abortar();
    bool Sincronizar();
    bool CabeceraEscritura();
    bool CabeceraLectura();
    bool EnviarPalabra(int rele);
    bool AcuseLectura();
    std::uint8_t LeerByte();

    std::unique_ptr<LineasModem> manejadorLinea_;
    std::uint8_t puertoEntrenador_ = 0;
    bool errorLinea_ = false;
    int cuentaRetardo_ = 100000;
    bool modoLinea_ = true;
    bool rtsActivo_ = false;
    QByteArray versionLeida_;
};
