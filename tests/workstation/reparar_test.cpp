#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include "DMT_AVReparacion.h"
#include "DMT_AVReparar.h"
#include "DMT_Brd415.h"
#include "PanelesIncrustados.h"
#include "PuestoDemo.h"

namespace {

// The elements of one circuit as the list is walked: code and description.
class EntradasDiagnosticoTest : public ::testing::Test {
protected:
    EntradasDiagnosticoTest() {
        tabla.FieldDefs.Add("Codigo", ftInteger);
        tabla.FieldDefs.Add("Descripcion", ftString, 40);
        tabla.CreateDataSet();
        for (auto [codigo, texto] : {std::pair{7, "relé"}, {3, "Fusible"}, {5, "Batería"}, {9, "Fusible"}}) {
            tabla.Append();
            tabla.FieldByName("Codigo")->SetAsInteger(codigo);
            tabla.FieldByName("Descripcion")->SetAsString(QString::fromUtf8(texto));
            tabla.Post();
        }
        tabla.First();
        tabla.Next();
    }
    std::vector<std::pair<QString, int>> entradas(int codigoAveria) {
        std::vector<std::pair<QString, int>> lista;
        for (const EntradaDiagnostico& e : EntradasDiagnostico(&tabla, tabla.FieldByName("Descripcion"),
                                                               tabla.FieldByName("Codigo"), codigoAveria))
            lista.emplace_back(e.descripcion, e.codigo);
        return lista;
    }

    TClientDataSet tabla;
};

TEST_F(EntradasDiagnosticoTest, UnaDescripcionRepetidaSaleUnaVezYCuentaComoLaDeLaAveria) {
    using Lista = std::vector<std::pair<QString, int>>;
    EXPECT_EQ(entradas(-1), (Lista{{"Batería", 5}, {"Fusible", 3}, {"relé", 7}}));
    EXPECT_EQ(entradas(9), (Lista{{"Batería", 5}, {"Fusible", 9}, {"relé", 7}}));
    EXPECT_EQ(entradas(3), (Lista{{"Batería", 5}, {"Fusible", 3}, {"relé", 7}}));
    EXPECT_EQ(tabla.FieldByName("Codigo")->AsInteger(), 3);  // the current row is kept
}

// Fault 101 of the demo trainer: relay 1; block "Precalentamiento" (103), circuit 132,
// element 123, none of them first in its list.
class RepararTest : public PuestoDemo {
protected:
    static constexpr const char* kBloque = "Precalentamiento";
    static constexpr const char* kCircuito = "Alimentación de las bujías de incandescencia";
    static constexpr const char* kElemento = "Fusible de cinta F5 de 60 A de las bujías";
    static constexpr unsigned kRelesAveria = 1u << 0;

    // A repair of fault 101 running, the diagnosis panel in front.
    TFDMT_AVReparar* diagnosticar() {
        if (!ventana) {
            ventana = abrirPuesto();
            ventana->DatosPractica.IdAveria = 101;
            ventana->DatosPractica.CodVirtual = 5;
            EXPECT_TRUE(ventana->EmpezarReparacion());
        }
        ventana->ItemRepararaveriaClick();
        EXPECT_EQ(ventana->DatosPractica.Estado, Diagnosticando);
        EXPECT_EQ(FormEnPanel(ventana->PanelForms()), PanelDiagnostico());
        return PanelDiagnostico();
    }
    QListWidget* lista(const char* nombre) { return PanelDiagnostico()->findChild<QListWidget*>(nombre); }
    bool visible(const char* nombre) { return !PanelDiagnostico()->findChild<QWidget*>(nombre)->isHidden(); }
    void grupo(const char* niveles, bool tutorizada) {
        datos->cdsGrupo->Edit();
        datos->cdsGrpFNReparacion->SetAsString(niveles);
        datos->cdsGrpFTutorizada->SetAsBoolean(tutorizada);
        datos->cdsGrupo->Post();
    }
    // The lines of the running repair in memory, as actions.
    QStringList accionesEnMemoria() {
        QStringList lista;
        TClientDataSet* lineas = datos->cdsLineaReparacion;
        for (lineas->First(); !lineas->Eof(); lineas->Next()) lista.append(datos->cdsLRepFAccion->AsString());
        return lista;
    }

