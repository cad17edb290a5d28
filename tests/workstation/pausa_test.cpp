#include <gtest/gtest.h>

#include <QToolButton>

#include "DMT_Brd415.h"
#include "PuestoDemo.h"

namespace {

class PausaTest : public PuestoDemo {
protected:
    QString boton(TFDMT_GestAverias& v, const char* nombre) {
        return v.findChild<QToolButton*>(nombre)->text();
    }
    // The pause lines of the repair in the student's history file, as written.
    std::vector<bool> pausasCerradas() {
        auto lineas = historico("cdsLineaReparacion");
        std::vector<bool> cerradas;
        for (lineas->First(); !lineas->Eof(); lineas->Next())
            if (lineas->FieldByName("cdsLRepFAccion")->AsString() == "P")
                cerradas.push_back(!lineas->FieldByName("cdsLRepFFin")->IsNull());
        return cerradas;
    }
};

TEST_F(PausaTest, PausarYReanudarApaganYEnciendenLosRelesYCierranLaPausa) {
    auto ventana = abrirPuesto();
    ventana->DatosPractica.IdAveria = 102;  // relays 2 and 9
    ventana->DatosPractica.CodVirtual = 555;
    ASSERT_TRUE(ventana->EmpezarReparacion());
    EXPECT_EQ(tablero->Reles(), (1u << 1) | (1u << 8));
    EXPECT_EQ(boton(*ventana, "BtnPausa"), Texto(101));

    ventana->ItemPausaReanudaraveriaClick();
    EXPECT_EQ(ventana->DatosPractica.Estado, Pausada);
    EXPECT_EQ(tablero->Reles(), 0u);
    EXPECT_EQ(pausasCerradas(), std::vector<bool>{false});

    ventana->ItemPausaReanudaraveriaClick();
    EXPECT_EQ(ventana->DatosPractica.Estado, Reparando);
    EXPECT_EQ(tablero->Reles(), (1u << 1) | (1u << 8));
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

TEST_F(PausaTest, FinalizarSinDiagnosticoCierraLaReparacionComoNoCorrecta) {
    auto ventana = abrirPuesto();
    ventana->DatosPractica.IdAveria = 101;
    ASSERT_TRUE(ventana->EmpezarReparacion());
    pulsarEnDialogo("BitBtnCancelar");
    EXPECT_FALSE(ventana->FinalizarPractica());
    EXPECT_EQ(ventana->DatosPractica.Estado, Reparando);
    EXPECT_NE(tablero->Reles(), 0u);

    pulsarEnDialogo("BitBtnSi");
    EXPECT_TRUE(ventana->FinalizarPractica());
    EXPECT_EQ(ventana->DatosPractica.Estado, Libre);
    EXPECT_EQ(ventana->DatosPractica.IdAveria, -1);
    EXPECT_EQ(tablero->Reles(), 0u);
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(175)});

    auto reparaciones = historico("cdsReparacion");
    ASSERT_EQ(reparaciones->RecordCount(), 1);
    EXPECT_EQ(reparaciones->FieldByName("cdsRepFEstado")->AsString(), "F");
    EXPECT_TRUE(reparaciones->FieldByName("cdsRepFResp")->AsBoolean());
    EXPECT_FALSE(reparaciones->FieldByName("cdsRepFCorrecta")->AsBoolean());
    EXPECT_TRUE(reparaciones->FieldByName("cdsRepFDuracion")->AsString().startsWith("0d 00:00:"));
    EXPECT_EQ(acciones(), (QStringList{"A", "F"}));
}

}  // namespace
