#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <chrono>
#include <thread>

#include "ControlesDatos.h"
#include "DMT_AVDisfuncion.h"
#include "DMT_AVReparacion.h"
#include "DMT_AVReparar.h"
#include "FechaHora.h"
#include "PanelesIncrustados.h"
#include "PuestoDemo.h"

namespace {

// A whole practice at the workstation, from the start timer to the verdict, on fault 101
// of the demo trainer (relay 1; block "Precalentamiento", circuit 132, element 123).
class PracticaTest : public PuestoDemo {
protected:
    static constexpr unsigned kRelesAveria = 1u << 0;

    // Opens the workstation and lets its start timer find the trainer.
    std::unique_ptr<TFDMT_GestAverias> abrirYDetectar(int equipoEsperado = 1) {
        auto ventana = std::make_unique<TFDMT_GestAverias>(tipoUsuario);
        ventana->show();
        ventana->findChild<QTimer*>("Timer1")->stop();
        EXPECT_FALSE(ventana->findChild<QToolButton*>("BtnAveria")->isEnabled());  // not before the search
        pulsarCuandoSeVea("BtnAceptar");
        ventana->Timer1Timer();
        EXPECT_EQ(ventana->DatosPractica.CodEquipo, equipoEsperado);
        if (equipoEsperado == 1)
            EXPECT_TRUE(
                ventana->findChild<QPlainTextEdit*>("MemoInfor1")->toPlainText().contains("Motor diésel"));
        return ventana;
    }
    void provocar(TFDMT_GestAverias& ventana, int idAveria = 101) {
        provocarEnDialogo(idAveria);
        ventana.ItemProvocaraveriaClick();
        ASSERT_EQ(ventana.DatosPractica.Estado, Reparando);
        EXPECT_EQ(tablero->Reles(), kRelesAveria);
    }
    // A free-mode attempt naming an element of the fault's circuit.
    void diagnosticar(TFDMT_GestAverias& ventana, const char* elemento) {
        ventana.ItemRepararaveriaClick();
        elegir("ListBoxBloque", "Precalentamiento");
        elegir("ListBoxCircuito", "Alimentación de las bujías de incandescencia");
        elegir("ListBoxComponente", elemento);
        pulsar("SpeedBReparar");
    }
    // The electrical installation trainer (code 12) answers on COM1 in place of the diesel one,
    // and the diesel trainer is the one loaded, as a teacher may have left it.
    void conInstalacionElectrica() {
        tablero = std::make_unique<ServidorUartSimulado>(PlacaUartSimulada("12", "V1.0"));
        QByteArray ini = carpeta.leer("demo/averias.ini");
        const int desde = ini.indexOf("COM1=") + 5;
        ini.replace(desde, ini.indexOf('\r', desde) - desde, tablero->Ruta().toUtf8());
        carpeta.escribir("demo/averias.ini", ini);
        ASSERT_TRUE(datos->cdsEquipo->Locate("cdsEFCodEquipo", 1));
    }
    void tutorizar() {
        datos->cdsGrupo->Edit();
        datos->cdsGrpFTutorizada->SetAsBoolean(true);
        datos->cdsGrupo->Post();
    }
    static void esperar(int milisegundos) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milisegundos));
    }
    // Seconds of "0d hh:mm:ss".
    static int segundos(const QString& duracion) {
        const QStringList partes = duracion.section(' ', 1).split(':');
        return duracion.section('d', 0, 0).toInt() * 86400 + partes[0].toInt() * 3600 +
               partes[1].toInt() * 60 + partes[2].toInt();
    }
};

