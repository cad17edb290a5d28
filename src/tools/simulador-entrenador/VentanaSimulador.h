#pragma once

#include <QLabel>
#include <QWidget>
#include <array>
#include <cstdint>

// The simulated trainer as a small window: its code and one lamp per relay.
class VentanaSimulador : public QWidget {
public:
    VentanaSimulador(const QString& codigo, const QString& dispositivo);
    void MostrarReles(std::uint32_t reles);

private:
    std::array<QLabel*, 32> lamparas_{};
};