    std::unique_ptr<TFDMT_GestAverias> ventana;
};

TEST_F(RepararTest, LibreCadaEleccionEsUnPasoYReparRegistraElIntentoYMandaElEntrenador) {
    diagnosticar();
    EXPECT_TRUE(visible("ListBoxBloque"));
    EXPECT_TRUE(visible("ListBoxCircuito"));
    EXPECT_TRUE(visible("ListBoxComponente"));
    elegir("ListBoxBloque", kBloque);
    elegir("ListBoxCircuito", kCircuito);
    elegir("ListBoxComponente", "Batería de 12 V (borne 30)");
    DesactivarAveria(false);  // so that the wrong answer is seen to put the fault back
    pulsar("SpeedBReparar");
    EXPECT_EQ(tablero->Reles(), kRelesAveria);
    EXPECT_EQ(ventana->DatosPractica.Estado, Reparando);
    EXPECT_EQ(FormEnPanel(ventana->PanelForms()), PanelReparacion());
    EXPECT_EQ(ventana->DatosPractica.NumDiagnostico, 2);
    EXPECT_EQ(acciones(), (QStringList{"A", " ", " ", " ", "R"}));
    EXPECT_FALSE(ventana->DiagnosticoCorrecto());

    diagnosticar();
    EXPECT_EQ(lista("ListBoxBloque")->currentRow(), -1);  // every visit starts afresh
    elegir("ListBoxBloque", kBloque);
    elegir("ListBoxCircuito", kCircuito);
    elegir("ListBoxComponente", kElemento);
    pulsar("SpeedBReparar");
    EXPECT_EQ(tablero->Reles(), 0u);
    EXPECT_TRUE(ventana->DiagnosticoCorrecto());
    EXPECT_EQ(ventana->DatosPractica.NumDiagnostico, 3);
    EXPECT_TRUE(mensajes.mensajes().empty());
}

TEST_F(RepararTest, LaLineaDelPasoGuardaLaEleccionYElComentario) {
    diagnosticar();
    PanelDiagnostico()->findChild<QPlainTextEdit*>("MemoObser")->setPlainText("Mido 0 V en el fusible");
    EXPECT_EQ(PanelReparacion()->Comentarios()->toPlainText(), "Mido 0 V en el fusible");
    elegir("ListBoxBloque", kBloque);
    auto lineas = historico("cdsLineaReparacion");
    lineas->Last();
    EXPECT_EQ(lineas->FieldByName("cdsLRepFBloque")->AsInteger(), 103);
    EXPECT_EQ(lineas->FieldByName("cdsLRepFCircuito")->AsInteger(), -1);
    EXPECT_EQ(lineas->FieldByName("cdsLRepFComentarios")->AsString(), "Mido 0 V en el fusible");
    EXPECT_FALSE(lineas->FieldByName("cdsLRepFInicio")->IsNull());
}

TEST_F(RepararTest, UnaEleccionIncompletaAvisa152YNoRegistraNada) {
    diagnosticar();
    elegir("ListBoxBloque", kBloque);
    pulsar("SpeedBReparar");
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(152)});
    EXPECT_EQ(ventana->DatosPractica.Estado, Diagnosticando);
    EXPECT_EQ(acciones(), (QStringList{"A", " "}));
}

TEST_F(RepararTest, CancelarQuitaLosPasosDeLaVisitaDeLaTablaYDelArchivo) {
    diagnosticar();
    elegir("ListBoxBloque", kBloque);
    elegir("ListBoxCircuito", kCircuito);
    ASSERT_EQ(acciones(), (QStringList{"A", " ", " "}));
    pulsar("SpeedBCancelar");
    EXPECT_EQ(ventana->DatosPractica.Estado, Reparando);
    EXPECT_EQ(FormEnPanel(ventana->PanelForms()), PanelReparacion());
    EXPECT_EQ(accionesEnMemoria(), QStringList{"A"});
    EXPECT_EQ(acciones(), QStringList{"A"});
    EXPECT_EQ(tablero->Reles(), kRelesAveria);
}

