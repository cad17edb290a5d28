#pragma once

#include <QString>

// The one road by which messages reach the user. Storage, models and the trainer link
// never open a window: they call these functions, and whoever is installed shows them.
// The program installs the message windows at start; tests install a recorder.
class CapaMensajes {
public:
    virtual ~CapaMensajes() = default;
    // Modal message with a picture (DibujoMensaje) and a button set; returns the modal result
    // (1 OK, 2 cancel, 6 yes, 7 no).
    virtual int Mensaje(const QString& texto, int botones, int imagen, int x, int y) = 0;
    virtual void Estado(const QString& texto) = 0;
    virtual void QuitarEstado() = 0;
};

// Button sets of the message window.
enum BotonesMensaje {
    BotonesAceptar = 0,
    BotonesAceptarCancelar = 1,
    BotonesSiNo = 2,
    BotonesSiNoCancelar = 3,
    BotonesOpciones = 4
};
// Pictures of the message window.
enum DibujoMensaje {
    DibujoInformacion = 0,
    DibujoAviso = 1,
    DibujoError = 2,
    DibujoPregunta = 3,
    DibujoExito = 4
};
// Modal results.
enum ResultadoModal { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// What a set answers when the user closes the window with Esc or its title bar:
// its cancel button where it has one, else its only (or last cancel) button.
int ResultadoAlCancelar(int botones);

// Replaces the installed layer; returns the previous one (never null).
CapaMensajes* InstalarCapaMensajes(CapaMensajes* capa);
CapaMensajes& CapaMensajesActual();

int MostrarMensaje(const QString& texto, int botones = BotonesAceptar, int imagen = 0, int x = -1,
                   int y = -1);
void MostrarEstado(const QString& texto);
void OcultarEstado();
