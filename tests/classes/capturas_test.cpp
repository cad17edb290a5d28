#include <QApplication>
#include <QEventLoop>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "GestionDemo.h"
#include "PaginaGestion.h"

namespace {

// Pictures of the class management window with each of its pages, for a person to look at:
// written only when AVERIAS_CAPTURAS names a folder (scripts/capturas runs it on a virtual display).
class CapturasGestion : public GestionDemo {};

void guardar(QWidget* w, const char* nombre) {
    // Headers and layouts settle on timers of their own.
    QEventLoop espera;
    QTimer::singleShot(150, &espera, &QEventLoop::quit);
    espera.exec();
    w->grab().save(qEnvironmentVariable("AVERIAS_CAPTURAS") + "/" + nombre + ".png");
}

TEST_F(CapturasGestion, CadaPagina) {
    if (qEnvironmentVariableIsEmpty("AVERIAS_CAPTURAS")) GTEST_SKIP();
    abrir();
    ventana->resize(1366, 860);
    QTreeWidget* arbol = ventana->TreeViewGrupos();
    QTreeWidgetItem* grupo = nodoGrupo("1º Electromecánica");
    ASSERT_NE(grupo, nullptr);
    grupo->setExpanded(true);
    for (int i = 0; i < grupo->childCount(); ++i) grupo->child(i)->setExpanded(true);
    arbol->setCurrentItem(grupo);
    guardar(ventana.get(), "gestion_1_grupo");
    pulsar("BitBtnNewGrupo");
    escribir("DBEditNombre", "2º Automoción");
    escribir("DBEditDescripcion", "Segundo curso de la tarde");
    guardar(ventana.get(), "gestion_2_nuevo_grupo");
    pulsar("BitBtnAceptar");
    arbol->setCurrentItem(grupo->child(TFDMT_GestAlumnado::CarpetaAcceso));
    guardar(ventana.get(), "gestion_3_dificultad");
    QTreeWidgetItem* nuevo = nodoGrupo("2º Automoción");
    ASSERT_NE(nuevo, nullptr);
    arbol->setCurrentItem(nuevo->child(TFDMT_GestAlumnado::CarpetaAcceso));
    guardar(ventana.get(), "gestion_4_dificultad_tutorizada");
    // The smallest screen of a classroom.
    ventana->resize(1024, 740);
    guardar(ventana.get(), "gestion_6_dificultad_1024");
    arbol->setCurrentItem(nuevo);
    guardar(ventana.get(), "gestion_7_grupo_1024");
    enDialogo("FDMT_ActivarEquipos", [](QWidget* dialogo) {
        guardar(dialogo, "gestion_5_activar_entrenadores");
        dialogo->findChild<QPushButton*>("BitBtnCancelar")->click();
    });
    pulsar("BitBtnActEquipos");
}

}  // namespace
