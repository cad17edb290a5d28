#pragma once

#include "Descriptor.h"

#include <QString>

// The operating-system side of a serial port: port names, exclusive opening and the
// modem lines. Every other piece of the trainer link reaches the device through here.

// Device of COMn (1 to 8): key COMn of the section [Puertos] of the configuration file,
// read at every open; /dev/ttyS0 to /dev/ttyS7 by default.
QString RutaPuerto(int numero);

// Opens a port for reading and writing, non-blocking, held exclusively (TIOCEXCL for other
// users, an flock for root, whom TIOCEXCL does not stop). Leaves the line settings alone
// except HUPCL (off, so closing never moves DTR and RTS) and CLOCAL (on). On failure returns
// an invalid descriptor and sets `error` to the errno (EBUSY when the port is held).
Descriptor AbrirPuertoExclusivo(const QString& ruta, int& error);

// Modem lines: each returns false (errno set) when the device refuses the call.
bool FijarLineaModem(int fd, int linea, bool activa);
bool LeerLineasModem(int fd, int& lineas);
