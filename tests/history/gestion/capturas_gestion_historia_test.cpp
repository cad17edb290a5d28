#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "Arranque.h"
#include "CapaMensajesVentanas.h"
#include "GestionHistoria.h"
#include "IntercambioGestion.h"

namespace {

// Pictures of the group exchange and of the results page in the class management window,
// for a person to look at: written only when AVERIAS_CAPTURAS names a folder
// (scripts/capturas runs it on a virtual display).
class CapturasGestionHistoria : public GestionHistoria {
protected:
    static void guardar(QWidget* w, const char* nombre) {
        // The folder list and the layouts settle on timers of their own.
        QEventLoop espera;
        QTimer::singleShot(400, &espera, &QEventLoop::quit);
        espera.exec();
        EXPECT_TRUE(w->grab().save(qEnvironmentVariable("AVERIAS_CAPTURAS") + "/" + nombre + ".png"))
            << nombre;
    }
};

TEST_F(CapturasGestionHistoria, ExportarEImportarUnGrupo) {
    if (qEnvironmentVariableIsEmpty("AVERIAS_CAPTURAS")) GTEST_SKIP();
    // A removable disk as a teacher sees it.
    const QString disco = carpeta.ruta() + "/MEMORIA USB";
    for (const char* sub : {"Apuntes", "Fotos de la excursión", "Programaciones"})
        QDir().mkpath(disco + "/" + sub);
    // The folder dialog as the program shows it.
    InstalarTraduccionQt();
    IntercambioGestion::ElegirCarpeta = nullptr;
    CapaMensajesVentanas ventanasMensaje;
    CapaMensajes* anterior = InstalarCapaMensajes(&ventanasMensaje);
    abrir();
    ventana->resize(1366, 860);
    ventana->TreeViewGrupos()->setCurrentItem(nodoGrupo(kGrupoDemo));

    enDialogo("RZSelecCarpeta", [disco](QWidget* d) {
        auto* dialogo = static_cast<QFileDialog*>(d);
        dialogo->resize(760, 460);
        dialogo->setDirectory(disco);
        guardar(dialogo, "gestion_8_exportar_carpeta");
        enDialogo("FormMsg", [](QWidget* mensaje) {
            guardar(mensaje, "gestion_9_exportado");
            mensaje->findChild<QPushButton*>("BitBtn1")->click();
        });
        static_cast<QDialog*>(dialogo)->accept();
    });
    pulsar("BitBtnExpGrupo");
    EXPECT_TRUE(QFileInfo::exists(disco + "/" + kGrupoDemo + "/cdsGrupo.cds"));

    enDialogo("RZSelecCarpeta", [disco](QWidget* d) {
        auto* dialogo = static_cast<QFileDialog*>(d);
        dialogo->setDirectory(disco + "/" + kGrupoDemo);
        enDialogo("FormMsg", [](QWidget* pregunta) {
            guardar(pregunta, "gestion_10_reemplazar");
            enDialogo("FormMsg", [](QWidget* mensaje) {
                guardar(mensaje, "gestion_11_importado");
                mensaje->findChild<QPushButton*>("BitBtn1")->click();
            });
            pregunta->findChild<QPushButton*>("BitBtn1")->click();
        });
        static_cast<QDialog*>(dialogo)->accept();
    });
    pulsar("BitBtnImpGrupo");
    guardar(ventana.get(), "gestion_12_tras_importar");
    InstalarCapaMensajes(anterior);
}

TEST_F(CapturasGestionHistoria, LosResultadosDelGrupo) {
    if (qEnvironmentVariableIsEmpty("AVERIAS_CAPTURAS")) GTEST_SKIP();
    abrir();
    ventana->resize(1366, 860);
    QTreeWidgetItem* grupo = nodoGrupo(kGrupoDemo);
    grupo->setExpanded(true);
    ventana->TreeViewGrupos()->setCurrentItem(grupo);
    pulsar("BitBtnResultados");
    guardar(ventana.get(), "gestion_13_resultados");
}

}  // namespace
