#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "CarpetaTemporal.h"
#include "DMT_Brd415.h"
#include "DMT_GestAverias.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "PlacaUartSimulada.h"
#include "dmCDS.h"

namespace {

// Student 1 of the demo group at the workstation, the diesel trainer simulated on COM1.
class PausaTest : public ::testing::Test {
protected:
    void SetUp() override {
        QProcess p;
        p.start(carpetaProgramas() + "/averias-datos", {"demo", carpeta.ruta() + "/demo"});
        p.waitForFinished(60000);
        ASSERT_EQ(p.exitCode(), 0);
        QFile ini(carpeta.ruta() + "/demo/averias.ini");
        ASSERT_TRUE(ini.open(QIODevice::Append));
        ini.write("\r\n[Puertos]\r\nCOM1=" + tablero.Ruta().toUtf8() + "\r\n");
        for (int i = 2; i <= 6; ++i) ini.write("COM" + QByteArray::number(i) + "=/nonexistent/tty\r\n");
        ini.close();
        instalacion = std::make_unique<InstalacionTemporal>(carpeta.ruta() + "/demo");
        idioma = std::make_unique<IdiomaTemporal>(Instalacion::Ruta("idioma.lng"));
        datos = std::make_unique<TdmCDS>();
        ASSERT_TRUE(datos->AbrirTablas());
        ASSERT_TRUE(datos->ComprobarPassword(1, "AL001").aceptado);
    }

    // A workstation as the timer leaves it: history open, trainer found.
    std::unique_ptr<TFDMT_GestAverias> abrirPuesto() {
        auto ventana = std::make_unique<TFDMT_GestAverias>(UsuarioAlumno);
        ventana->show();
        ventana->findChild<QTimer*>("Timer1")->stop();  // the test does the timer's work
        EXPECT_TRUE(ConectarEntrenador());
        // As detection leaves it: the diesel trainer current, its catalogue loaded.
        EXPECT_TRUE(datos->cdsEquipo->Locate("cdsEFCodEquipo", 1));
        ventana->DatosPractica.CodEquipo = 1;
        return ventana;
    }
    QString boton(TFDMT_GestAverias& v, const char* nombre) {
        return v.findChild<QToolButton*>(nombre)->text();
    }
    // The pause lines of the repair in the student's history file, as written.
    std::vector<bool> pausasCerradas() {
        TClientDataSet lineas;
        lineas.LoadFromFile(Instalacion::Ruta("Historic\\cdsLineaReparacion001.cds"));
        std::vector<bool> cerradas;
        for (lineas.First(); !lineas.Eof(); lineas.Next())
            if (lineas.FieldByName("cdsLRepFAccion")->AsString() == "P")
                cerradas.push_back(!lineas.FieldByName("cdsLRepFFin")->IsNull());
        return cerradas;
    }

