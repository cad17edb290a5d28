// Pictures of the history browser and the workstation's history panel, for a person to look
// at: written only when AVERIAS_CAPTURAS names a folder (scripts/capturas runs them).
#include <QEventLoop>
#include <QImage>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include "DMT_AVGestHistorico.h"
#include "DMT_VentanaHistorico.h"
#include "GestionDemo.h"
#include "PanelesIncrustados.h"
#include "PuestoDemo.h"

namespace {

// Also into a help book's pictures when `enLaAyuda` names one ("gestion/capturas/x").
void guardar(QWidget* w, const char* nombre, const char* enLaAyuda = nullptr) {
    // Headers and layouts settle on timers of their own.
    QEventLoop espera;
    QTimer::singleShot(150, &espera, &QEventLoop::quit);
    espera.exec();
    const QImage imagen = w->grab().toImage();
    EXPECT_TRUE(imagen.save(qEnvironmentVariable("AVERIAS_CAPTURAS") + "/" + nombre + ".png"));
    if (enLaAyuda)
        EXPECT_TRUE(imagen.save(qEnvironmentVariable("AVERIAS_FUENTES") + "/installation/Help/" + enLaAyuda +
                                ".png"));
}

class CapturasHistorico : public GestionDemo {};

TEST_F(CapturasHistorico, NavegadorDelProfesor) {
    if (qEnvironmentVariableIsEmpty("AVERIAS_CAPTURAS")) GTEST_SKIP();
    TFDMT_GestAlumnado::VerHistorico = MostrarVentanaHistorico;
    abrir();
    ventana->resize(1366, 860);
    QTreeWidgetItem* grupo = ventana->TreeViewGrupos()->topLevelItem(0);
    ASSERT_NE(grupo, nullptr);
    grupo->setExpanded(true);
    grupo->child(TFDMT_GestAlumnado::CarpetaAlumnos)->setExpanded(true);
    ASSERT_TRUE(datos->cdsGrupoAlumno->Locate("cdsGrpAlFPtrAlumno", 2));
    ASSERT_TRUE(datos->PrepararHistoricoAlumno());
    TFDMT_GestAlumnado::VerHistorico(ventana.get(), "Alumno");
    guardar(ventana.get(), "historico_1_lista_general", "gestion/capturas/historicos");
    ventana->PaginaActual->findChild<QRadioButton*>("RadioButtonUnaAveria")->click();
    guardar(ventana.get(), "historico_2_una_averia");
}

class CapturasPanelHistorico : public PuestoDemo {};

TEST_F(CapturasPanelHistorico, PanelDelAlumno) {
    if (qEnvironmentVariableIsEmpty("AVERIAS_CAPTURAS")) GTEST_SKIP();
    TFDMT_GestAverias::MostrarHistorico = MostrarHistoricoPuesto;
    entrar("AL003");
    auto puesto = abrirPuesto();
    puesto->resize(1280, 860);
    puesto->ActualizarEstado();
    puesto->MItemVerhistoricoClick();
    guardar(puesto.get(), "historico_3_panel_alumno", "reparacion/capturas/historicos");
    FormEnPanel(puesto->PanelForms())->findChild<QRadioButton*>("RadioButtonUnaAveria")->click();
    guardar(puesto.get(), "historico_4_panel_una_averia");
    TFDMT_GestAverias::MostrarHistorico = nullptr;
}

}  // namespace