TEST_F(RepararTest, UnaVisitaCanceladaNoCambiaElVeredictoDelUltimoIntento) {
    diagnosticar();
    elegir("ListBoxBloque", kBloque);
    elegir("ListBoxCircuito", kCircuito);
    elegir("ListBoxComponente", "Batería de 12 V (borne 30)");
    pulsar("SpeedBReparar");
    diagnosticar();
    elegir("ListBoxBloque", kBloque);
    elegir("ListBoxCircuito", kCircuito);
    elegir("ListBoxComponente", kElemento);
    pulsar("SpeedBCancelar");
    EXPECT_FALSE(ventana->DiagnosticoCorrecto());

    diagnosticar();
    elegir("ListBoxBloque", kBloque);
    elegir("ListBoxCircuito", kCircuito);
    elegir("ListBoxComponente", kElemento);
    pulsar("SpeedBReparar");
    diagnosticar();
    elegir("ListBoxBloque", "Inyección");
    pulsar("SpeedBCancelar");
    EXPECT_TRUE(ventana->DiagnosticoCorrecto());
}

TEST_F(RepararTest, HastaElCircuitoNoSePideElElementoYBastaElCircuitoDeLaAveria) {
    grupo("BL#CI#", false);
    diagnosticar();
    EXPECT_FALSE(visible("ListBoxComponente"));
    elegir("ListBoxBloque", kBloque);
    elegir("ListBoxCircuito", "Mando del relé de bujías");
    EXPECT_TRUE(PanelDiagnostico()->EleccionCompleta());
    EXPECT_FALSE(PanelDiagnostico()->DiagnosticoCorrecto());
    elegir("ListBoxCircuito", kCircuito);
    EXPECT_TRUE(PanelDiagnostico()->DiagnosticoCorrecto());
}

TEST_F(RepararTest, ConNivelDeReparacion1BloqueYCircuitoSonLosDeLaAveria) {
    carpeta.escribir("demo/averias.ini",
                     carpeta.leer("demo/averias.ini").replace("NivelReparacion=3", "NivelReparacion=1"));
    diagnosticar();
    EXPECT_FALSE(visible("ListBoxBloque"));
    EXPECT_FALSE(visible("ListBoxCircuito"));
    EXPECT_TRUE(visible("ListBoxComponente"));
    QStringList elementos;
    for (int i = 0; i < lista("ListBoxComponente")->count(); ++i)
        elementos.append(lista("ListBoxComponente")->item(i)->text());
    EXPECT_EQ(elementos, (QStringList{"Batería de 12 V (borne 30)", "Bujías de incandescencia (Q1 a Q4)",
                                      kElemento, "Rampa de alimentación de las bujías"}));
    elegir("ListBoxComponente", kElemento);
    EXPECT_TRUE(PanelDiagnostico()->DiagnosticoCorrecto());
}

