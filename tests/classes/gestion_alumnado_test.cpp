#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <algorithm>

#include "Ayuda.h"
#include "DMT_Accesibilidad.h"
#include "DMT_ActivarEquipos.h"
#include "DMT_VentanaGrupos.h"
#include "FormActivo.h"
#include "GestionDemo.h"
#include "Ini.h"
#include "PaginaGestion.h"

namespace {

class Gestion : public GestionDemo {
protected:
    QTreeWidgetItem* demo() const { return nodoGrupo("1º Electromecánica"); }
    QLineEdit* nombre() const { return ventana->PaginaGrupos()->findChild<QLineEdit*>("DBEditNombre"); }
    QTreeWidgetItem* acceso() const { return demo()->child(TFDMT_GestAlumnado::CarpetaAcceso); }
};

TEST_F(Gestion, CadaGrupoTieneSusTresCarpetasEnOrdenConSusAlumnosYSubgrupos) {
    abrir();
    QTreeWidgetItem* grupo = demo();
    ASSERT_NE(grupo, nullptr);
    ASSERT_EQ(grupo->childCount(), 3);
    EXPECT_EQ(grupo->child(0)->text(0), Texto(108));
    EXPECT_EQ(grupo->child(1)->text(0), Texto(124));
    EXPECT_EQ(grupo->child(2)->text(0), Texto(200));
    QStringList alumnos;
    for (int i = 0; i < grupo->child(0)->childCount(); ++i) alumnos << grupo->child(0)->child(i)->text(0);
    EXPECT_EQ(alumnos.size(), 5);
    QStringList ordenados = alumnos;
    ordenados.sort(Qt::CaseInsensitive);
    EXPECT_EQ(alumnos, ordenados);
    // The subgroup has a row per member and one node.
    ASSERT_EQ(grupo->child(2)->childCount(), 1);
    EXPECT_EQ(grupo->child(2)->child(0)->text(0), "Equipo A");
    EXPECT_EQ(TFDMT_GestAlumnado::CodigoNodo(grupo), 1);
    EXPECT_FALSE(TFDMT_GestAlumnado::CodigoNodo(grupo->child(1)).has_value());
}

TEST_F(Gestion, ElegirUnaCarpetaMuestraLoQueOtroPuestoGuardoEntretanto) {
    abrir();
    {
        // Another PC renames a student after the tree was drawn.
        TClientDataSet otro;
        otro.SetFileName(carpeta.ruta() + "/demo/BDs/cdsAlumno.cds");
        otro.Open();
        ASSERT_TRUE(otro.Locate("cdsAFCodAlumno", 2));
        otro.Edit();
        otro.FieldByName("cdsAFApellido1")->SetAsString("Zubizarreta");
        otro.Post();
        otro.SaveToFile();
    }
    QTreeWidgetItem* alumnos = demo()->child(TFDMT_GestAlumnado::CarpetaAlumnos);
    // The folder shows its first student.
    ventana->SeleccionarNodo(alumnos);
    ASSERT_EQ(ventana->TreeViewGrupos()->currentItem()->parent(), alumnos);
    QStringList nombres;
    for (int i = 0; i < alumnos->childCount(); ++i) nombres << alumnos->child(i)->text(0);
    EXPECT_TRUE(nombres.join('|').contains("Zubizarreta")) << nombres.join('|').toStdString();
}

TEST_F(Gestion, UnNombreRepetidoONoValidoNoGuardaNadaYSigueInsertando) {
    abrir();
    struct Caso {
        QString nombre, mensaje;
    };
    const QList<Caso> casos{{"1º Electromecánica", Texto(211) + " 1º Electromecánica " + Texto(217)},
                            {"   ", Texto(250)},
                            {"Taller/B", Texto(251)},
                            {"..", Texto(251)}};
    pulsar("BitBtnNewGrupo");
    const int codigo = datos->cdsGrpFCodGrupo->AsInteger();
    for (const Caso& caso : casos) {
        mensajes.Limpiar();
        escribir("DBEditNombre", caso.nombre);
        pulsar("BitBtnAceptar");
        EXPECT_EQ(mensajes.textos(), QStringList{caso.mensaje}) << caso.nombre.toStdString();
        EXPECT_TRUE(TdmCDS::EnInsercion(datos->cdsGrupo));
        EXPECT_FALSE(QFileInfo::exists(carpetaGrupo(codigo)));
        EXPECT_FALSE(ventana->findChild<QPushButton*>("BitBtnNewGrupo")->isEnabled());
    }
    EXPECT_EQ(nombre()->text(), "..");
    EXPECT_EQ(ventana->TreeViewGrupos()->topLevelItemCount(), 1);
}

TEST_F(Gestion, UnaEscrituraFallidaDejaLaPaginaEditandoConLoEscrito) {
    abrir();
    // The group table's folder is gone: nothing can be written.
    datos->cdsGrupo->SetFileName(carpeta.ruta() + "/desaparecida/cdsGrupo.cds");
    escribir("DBEditNombre", "1º Electromecánica B");
    pulsar("BitBtnAceptar");
    EXPECT_TRUE(mensajes.textos().contains(Texto(117)));
    EXPECT_TRUE(TdmCDS::EnEdicion(datos->cdsGrupo));
    EXPECT_EQ(nombre()->text(), "1º Electromecánica B");
    EXPECT_EQ(demo()->text(0), "1º Electromecánica");
}

TEST_F(Gestion, UnGrupoNuevoQueNoSePuedeEscribirSigueInsertandoConLoEscrito) {
    abrir();
    const QString archivo = datos->cdsGrupo->FileName();
    pulsar("BitBtnNewGrupo");
    const int codigo = datos->cdsGrpFCodGrupo->AsInteger();
    escribir("DBEditNombre", "Nuevo");
    datos->cdsGrupo->SetFileName(carpeta.ruta() + "/desaparecida/cdsGrupo.cds");
    pulsar("BitBtnAceptar");
    EXPECT_TRUE(mensajes.textos().contains(Texto(117)));
    EXPECT_TRUE(TdmCDS::EnInsercion(datos->cdsGrupo));
    EXPECT_EQ(datos->cdsGrpFNombre->AsString(), "Nuevo");
    EXPECT_EQ(datos->cdsGrpFCodGrupo->AsInteger(), codigo);
    EXPECT_FALSE(QFileInfo::exists(carpetaGrupo(codigo)));
    EXPECT_EQ(nodoGrupo("Nuevo"), nullptr);
    // Once the file can be written again, the same input is saved.
    datos->cdsGrupo->SetFileName(archivo);
    pulsar("BitBtnAceptar");
    EXPECT_NE(nodoGrupo("Nuevo"), nullptr);
    EXPECT_EQ(semillas(codigo, 1, true), averias(1));
}

TEST_F(Gestion, MientrasSeInsertaUnGrupoElArbolNoCambiaDeNodo) {
    abrir();
    QTreeWidget* arbol = ventana->TreeViewGrupos();
    pulsar("BitBtnNewGrupo");
    arbol->setCurrentItem(acceso());
    EXPECT_EQ(arbol->currentItem(), demo());
    EXPECT_EQ(ventana->PaginaActual, ventana->PaginaGrupos());
    pulsar("BitBtnCancel");
    arbol->setCurrentItem(acceso());
    EXPECT_EQ(ventana->PaginaActual, ventana->PaginaAccesibilidad());
}

TEST_F(Gestion, AbrirOCerrarUnNodoLoSeleccionaSalvoMientrasSeInserta) {
    abrir();
    QTreeWidget* arbol = ventana->TreeViewGrupos();
    ASSERT_EQ(crearGrupo("Tarde"), 2);
    QTreeWidgetItem* tarde = nodoGrupo("Tarde");
    QTreeWidgetItem* grupo = demo();
    ASSERT_EQ(arbol->currentItem(), tarde);
    grupo->setExpanded(true);
    EXPECT_EQ(arbol->currentItem(), grupo);
    EXPECT_EQ(datos->cdsGrpFCodGrupo->AsInteger(), 1);
    pulsar("BitBtnNewGrupo");
    tarde->setExpanded(false);
    EXPECT_TRUE(tarde->isExpanded());
    EXPECT_EQ(arbol->currentItem(), grupo);
    pulsar("BitBtnCancel");
}

TEST_F(Gestion, AlDejarUnNodoConCambiosLaRespuestaDecide) {
    abrir();
    QTreeWidget* arbol = ventana->TreeViewGrupos();
    escribir("DBEditNombre", "Descartado");
    mensajes.Responder(mrNo);
    arbol->setCurrentItem(acceso());
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(150)});
    EXPECT_EQ(arbol->currentItem(), acceso());
    EXPECT_EQ(datos->cdsGrpFNombre->AsString(), "1º Electromecánica");

    QTreeWidgetItem* grupo = demo();
    QTreeWidgetItem* carpeta = acceso();
    arbol->setCurrentItem(grupo);
    escribir("DBEditNombre", "Guardado");
    mensajes.Responder(mrYes);
    arbol->setCurrentItem(carpeta);
    EXPECT_EQ(arbol->currentItem(), carpeta);
    EXPECT_EQ(grupo->text(0), "Guardado");
    EXPECT_EQ(leer(Instalacion::Ruta("BDs\\cdsGrupo.cds"))->Lookup("cdsGrpFCodGrupo", 1, "cdsGrpFNombre"),
              "Guardado");
}

