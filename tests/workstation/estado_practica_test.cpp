#include <gtest/gtest.h>

#include "EstadoPractica.h"

namespace {

// The controls that each state switches on; every other control named in `apagados` is off.
struct CasoEstado {
    int estado;
    std::vector<const char*> encendidos;
    std::vector<const char*> apagados;
    std::vector<const char*> sinCambio;
    int imagen, pista, texto;
};

class AspectoEstadoTest : public ::testing::TestWithParam<CasoEstado> {};

TEST_P(AspectoEstadoTest, SigueLaTablaDeEstados) {
    const CasoEstado& c = GetParam();
    // A student of a group that may practise dysfunctions, with a trainer.
    const AspectoEstado a = CalcularAspecto(c.estado, true, false, true);
    for (const char* n : c.encendidos) EXPECT_TRUE(a.activos.at(n)) << n;
    for (const char* n : c.apagados) EXPECT_FALSE(a.activos.at(n)) << n;
    for (const char* n : c.sinCambio) EXPECT_EQ(a.activos.count(n), 0u) << n;
    EXPECT_EQ(a.imagen, c.imagen);
    EXPECT_EQ(a.textoPista, c.pista);
    EXPECT_EQ(a.textoEstado, c.texto);
}

INSTANTIATE_TEST_SUITE_P(
    Estados, AspectoEstadoTest,
    ::testing::Values(
        CasoEstado{Libre,
                   {"BtnAveria", "BtnDisfuncion", "BtnHistorico", "BtnSalir", "MItemAveria",
                    "ItemProvocaraveria", "MItemDisfuncion", "ItemProvocardisfuncion", "MItemVerhistorico"},
                   {"BtnReparar", "BtnPausa", "BtnFinalizar", "ItemRepararaveria", "ItemPausaReanudaraveria",
                    "ItemFinalizarreparacionaveria", "ItemFinalizardisfuncion"},
                   {},
                   5,
                   0,
                   0},
        CasoEstado{
            Disfuncion,
            {"BtnFinalizar", "BtnHistorico", "BtnSalir", "ItemFinalizardisfuncion", "MItemVerhistorico"},
            {"BtnAveria", "BtnDisfuncion", "BtnReparar", "BtnPausa", "MItemAveria", "ItemProvocardisfuncion"},
            {"ItemProvocaraveria", "MItemDisfuncion", "ItemRepararaveria", "ItemPausaReanudaraveria"},
            1,
            125,
            126},
        CasoEstado{Reparando,
                   {"BtnReparar", "BtnPausa", "BtnFinalizar", "ItemRepararaveria", "ItemPausaReanudaraveria",
                    "ItemFinalizarreparacionaveria"},
                   {"BtnAveria", "BtnDisfuncion", "BtnHistorico", "ItemProvocaraveria", "MItemDisfuncion",
                    "MItemVerhistorico"},
                   {"MItemAveria", "ItemProvocardisfuncion", "ItemFinalizardisfuncion"},
                   0,
                   110,
                   109},
        CasoEstado{
            Diagnosticando,
            {"BtnSalir", "MItemSalir"},
            {"BtnAveria", "BtnReparar", "BtnPausa", "BtnFinalizar", "BtnHistorico", "ItemRepararaveria"},
            {"MItemAveria", "ItemFinalizardisfuncion"},
            2,
            193,
            194},
        CasoEstado{Pausada,
                   {"BtnPausa", "BtnDisfuncion", "ItemPausaReanudaraveria", "MItemDisfuncion"},
                   {"BtnAveria", "BtnReparar", "BtnFinalizar", "BtnHistorico", "ItemProvocaraveria",
                    "MItemVerhistorico"},
                   {"MItemAveria", "ItemProvocardisfuncion"},
                   4,
                   142,
                   143}));

TEST(AspectoEstadoTest, ElProfesorNuncaTieneHistoricoYSinPermisoNoHayDisfuncion) {
    for (int estado : {Libre, Disfuncion}) {
        const AspectoEstado a = CalcularAspecto(estado, false, true, false);
        EXPECT_FALSE(a.activos.at("BtnHistorico"));
        EXPECT_FALSE(a.activos.at("MItemVerhistorico"));
    }
    const AspectoEstado libre = CalcularAspecto(Libre, false, true, false);
    EXPECT_FALSE(libre.activos.at("BtnDisfuncion"));
    EXPECT_FALSE(libre.activos.at("ItemProvocardisfuncion"));
    EXPECT_EQ(libre.imagen, 6);  // no trainer
}

}  // namespace
