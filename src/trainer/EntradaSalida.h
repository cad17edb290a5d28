#pragma once

#include "Descriptor.h"

#include <functional>
#include <thread>

// Reads and writes on a non-blocking descriptor with the port's time-outs.
struct ResultadoES {
    int bytes = 0;
    int error = 0;  // errno; 0 = success (a time-out is a success with fewer bytes)
};

// Writes until everything is written, `plazoMs` (0 = no limit) has passed or `cancelar`
// becomes readable (ECANCELED).
ResultadoES EscribirConPlazo(int fd, const char* datos, int cuenta, int plazoMs, int cancelar);
// Reads until `cuenta` bytes, the total limit (0 = none), the limit between two bytes
// (0 = none) or `cancelar`.
ResultadoES LeerConPlazo(int fd, char* datos, int cuenta, int plazoMs, int intervaloMs, int cancelar);
// What can be read or written at once, without waiting (EAGAIN is not an error).
ResultadoES LeerDisponible(int fd, char* datos, int cuenta);
ResultadoES EscribirDisponible(int fd, const char* datos, int cuenta);

// An operation that goes on in the background until it is waited for or aborted.
class OperacionPendiente {
public:
    using Trabajo = std::function<ResultadoES(int cancelar)>;
    // `alCompletar` runs on the waiting thread, after the work ended.
    OperacionPendiente(Trabajo trabajo, std::function<void(const ResultadoES&)> alCompletar = {});
    ~OperacionPendiente();
    OperacionPendiente(const OperacionPendiente&) = delete;
    OperacionPendiente& operator=(const OperacionPendiente&) = delete;

    ResultadoES Esperar();
    void Abortar();

private:
    Aviso cancelar_;
    ResultadoES resultado_;
    std::function<void(const ResultadoES&)> alCompletar_;
    std::thread hilo_;
};