TEST_F(Gestion, GuardarAlDejarUnNodoCompruebaElNombreComoLaPagina) {
    abrir();
    QTreeWidget* arbol = ventana->TreeViewGrupos();
    escribir("DBEditNombre", "Taller/1");
    mensajes.Responder(mrYes);
    arbol->setCurrentItem(acceso());
    EXPECT_EQ(mensajes.textos(), (QStringList{Texto(150), Texto(251)}));
    EXPECT_EQ(arbol->currentItem(), demo());
    EXPECT_TRUE(TdmCDS::EnEdicion(datos->cdsGrupo));
    EXPECT_EQ(leer(Instalacion::Ruta("BDs\\cdsGrupo.cds"))->Lookup("cdsGrpFCodGrupo", 1, "cdsGrpFNombre"),
              "1º Electromecánica");
}

TEST_F(Gestion, CerrarConUnGrupoNuevoEscritoYGuardarloLeDaSusSemillas) {
    abrir();
    pulsar("BitBtnNewGrupo");
    const int codigo = datos->cdsGrpFCodGrupo->AsInteger();
    escribir("DBEditNombre", "Tarde");
    mensajes.Responder(mrYes);
    ventana->close();
    EXPECT_FALSE(ventana->isVisible());
    EXPECT_EQ(semillas(codigo, 1, true), averias(1));
    EXPECT_EQ(semillas(codigo, 2, false), averias(2));
}

