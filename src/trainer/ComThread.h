#pragma once

#include "Descriptor.h"

#include <functional>
#include <memory>
#include <thread>

// Runs a function on the application's (user-interface) thread and waits until it ran.
// Unlike a blocking queued call it can be cancelled: closing the port from the user-interface
// thread never waits on a delivery that thread would have to run.
class EntregaSincronizada {
public:
    EntregaSincronizada();
    // From the event thread. Runs `f` directly when there is no application or when already
    // on its thread.
    void Ejecutar(std::function<void()> f);
    // From the user-interface thread: deliveries not yet started are dropped and the waiting
    // event thread goes on.
    void Cancelar();

private:
    struct Estado;
    std::shared_ptr<Estado> estado_;
};

// The event thread of an open port: waits for port events and hands each set of them,
// as the system event mask, to `despachar`.
class TComThread {
public:
    TComThread(int fd, unsigned mascara, int readBufSize, std::function<void(unsigned)> despachar);
    // Signals the stop and waits for the thread to end; the queues are then purged.
    ~TComThread();
    TComThread(const TComThread&) = delete;
    TComThread& operator=(const TComThread&) = delete;

private:
    void Bucle();

    int fd_;
    unsigned mascara_;
    int limite80_;
    std::function<void(unsigned)> despachar_;
    Aviso parar_;
    std::thread hilo_;
};
