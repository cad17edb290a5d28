// A teacher's first session on the demo installation, step by step.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "AccesoLoginDatos.h"
#include "DMT_Accesibilidad.h"
#include "DMT_Password.h"
#include "DMT_VentanaGrupos.h"
#include "GestionDemo.h"
#include "PaginaGestion.h"

namespace {

class RecorridoProfesor : public GestionDemo {};

QStringList virtuales(TClientDataSet* semillas, int grupo, int equipo, bool tutorizada) {
    QStringList codigos;
    for (semillas->First(); !semillas->Eof(); semillas->Next())
        if (semillas->FieldByName("cdsSemFPtrGrupo")->AsInteger() == grupo &&
            semillas->FieldByName("cdsSemFPtrEquipo")->AsInteger() == equipo &&
            semillas->FieldByName("cdsSemFTutorizada")->AsBoolean() == tutorizada)
            codigos << semillas->FieldByName("cdsSemFCodVirtual")->AsString();
    return codigos;
}

TEST_F(RecorridoProfesor, DelLoginALaEliminacionDeUnGrupo) {
    // The teacher's password (empty on the demo) opens class management.
    AccesoLogin acceso = AccesoLoginDatos(*datos);
    acceso.abrirGestionAlumnado = [this] { abrir(); };
    TFDMT_Password login(acceso);
    login.show();
    login.findChild<QLineEdit*>("TEditContrasena")->clear();
    login.findChild<QPushButton*>("SelButtonAceptar")->click();
    ASSERT_TRUE(ventana);
    QTreeWidget* arbol = ventana->TreeViewGrupos();
    ASSERT_EQ(arbol->topLevelItemCount(), 1);

    // A new group: its folder, its three tables and two seed sets per trainer.
    const int codigo = crearGrupo("2º Automoción");
    ASSERT_EQ(codigo, 2) << mensajes.textos().join("\n").toStdString();
    for (const char* tabla : {"cdsGrupoAlumno", "cdsSubgrupo", "cdsSemilla"})
        EXPECT_TRUE(QFileInfo::exists(carpetaGrupo(codigo) + "/" + tabla + ".cds")) << tabla;
    for (int equipo : {1, 2})
        for (bool tutorizada : {true, false})
            EXPECT_EQ(semillas(codigo, equipo, tutorizada), averias(equipo)) << equipo << tutorizada;
    QTreeWidgetItem* nodo = nodoGrupo("2º Automoción");
    ASSERT_NE(nodo, nullptr);
    EXPECT_EQ(arbol->currentItem(), nodo);
    EXPECT_TRUE(ventana->findChild<QPushButton*>("BitBtnNewGrupo")->isEnabled());

    // Circuit depth and the customer's symptoms, saved on the difficulty page.
    arbol->setCurrentItem(nodo->child(TFDMT_GestAlumnado::CarpetaAcceso));
    auto* acceso_ = qobject_cast<TFDMT_Accesibilidad*>(ventana->PaginaActual);
    ASSERT_NE(acceso_, nullptr);
    acceso_->findChild<QRadioButton*>("RadioButtonCI")->click();
    acceso_->findChild<QRadioButton*>("RadioButtonC")->click();
    EXPECT_TRUE(datos->Modificado);
    pulsar("BitBtnAceptar");
    auto grupos = leer(Instalacion::Ruta("BDs\\cdsGrupo.cds"));
    ASSERT_TRUE(grupos->Locate("cdsGrpFCodGrupo", codigo));
    EXPECT_EQ(grupos->FieldByName("cdsGrpFNReparacion")->AsString(), "BL#CI#");
    EXPECT_EQ(grupos->FieldByName("cdsGrpFNSintomas")->AsString(), "J#C#");

    // Tutored mode: the tutored set is shown in yellow; back to free, the seeds are the same.
    auto* tutorizada = acceso_->findChild<QCheckBox*>("CBTutorizada");
    auto* rejilla = acceso_->findChild<QWidget*>("DBGridSemilla");
    auto* selector = acceso_->findChild<QComboBox*>("DBLookupComboBoxEquipo");
    const int equipo = selector->currentData().toInt();
    const QStringList antes =
        virtuales(leer(carpetaGrupo(codigo) + "/cdsSemilla.cds").get(), codigo, equipo, false);
    if (tutorizada->isChecked()) tutorizada->click();
    tutorizada->click();
    EXPECT_TRUE(datos->cdsGrpFTutorizada->AsBoolean());
    EXPECT_EQ(datos->cdsSemilla->RecordCount(), averias(equipo));
    EXPECT_EQ(rejilla->palette().color(QPalette::Base), QColor(255, 255, 217));
    tutorizada->click();
    EXPECT_EQ(rejilla->palette().color(QPalette::Base), QColor(255, 213, 191));
    EXPECT_EQ(virtuales(datos->cdsSemilla, codigo, equipo, false), antes);
    EXPECT_EQ(virtuales(leer(carpetaGrupo(codigo) + "/cdsSemilla.cds").get(), codigo, equipo, false), antes);
    pulsar("BitBtnAceptar");

    // A deactivated trainer leaves the selector.
    enDialogo("FDMT_ActivarEquipos", [](QWidget* dialogo) {
        auto* lista = dialogo->findChild<QListWidget*>("RxCheckListBox");
        lista->findItems("Motor diésel", Qt::MatchExactly).front()->setCheckState(Qt::Unchecked);
        dialogo->findChild<QPushButton*>("BitBtnAceptar")->click();
    });
    pulsar("BitBtnActEquipos");
    EXPECT_EQ(selector->findText("Motor diésel"), -1);
    EXPECT_EQ(selector->currentText(), "Instalación eléctrica del vehículo");
    EXPECT_FALSE(
        leer(Instalacion::Ruta("BDs\\cdsEquipo.cds"))->Lookup("cdsEFCodEquipo", 1, "cdsEFActivado").toBool());

    // Renaming the group renames its node.
    arbol->setCurrentItem(nodo);
    escribir("DBEditNombre", "2º Automoción B");
    pulsar("BitBtnAceptar");
    EXPECT_EQ(nodo->text(0), "2º Automoción B");
    EXPECT_EQ(
        leer(Instalacion::Ruta("BDs\\cdsGrupo.cds"))->Lookup("cdsGrpFCodGrupo", codigo, "cdsGrpFNombre"),
        "2º Automoción B");

    // An undone new group leaves nothing behind and gives its code back.
    pulsar("BitBtnNewGrupo");
    const int nuevo = datos->cdsGrpFCodGrupo->AsInteger();
    escribir("DBEditNombre", "Borrador");
    pulsar("BitBtnCancel");
    EXPECT_FALSE(QFileInfo::exists(carpetaGrupo(nuevo)));
    EXPECT_EQ(nodoGrupo("Borrador"), nullptr);
    EXPECT_EQ(arbol->topLevelItemCount(), 2);
    EXPECT_TRUE(TdmCDS::EnEdicion(datos->cdsGrupo) || TdmCDS::EnConsulta(datos->cdsGrupo));
    EXPECT_TRUE(datos->cdsSemilla->Active());
    EXPECT_TRUE(ventana->findChild<QPushButton*>("BitBtnNewGrupo")->isEnabled());
    pulsar("BitBtnNewGrupo");
    EXPECT_EQ(datos->cdsGrpFCodGrupo->AsInteger(), nuevo);
    pulsar("BitBtnCancel");

    // Deleting both groups: folders gone, tree updated, the page empty after the last.
    for (const char* nombre : {"2º Automoción B", "1º Electromecánica"}) {
        QTreeWidgetItem* grupo = nodoGrupo(nombre);
        ASSERT_NE(grupo, nullptr) << nombre;
        const int cual = TFDMT_GestAlumnado::CodigoNodo(grupo).value();
        arbol->setCurrentItem(grupo);
        mensajes.Responder(mrYes);
        pulsar("BitBtnDelGrupo");
        EXPECT_FALSE(QFileInfo::exists(carpetaGrupo(cual))) << nombre;
        EXPECT_EQ(nodoGrupo(nombre), nullptr) << nombre;
    }
    EXPECT_EQ(arbol->topLevelItemCount(), 0);
    EXPECT_EQ(ventana->PaginaActual, ventana->PaginaGrupos());
    EXPECT_FALSE(ventana->PaginaActual->findChild<QLineEdit*>("DBEditNombre")->isEnabled());
    EXPECT_EQ(leer(Instalacion::Ruta("BDs\\cdsGrupo.cds"))->RecordCount(), 0);
}

}  // namespace
