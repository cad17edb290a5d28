#pragma once

#include "Descriptor.h"

// The modem lines of one port, which is all the relay board's line mode uses: RTS and DTR
// towards the board, CTS back. The simulated board of the tests implements it too.
class LineasModem {
public:
    virtual ~LineasModem() = default;
    // Opens COMn (1 to 8); false when it cannot be opened.
    virtual bool Abrir(int puerto) = 0;
    // Closing a closed handle does nothing.
    virtual void Cerrar() = 0;
    virtual bool FijarRTS(bool activa) = 0;
    virtual bool FijarDTR(bool activa) = 0;
    // False when the line cannot be read.
    virtual bool LeerCTS(bool& activa) = 0;
};

// The lines of a real serial port, held exclusively like any open port.
class LineasModemSerie : public LineasModem {
public:
    bool Abrir(int puerto) override;
    void Cerrar() override { handle_.cerrar(); }
    bool FijarRTS(bool activa) override;
    bool FijarDTR(bool activa) override;
    bool LeerCTS(bool& activa) override;

private:
    Descriptor handle_;
};
