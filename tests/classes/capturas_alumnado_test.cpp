// Pictures of the student page, the subgroup page and the member chooser on the demo group,
// for a person to look at: written only when AVERIAS_CAPTURAS names a folder (scripts/capturas
// runs it on a virtual display), and into the teachers' help book, which shows them.
#include <QEventLoop>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "DMT_VentanaAlumnos.h"
#include "GestionDemo.h"

namespace {

class CapturasAlumnado : public GestionDemo {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("AVERIAS_CAPTURAS")) GTEST_SKIP();
        GestionDemo::SetUp();
        // The actions other parts set at start-up: their buttons look as a teacher sees them.
        TFDMT_GestAlumnado::ImprimirContrasenas = [](QWidget*) {};
        TFDMT_GestAlumnado::VerHistorico = [](TFDMT_GestAlumnado*, const QString&) {};
        TFDMT_VentanaAlumnos::ImportarLista = [](TFDMT_VentanaAlumnos*) {};
    }
    void TearDown() override {
        GestionDemo::TearDown();
        TFDMT_GestAlumnado::ImprimirContrasenas = nullptr;
        TFDMT_GestAlumnado::VerHistorico = nullptr;
        TFDMT_VentanaAlumnos::ImportarLista = nullptr;
    }
};

void guardar(QWidget* w, const char* nombre, const char* enLaAyuda) {
    QEventLoop espera;
    QTimer::singleShot(150, &espera, &QEventLoop::quit);
    espera.exec();
    const QImage imagen = w->grab().toImage();
    EXPECT_TRUE(imagen.save(qEnvironmentVariable("AVERIAS_CAPTURAS") + "/" + nombre + ".png"));
    EXPECT_TRUE(imagen.save(qEnvironmentVariable("AVERIAS_FUENTES") + "/installation/Help/gestion/capturas/" +
                            enLaAyuda + ".png"));
}

TEST_F(CapturasAlumnado, AlumnosSubgruposYElector) {
    abrir();
    ventana->resize(1366, 860);
    QTreeWidgetItem* grupo = nodoGrupo("1º Electromecánica");
    ASSERT_NE(grupo, nullptr);
    grupo->setExpanded(true);
    for (int i = 0; i < grupo->childCount(); ++i) grupo->child(i)->setExpanded(true);
    QTreeWidget* arbol = ventana->TreeViewGrupos();
    QTreeWidgetItem* alumnos = grupo->child(TFDMT_GestAlumnado::CarpetaAlumnos);
    // Daniel belongs to "Equipo A": his page lists it.
    for (int i = 0; i < alumnos->childCount(); ++i)
        if (alumnos->child(i)->text(0).startsWith("Sánchez")) arbol->setCurrentItem(alumnos->child(i));
    guardar(ventana.get(), "gestion_14_alumnos", "alumnos");
    arbol->setCurrentItem(grupo->child(TFDMT_GestAlumnado::CarpetaSubgrupos));
    guardar(ventana.get(), "gestion_15_subgrupos", "subgrupos");
    pulsar("SpeedBAddSubgrupo");
    escribir("DBEditNombre", "Equipo B");
    enDialogo("FDMT_NuevoAlumno", [](QWidget* dialogo) {
        auto* lista = dialogo->findChild<QListWidget*>("ListBoxAlumnos");
        lista->item(1)->setSelected(true);
        lista->item(2)->setSelected(true);
        guardar(dialogo, "gestion_16_elegir_alumnos", "anadiralumnossubgrupo");
        dialogo->findChild<QPushButton*>("BitBtnCancelar")->click();
    });
    pulsar("SpeedBAddAlumno");
    pulsar("BitBtnCancel");
}

}  // namespace