TEST_F(Gestion, LaAyudaTomaElTemaDeLaPaginaDelante) {
    QVariant tema;
    FijarAbridorAyuda([&tema](int libro) {
        EXPECT_EQ(libro, 1);
        tema = FormActivo() ? FormActivo()->property("Tag") : QVariant();
    });
    abrir();
    ventana->TreeViewGrupos()->setCurrentItem(acceso());
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(ventana.get(), &f1);
    EXPECT_EQ(tema, 2);
    ventana->TreeViewGrupos()->setCurrentItem(demo());
    pulsar("BitBtnAyuda");
    EXPECT_EQ(tema, 1);
    FijarAbridorAyuda(nullptr);
}

TEST_F(Gestion, ReparacionVirtualCierraLaVentanaYLaPide) {
    abrir();
    pulsar("BitBtnGestAverias");
    EXPECT_FALSE(ventana->isVisible());
    EXPECT_TRUE(ventana->ReparacionVirtualPedida());
}

TEST_F(Gestion, LosBotonesSinAccionTodaviaSiguenDesactivados) {
    TFDMT_GestAlumnado::CambiarPassword = nullptr;
    abrir();
    for (const char* boton : {"BitBtnExpGrupo", "BitBtnImpGrupo", "BitBtnResultados", "BitBtnModContrasena"})
        EXPECT_FALSE(ventana->findChild<QPushButton*>(boton)->isEnabled()) << boton;
    int cambios = 0;
    TFDMT_GestAlumnado::CambiarPassword = [&cambios] { ++cambios; };
    ventana->DesbloquearPanel();
    pulsar("BitBtnModContrasena");
    EXPECT_EQ(cambios, 1);
    TFDMT_GestAlumnado::CambiarPassword = nullptr;
}

// ------------------------------------------------ difficulty page

