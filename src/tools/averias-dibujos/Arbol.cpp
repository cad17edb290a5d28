#include <functional>

#include "Dibujos.h"
#include "Piezas.h"

using namespace Paleta;

namespace {

struct Nodo {
    int indice;  // the selected look is indice + 7
    QString nombre;
    QString para;
    std::function<void(Trazo&, bool seleccionado)> dibujo;
};

// A folder with a sign of what it holds standing out of its lower right corner; the sign is
// large because at 16 pixels anything smaller is a blur.
std::function<void(Trazo&, bool)> CarpetaCon(std::function<void(Trazo&)> contenido) {
    return [contenido](Trazo& t, bool seleccionado) {
        Pieza::Carpeta(t, {-4, -8, 88, 88}, seleccionado);
        contenido(t);
    };
}

QList<Nodo> Nodos() {
    const auto ropa = [](bool seleccionado) { return seleccionado ? Salmon() : Azul(); };
    return {
        {0, "Grupo", "group node",
         [=](Trazo& t, bool s) {
             Pieza::Grupo(t, {0, 0, 100, 100}, ropa(s));
         }},
        {1, "Acceso", "fault access folder (text 124)", CarpetaCon([](Trazo& t) {
             Pieza::Rayo(t, {42, 30, 64, 70});
         })},
        {2, "Alumnos", "students folder (text 108)", CarpetaCon([](Trazo& t) {
             Pieza::Persona(t, {44, 36, 62, 62}, Azul());
         })},
        {3, "Subgrupos", "subgroups folder (text 200)", CarpetaCon([](Trazo& t) {
             Pieza::Persona(t, {30, 34, 50, 50}, PizarraClara());
             Pieza::Persona(t, {48, 40, 58, 58}, Azul());
         })},
        {4, "Alumno", "student node",
         [=](Trazo& t, bool s) {
             Pieza::Persona(t, {0, 0, 100, 100}, ropa(s));
         }},
        {5, "Subgrupo", "subgroup node",
         [=](Trazo& t, bool s) {
             Pieza::Persona(t, {-6, 8, 72, 72}, PizarraClara());
             Pieza::Persona(t, {32, 22, 76, 76}, ropa(s));
         }},
    };
}

}  // namespace

void DibujarArbol(Salida& salida) {
    salida.Seccion(
        "Class management tree TreeViewGrupos (image list IListGrupos, 13 pictures, 16 x 16;"
        " name@2x.png is the same at 32 x 32 for high-density screens)");
    for (const Nodo& n : Nodos())
        for (bool seleccionado : {false, true}) {
            const int indice = n.indice + (seleccionado ? 7 : 0);
            const QString nombre = "images/arbol/" + n.nombre + (seleccionado ? "_sel" : "");
            const QString para =
                QString("picture %1: %2%3").arg(indice).arg(n.para, seleccionado ? ", selected" : "");
            PngConDoble(
                salida, nombre, 16, [&](Trazo& t) { n.dibujo(t, seleccionado); }, para);
        }
    salida.Png("images/arbol/Vacio.png", Pintar({16, 16}, Qt::transparent, [](Trazo&) {}),
               "picture 6: unused place of the list (empty)");
}
