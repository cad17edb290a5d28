#pragma once

class TClientDataSet;
class TComBrd415;
struct TDatosPractica;

// Binds the fault relay driver to the workstation: its one relay board, the fault table
// whose cdsAvFReles lists each fault's relays, and the practice state that keeps the
// detected trainer's code.
void EnlazarEntrenador(TComBrd415* placa, TClientDataSet* averias, TDatosPractica* practica);
