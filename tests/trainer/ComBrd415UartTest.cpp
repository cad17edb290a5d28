#include "ApoyoEntrenador.h"
#include "ComBrd415.h"
#include "DispositivoSerie.h"
#include "PlacaLineaSimulada.h"
#include "PlacaUartSimulada.h"

#include <gtest/gtest.h>
#include <cerrno>
#include <memory>
#include <vector>

namespace {

// A UART board served on a pseudo-terminal, mapped to one COM port.
struct PlacaUart {
    explicit PlacaUart(int puerto, QByteArray codigo = "7", ConductaUart conducta = {})
        : servidor(PlacaUartSimulada(std::move(codigo), "2.1", conducta)),
          puertos({{puerto, servidor.Ruta()}}) {}
    ServidorUartSimulado servidor;
    PuertosDePrueba puertos;
};

template <typename Caso>
std::string NombreCaso(const ::testing::TestParamInfo<Caso>& caso) {
    return caso.param.nombre;
}

// No line-mode board anywhere, so a failed UART search ends quickly.
std::unique_ptr<LineasModem> SinPlacaDeLinea() {
    return std::make_unique<PlacaLineaSimulada>(0);
}

TEST(UartTest, BoardIsFoundInUartModeAndCodeAndRelaysWork) {
    PlacaUart placa(2, "12");
    TComBrd415 brd(SinPlacaDeLinea());
    ASSERT_TRUE(brd.Conectar());
    EXPECT_FALSE(brd.ModoLinea());
    EXPECT_EQ(brd.PuertoEntrenador(), 2);
    EXPECT_EQ(brd.VersionLeida(), QByteArray("V2.1"));
    EXPECT_EQ(brd.BaudRate(), br19200);
    EXPECT_EQ(brd.LeerCodigo(), 12);
    EXPECT_TRUE(brd.ActivarRele(7));
    EXPECT_TRUE(brd.ActivarRele(22));
    EXPECT_EQ(placa.servidor.Reles(), (1u << 6) | (1u << 21));
    EXPECT_TRUE(brd.DesactivarReles());
    EXPECT_EQ(placa.servidor.Reles(), 0u);
    EXPECT_EQ(placa.servidor.Recibido(), QByteArray("V#L#A7#A22#D#"));
}

TEST(UartTest, ReplyOtherThanAmpersandToARelayCommandIsAFailure) {
    PlacaUart placa(1);
    TComBrd415 brd(SinPlacaDeLinea());
    ASSERT_TRUE(brd.Conectar());
    EXPECT_FALSE(brd.ActivarRele(40));  // the simulated board answers "?" to a relay it has not
}

struct CasoVersion {
    const char* nombre;
    ConductaUart conducta;
    bool encontrada;
};

class VersionTest : public ::testing::TestWithParam<CasoVersion> {};

TEST_P(VersionTest, ProbeSucceedsOnlyOnAVersionReplyEndingInAmpersand) {
    PlacaUart placa(1, "7", GetParam().conducta);
    TComBrd415 brd(SinPlacaDeLinea());
    EXPECT_EQ(brd.Conectar(), GetParam().encontrada);
    EXPECT_EQ(brd.PuertoEntrenador(), GetParam().encontrada ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Respuestas, VersionTest,
                         ::testing::Values(CasoVersion{"Correcta", {}, true},
                                           CasoVersion{"SinAmpersand", {.sinAmpersand = true}, false},
                                           CasoVersion{"OtraLetra", {.letraErronea = true}, false},
                                           CasoVersion{"Basura", {.basura = true}, false},
                                           CasoVersion{"Silencio", {.silencio = true}, false},
                                           CasoVersion{"Lenta", {.retrasoMs = 1500}, false}),
                         NombreCaso<CasoVersion>);

struct CasoCodigo {
    const char* nombre;
    QByteArray codigo;
    int esperado;
};

class CodigoTest : public ::testing::TestWithParam<CasoCodigo> {};

TEST_P(CodigoTest, CodeIsTheDecimalNumberBeforeTheAmpersand) {
    PlacaUart placa(1, GetParam().codigo);
    TComBrd415 brd(SinPlacaDeLinea());
    ASSERT_TRUE(brd.Conectar());
    EXPECT_EQ(brd.LeerCodigo(), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(Respuestas, CodigoTest,
                         ::testing::Values(CasoCodigo{"Digitos", "12", 12}, CasoCodigo{"Letras", "AB", 0},
                                           CasoCodigo{"MayorQueUnByte", "300", 300}),
                         NombreCaso<CasoCodigo>);

TEST(UartTest, ReadingTheCodeFirstConnectsAndThenAsksTheUartBoard) {
    PlacaUart placa(1, "7");
    TComBrd415 brd(SinPlacaDeLinea());
    ASSERT_TRUE(brd.ModoLinea());  // as created: the read goes the line-mode way, which connects first
    EXPECT_EQ(brd.LeerCodigo(), 7);
    EXPECT_FALSE(brd.ModoLinea());
    EXPECT_EQ(placa.servidor.Recibido(), QByteArray("V#L#"));
}

TEST(UartTest, BoardOnComSevenIsNeverFound) {
    PlacaUart placa(7);
    TComBrd415 brd(SinPlacaDeLinea());
    EXPECT_FALSE(brd.Conectar());
    EXPECT_TRUE(placa.servidor.Recibido().isEmpty());
}

TEST(UartTest, CloseInUartModeSendsNothingAndClosesThePort) {
    PlacaUart placa(1);
    TComBrd415 brd(SinPlacaDeLinea());
    ASSERT_TRUE(brd.Conectar());
    ASSERT_TRUE(brd.ActivarRele(3));
    const QByteArray antes = placa.servidor.Recibido();
    EXPECT_TRUE(brd.Cerrar());
    EXPECT_FALSE(brd.IsConnected());
    EXPECT_EQ(brd.PuertoEntrenador(), 0);
    EXPECT_EQ(placa.servidor.Recibido(), antes);
    EXPECT_EQ(placa.servidor.Reles(), 1u << 2);
    EXPECT_FALSE(brd.ActivarRele(3));
}

TEST(UartTest, ConnectedBoardHoldsItsPortExclusively) {
    PlacaUart placa(1);
    TComBrd415 brd(SinPlacaDeLinea());
    ASSERT_TRUE(brd.Conectar());
    TComPort otro;
    EXPECT_THROW(otro.Open(), EComPort);
}

// Lines that only try to take the port, to see whether the UART probe let it go.
class LineasQueSoloAbren : public LineasModem {
public:
    bool Abrir(int puerto) override {
        int error = 0;
        Descriptor d = AbrirPuertoExclusivo(RutaPuerto(puerto), error);
        errores.push_back(error);
        return false;
    }
    void Cerrar() override {}
    bool FijarRTS(bool) override { return false; }
    bool FijarDTR(bool) override { return false; }
    bool LeerCTS(bool&) override { return false; }
    std::vector<int> errores;
};

TEST(UartTest, FailedUartSearchLetsThePortGoBeforeTheLineSearch) {
    PlacaUart placa(6, "7", {.silencio = true});
    auto lineas = std::make_unique<LineasQueSoloAbren>();
    LineasQueSoloAbren& vistas = *lineas;
    TComBrd415 brd(std::move(lineas));
    EXPECT_FALSE(brd.Conectar());
    ASSERT_EQ(vistas.errores.size(), 6u);
    EXPECT_EQ(vistas.errores[5], 0);  // not EBUSY: our own UART probe no longer held COM6
    EXPECT_EQ(vistas.errores[0], ENOENT);
    EXPECT_FALSE(brd.IsConnected());
}

}  // namespace
