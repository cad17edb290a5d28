// The workstation's history panel, on the demo installation with its simulated trainer.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ControlesDatos.h"
#include "DMT_AVGestHistorico.h"
#include "DMT_AVReparacion.h"
#include "PanelesIncrustados.h"
#include "PuestoDemo.h"
#include "RutasDatos.h"
#include "VistaHistorico.h"

namespace {

class PanelHistorico : public PuestoDemo {
protected:
    void SetUp() override {
        PuestoDemo::SetUp();
        TFDMT_GestAverias::MostrarHistorico = MostrarHistoricoPuesto;
    }
    void TearDown() override {
        puesto.reset();
        TFDMT_GestAverias::MostrarHistorico = nullptr;
        PuestoDemo::TearDown();
    }

    TFDMT_AVGestHistorico* verHistorico() {
        if (!puesto) puesto = abrirPuesto();
        puesto->MItemVerhistoricoClick();
        return qobject_cast<TFDMT_AVGestHistorico*>(FormEnPanel(puesto->PanelForms()));
    }
    template <typename T>
    T* control(const char* nombre) const {
        T* c = FormEnPanel(puesto->PanelForms())->findChild<T*>(nombre);
        EXPECT_NE(c, nullptr) << nombre;
        return c;
    }
    TDBGrid* grid() const { return control<TDBGrid>("DBGridHistorico"); }
    // The fault codes the grid shows, as texts, in the column of a field.
    QStringList columna(const char* campo) const {
        const int c = grid()->Modelo()->ColumnaDe(campo);
        QStringList textos;
        for (int fila = 0; c >= 0 && fila < grid()->model()->rowCount(); ++fila)
            textos << grid()->model()->index(fila, c).data().toString();
        return textos;
    }

    std::unique_ptr<TFDMT_GestAverias> puesto;
};

TEST_F(PanelHistorico, UnAlumnoSinPracticasRecibeElTexto172) {
    EXPECT_EQ(verHistorico(), nullptr);
    ASSERT_EQ(mensajes.mensajes().size(), 1u);
    EXPECT_EQ(mensajes.mensajes().front().texto, Texto(172));
}

TEST_F(PanelHistorico, UnAlumnoNuncaVeLosNumerosReales) {
    entrar("AL002");
    // A wrong tutored attempt (a line without an action) in the practice shown first.
    datos->AbrirHistoricoSiExiste("002");
    datos->cdsReparacion->First();
    ASSERT_TRUE(datos->NuevaLineaReparacion(datos->cdsRepFCodReparacion->AsInteger(), 1, {}, {}, 0, 46000.0,
                                            {}, {}, {}));
    TFDMT_AVGestHistorico* panel = verHistorico();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->findChild<QLabel*>("LabelTitulo")->text(), Texto(17001));
    EXPECT_EQ(grid()->Modelo()->ColumnaDe("CalcAvReal"), -1);
    EXPECT_GE(grid()->Modelo()->ColumnaDe("CalcCVirtual"), 0);
    EXPECT_GT(grid()->model()->rowCount(), 0);
    EXPECT_TRUE(control<QPushButton>("SpeedButtonExpHistorico")->isVisible());

    control<QRadioButton>("RadioButtonUnaAveria")->click();
    EXPECT_FALSE(control<QLabel>("FadeLabelNAveria")->isVisible());
    EXPECT_FALSE(control<QLabel>("LabelNAveria")->isVisible());
    EXPECT_FALSE(control<QPushButton>("SpeedButtonExpHistorico")->isVisible());
    // The box offers virtual codes only.
    auto* averias = control<TDBLookupComboBox>("DBLookupComboBoxAverias");
    EXPECT_EQ(averias->ListField(), "CalcCVirtual");
    EXPECT_EQ(control<QLabel>("FadeLCodAveria")->text(), datos->cdsReparacionCalcCVirtual->DisplayText());
    // Lines without an action are never listed.
    // Lines without an action are never listed (a diagnosis step's action is a space).
    TClientDataSet* lineas = datos->cdsLineaReparacion;
    int filas = 0;
    for (lineas->First(); !lineas->Eof(); lineas->Next(), ++filas)
        EXPECT_FALSE(datos->cdsLRepFAccion->IsNull() || datos->cdsLRepFAccion->AsString().isEmpty());
    EXPECT_EQ(grid()->model()->rowCount(), filas);
    EXPECT_GT(grid()->model()->rowCount(), 0);
}