TEST_F(Gestion, UnNivelGuardadoSinElementosNoMarcaNingunaOpcion) {
    datos->cdsGrupo->Edit();
    datos->cdsGrpFNReparacion->Clear();
    datos->cdsGrpFNSintomas->SetAsString("J#C#X#");
    datos->cdsGrupo->Post();
    abrir();
    ventana->TreeViewGrupos()->setCurrentItem(acceso());
    TPaginaGestion* pagina = ventana->PaginaActual;
    for (const char* opcion :
         {"RadioButtonBL", "RadioButtonCI", "RadioButtonCO", "RadioButtonJ", "RadioButtonC"})
        EXPECT_FALSE(pagina->findChild<QRadioButton*>(opcion)->isChecked()) << opcion;
    EXPECT_FALSE(datos->Modificado);
}

TEST_F(Gestion, ConNivelReparacionUnoSoloSeOfreceComponente) {
    EscribirIni(Instalacion::ArchivoConfiguracion(), "Opciones", "NivelReparacion", "1");
    EscribirIni(Instalacion::ArchivoConfiguracion(), "Opciones", "NivelSintoma", "1");
    abrir();
    ventana->TreeViewGrupos()->setCurrentItem(acceso());
    TPaginaGestion* pagina = ventana->PaginaActual;
    EXPECT_FALSE(pagina->findChild<QRadioButton*>("RadioButtonBL")->isVisibleTo(pagina));
    EXPECT_FALSE(pagina->findChild<QRadioButton*>("RadioButtonCI")->isVisibleTo(pagina));
    EXPECT_TRUE(pagina->findChild<QRadioButton*>("RadioButtonCO")->isVisibleTo(pagina));
    EXPECT_FALSE(pagina->findChild<QRadioButton*>("RadioButtonJ")->isVisibleTo(pagina));
    EXPECT_TRUE(pagina->findChild<QRadioButton*>("RadioButtonC")->isVisibleTo(pagina));
}

TEST_F(Gestion, DeshacerTrasCambiarElModoVuelveAlRegistroYConservaLasSemillas) {
    abrir();
    ventana->TreeViewGrupos()->setCurrentItem(acceso());
    auto* pagina = ventana->PaginaAccesibilidad();
    auto* tutorizada = pagina->findChild<QCheckBox*>("CBTutorizada");
    ASSERT_FALSE(tutorizada->isChecked());  // the demo group practises in free mode
    const int equipo = datos->cdsEFCodEquipo->AsInteger();
    const int antes = semillas(1, equipo, true);
    tutorizada->click();
    EXPECT_EQ(semillas(1, equipo, true), antes > 0 ? antes : averias(equipo));
    pulsar("BitBtnCancel");
    EXPECT_FALSE(tutorizada->isChecked());
    EXPECT_FALSE(datos->cdsGrpFTutorizada->AsBoolean());
    EXPECT_EQ(semillas(1, equipo, true), antes > 0 ? antes : averias(equipo));
    EXPECT_TRUE(TdmCDS::EnEdicion(datos->cdsGrupo));
}

TEST_F(Gestion, ElegirCircuitoGuardaSuCadenaYElResumenLoDice) {
    abrir();
    ventana->TreeViewGrupos()->setCurrentItem(acceso());
    TPaginaGestion* pagina = ventana->PaginaActual;
    pagina->findChild<QRadioButton*>("RadioButtonCI")->click();
    EXPECT_EQ(datos->cdsGrpFNReparacion->AsString(), "BL#CI#");
    EXPECT_EQ(pagina->findChild<QLabel*>("DBTextNReparacion")->text(), Texto(112));
}

TEST_F(Gestion, UnJuegoQueFaltaSeCreaAlPasarATutorizadaConUnLoteNuevo) {
    // The demo group lost its tutored seeds of the first trainer in the list.
    const int equipo = 2;  // "Instalación eléctrica del vehículo" sorts first
    TdmCDS::AplicarFiltro(datos->cdsSemilla, "cdsSemFPtrEquipo = 2 and cdsSemFTutorizada = True");
    while (!datos->cdsSemilla->IsEmpty()) datos->cdsSemilla->Delete();
    TdmCDS::QuitarFiltro(datos->cdsSemilla);
    int mayor = 0;
    for (datos->cdsSemilla->First(); !datos->cdsSemilla->Eof(); datos->cdsSemilla->Next())
        mayor = std::max(mayor, datos->cdsSemFCodSemilla->AsInteger());
    ASSERT_EQ(semillas(1, equipo, true), 0);
    abrir();
    ventana->TreeViewGrupos()->setCurrentItem(acceso());
    ventana->PaginaActual->findChild<QCheckBox*>("CBTutorizada")->click();
    EXPECT_EQ(semillas(1, equipo, true), averias(equipo));
    EXPECT_EQ(datos->cdsSemilla->RecordCount(), averias(equipo));
    for (datos->cdsSemilla->First(); !datos->cdsSemilla->Eof(); datos->cdsSemilla->Next())
        EXPECT_EQ(datos->cdsSemFCodSemilla->AsInteger(), mayor + 1);
    // The tree reacts again after the insertions.
    ventana->TreeViewGrupos()->setCurrentItem(demo());
    EXPECT_EQ(ventana->PaginaActual, ventana->PaginaGrupos());
}

