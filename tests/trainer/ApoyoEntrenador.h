#pragma once

#include "CarpetaTemporal.h"
#include "Instalacion.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <chrono>
#include <functional>

// An installation whose [Puertos] maps COM1 to COM8 to the given devices; the others to
// paths that do not exist, so no test ever touches a real serial port.
class PuertosDePrueba {
public:
    explicit PuertosDePrueba(const QMap<int, QString>& dispositivos = {});
    void Mapear(const QMap<int, QString>& dispositivos);
    QString Carpeta() const { return carpeta_.ruta(); }

private:
    CarpetaTemporal carpeta_;
    InstalacionTemporal instalacion_;
};

// Runs the event loop until `listo` holds or the (generous) limit passes.
bool EsperarHasta(const std::function<bool()>& listo,
                  std::chrono::milliseconds limite = std::chrono::milliseconds(5000));

#include "LineasModem.h"

// Lends a board that the test keeps to the component, which owns its lines.
class LineasPrestadas : public LineasModem {
public:
    explicit LineasPrestadas(LineasModem& lineas) : lineas_(lineas) {}
    bool Abrir(int puerto) override { return lineas_.Abrir(puerto); }
    void Cerrar() override { lineas_.Cerrar(); }
    bool FijarRTS(bool activa) override { return lineas_.FijarRTS(activa); }
    bool FijarDTR(bool activa) override { return lineas_.FijarDTR(activa); }
    bool LeerCTS(bool& activa) override { return lineas_.LeerCTS(activa); }

private:
    LineasModem& lineas_;
};
