#include "ApoyoEntrenador.h"
#include "ComBrd415.h"
#include "PlacaLineaSimulada.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A line-mode board on COM3 of an installation whose other ports do not exist.
class LineaTest : public ::testing::Test {
protected:
    PuertosDePrueba puertos;
    PlacaLineaSimulada placa{3, 0xA5};
    TComBrd415 brd{std::make_unique<LineasPrestadas>(placa)};

    void SetUp() override { brd.setCuentaRetardo(50); }

    void Conectar() {
        ASSERT_TRUE(brd.Conectar());
        ASSERT_TRUE(brd.ModoLinea());
        ASSERT_EQ(brd.PuertoEntrenador(), 3);
    }
};

TEST_F(LineaTest, BoardIsFoundOnItsPortAfterTheLowerOnes) {
    Conectar();
    EXPECT_EQ(placa.PuertosProbados(), (std::vector<int>{1, 2, 3}));
}

TEST_F(LineaTest, PortsSevenAndEightAreNeverSearched) {
    placa.FijarPuerto(7);
    EXPECT_FALSE(brd.Conectar());
    EXPECT_EQ(brd.PuertoEntrenador(), 0);
    EXPECT_EQ(placa.PuertosProbados(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST_F(LineaTest, SilentLinesAreNoBoard) {
    placa.Muda(true);
    EXPECT_FALSE(brd.Conectar());
    EXPECT_EQ(brd.PuertoEntrenador(), 0);
    EXPECT_FALSE(placa.Abierta());
}

struct CasoPalabra {
    int rele;
    int clockConUno;  // 0-based data clock that carries the 1; -1 = none
};

class PalabraTest : public LineaTest, public ::testing::WithParamInterface<CasoPalabra> {};

TEST_P(PalabraTest, RelayBitGoesOnItsDataClock) {
    Conectar();
    ASSERT_TRUE(brd.ActivarRele(GetParam().rele));
    std::vector<int> esperado(32, 0);
    if (GetParam().clockConUno >= 0) esperado[GetParam().clockConUno] = 1;
    EXPECT_EQ(placa.BitsUltimaTrama(), esperado);
    EXPECT_FALSE(brd.ErrorLinea());
    EXPECT_FALSE(placa.Rts());
}

INSTANTIATE_TEST_SUITE_P(Reles, PalabraTest,
                         ::testing::Values(CasoPalabra{1, 31}, CasoPalabra{32, 0}, CasoPalabra{17, 15},
                                           CasoPalabra{0, -1}));

TEST_F(LineaTest, RelaysAddUpAndOneReleaseFrameTurnsThemAllOff) {
    Conectar();
    for (int rele : {3, 17, 22}) ASSERT_TRUE(brd.ActivarRele(rele));
    EXPECT_TRUE(placa.ReleActivo(3) && placa.ReleActivo(17) && placa.ReleActivo(22));
    ASSERT_TRUE(brd.DesactivarReles());
    EXPECT_EQ(placa.Reles(), 0u);
    EXPECT_EQ(placa.Liberaciones(), 1);
}

TEST_F(LineaTest, RelaysOutsideTheFrameAreRefusedWithoutAFrame) {
    Conectar();
    EXPECT_FALSE(brd.ActivarRele(33));
    EXPECT_FALSE(brd.ActivarRele(-1));
    EXPECT_EQ(placa.TramasEscritura(), 0);
}

TEST_F(LineaTest, WithoutABoardPortAWriteFrameFailsWithoutConnecting) {
    EXPECT_FALSE(brd.ActivarRele(5));
    EXPECT_TRUE(placa.PuertosProbados().empty());
}

class RoturaTest : public LineaTest, public ::testing::WithParamInterface<int> {};

TEST_P(RoturaTest, BoardBreakingOffAFrameLeavesRtsAssertedAndTheNextFrameWorks) {
    Conectar();
    placa.RomperEnReloj(GetParam());
    EXPECT_FALSE(brd.ActivarRele(4));
    EXPECT_TRUE(brd.ErrorLinea());
    EXPECT_TRUE(placa.Rts());
    EXPECT_EQ(placa.TramasEscritura(), 0);

    placa.RomperEnReloj(0);
    EXPECT_TRUE(brd.ActivarRele(4));
    EXPECT_TRUE(placa.ReleActivo(4));
    EXPECT_FALSE(brd.ErrorLinea());
}

// A header clock, the first data clock and the last one.
INSTANTIATE_TEST_SUITE_P(Relojes, RoturaTest, ::testing::Values(1, 5, 9, 40));

TEST_F(LineaTest, LostAcknowledgeFailsTheFrameThoughTheBoardSwitched) {
    Conectar();
    placa.SinAcuse(true);
    EXPECT_FALSE(brd.ActivarRele(6));
    EXPECT_TRUE(placa.ReleActivo(6));
    EXPECT_TRUE(placa.Rts());
}

TEST_F(LineaTest, LostLineFailsTheFrameAndSetsTheLineError) {
    Conectar();
    placa.PerderLinea(true);
    EXPECT_FALSE(brd.ActivarRele(2));
    EXPECT_TRUE(brd.ErrorLinea());
    EXPECT_EQ(brd.LeerCodigo(), 0);
}

TEST_F(LineaTest, CodeIsReadMostSignificantBitFirst) {
    Conectar();
    EXPECT_EQ(brd.LeerCodigo(), 0xA5);
    EXPECT_EQ(placa.TramasLectura(), 1);
    EXPECT_FALSE(placa.Rts());
}

TEST_F(LineaTest, ReadingTheCodeWithoutABoardPortConnectsFirst) {
    EXPECT_EQ(brd.PuertoEntrenador(), 0);
    EXPECT_TRUE(brd.ModoLinea());
    EXPECT_EQ(brd.LeerCodigo(), 0xA5);
    EXPECT_EQ(brd.PuertoEntrenador(), 3);
}

TEST_F(LineaTest, ReadingTheCodeWithNoBoardAtAllGivesZero) {
    placa.FijarPuerto(8);
    EXPECT_EQ(brd.LeerCodigo(), 0);
}

TEST_F(LineaTest, BrokenReadFrameGivesZero) {
    Conectar();
    placa.RomperEnReloj(20);
    EXPECT_EQ(brd.LeerCodigo(), 0);
    EXPECT_TRUE(brd.ErrorLinea());
}

TEST_F(LineaTest, CloseSendsOneReleaseFrameAndClosesTheLines) {
    Conectar();
    ASSERT_TRUE(brd.ActivarRele(9));
    EXPECT_TRUE(brd.Cerrar());
    EXPECT_EQ(placa.Liberaciones(), 1);
    EXPECT_EQ(placa.Reles(), 0u);
    EXPECT_FALSE(placa.Abierta());
    EXPECT_EQ(brd.PuertoEntrenador(), 0);
    EXPECT_TRUE(brd.Cerrar());
    EXPECT_EQ(placa.Liberaciones(), 1);
}

TEST_F(LineaTest, DestroyingTheComponentClosesWithoutRelease) {
    {
        TComBrd415 otro{std::make_unique<LineasPrestadas>(placa)};
        otro.setCuentaRetardo(50);
        ASSERT_TRUE(otro.Conectar());
        ASSERT_TRUE(otro.ActivarRele(12));
    }
    EXPECT_FALSE(placa.Abierta());
    EXPECT_TRUE(placa.ReleActivo(12));
    EXPECT_EQ(placa.Liberaciones(), 0);
}

TEST_F(LineaTest, DefaultDelayStillClocksAFrame) {
    brd.setCuentaRetardo(100000);
    Conectar();
    EXPECT_TRUE(brd.ActivarRele(1));
    EXPECT_TRUE(placa.ReleActivo(1));
}

}  // namespace