    CarpetaTemporal carpeta;
    ServidorUartSimulado tablero{PlacaUartSimulada("7", "V1.0")};
    std::unique_ptr<InstalacionTemporal> instalacion;
    std::unique_ptr<IdiomaTemporal> idioma;
    MensajesGrabados mensajes;
    std::unique_ptr<TdmCDS> datos;
};

TEST_F(PausaTest, PausarYReanudarApaganYEnciendenLosRelesYCierranLaPausa) {
    auto ventana = abrirPuesto();
    ventana->DatosPractica.IdAveria = 102;  // relays 2 and 9
    ventana->DatosPractica.CodVirtual = 555;
    ASSERT_TRUE(ventana->EmpezarReparacion());
    EXPECT_EQ(tablero.Reles(), (1u << 1) | (1u << 8));
    EXPECT_EQ(boton(*ventana, "BtnPausa"), Texto(101));

    ventana->ItemPausaReanudaraveriaClick();
    EXPECT_EQ(ventana->DatosPractica.Estado, Pausada);
    EXPECT_EQ(tablero.Reles(), 0u);
    EXPECT_EQ(pausasCerradas(), std::vector<bool>{false});

    ventana->ItemPausaReanudaraveriaClick();
    EXPECT_EQ(ventana->DatosPractica.Estado, Reparando);
    EXPECT_EQ(tablero.Reles(), (1u << 1) | (1u << 8));
    EXPECT_EQ(boton(*ventana, "BtnPausa"), Texto(101));
    ventana->ItemPausaReanudaraveriaClick();
    ventana->ItemPausaReanudaraveriaClick();
    EXPECT_EQ(pausasCerradas(), (std::vector<bool>{true, true}));
    EXPECT_TRUE(mensajes.mensajes().empty());
}

TEST_F(PausaTest, CerrarEnPausaSePermiteYLaSiguienteAperturaLaRecupera) {
    {
        auto ventana = abrirPuesto();
        ventana->DatosPractica.IdAveria = 101;
        ventana->DatosPractica.CodVirtual = 777;
        ASSERT_TRUE(ventana->EmpezarReparacion());
        ventana->ItemPausaReanudaraveriaClick();
        EXPECT_TRUE(ventana->close());
    }
    CerrarEntrenador();
    auto ventana = abrirPuesto();
    ventana->RecuperarReparacionPausada();
    EXPECT_EQ(ventana->DatosPractica.Estado, Pausada);
    EXPECT_EQ(ventana->DatosPractica.IdAveria, 101);
    EXPECT_EQ(boton(*ventana, "BtnPausa"), Texto(102));
}

}  // namespace

namespace {

TEST_F(PausaTest, ElHistoricoSinPracticasAvisa172) {
    auto ventana = abrirPuesto();
    ventana->MItemVerhistoricoClick();
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(172)});
    ventana->DatosPractica.IdAveria = 101;
    ASSERT_TRUE(ventana->EmpezarReparacion());
    ventana->ItemPausaReanudaraveriaClick();
    mensajes.Limpiar();
    ventana->MItemVerhistoricoClick();
    EXPECT_TRUE(mensajes.mensajes().empty());
}

}  // namespace

namespace {

// Answers the finish question once it is up.
void responderFinalizar(const char* boton) {
    QTimer::singleShot(
        0, [boton] { QApplication::activeModalWidget()->findChild<QPushButton*>(boton)->click(); });
}

TEST_F(PausaTest, FinalizarSinDiagnosticoCierraLaReparacionComoNoCorrecta) {
    auto ventana = abrirPuesto();
    ventana->DatosPractica.IdAveria = 101;
    ASSERT_TRUE(ventana->EmpezarReparacion());
    responderFinalizar("BitBtnCancelar");
    EXPECT_FALSE(ventana->FinalizarPractica());
    EXPECT_EQ(ventana->DatosPractica.Estado, Reparando);
    EXPECT_NE(tablero.Reles(), 0u);

    responderFinalizar("BitBtnSi");
    EXPECT_TRUE(ventana->FinalizarPractica());
    EXPECT_EQ(ventana->DatosPractica.Estado, Libre);
    EXPECT_EQ(ventana->DatosPractica.IdAveria, -1);
    EXPECT_EQ(tablero.Reles(), 0u);
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(175)});

    TClientDataSet reparaciones, lineas;
    reparaciones.LoadFromFile(Instalacion::Ruta("Historic\\cdsReparacion001.cds"));
    lineas.LoadFromFile(Instalacion::Ruta("Historic\\cdsLineaReparacion001.cds"));
    ASSERT_EQ(reparaciones.RecordCount(), 1);
    EXPECT_EQ(reparaciones.FieldByName("cdsRepFEstado")->AsString(), "F");
    EXPECT_TRUE(reparaciones.FieldByName("cdsRepFResp")->AsBoolean());
    EXPECT_FALSE(reparaciones.FieldByName("cdsRepFCorrecta")->AsBoolean());
    EXPECT_TRUE(reparaciones.FieldByName("cdsRepFDuracion")->AsString().startsWith("0d 00:00:"));
    QStringList acciones;
    for (lineas.First(); !lineas.Eof(); lineas.Next())
        acciones.append(lineas.FieldByName("cdsLRepFAccion")->AsString());
    EXPECT_EQ(acciones, (QStringList{"A", "F"}));
}

}  // namespace