TEST_F(RepararTest, TutorizadoRechazaBloqueYCircuitoErroneosYTerminaSoloEnElElementoCorrecto) {
    grupo("BL#CI#CO#", true);
    diagnosticar();
    EXPECT_TRUE(visible("ListBoxBloque"));
    EXPECT_FALSE(visible("ListBoxCircuito"));
    elegir("ListBoxBloque", "Inyección");
    ASSERT_TRUE(visible("BtnBloque"));
    pulsar("BtnBloque");
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(132)});
    EXPECT_EQ(lista("ListBoxBloque")->currentRow(), -1);
    EXPECT_FALSE(visible("BtnBloque"));

    elegir("ListBoxBloque", kBloque);
    pulsar("BtnBloque");
    EXPECT_FALSE(lista("ListBoxBloque")->isEnabled());
    EXPECT_TRUE(visible("ListBoxCircuito"));
    elegir("ListBoxCircuito", "Testigo de precalentamiento");
    pulsar("BtnCircuito");
    EXPECT_EQ(mensajes.textos().back(), Texto(133));
    elegir("ListBoxCircuito", kCircuito);
    pulsar("BtnCircuito");
    EXPECT_TRUE(visible("ListBoxComponente"));

    mensajes.Limpiar();
    elegir("ListBoxComponente", "Rampa de alimentación de las bujías");
    pulsar("SpeedBReparar");
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(134)});
    EXPECT_EQ(ventana->DatosPractica.NumDiagnostico, 1);
    EXPECT_EQ(accionesEnMemoria().back(), "");

    mensajes.Limpiar();
    PanelDiagnostico()->findChild<QPlainTextEdit*>("MemoObser")->setPlainText("F5 abierto");
    elegir("ListBoxComponente", kElemento);
    pulsar("SpeedBReparar");  // no question: the right element finishes the practice
    EXPECT_EQ(ventana->DatosPractica.Estado, Libre);
    EXPECT_TRUE(PanelDiagnostico()->isHidden());
    EXPECT_EQ(tablero->Reles(), 0u);
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(157)});
    EXPECT_EQ(mensajes.mensajes().back().imagen, DibujoExito);  // never the error cross
    auto reparaciones = historico("cdsReparacion");
    EXPECT_TRUE(reparaciones->FieldByName("cdsRepFResp")->AsBoolean());
    EXPECT_TRUE(reparaciones->FieldByName("cdsRepFCorrecta")->AsBoolean());
    EXPECT_EQ(acciones().mid(acciones().size() - 2), (QStringList{"R", "F"}));
    auto lineas = historico("cdsLineaReparacion");
    lineas->Last();
    EXPECT_EQ(lineas->FieldByName("cdsLRepFComentarios")->AsString(), "F5 abierto");
    EXPECT_TRUE(PanelReparacion()->Comentarios()->toPlainText().isEmpty());  // nothing for the next one
}

TEST_F(RepararTest, LaRejillaDeLaReparacionSigueALaLineaMasNueva) {
    for (int intento = 0; intento < 3; ++intento) {
        diagnosticar();
        elegir("ListBoxBloque", kBloque);
        elegir("ListBoxCircuito", kCircuito);
        elegir("ListBoxComponente", "Batería de 12 V (borne 30)");
        pulsar("SpeedBReparar");
        ASSERT_EQ(FormEnPanel(ventana->PanelForms()), PanelReparacion());
        QApplication::processEvents();
        auto* rejilla = PanelReparacion()->findChild<QTableView*>("DBGridReparacion");
        const int filas = rejilla->model()->rowCount();
        ASSERT_GT(filas, 0);
        const QRect ultima = rejilla->visualRect(rejilla->model()->index(filas - 1, 0));
        EXPECT_TRUE(rejilla->viewport()->rect().contains(ultima)) << intento << ": " << filas << " lines";
    }
}

TEST_F(RepararTest, LaSiguientePracticaNoHeredaElDiagnosticoDeLaAnterior) {
    diagnosticar();
    elegir("ListBoxBloque", kBloque);
    elegir("ListBoxCircuito", kCircuito);
    elegir("ListBoxComponente", kElemento);
    pulsar("SpeedBReparar");
    pulsarEnDialogo("BitBtnSi");
    ASSERT_TRUE(ventana->FinalizarPractica());
    mensajes.Limpiar();
    provocarEnDialogo(102);
    ventana->ItemProvocaraveriaClick();
    ASSERT_EQ(ventana->DatosPractica.IdAveria, 102);
    pulsarEnDialogo("BitBtnSi");
    ASSERT_TRUE(ventana->FinalizarPractica());
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(175)});
    EXPECT_EQ(mensajes.mensajes().back().imagen, DibujoError);
}

}  // namespace
