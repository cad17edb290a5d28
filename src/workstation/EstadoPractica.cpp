#include "EstadoPractica.h"

namespace {

// One row of the state table: the value of a control in each of the five states;
// nullopt keeps the control as it was.
using Celda = std::optional<bool>;
struct Fila {
    const char* control;
    Celda valores[5];
};

}  // namespace

AspectoEstado CalcularAspecto(int estado, bool grp, bool profesor, bool hayEntrenador) {
    const bool alumno = !profesor;
    const Celda x = std::nullopt;
    const Fila filas[] = {
        {"BtnAveria", {true, false, false, false, false}},
        {"BtnDisfuncion", {grp, false, false, false, grp}},
        {"BtnReparar", {false, false, true, false, false}},
        {"BtnPausa", {false, false, true, false, true}},
        {"BtnFinalizar", {false, true, true, false, false}},
        {"BtnHistorico", {alumno, alumno, false, false, false}},
        {"BtnSalir", {true, true, true, true, true}},
        {"MItemAveria", {true, false, x, x, x}},
        {"ItemProvocaraveria", {true, x, false, false, false}},
        {"MItemDisfuncion", {grp, x, false, false, grp}},
        {"ItemProvocardisfuncion", {grp, false, x, x, x}},
        {"ItemRepararaveria", {false, x, true, false, false}},
        {"ItemPausaReanudaraveria", {false, x, true, false, true}},
        {"ItemFinalizarreparacionaveria", {false, x, true, false, false}},
        {"ItemFinalizardisfuncion", {false, true, x, x, x}},
        {"MItemVerhistorico", {alumno, alumno, false, false, false}},
        {"MItemSalir", {true, true, true, true, true}},
    };
    struct Muestra {
        int imagen, pista, texto;
    };
    const Muestra muestras[] = {
        {hayEntrenador ? 5 : 6, 0, 0}, {1, 125, 126}, {0, 110, 109}, {2, 193, 194}, {4, 142, 143}};

    AspectoEstado aspecto;
    if (estado < Libre || estado > Pausada) return aspecto;
    const int i = estado - 1;
    for (const Fila& f : filas)
        if (f.valores[i].has_value()) aspecto.activos[QString::fromLatin1(f.control)] = *f.valores[i];
    aspecto.imagen = muestras[i].imagen;
    aspecto.textoPista = muestras[i].pista;
    aspecto.textoEstado = muestras[i].texto;
    return aspecto;
}
