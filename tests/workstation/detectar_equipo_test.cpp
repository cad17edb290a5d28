#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "CarpetaTemporal.h"
#include "ComBrd415.h"
#include "DMT_AVDetectarEquipo.h"
#include "DMT_Brd415.h"
#include "EnlaceDatosEntrenador.h"
#include "EnlaceEntrenador.h"
#include "EstadoPractica.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "PlacaUartSimulada.h"
#include "dmCDS.h"

namespace {

struct Equipo {
    int codigo;
    const char* descripcion;
    const char* identificacion;
    bool activado;
};

// An installation whose COM1 is a simulated board (when there is one) and whose other
// ports do not exist, with the trainers of each test in the data module.
class DetectarEquipoTest : public ::testing::Test {
protected:
    void SetUp() override {
        datos.CrearTablasVacias();
        EnlazarEntrenador(&placa, datos.cdsAveria, &practica);
    }
    void TearDown() override { FijarEnlaceEntrenador({}); }

    void configurar(const QString& com1, const QByteArray& opciones = {}) {
        QByteArray ini = "[Puertos]\n";
        ini += "COM1=" + com1.toUtf8() + "\n";
        for (int i = 2; i <= 8; ++i)
            ini += "COM" + QByteArray::number(i) + "=/nonexistent/tty" + QByteArray::number(i) + "\n";
        carpeta.escribir("averias.ini", ini + opciones);
    }
    void equipos(std::initializer_list<Equipo> lista) {
        for (const Equipo& e : lista) {
            datos.cdsEquipo->Append();
            datos.cdsEFCodEquipo->SetAsInteger(e.codigo);
            datos.cdsEFDescripcion->SetAsString(QString::fromUtf8(e.descripcion));
            datos.cdsEFCodigo->SetAsString(e.identificacion);
            datos.cdsEFActivado->SetAsBoolean(e.activado);
            datos.cdsEquipo->Post();
        }
    }
    QString detectar() {
        TFDMT_AVDetectarEquipo ventana(practica);
        ventana.TimerDetectarTimer();
        EXPECT_FALSE(ventana.findChild<QPushButton*>("BtnAceptar")->isHidden());
        motor = ventana.findChild<QLabel*>("LabelMotor")->isHidden()
                    ? QString()
                    : ventana.findChild<QLabel*>("LabelMotor")->text();
        detectado = ventana.EntrenadorDetectado();
        return ventana.findChild<QLabel*>("FadeLBus")->text();
    }

    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
    IdiomaTemporal idioma{carpeta.escribir("idioma.lng", "103 Detectado\n104 Sin placa\n225 Desconocido\n")};
    MensajesGrabados mensajes;
    TdmCDS datos;
    TComBrd415 placa;
    TDatosPractica practica;
    QString motor;
    bool detectado = false;
};

TEST_F(DetectarEquipoTest, UnEntrenadorConocidoQuedaElegido) {
    ServidorUartSimulado tablero(PlacaUartSimulada("7", "V1.0"));
    configurar(tablero.Ruta());
    equipos({{1, "Motor diésel", "7", true}, {2, "Instalación eléctrica", "12", true}});
    EXPECT_EQ(detectar(), "Detectado");
    EXPECT_TRUE(detectado);
    EXPECT_EQ(practica.CodEquipo, 1);
    EXPECT_EQ(motor, "Motor diésel");
    EXPECT_EQ(datos.cdsEFCodEquipo->AsInteger(), 1);
}

TEST_F(DetectarEquipoTest, UnCodigoQueNoEstaDa225YCeroSinElegir) {
    ServidorUartSimulado tablero(PlacaUartSimulada("9", "V1.0"));
    configurar(tablero.Ruta());
    equipos({{1, "Motor diésel", "7", true}});
    EXPECT_EQ(detectar(), "Desconocido");
    EXPECT_FALSE(detectado);
    EXPECT_EQ(practica.CodEquipo, 0);
    EXPECT_TRUE(motor.isEmpty());
}

TEST_F(DetectarEquipoTest, SinPlacaDa104) {
    configurar("/nonexistent/tty1");
    equipos({{1, "Motor diésel", "7", true}});
    practica.CodEquipo = 5;
    EXPECT_EQ(detectar(), "Sin placa");
    EXPECT_EQ(practica.CodEquipo, 0);
}

TEST_F(DetectarEquipoTest, ConCaratulasElModeloElegidoSustituyeAlCodigoLeido) {
    ServidorUartSimulado tablero(PlacaUartSimulada("7", "V1.0"));
    configurar(tablero.Ruta(), "[Opciones]\nCaratulas=TRUE\n");
    equipos({{1, "Motor diésel", "7", true}, {2, "Instalación eléctrica", "12", true}});
    int preguntado = -1;
    TFDMT_AVDetectarEquipo::ElegirModelo = [&](int codigo) {
        preguntado = codigo;
        return 12;
    };
    detectar();
    TFDMT_AVDetectarEquipo::ElegirModelo = nullptr;
    EXPECT_EQ(preguntado, 7);
    EXPECT_EQ(practica.CodEquipo, 2);
}

TEST_F(DetectarEquipoTest, LaCoincidenciaEsPorElPrincipioYEnElOrdenDeLaTabla) {
    // Ordered by description: "A" (identification 12) comes before "B" (identification 1).
    equipos({{1, "B panel", "1", true}, {2, "A panel", "12", true}});
    ASSERT_TRUE(LocalizarEquipoPorCodigo(1));
    EXPECT_EQ(datos.cdsEFCodEquipo->AsInteger(), 2);
    EXPECT_FALSE(LocalizarEquipoPorCodigo(3));
}

}  // namespace
