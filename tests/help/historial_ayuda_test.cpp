#include <gtest/gtest.h>

#include "HistorialAyuda.h"

namespace {

QStringList paginas(const HistorialAyuda& h) {
    QStringList lista;
    for (const HistorialAyuda::Entrada& e : h.Entradas()) lista.append(e.pagina);
    return lista;
}

TEST(HistorialAyuda, TrasSietePaginasQuedanLasSeisUltimas) {
    HistorialAyuda h;
    for (int i = 1; i <= 7; ++i) h.Visitar(QString("Página %1").arg(i), QString("p%1.htm").arg(i));
    EXPECT_EQ(paginas(h), (QStringList{"p7.htm", "p6.htm", "p5.htm", "p4.htm", "p3.htm", "p2.htm"}));
    EXPECT_EQ(h.Actual(), 0);
    EXPECT_EQ(h.Entradas()[0].titulo, "Página 7");
}

TEST(HistorialAyuda, VolverAUnaPaginaLaMarcaSinMoverla) {
    HistorialAyuda h;
    h.Visitar("A", "ayuda.htm", "a.htm");
    h.Visitar("B", "ayuda.htm", "b.htm");
    h.Visitar("A", "ayuda.htm", "a.htm");
    EXPECT_EQ(h.Entradas().size(), 2);
    EXPECT_EQ(h.Actual(), 1);
    EXPECT_EQ(h.Entradas()[1].marco, "a.htm");
}

TEST(HistorialAyuda, TitulosDeOchentaCaracteresComoMucho) {
    HistorialAyuda h;
    h.Visitar(QString(100, 'x'), "larga.htm");
    EXPECT_EQ(h.Entradas()[0].titulo, QString(80, 'x'));
    EXPECT_EQ(HistorialAyuda::Titulo("Ayuda del puesto", "Provocar una avería"),
              "Ayuda del puesto - Provocar una avería");
    EXPECT_EQ(HistorialAyuda::Titulo("Acceso", ""), "Acceso");
    EXPECT_EQ(HistorialAyuda::Titulo(QString(70, 'a'), "bbbbbbbbbbbbbbbbbbbb").size(), 80);
}

}  // namespace
