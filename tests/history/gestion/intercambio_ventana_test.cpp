#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTreeWidget>

#include "DMT_VentanaGrupos.h"
#include "GestionHistoria.h"
#include "Intercambio.h"
#include "PaginaGestion.h"

namespace {

// The exchange buttons of class management: folder, questions, messages, tree.
class IntercambioVentana : public GestionHistoria {
protected:
    void SetUp() override {
        GestionHistoria::SetUp();
        if (HasFatalFailure()) return;
        destino = carpeta.ruta() + "/memoria";
        QDir().mkpath(destino);
    }
    // The demo group exported through the window into `destino`.
    void exportarDemo() {
        abrir();
        ventana->TreeViewGrupos()->setCurrentItem(nodoGrupo(kGrupoDemo));
        carpetaElegida = destino;
        pulsar("BitBtnExpGrupo");
        ASSERT_EQ(mensajes.textos(), QStringList{Texto(210)});
        ASSERT_TRUE(EsCarpetaIntercambio(exportada()));
        mensajes.Limpiar();
    }
    QString exportada() const { return destino + "/" + kGrupoDemo; }
    void importar() {
        carpetaElegida = exportada();
        pulsar("BitBtnImpGrupo");
    }
    // The panel is unlocked: its buttons work again.
    void desbloqueado() const {
        for (const char* b : {"BitBtnNewGrupo", "BitBtnExpGrupo", "BitBtnImpGrupo", "BitBtnResultados"})
            EXPECT_TRUE(ventana->findChild<QPushButton*>(b)->isEnabled()) << b;
        EXPECT_TRUE(ventana->TreeViewGrupos()->isEnabled());
    }
    QString pregunta() const { return Texto(211) + ", " + QString::fromUtf8(kGrupoDemo) + ", " + Texto(212); }
    // The students shown under a group node.
    static QStringList alumnos(QTreeWidgetItem* grupo) {
        QStringList nombres;
        QTreeWidgetItem* carpeta = grupo->child(TFDMT_GestAlumnado::CarpetaAlumnos);
        for (int i = 0; i < carpeta->childCount(); ++i) nombres << carpeta->child(i)->text(0);
        return nombres;
    }

    QString destino;
};

TEST_F(IntercambioVentana, ElGrupoDeDemostracionLlegaAUnaInstalacionNueva) {
    exportarDemo();
    const QStringList deLaDemo = alumnos(nodoGrupo(kGrupoDemo));
    ASSERT_EQ(deLaDemo.size(), 5);
    desbloqueado();

    instalacionNueva();
    abrir();
    EXPECT_TRUE(grupos().isEmpty());
    importar();
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(166)});
    desbloqueado();
    EXPECT_EQ(grupos(), QStringList{kGrupoDemo});
    QTreeWidgetItem* grupo = nodoGrupo(kGrupoDemo);
    EXPECT_EQ(seleccionado(), grupo);
    EXPECT_TRUE(grupo->isExpanded());
    EXPECT_EQ(alumnos(grupo), deLaDemo);
    // The data module is on the imported group, its page in front.
    EXPECT_EQ(datos->cdsGrpFCodGrupo->AsInteger(), TFDMT_GestAlumnado::CodigoNodo(grupo));
    EXPECT_EQ(datos->cdsGrpFNombre->AsString(), kGrupoDemo);
    EXPECT_EQ(ventana->PaginaActual, static_cast<TPaginaGestion*>(ventana->PaginaGrupos()));
    EXPECT_TRUE(ventana->PaginaGrupo);
}

TEST_F(IntercambioVentana, UnGrupoDelMismoNombreSeReemplazaSoloSiElProfesorQuiere) {
    exportarDemo();
    const std::optional<int> antes = TFDMT_GestAlumnado::CodigoNodo(nodoGrupo(kGrupoDemo));

    mensajes.Responder(mrNo);
    importar();
    // Declined: only the question, the tree and the tables as they were.
    EXPECT_EQ(mensajes.textos(), QStringList{pregunta()});
    EXPECT_EQ(mensajes.mensajes().front().imagen, DibujoPregunta);
    EXPECT_EQ(grupos(), QStringList{kGrupoDemo});
    EXPECT_EQ(TFDMT_GestAlumnado::CodigoNodo(nodoGrupo(kGrupoDemo)), antes);
    EXPECT_EQ(alumnos(nodoGrupo(kGrupoDemo)).size(), 5);
    desbloqueado();

    mensajes.Limpiar();
    mensajes.Responder(mrYes);
    importar();
    EXPECT_EQ(mensajes.textos(), QStringList({pregunta(), Texto(166)}));
    EXPECT_EQ(grupos(), QStringList{kGrupoDemo}) << "one group, not two";
    EXPECT_EQ(seleccionado(), nodoGrupo(kGrupoDemo));
    EXPECT_EQ(alumnos(nodoGrupo(kGrupoDemo)).size(), 5);
    EXPECT_EQ(datos->cdsGrpFCodGrupo->AsInteger(), TFDMT_GestAlumnado::CodigoNodo(nodoGrupo(kGrupoDemo)));
    desbloqueado();
}

