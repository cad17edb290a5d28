#include "VentanaSimulador.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace {

void Encender(QLabel* lampara, bool encendida) {
    lampara->setStyleSheet(encendida ? QStringLiteral("background:#e03020;color:white;border-radius:4px")
                                     : QStringLiteral("background:#404040;color:#c0c0c0;border-radius:4px"));
}

}  // namespace

VentanaSimulador::VentanaSimulador(const QString& codigo, const QString& dispositivo) {
    setObjectName(QStringLiteral("VentanaSimulador"));
    setWindowTitle(QStringLiteral("Entrenador simulado %1").arg(codigo));
    auto* columna = new QVBoxLayout(this);
    auto* titulo = new QLabel(QStringLiteral("ENTRENADOR %1  (%2)").arg(codigo, dispositivo), this);
    titulo->setObjectName(QStringLiteral("LabelCodigo"));
    columna->addWidget(titulo);
    auto* rejilla = new QGridLayout;
    for (int i = 0; i < 32; ++i) {
        auto* lampara = new QLabel(QString::number(i + 1), this);
        lampara->setObjectName(QStringLiteral("LampRele%1").arg(i + 1));
        lampara->setAlignment(Qt::AlignCenter);
        lampara->setMinimumSize(28, 28);
        Encender(lampara, false);
        rejilla->addWidget(lampara, i / 8, i % 8);
        lamparas_[i] = lampara;
    }
    columna->addLayout(rejilla);
}

void VentanaSimulador::MostrarReles(std::uint32_t reles) {
    for (int i = 0; i < 32; ++i) Encender(lamparas_[i], (reles >> i) & 1u);
}
