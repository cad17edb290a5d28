#include "LineasModem.h"

#include "DispositivoSerie.h"

#include <sys/ioctl.h>

bool LineasModemSerie::Abrir(int puerto) {
    Cerrar();
    int error = 0;
    handle_ = AbrirPuertoExclusivo(RutaPuerto(puerto), error);
    if (!handle_.valido()) return false;
    // Opening raised DTR and RTS; the board expects both negated (clock low) before the
    // first frame, and HUPCL is already off so closing leaves them where they are.
    if (FijarRTS(false) && FijarDTR(false)) return true;
    Cerrar();
    return false;
}

bool LineasModemSerie::FijarRTS(bool activa) {
    return handle_.valido() && FijarLineaModem(handle_.fd(), TIOCM_RTS, activa);
}

bool LineasModemSerie::FijarDTR(bool activa) {
    return handle_.valido() && FijarLineaModem(handle_.fd(), TIOCM_DTR, activa);
}

bool LineasModemSerie::LeerCTS(bool& activa) {
    int lineas = 0;
    if (!handle_.valido() || !LeerLineasModem(handle_.fd(), lineas)) return false;
    activa = (lineas & TIOCM_CTS) != 0;
    return true;
}