TEST_F(PracticaTest, DeProvocarAlVeredictoEnModoLibre) {
    auto ventana = abrirYDetectar();
    provocar(*ventana);

    diagnosticar(*ventana, "Rampa de alimentación de las bujías");
    EXPECT_EQ(ventana->DatosPractica.Estado, Reparando);
    EXPECT_EQ(tablero->Reles(), kRelesAveria);

    ventana->ItemPausaReanudaraveriaClick();
    EXPECT_EQ(tablero->Reles(), 0u);
    esperar(2100);
    ventana->ItemPausaReanudaraveriaClick();
    EXPECT_EQ(tablero->Reles(), kRelesAveria);

    diagnosticar(*ventana, "Fusible de cinta F5 de 60 A de las bujías");
    EXPECT_EQ(tablero->Reles(), 0u);
    pulsarEnDialogo("BitBtnSi");
    ASSERT_TRUE(ventana->FinalizarPractica());
    EXPECT_EQ(ventana->DatosPractica.Estado, Libre);
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(157)});

    auto reparaciones = historico("cdsReparacion");
    ASSERT_EQ(reparaciones->RecordCount(), 1);
    EXPECT_EQ(reparaciones->FieldByName("cdsRepFEstado")->AsString(), "F");
    EXPECT_TRUE(reparaciones->FieldByName("cdsRepFResp")->AsBoolean());
    EXPECT_TRUE(reparaciones->FieldByName("cdsRepFCorrecta")->AsBoolean());
    EXPECT_EQ(acciones(), (QStringList{"A", " ", " ", " ", "R", "P", " ", " ", " ", "R", "F"}));
    const double total = (reparaciones->FieldByName("cdsRepFFin")->AsDateTime() -
                          reparaciones->FieldByName("cdsRepFInicio")->AsDateTime()) *
                         86400;
    const int trabajado = segundos(reparaciones->FieldByName("cdsRepFDuracion")->AsString());
    EXPECT_LE(trabajado, total - 1.5);  // the two seconds paused are not working time
    EXPECT_GE(trabajado, total - 3.5);
}

TEST_F(PracticaTest, EnModoTutorizadoElElementoCorrectoTerminaSinPreguntar) {
    tutorizar();
    auto ventana = abrirYDetectar();
    provocar(*ventana);
    ventana->ItemRepararaveriaClick();
    elegir("ListBoxBloque", "Precalentamiento");
    pulsar("BtnBloque");
    elegir("ListBoxCircuito", "Alimentación de las bujías de incandescencia");
    pulsar("BtnCircuito");
    elegir("ListBoxComponente", "Fusible de cinta F5 de 60 A de las bujías");
    pulsar("SpeedBReparar");
    EXPECT_EQ(ventana->DatosPractica.Estado, Libre);
    EXPECT_EQ(tablero->Reles(), 0u);
    auto reparaciones = historico("cdsReparacion");
    ASSERT_EQ(reparaciones->RecordCount(), 1);
    EXPECT_EQ(reparaciones->FieldByName("cdsRepFEstado")->AsString(), "F");
    EXPECT_TRUE(reparaciones->FieldByName("cdsRepFTutorizada")->AsBoolean());
    EXPECT_TRUE(reparaciones->FieldByName("cdsRepFCorrecta")->AsBoolean());
    EXPECT_EQ(acciones(), (QStringList{"A", " ", " ", " ", "R", "F"}));
}

TEST_F(PracticaTest, LaPracticaDeUnSubgrupoQuedaEnElHistoricoDeCadaMiembro) {
    entrar("SUB001");
    ASSERT_EQ(tipoUsuario, UsuarioSubgrupo);
    auto ventana = abrirYDetectar();
    provocar(*ventana);
    pulsarEnDialogo("BitBtnNo");
    ASSERT_TRUE(ventana->FinalizarPractica());
    for (const char* miembro : {"004", "005"}) {
        EXPECT_EQ(accionesDeLaUltima(miembro), (QStringList{"A", "F"})) << miembro;
        auto reparaciones = historico("cdsReparacion", miembro);
        reparaciones->SetIndexFieldNames("cdsRepFInicio");
        reparaciones->Last();
        EXPECT_EQ(reparaciones->FieldByName("cdsRepFPtrSubgrupo")->AsInteger(), 1);
        EXPECT_FALSE(reparaciones->FieldByName("cdsRepFResp")->AsBoolean());
    }
}