TEST_F(Gestion, UnBorradoQueDejaRestosLoDiceYLaInstalacionSigueAbriendose) {
    carpeta.escribir("demo/BDs/GRP 001/notas del profesor.txt", "x");
    // The histories of the group's members go; another student's stays.
    carpeta.escribir("demo/Historic/cdsReparacion001.cds", "x");
    carpeta.escribir("demo/Historic/cdsReparacion099.cds", "x");
    abrir();
    mensajes.Responder(mrYes);
    pulsar("BitBtnDelGrupo");
    ASSERT_EQ(mensajes.textos().size(), 2);
    EXPECT_TRUE(mensajes.textos()[1].startsWith(Texto(253))) << mensajes.textos()[1].toStdString();
    EXPECT_TRUE(mensajes.textos()[1].contains("notas del profesor.txt"));
    EXPECT_EQ(ventana->TreeViewGrupos()->topLevelItemCount(), 0);
    EXPECT_FALSE(QFileInfo::exists(carpeta.ruta() + "/demo/BDs/GRP 001/cdsSemilla.cds"));
    EXPECT_FALSE(QFileInfo::exists(carpeta.ruta() + "/demo/Historic/cdsReparacion001.cds"));
    EXPECT_TRUE(QFileInfo::exists(carpeta.ruta() + "/demo/Historic/cdsReparacion099.cds"));
    ventana->close();
    ventana.reset();
    datos.reset();
    TdmCDS otra;
    EXPECT_TRUE(otra.AbrirTablas());
    EXPECT_TRUE(otra.cdsGrupo->IsEmpty());
    // The folder left behind does not hold the code back.
    otra.cdsGrupo->SetReadOnly(false);
    ASSERT_TRUE(otra.cdsGrupo->Append());
    EXPECT_EQ(otra.cdsGrpFCodGrupo->AsInteger(), 2);
    otra.cdsGrupo->Cancel();
}

// ------------------------------------------------ trainer activation

TEST_F(Gestion, SinNingunEntrenadorMarcadoSeAvisaYNoCambiaNada) {
    TFDMT_ActivarEquipos dialogo;
    dialogo.show();
    auto* lista = dialogo.findChild<QListWidget*>("RxCheckListBox");
    ASSERT_EQ(lista->count(), 2);
    for (int i = 0; i < lista->count(); ++i) lista->item(i)->setCheckState(Qt::Unchecked);
    dialogo.BitBtnAceptarClick();
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(224)});
    EXPECT_TRUE(dialogo.isVisible());
    EXPECT_EQ(dialogo.result(), 0);
    EXPECT_TRUE(
        leer(Instalacion::Ruta("BDs\\cdsEquipo.cds"))->Lookup("cdsEFCodEquipo", 1, "cdsEFActivado").toBool());
}

TEST_F(Gestion, UnEntrenadorReactivadoVuelveConSusSemillas) {
    auto activar = [](bool motor) {
        TFDMT_ActivarEquipos dialogo;
        auto* lista = dialogo.findChild<QListWidget*>("RxCheckListBox");
        lista->findItems("Motor diésel", Qt::MatchExactly)
            .front()
            ->setCheckState(motor ? Qt::Checked : Qt::Unchecked);
        dialogo.BitBtnAceptarClick();
    };
    activar(false);
    EXPECT_EQ(datos->cdsEquipo->RecordCount(), 1);
    const int guardadas = semillas(1, 1, false);
    activar(true);
    EXPECT_EQ(datos->cdsEquipo->RecordCount(), 2);
    EXPECT_EQ(semillas(1, 1, false), guardadas);
}

}  // namespace