// The replaced group's node goes by its own code: the imported group may get another.
TEST_F(IntercambioVentana, ElNodoReemplazadoSeQuitaPorSuCodigoAunqueElImportadoTengaOtro) {
    exportarDemo();
    const std::optional<int> exportado = TFDMT_GestAlumnado::CodigoNodo(nodoGrupo(kGrupoDemo));
    instalacionNueva();
    abrir();
    // The exchanged code is free again, and the group of the same name has another one.
    const int borrado = crearGrupo("Borrado");
    const int homonimo = crearGrupo(kGrupoDemo);
    const int otro = crearGrupo("Otro grupo");
    ASSERT_EQ(borrado, exportado);
    ventana->TreeViewGrupos()->setCurrentItem(nodoGrupo("Borrado"));
    mensajes.Responder(mrYes);
    pulsar("BitBtnDelGrupo");
    ASSERT_EQ(grupos(), QStringList({kGrupoDemo, "Otro grupo"}));
    mensajes.Limpiar();

    mensajes.Responder(mrYes);
    importar();
    ASSERT_EQ(mensajes.textos(), QStringList({pregunta(), Texto(166)}));
    EXPECT_EQ(grupos(), QStringList({"Otro grupo", kGrupoDemo}));
    EXPECT_EQ(TFDMT_GestAlumnado::CodigoNodo(nodoGrupo("Otro grupo")), otro);
    QTreeWidgetItem* importado = nodoGrupo(kGrupoDemo);
    ASSERT_NE(importado, nullptr);
    EXPECT_EQ(TFDMT_GestAlumnado::CodigoNodo(importado), exportado);
    EXPECT_NE(TFDMT_GestAlumnado::CodigoNodo(importado), homonimo);
    EXPECT_EQ(datos->cdsGrpFCodGrupo->AsInteger(), exportado);
    EXPECT_EQ(seleccionado(), importado);
    EXPECT_EQ(alumnos(importado).size(), 5);
}

TEST_F(IntercambioVentana, UnaCarpetaQueNoEsDeIntercambioNoCambiaNada) {
    abrir();
    const QStringList antes = grupos();
    carpetaElegida = destino;
    pulsar("BitBtnImpGrupo");
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(226)});
    EXPECT_EQ(grupos(), antes);
    desbloqueado();
    // A cancelled dialog does nothing at all.
    mensajes.Limpiar();
    carpetaElegida.clear();
    pulsar("BitBtnImpGrupo");
    pulsar("BitBtnExpGrupo");
    EXPECT_TRUE(mensajes.textos().isEmpty());
    EXPECT_TRUE(QDir(destino).isEmpty());
}

TEST_F(IntercambioVentana, UnaExportacionFallidaLoDiceYDejaLaVentanaComoEstaba) {
    abrir();
    QTreeWidgetItem* grupo = nodoGrupo(kGrupoDemo);
    ventana->TreeViewGrupos()->setCurrentItem(grupo);
    carpetaElegida = carpeta.escribir("no-es-carpeta", "x");
    pulsar("BitBtnExpGrupo");
    ASSERT_EQ(mensajes.mensajes().size(), 1u);
    EXPECT_NE(mensajes.textos().first(), Texto(210));
    EXPECT_EQ(mensajes.mensajes().front().imagen, DibujoError);
    desbloqueado();
    EXPECT_EQ(seleccionado(), grupo);
    // The group's tables are open again, on the same group.
    EXPECT_EQ(datos->cdsGrpFCodGrupo->AsInteger(), TFDMT_GestAlumnado::CodigoNodo(grupo));
    EXPECT_TRUE(datos->cdsGrupoAlumno->Active());
    EXPECT_EQ(datos->cdsGrupoAlumno->RecordCount(), 5);
}

// Edits not saved yet are asked about first: the exchange works on the saved files.
TEST_F(IntercambioVentana, LosCambiosSinGuardarSePreguntanAntes) {
    abrir();
    ventana->TreeViewGrupos()->setCurrentItem(nodoGrupo(kGrupoDemo));
    escribir("DBEditDescripcion", "Curso de mañana");
    ASSERT_TRUE(datos->Modificado);
    carpetaElegida = destino;
    mensajes.Responder(mrYes);
    pulsar("BitBtnExpGrupo");
    EXPECT_EQ(mensajes.textos(), QStringList({Texto(150), Texto(210)}));
    auto exportado = leer(destino + "/" + kGrupoDemo + "/cdsGrupo.cds");
    EXPECT_EQ(exportado->FieldByName("cdsGrpFDescripcion")->AsString(), "Curso de mañana");
}

}  // namespace