TEST_F(PracticaTest, ElProfesorPracticaSinDejarRastro) {
    tipoUsuario = UsuarioProfesor;
    const QStringList historicos = QDir(carpeta.archivo("demo/Historic")).entryList(QDir::Files);
    auto ventana = abrirYDetectar();
    for (const char* orden : {"BtnHistorico", "MItemVerhistorico", "MItemDPersonales"}) {
        QObject* control = ventana->findChild<QObject*>(orden);
        ASSERT_NE(control, nullptr) << orden;
        EXPECT_FALSE(control->property("enabled").toBool()) << orden;
    }
    provocar(*ventana);
    pulsarEnDialogo("BitBtnSi");
    ASSERT_TRUE(ventana->FinalizarPractica());
    for (const char* tabla : {"BDs\\cdsReparacion.cds", "BDs\\cdsLineaReparacion.cds"}) {
        TClientDataSet plantilla;
        plantilla.LoadFromFile(Instalacion::Ruta(tabla));
        EXPECT_EQ(plantilla.RecordCount(), 0) << tabla;
    }
    EXPECT_EQ(QDir(carpeta.archivo("demo/Historic")).entryList(QDir::Files), historicos);
}

TEST_F(PracticaTest, UnaDisfuncionSeMiraSinRegistrarseYAlTerminarTodoVuelve) {
    auto ventana = abrirYDetectar();
    provocarEnDialogo(101);
    ventana->ItemProvocardisfuncionClick();
    ASSERT_EQ(ventana->DatosPractica.Estado, Disfuncion);
    EXPECT_EQ(tablero->Reles(), kRelesAveria);
    ASSERT_NE(PanelDisfuncion(), nullptr);
    EXPECT_EQ(FormEnPanel(ventana->PanelForms()), PanelDisfuncion());
    EXPECT_FALSE(ventana->close());
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(182)});

    EXPECT_TRUE(ventana->FinalizarPractica());
    EXPECT_EQ(ventana->DatosPractica.Estado, Libre);
    EXPECT_EQ(tablero->Reles(), 0u);
    EXPECT_TRUE(PanelDisfuncion()->isHidden());
    EXPECT_TRUE(ventana->findChild<QMenu*>("MItemAveria")->menuAction()->isEnabled());
    EXPECT_EQ(historico("cdsReparacion")->RecordCount(), 0);
    EXPECT_EQ(historico("cdsLineaReparacion")->RecordCount(), 0);
}

TEST_F(PracticaTest, UnaDisfuncionDuranteUnaPausaDevuelveLaReparacionEnPausa) {
    auto ventana = abrirYDetectar();
    provocar(*ventana);
    ventana->ItemPausaReanudaraveriaClick();
    const int reparacion = ventana->DatosPractica.CodReparacion;

    QTimer::singleShot(0, [] {
        QWidget* dialogo = QApplication::activeModalWidget();
        dialogo->findChild<TDBLookupComboBox*>("DBLookupComboBoxAverias")->SetKeyValue(115);
        dialogo->findChild<QPushButton*>("BitBtnCancelar")->click();
    });
    ventana->ItemProvocardisfuncionClick();
    EXPECT_EQ(ventana->DatosPractica.Estado, Pausada);
    EXPECT_EQ(ventana->DatosPractica.IdAveria, 101);  // a cancelled choice changes nothing

    provocarEnDialogo(115);
    ventana->ItemProvocardisfuncionClick();
    ASSERT_EQ(ventana->DatosPractica.Estado, Disfuncion);
    EXPECT_TRUE(ventana->FinalizarPractica());
    EXPECT_EQ(ventana->DatosPractica.Estado, Pausada);
    EXPECT_EQ(ventana->DatosPractica.IdAveria, 101);
    EXPECT_EQ(ventana->DatosPractica.CodReparacion, reparacion);
    EXPECT_EQ(FormEnPanel(ventana->PanelForms()), PanelReparacion());

    ventana->ItemPausaReanudaraveriaClick();
    EXPECT_EQ(ventana->DatosPractica.Estado, Reparando);
    EXPECT_EQ(tablero->Reles(), kRelesAveria);
}

