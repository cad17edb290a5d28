// One UART relay command through the simulated trainer: the board is given 500 ms to
// answer, and the command should cost little more than that wait.
#include "CarpetaTemporal.h"
#include "ComBrd415.h"
#include "Instalacion.h"
#include "PlacaLineaSimulada.h"
#include "PlacaUartSimulada.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace {

void ComandoUart(benchmark::State& state) {
    ServidorUartSimulado servidor(PlacaUartSimulada("7", "1.0"));
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion(carpeta.ruta());
    QByteArray ini = "[Puertos]\nCOM1=" + servidor.Ruta().toLocal8Bit() + "\n";
    for (int n = 2; n <= 8; ++n)
        ini += "COM" + QByteArray::number(n) + "=" + carpeta.archivo("nada").toLocal8Bit() + "\n";
    carpeta.escribir("averias.ini", ini);
    TComBrd415 brd(std::make_unique<PlacaLineaSimulada>(0));
    if (!brd.Conectar()) {
        state.SkipWithError("the simulated trainer was not found");
        return;
    }
    double peorMs = 0;
    for (auto _ : state) {
        const auto inicio = std::chrono::steady_clock::now();
        const bool hecho = brd.ActivarRele(3);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio).count();
        peorMs = std::max(peorMs, ms);
        state.SetIterationTime(ms / 1000.0);
        if (!hecho) {
            state.SkipWithError("the relay command was not acknowledged");
            return;
        }
    }
    // Within 20 ms of the 500 ms wait.
    state.counters["peor_ms"] = peorMs;
    state.counters["exceso_ms"] = peorMs - 500.0;
    state.SetLabel(peorMs - 500.0 <= 20.0 ? "dentro de 20 ms" : "MAS DE 20 ms SOBRE LA ESPERA");
}

}  // namespace

BENCHMARK(ComandoUart)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
