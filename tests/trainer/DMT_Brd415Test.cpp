#include "ApoyoEntrenador.h"
#include "ComBrd415.h"
#include "DMT_Brd415.h"
#include "EnlaceEntrenador.h"
#include "PlacaLineaSimulada.h"
#include "PlacaUartSimulada.h"

#include <gtest/gtest.h>
#include <QMap>
#include <optional>
#include <vector>

namespace {

// The driver over a line-mode board on COM2 and a fault table held by the test.
class DriverTest : public ::testing::Test {
protected:
    PuertosDePrueba puertos;
    PlacaLineaSimulada placa{2, 9};
    TComBrd415 brd{std::make_unique<LineasPrestadas>(placa)};
    QMap<int, QString> averias{{1, "3,17,22"}, {2, "5"}, {3, "3,x,17"}, {4, ""}, {5, "3,17,40"}, {6, "40,3"}};
    std::vector<int> codigosFijados;
    EnlaceEntrenadorTemporal enlace{
        EnlaceEntrenador{&brd,
                         [this](int id) -> std::optional<QString> {
                             if (!averias.contains(id)) return std::nullopt;
                             return averias.value(id);
                         },
                         [this](int codigo) { codigosFijados.push_back(codigo); }}};

    void SetUp() override { brd.setCuentaRetardo(50); }

    void Conectar() { ASSERT_TRUE(ConectarEntrenador()); }
};

TEST_F(DriverTest, FaultRelaysGoOnInListOrder) {
    Conectar();
    EXPECT_TRUE(ActivarAveria(1, false));
    EXPECT_EQ(placa.TramasEscritura(), 3);
    EXPECT_EQ(placa.Reles(), (1u << 2) | (1u << 16) | (1u << 21));
    // The last frame is the last relay of the list: 22 is bit 32 - 22 = 10 on the line.
    std::vector<int> bits(32, 0);
    bits[10] = 1;
    EXPECT_EQ(placa.BitsUltimaTrama(), bits);
}

TEST_F(DriverTest, SingleRelayWithoutCommaSendsOneCommand) {
    Conectar();
    EXPECT_TRUE(ActivarAveria(2, false));
    EXPECT_EQ(placa.TramasEscritura(), 1);
    EXPECT_TRUE(placa.ReleActivo(5));
}

TEST_F(DriverTest, ResultIsThatOfTheLastRelayCommand) {
    Conectar();
    EXPECT_FALSE(ActivarAveria(5, false));  // 3 and 17 went on, 40 has no frame
    EXPECT_TRUE(placa.ReleActivo(3) && placa.ReleActivo(17));
    EXPECT_TRUE(ActivarAveria(6, false));  // 40 failed, the following 3 was still sent
}

TEST_F(DriverTest, NonNumericRelayStopsTheListAndFails) {
    Conectar();
    EXPECT_FALSE(ActivarAveria(3, false));
    EXPECT_EQ(placa.TramasEscritura(), 1);
    EXPECT_FALSE(placa.ReleActivo(17));
}

TEST_F(DriverTest, UnknownOrEmptyFaultSendsNothingAndFails) {
    Conectar();
    EXPECT_FALSE(ActivarAveria(99, false));
    EXPECT_FALSE(ActivarAveria(4, false));
    EXPECT_EQ(placa.TramasEscritura(), 0);
}

TEST_F(DriverTest, ReleaseIsOneCommandWhateverIsOn) {
    Conectar();
    ASSERT_TRUE(ActivarAveria(1, false));
    EXPECT_TRUE(DesactivarAveria(false));
    EXPECT_EQ(placa.Liberaciones(), 1);
    EXPECT_EQ(placa.TramasEscritura(), 4);
}

TEST_F(DriverTest, ReconnectFlagWithNoBoardFailsAndClearsTheTrainerCode) {
    placa.FijarPuerto(0);
    EXPECT_FALSE(ActivarAveria(1, true));
    EXPECT_FALSE(DesactivarAveria(true));
    EXPECT_EQ(codigosFijados, (std::vector<int>{0, 0}));
    EXPECT_EQ(placa.TramasEscritura(), 0);
}

TEST_F(DriverTest, ReconnectFlagSearchesAgainBeforeTheCommand) {
    EXPECT_TRUE(ActivarAveria(2, true));
    EXPECT_TRUE(placa.ReleActivo(5));
    EXPECT_TRUE(codigosFijados.empty());
}

TEST_F(DriverTest, TrainerCodeIsReadFromTheBoard) {
    Conectar();
    EXPECT_EQ(LeerEquipoEntrenador(), 9);
}

TEST_F(DriverTest, CloseReleasesAndClosesWhenTheBoardIsFound) {
    Conectar();
    ASSERT_TRUE(ActivarAveria(1, false));
    EXPECT_TRUE(CerrarEntrenador());
    EXPECT_EQ(placa.Reles(), 0u);
    EXPECT_FALSE(placa.Abierta());
}

TEST_F(DriverTest, CloseWithoutBoardFails) {
    placa.FijarPuerto(0);
    EXPECT_FALSE(CerrarEntrenador());
}

TEST(DriverSinPlacaTest, NothingBoundIsAFailureNotACrash) {
    EnlaceEntrenadorTemporal vacio{EnlaceEntrenador{}};
    EXPECT_FALSE(ConectarEntrenador());
    EXPECT_EQ(LeerEquipoEntrenador(), 0);
    EXPECT_FALSE(ActivarAveria(1, false));
    EXPECT_FALSE(DesactivarAveria(false));
    EXPECT_FALSE(CerrarEntrenador());
}

TEST(DriverUartTest, TrainerCodeKeepsTheLowEightBitsOfTheReply) {
    ServidorUartSimulado servidor(PlacaUartSimulada("300", "1.0"));
    PuertosDePrueba puertos({{1, servidor.Ruta()}});
    TComBrd415 brd(std::make_unique<PlacaLineaSimulada>(0));
    EnlaceEntrenadorTemporal enlace{EnlaceEntrenador{&brd, {}, {}}};
    ASSERT_TRUE(ConectarEntrenador());
    EXPECT_EQ(LeerEquipoEntrenador(), 300 % 256);
}

TEST(DriverUartTest, TrainerLostInTheMiddleIsAFailureNotACrash) {
    auto servidor = std::make_unique<ServidorUartSimulado>(PlacaUartSimulada("7", "1.0"));
    PuertosDePrueba puertos({{1, servidor->Ruta()}});
    TComBrd415 brd(std::make_unique<PlacaLineaSimulada>(0));
    EnlaceEntrenadorTemporal enlace{EnlaceEntrenador{&brd, [](int) { return QString("3,4"); }, {}}};
    ASSERT_TRUE(ConectarEntrenador());
    servidor.reset();  // the cable is pulled: writes to the port now fail
    EXPECT_EQ(LeerEquipoEntrenador(), 0);
    EXPECT_FALSE(ActivarAveria(1, false));
    EXPECT_FALSE(DesactivarAveria(false));
}

}  // namespace
