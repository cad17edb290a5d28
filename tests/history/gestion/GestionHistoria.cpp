#include "GestionHistoria.h"

#include <QProcess>
#include <QTreeWidget>

#include "DMT_Informes.h"
#include "EnlacesGestion.h"
#include "IntercambioGestion.h"

void GestionHistoria::SetUp() {
    GestionDemo::SetUp();
    if (HasFatalFailure()) return;
    EnlazarGestionHistoria(*datos);
    IntercambioGestion::ElegirCarpeta = [this](QWidget*) { return carpetaElegida; };
    TFInformes::VerPrevia = [this](const informes::InformePreparado& informe, int, QWidget*) {
        QString texto;
        for (int p = 0; p < informe.Paginas(); ++p) texto += informe.Textos(p).join('\n') + '\n';
        previas.push_back(texto);
    };
}

void GestionHistoria::TearDown() {
    GestionDemo::TearDown();
    IntercambioGestion::ElegirCarpeta = nullptr;
    TFInformes::VerPrevia = nullptr;
    TFDMT_GestAlumnado::ExportarGrupo = nullptr;
    TFDMT_GestAlumnado::ImportarGrupo = nullptr;
    TFDMT_GestAlumnado::CrearPaginaResultados = nullptr;
    TFDMT_GestAlumnado::ImprimirAccesos = nullptr;
    TFDMT_GestAlumnado::ImprimirContrasenas = nullptr;
    TFDMT_GestAlumnado::VerHistorico = nullptr;
}

void GestionHistoria::instalacionNueva() {
    if (ventana) {
        ventana->close();
        ventana.reset();
    }
    datos.reset();
    instalacion.reset();
    const QString nueva = carpeta.ruta() + "/nueva";
    QProcess p;
    p.start(carpetaProgramas() + "/averias-datos", {"instalacion", nueva});
    p.waitForFinished(60000);
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    instalacion = std::make_unique<InstalacionTemporal>(nueva);
    datos = std::make_unique<TdmCDS>();
    ASSERT_TRUE(datos->AbrirTablas());
    EnlazarGestionHistoria(*datos);
}

QTreeWidgetItem* GestionHistoria::seleccionado() const {
    return ventana->TreeViewGrupos()->currentItem();
}

QStringList GestionHistoria::grupos() const {
    QStringList nombres;
    QTreeWidget* arbol = ventana->TreeViewGrupos();
    for (int i = 0; i < arbol->topLevelItemCount(); ++i) nombres << arbol->topLevelItem(i)->text(0);
    return nombres;
}