TEST_F(PracticaTest, UnaPracticaQueNoSePuedeRegistrarNoEmpieza) {
    auto ventana = abrirYDetectar();
    datos->cdsReparacion->SetReadOnly(true);
    ventana->DatosPractica.IdAveria = 101;
    EXPECT_FALSE(ventana->EmpezarReparacion());
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(232)});
    EXPECT_EQ(ventana->DatosPractica.Estado, Libre);
    EXPECT_EQ(tablero->Reles(), 0u);
    EXPECT_TRUE(acciones().isEmpty());
}

TEST_F(PracticaTest, ElEntrenadorDetectadoTraeSusPropiasTablas) {
    conInstalacionElectrica();
    auto ventana = abrirYDetectar(2);
    EXPECT_TRUE(datos->cdsAveria->FileName().contains("EQ002"));
    EXPECT_EQ(datos->EquipoCargado(), 2);
}

TEST_F(PracticaTest, UnEntrenadorConTablasDanadasNoQuedaElegido) {
    conInstalacionElectrica();
    carpeta.escribir("demo/BDs/EQ002/cdsAveria.cds", "esto no es una tabla");
    auto ventana = abrirYDetectar(0);
    EXPECT_TRUE(ventana->findChild<QPlainTextEdit*>("MemoInfor1")->toPlainText().contains(Texto(171)));
}

// The cable is pulled while a repair runs: nothing hangs, the trainer's refusal is told
// where the practice depends on it, and what was recorded stays as it was.
TEST_F(PracticaTest, UnEntrenadorPerdidoNoRompeLaPracticaNiSusRegistros) {
    auto ventana = abrirYDetectar();
    provocar(*ventana);
    tablero.reset();

    diagnosticar(*ventana, "Rampa de alimentación de las bujías");
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(146)});
    EXPECT_EQ(ventana->DatosPractica.Estado, Reparando);

    ventana->ItemPausaReanudaraveriaClick();
    EXPECT_EQ(ventana->DatosPractica.Estado, Pausada);
    mensajes.Limpiar();
    ventana->ItemPausaReanudaraveriaClick();
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(146)});
    EXPECT_EQ(ventana->DatosPractica.Estado, Pausada);
    EXPECT_TRUE(ventana->close());

    auto reparaciones = historico("cdsReparacion");
    ASSERT_EQ(reparaciones->RecordCount(), 1);
    EXPECT_EQ(reparaciones->FieldByName("cdsRepFEstado")->AsString(), "P");
    EXPECT_EQ(acciones(), (QStringList{"A", " ", " ", " ", "R", "P"}));
}

TEST_F(PracticaTest, SinEntrenadorNoEmpiezaNingunaPractica) {
    auto ventana = abrirYDetectar();
    tablero.reset();
    mensajes.Limpiar();
    ventana->DatosPractica.IdAveria = 101;
    EXPECT_FALSE(ventana->EmpezarReparacion());
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(146)});
    EXPECT_EQ(ventana->DatosPractica.Estado, Libre);
    EXPECT_EQ(historico("cdsReparacion")->RecordCount(), 0);

    mensajes.Limpiar();
    provocarEnDialogo(101);
    ventana->ItemProvocardisfuncionClick();
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(146)});
    EXPECT_EQ(ventana->DatosPractica.Estado, Libre);
    EXPECT_TRUE(ventana->findChild<QMenu*>("MItemAveria")->menuAction()->isEnabled());
}

}  // namespace
