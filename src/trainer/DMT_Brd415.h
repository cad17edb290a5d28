#pragma once

#include <cstdint>

// The trainer as the workstation sees it: faults become relay commands to the one relay
// board (see EnlaceEntrenador.h). None of these shows a message; the caller does.

// Searches the board again from COM1.
bool ConectarEntrenador();
// The trainer code read from the board (0 = none or failure).
std::uint8_t LeerEquipoEntrenador();
// Puts on the fault's relays in the order of its list; the result of the last command.
bool ActivarAveria(int idAveria, bool reconectar);
// All relays off with one command.
bool DesactivarAveria(bool reconectar);
// Releases and closes the board when it is found.
bool CerrarEntrenador();
