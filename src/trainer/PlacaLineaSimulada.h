#pragma once

#include "LineasModem.h"

#include <cstdint>
#include <vector>

// A relay board in line mode, on the modem lines of one port: it decodes the frames clock by
// clock (a rising edge of RTS is a clock, DTR negated a bit of 1) and answers on CTS as the
// board does. At rest its CTS toggles every few reads, which is how the PC sees it present.
class PlacaLineaSimulada : public LineasModem {
public:
    explicit PlacaLineaSimulada(int puerto = 1, std::uint8_t codigo = 7);

    // Ways to misbehave.
    void RomperEnReloj(int reloj) { relojRoto_ = reloj; }  // CTS asserted from that clock on
    void SinAcuse(bool v) { sinAcuse_ = v; }
    void PerderLinea(bool v) { lineaPerdida_ = v; }  // every line call fails
    void Muda(bool v) { muda_ = v; }                 // CTS never moves
    void FijarPuerto(int puerto) { puerto_ = puerto; }

    // What the PC did.
    const std::vector<int>& PuertosProbados() const { return probados_; }
    std::uint32_t Reles() const { return reles_; }
    bool ReleActivo(int rele) const { return rele >= 1 && rele <= 32 && (reles_ >> (rele - 1)) & 1u; }
    // Data bits of the last write frame, in the order they came on the line.
    const std::vector<int>& BitsUltimaTrama() const { return bitsDatos_; }
    int TramasEscritura() const { return tramasEscritura_; }
    int TramasLectura() const { return tramasLectura_; }
    int Liberaciones() const { return liberaciones_; }
    int TramasRotas() const { return tramasRotas_; }
    bool Abierta() const { return abierta_; }
    bool Rts() const { return rts_; }
    bool Dtr() const { return dtr_; }

    bool Abrir(int puerto) override;
    void Cerrar() override;
    bool FijarRTS(bool activa) override;
    bool FijarDTR(bool activa) override;
    bool LeerCTS(bool& activa) override;

private:
    enum class Estado { Reposo, Trama, Rota };
    void Reloj();
    void FinCabecera();
    void AplicarPalabra();
    void Romper();

    int puerto_;
    std::uint8_t codigo_;
    int relojRoto_ = 0;
    bool sinAcuse_ = false;
    bool lineaPerdida_ = false;
    bool muda_ = false;

    bool abierta_ = false;
    bool rts_ = false;
    bool dtr_ = false;
    bool cts_ = false;
    Estado estado_ = Estado::Reposo;
    bool lectura_ = false;
    int relojes_ = 0;
    int lecturasEnReposo_ = 0;
    int lecturasRota_ = 0;
    std::uint32_t cabecera_ = 0;
    std::vector<int> bitsEnCurso_;
    std::vector<int> bitsDatos_;
    std::vector<int> probados_;
    std::uint32_t reles_ = 0;
    int tramasEscritura_ = 0;
    int tramasLectura_ = 0;
    int liberaciones_ = 0;
    int tramasRotas_ = 0;
};
