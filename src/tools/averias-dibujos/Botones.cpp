#include <functional>

#include "Dibujos.h"
#include "Piezas.h"

using namespace Paleta;
using Pieza::Signo;

namespace {

QList<Pictograma> Glifos() {
    const QRectF todo(0, 0, 100, 100);
    return {
        {0, "Aceptar", "SelButtonAceptar, BitBtnAceptar, BtnAceptar, BitBtnSi",
         [=](Trazo& t) {
             Pieza::SignoBlanco(t, {-20, -20, 140, 140}, Signo::Visto, Verde());
         }},
        {0, "Cancelar", "BitBtnCancelar, BitBtnCancel, BtnCancel, SpeedBCancelar, BitBtnNo",
         [=](Trazo& t) {
             Pieza::SignoBlanco(t, {-16, -16, 132, 132}, Signo::Aspa, Rojo());
         }},
        {0, "Ayuda", "SelButtonAyuda, BitBtnAyuda",
         [](Trazo& t) {
             Pieza::Insignia(t, {50, 50}, 44, Signo::Interrogacion, Salmon());
         }},
        {0, "Salir", "SelButtonSalir, BitBtnSalir, SpeedBSalir, SpeedButtonSalir",
         [=](Trazo& t) { Pieza::Puerta(t, todo); }},
        {0, "Guardar", "the \"&Guardar cambios\" buttons of the class management pages",
         [=](Trazo& t) { Pieza::Disquete(t, todo); }},
        {0, "Deshacer", "the \"&Deshacer cambios\" buttons of the class management pages",
         [=](Trazo& t) { Pieza::Deshacer(t, todo); }},
        {0, "Nuevo", "BitBtnNewGrupo, SpeedButtonNewAlumno, SpeedBAddSubgrupo",
         [](Trazo& t) {
             Pieza::Insignia(t, {50, 50}, 44, Signo::Mas, Verde());
         }},
        {0, "AnadirAlumno", "SpeedBAddAlumno, SpeedButtonAddAlumno",
         [](Trazo& t) {
             Pieza::Persona(t, {0, 4, 84, 84}, Azul());
             Pieza::Insignia(t, {74, 74}, 24, Signo::Mas, Verde());
         }},
        {0, "Eliminar",
         "BitBtnDelGrupo, SpeedBDelSubgrupo, SpeedBDelAlumno, SpeedButtonDelAlumno, SpeedBDelAveria",
         [=](Trazo& t) { Pieza::Papelera(t, todo); }},
        {0, "Exportar", "BitBtnExpGrupo, SpeedButtonExpHistorico",
         [=](Trazo& t) { Pieza::CarpetaFlecha(t, todo, true); }},
        {0, "Importar", "BitBtnImpGrupo, SpeedBImpHistorico",
         [=](Trazo& t) { Pieza::CarpetaFlecha(t, todo, false); }},
        {0, "Entrenadores", "BitBtnActEquipos", [=](Trazo& t) { Pieza::Entrenador(t, todo, false); }},
        {0, "Contrasena", "BitBtnModContrasena", [=](Trazo& t) { Pieza::LlaveCerradura(t, todo); }},
        {0, "ReparacionVirtual", "BitBtnGestAverias, SpeedBReparar",
         [=](Trazo& t) { Pieza::Llave(t, todo); }},
        {0, "Provocar", "BitBtnProvocar",
         [](Trazo& t) {
             Pieza::Rayo(t, {8, 0, 84, 100});
         }},
        {0, "Historico", "BitBtnVerHistorico", [=](Trazo& t) { Pieza::Libreta(t, todo); }},
        {0, "Resultados", "BitBtnResultados", [=](Trazo& t) { Pieza::Barras(t, todo); }},
        {0, "Datos", "BitBtnVerDatos, SpeedButtonSubgrupos, SpeedBVerAlumno",
         [=](Trazo& t) { Pieza::Persona(t, todo, Salmon()); }},
        {0, "Imprimir", "SpeedBImprimir, BitBtnImprimir, BitBtnConfImprimir, SpeedButtonImpPassword",
         [=](Trazo& t) { Pieza::Impresora(t, todo); }},
        {0, "VistaPrevia", "BitBtnPreview, BtnBuscar of the report preview",
         [=](Trazo& t) { Pieza::Lupa(t, todo); }},
        {0, "Primero", "SBfirst", [=](Trazo& t) { Pieza::Navegar(t, todo, false, true); }},
        {0, "Anterior", "SBback", [=](Trazo& t) { Pieza::Navegar(t, todo, false, false); }},
        {0, "Siguiente", "SBnext", [=](Trazo& t) { Pieza::Navegar(t, todo, true, false); }},
        {0, "Ultimo", "SBLast", [=](Trazo& t) { Pieza::Navegar(t, todo, true, true); }},
        {0, "Inicio", "SpeedButtonInicio (help window)", [=](Trazo& t) { Pieza::Casa(t, todo); }},
    };
}

}  // namespace

void DibujarBotones(Salida& salida) {
    salida.Seccion(
        "Button glyphs, for the buttons that want one (20 x 20, transparent;"
        " name@2x.png is the same at 40 x 40)");
    for (const Pictograma& g : Glifos())
        PngConDoble(salida, "images/botones/" + g.nombre, 20, g.dibujo, g.para);
}