TEST_F(PanelHistorico, UnSubgrupoVeSoloSusPracticas) {
    entrar("SUB001");
    TFDMT_AVGestHistorico* panel = verHistorico();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(grid()->Modelo()->ColumnaDe("CalcAvReal"), -1);
    const int subgrupo = puesto->DatosPractica.CodSubgrupo;
    int filas = 0;
    for (datos->cdsReparacion->First(); !datos->cdsReparacion->Eof(); datos->cdsReparacion->Next(), ++filas)
        EXPECT_EQ(datos->cdsRepFPtrSubgrupo->AsInteger(), subgrupo);
    EXPECT_GT(filas, 0);
    EXPECT_EQ(grid()->model()->rowCount(), filas);
    EXPECT_FALSE(control<QPushButton>("SpeedButtonExpHistorico")->isVisible());
}

TEST_F(PanelHistorico, ElProfesorVeElNumeroRealYNoElCodigoVirtual) {
    tipoUsuario = UsuarioProfesor;
    puesto = abrirPuesto();
    // The teacher's practices are kept in memory only.
    datos->AbrirHistorico(RutasDatos::kProfesor);
    const int codigo = datos->NuevaReparacion(0, 1, false, "BL#", "J#", "F", 46000.0, 1, 102, -1);
    ASSERT_GE(codigo, 0);
    TFDMT_AVGestHistorico* panel = verHistorico();
    ASSERT_NE(panel, nullptr);
    EXPECT_GE(grid()->Modelo()->ColumnaDe("CalcAvReal"), 0);
    EXPECT_EQ(grid()->Modelo()->ColumnaDe("CalcCVirtual"), -1);
    EXPECT_EQ(control<TDBLookupComboBox>("DBLookupComboBoxAverias")->ListField(), "CalcAvReal");
    control<QRadioButton>("RadioButtonUnaAveria")->click();
    EXPECT_EQ(control<QLabel>("FadeLCodAveria")->text(), datos->cdsReparacionCalcAvReal->DisplayText());
}

TEST_F(PanelHistorico, SalirVuelveAlPanelDeLaPracticaYDevuelveElEntrenador) {
    entrar("AL002");
    puesto = abrirPuesto();
    puesto->DatosPractica.IdAveria = 102;
    puesto->DatosPractica.CodVirtual = 555;
    ASSERT_TRUE(puesto->EmpezarReparacion());
    puesto->ItemPausaReanudaraveriaClick();
    ASSERT_EQ(puesto->DatosPractica.Estado, Pausada);
    const QString filtroSemillas = datos->cdsSemilla->Filter();

    ASSERT_NE(verHistorico(), nullptr);
    control<QPushButton>("SpeedBSalir")->click();
    EXPECT_EQ(FormEnPanel(puesto->PanelForms()), PanelReparacion());
    EXPECT_EQ(datos->cdsEFCodEquipo->AsInteger(), 1);
    EXPECT_EQ(datos->EquipoCargado(), 1);
    EXPECT_EQ(datos->cdsSemilla->Filter(), filtroSemillas);
}

TEST_F(PanelHistorico, ProvocarUnaAveriaCierraElHistoricoPrimero) {
    entrar("AL002");
    ASSERT_NE(verHistorico(), nullptr);
    const int idAveria = 102;
    provocarEnDialogo(idAveria);
    puesto->ItemProvocaraveriaClick();
    EXPECT_EQ(FormEnPanel(puesto->PanelForms()), PanelReparacion());
    EXPECT_EQ(puesto->DatosPractica.Estado, Reparando);
    EXPECT_EQ(datos->cdsEFCodEquipo->AsInteger(), 1);
}

}  // namespace
