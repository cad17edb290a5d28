// The student and subgroup pages of class management and their member chooser, on the
// demo group "1º Electromecánica" (students 1 to 5; "Equipo A" is students 4 and 5).
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

#include "Ayuda.h"
#include "Cadenas.h"
#include "DMT_VentanaAlumnos.h"
#include "DMT_VentanaSubgrupos.h"
#include "FormActivo.h"
#include "GestionDemo.h"
#include "RutasDatos.h"
#include "SinEscritura.h"

namespace {

class Alumnado : public GestionDemo {
protected:
    void SetUp() override {
        GestionDemo::SetUp();
        TFDMT_GestAlumnado::VerHistorico = nullptr;
        TFDMT_GestAlumnado::ImprimirContrasenas = nullptr;
        TFDMT_VentanaAlumnos::ImportarLista = nullptr;
    }
    void TearDown() override {
        GestionDemo::TearDown();
        TFDMT_GestAlumnado::VerHistorico = nullptr;
        TFDMT_GestAlumnado::ImprimirContrasenas = nullptr;
        TFDMT_VentanaAlumnos::ImportarLista = nullptr;
    }

    QTreeWidgetItem* demo() const { return nodoGrupo("1º Electromecánica"); }
    QTreeWidgetItem* carpeta(int cual) const { return demo()->child(cual); }
    QTreeWidget* arbol() const { return ventana->TreeViewGrupos(); }
    QTreeWidgetItem* nodo(int cual, const QString& texto) const {
        for (int i = 0; i < carpeta(cual)->childCount(); ++i)
            if (carpeta(cual)->child(i)->text(0) == texto) return carpeta(cual)->child(i);
        return nullptr;
    }
    QStringList hijos(int cual) const {
        QStringList textos;
        for (int i = 0; i < carpeta(cual)->childCount(); ++i) textos << carpeta(cual)->child(i)->text(0);
        return textos;
    }
    template <typename T>
    T* control(const char* nombre) const {
        return ventana->PaginaActual->findChild<T*>(nombre);
    }
    bool habilitado(const char* boton) const { return control<QPushButton>(boton)->isEnabled(); }
    QStringList lista(const char* nombre) const {
        QStringList textos;
        auto* rejilla = control<QTableWidget>(nombre);
        for (int i = 0; i < rejilla->rowCount(); ++i) textos << rejilla->item(i, 0)->text();
        return textos;
    }
    void elegirEnLista(const char* nombre, const QString& texto) const {
        auto* rejilla = control<QTableWidget>(nombre);
        for (int i = 0; i < rejilla->rowCount(); ++i)
            if (rejilla->item(i, 0)->text() == texto) rejilla->setCurrentCell(i, 0);
    }

    // A new student through the page: new, names, save. His code.
    int altaAlumno(const QString& nombre, const QString& apellido1) {
        pulsar("SpeedButtonNewAlumno");
        const int codigo = datos->cdsAFCodAlumno->AsInteger();
        escribir("DBEditNombre", nombre);
        escribir("DBEditApellido1", apellido1);
        pulsar("BitBtnAceptar");
        return codigo;
    }
    // The chooser marks these students and accepts (or only accepts when none are given).
    static void elegir(const QStringList& alumnos) {
        enDialogo("FDMT_NuevoAlumno", [alumnos](QWidget* dialogo) {
            auto* lista = dialogo->findChild<QListWidget*>("ListBoxAlumnos");
            for (const QString& alumno : alumnos)
                lista->findItems(alumno, Qt::MatchExactly).front()->setSelected(true);
            dialogo->findChild<QPushButton*>("BitBtnAceptar")->click();
            if (dialogo->isVisible()) dialogo->findChild<QPushButton*>("BitBtnCancelar")->click();
        });
    }

    QString archivoGrupo(const char* tabla) const { return carpetaGrupo(1) + "/" + tabla + ".cds"; }
    QVariant enArchivo(const QString& archivo, const char* clave, const QVariant& valor,
                       const char* campo) const {
        return leer(archivo)->Lookup(clave, valor, campo);
    }
    // The names of the rows of a subgroup in the group's file.
    QStringList filasSubgrupo(int codigo) const {
        auto tabla = leer(archivoGrupo("cdsSubgrupo"));
        QStringList nombres;
        for (tabla->First(); !tabla->Eof(); tabla->Next())
            if (tabla->FieldByName("cdsSubFCodSubgrupo")->AsInteger() == codigo)
                nombres << tabla->FieldByName("cdsSubFNombre")->AsString();
        return nombres;
    }
    static bool hayHistorico(int alumno) {
        return QFileInfo::exists(RutasDatos::ArchivoReparacion(FormatoCodigo(alumno))) ||
               QFileInfo::exists(RutasDatos::ArchivoLineaReparacion(FormatoCodigo(alumno)));
    }
};

TEST_F(Alumnado, UnProfesorLlevaSusAlumnosYSubgruposDePrincipioAFin) {
    QString tipoHistorico;
    TFDMT_GestAlumnado::VerHistorico = [&tipoHistorico](TFDMT_GestAlumnado*, const QString& tipo) {
        tipoHistorico = tipo;
    };
    abrir();
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaAlumnos));
    ASSERT_TRUE(qobject_cast<TFDMT_VentanaAlumnos*>(ventana->PaginaActual));
    // The first student in name order is shown.
    EXPECT_EQ(arbol()->currentItem()->text(0), "Castro Vidal, Irene");
    EXPECT_EQ(control<QLineEdit>("DBEditNombre")->text(), "Irene");

    // Three new students: a code, the initial password, a node in name order.
    QList<int> nuevos;
    for (const auto& [nombre, apellido] :
         {std::pair{"Ana", "Zamora"}, {"Bruno", "Álvarez"}, {"Carla", "Ortiz"}})
        nuevos << altaAlumno(nombre, apellido);
    EXPECT_EQ(nuevos, (QList<int>{6, 7, 8}));
    for (int codigo : nuevos) {
        EXPECT_EQ(
            enArchivo(Instalacion::Ruta("BDs\\cdsAlumno.cds"), "cdsAFCodAlumno", codigo, "cdsAFPassword"),
            "AL00" + QString::number(codigo));
        EXPECT_EQ(
            enArchivo(archivoGrupo("cdsGrupoAlumno"), "cdsGrpAlFPtrAlumno", codigo, "cdsGrpAlFPtrGrupo"), 1);
    }
    EXPECT_EQ(
        hijos(TFDMT_GestAlumnado::CarpetaAlumnos),
        (QStringList{"Álvarez , Bruno", "Castro Vidal, Irene", "Fernández Gil, Lucía", "López Navarro, Sara",
                     "Martín Ruiz, Javier", "Ortiz , Carla", "Sánchez Mora, Daniel", "Zamora , Ana"}));
    EXPECT_EQ(arbol()->currentItem()->text(0), "Ortiz , Carla");
    EXPECT_EQ(control<QLineEdit>("DBEditPassword")->text(), "AL008");
    EXPECT_TRUE(habilitado("SpeedButtonNewAlumno"));
    EXPECT_TRUE(ventana->findChild<QPushButton*>("BitBtnNewGrupo")->isEnabled());

    // A surname edited: the node follows, in its new place.
    arbol()->setCurrentItem(nodo(TFDMT_GestAlumnado::CarpetaAlumnos, "Zamora , Ana"));
    escribir("DBEditApellido1", "Abad");
    pulsar("BitBtnAceptar");
    EXPECT_EQ(hijos(TFDMT_GestAlumnado::CarpetaAlumnos).front(), "Abad , Ana");
    EXPECT_EQ(arbol()->currentItem()->text(0), "Abad , Ana");
    EXPECT_EQ(enArchivo(Instalacion::Ruta("BDs\\cdsAlumno.cds"), "cdsAFCodAlumno", 6, "cdsAFApellido1"),
              "Abad");

    // A subgroup of two through the chooser; it cannot be left with one member.
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaSubgrupos));
    ASSERT_TRUE(qobject_cast<TFDMT_VentanaSubgrupos*>(ventana->PaginaActual));
    EXPECT_EQ(arbol()->currentItem()->text(0), "Equipo A");
    EXPECT_EQ(lista("SGridAlumno"), (QStringList{"Castro Vidal, Irene", "Sánchez Mora, Daniel"}));
    pulsar("SpeedBAddSubgrupo");
    const int equipoB = datos->cdsSubFCodSubgrupo->AsInteger();
    EXPECT_EQ(equipoB, 2);
    escribir("DBEditNombre", "Equipo B");
    elegir({"Abad , Ana"});
    pulsar("SpeedBAddAlumno");
    EXPECT_EQ(filasSubgrupo(equipoB), QStringList{"Equipo B"});
    ASSERT_NE(nodo(TFDMT_GestAlumnado::CarpetaSubgrupos, "Equipo B"), nullptr);
    EXPECT_EQ(arbol()->currentItem()->text(0), "Equipo B");
    mensajes.Limpiar();
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaAlumnos));
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(281)});
    EXPECT_EQ(arbol()->currentItem()->text(0), "Equipo B");
    elegir({"Ortiz , Carla"});
    pulsar("SpeedBAddAlumno");
    EXPECT_EQ(lista("SGridAlumno"), (QStringList{"Abad , Ana", "Ortiz , Carla"}));
    EXPECT_EQ(
        enArchivo(archivoGrupo("cdsGrupoAlumno"), "cdsGrpAlFPtrAlumno", 8, "cdsGrpAlFSubgrupos").toString(),
        "2#");
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaAlumnos));
    EXPECT_EQ(arbol()->currentItem()->parent(), carpeta(TFDMT_GestAlumnado::CarpetaAlumnos));

    // The subgroup renamed: every row and the node.
    arbol()->setCurrentItem(nodo(TFDMT_GestAlumnado::CarpetaSubgrupos, "Equipo B"));
    ASSERT_EQ(arbol()->currentItem()->text(0), "Equipo B");
    ASSERT_EQ(control<QLineEdit>("DBEditNombre")->text(), "Equipo B");
    mensajes.Limpiar();
    escribir("DBEditNombre", "Equipo C");
    pulsar("BitBtnAceptar");
    EXPECT_TRUE(mensajes.textos().isEmpty()) << mensajes.textos().join("\n").toStdString();
    EXPECT_EQ(filasSubgrupo(equipoB), (QStringList{"Equipo C", "Equipo C"}));
    EXPECT_EQ(hijos(TFDMT_GestAlumnado::CarpetaSubgrupos), (QStringList{"Equipo A", "Equipo C"}));
    pulsar("BitBtnVerHistorico");
    EXPECT_EQ(tipoHistorico, "Subgrupo");

    // A student with a history removed: his files go, and whoever gets his code starts clean.
    ASSERT_TRUE(hayHistorico(2));
    arbol()->setCurrentItem(nodo(TFDMT_GestAlumnado::CarpetaAlumnos, "Martín Ruiz, Javier"));
    mensajes.Limpiar();
    mensajes.Responder(mrYes);
    pulsar("SpeedButtonDelAlumno");
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(122) + " Martín Ruiz, Javier?"});
    EXPECT_FALSE(hayHistorico(2));
    EXPECT_EQ(nodo(TFDMT_GestAlumnado::CarpetaAlumnos, "Martín Ruiz, Javier"), nullptr);
    EXPECT_TRUE(
        enArchivo(Instalacion::Ruta("BDs\\cdsAlumno.cds"), "cdsAFCodAlumno", 2, "cdsAFNombre").isNull());
    EXPECT_EQ(altaAlumno("Diego", "Prieto"), 2);
    pulsar("BitBtnVerHistorico");
    EXPECT_EQ(tipoHistorico, "Alumno");
    EXPECT_TRUE(datos->cdsReparacion->IsEmpty());

    // The subgroup deleted: its name may be used again, its code is not.
    arbol()->setCurrentItem(nodo(TFDMT_GestAlumnado::CarpetaSubgrupos, "Equipo C"));
    mensajes.Responder(mrYes);
    pulsar("SpeedBDelSubgrupo");
    EXPECT_TRUE(filasSubgrupo(equipoB).isEmpty());
    EXPECT_EQ(hijos(TFDMT_GestAlumnado::CarpetaSubgrupos), QStringList{"Equipo A"});
    EXPECT_EQ(
        enArchivo(archivoGrupo("cdsGrupoAlumno"), "cdsGrpAlFPtrAlumno", 8, "cdsGrpAlFSubgrupos").toString(),
        "");
    mensajes.Limpiar();
    pulsar("SpeedBAddSubgrupo");
    EXPECT_EQ(datos->cdsSubFCodSubgrupo->AsInteger(), equipoB + 1);
    escribir("DBEditNombre", "Equipo C");
    pulsar("BitBtnAceptar");
    EXPECT_TRUE(mensajes.textos().isEmpty()) << mensajes.textos().join("\n").toStdString();
    EXPECT_EQ(filasSubgrupo(equipoB + 1), QStringList{"Equipo C"});
}

TEST_F(Alumnado, UnNombreDeSubgrupoVacioORepetidoNoSeGuarda) {
    abrir();
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaSubgrupos));
    pulsar("SpeedBAddSubgrupo");
    const struct {
        QString nombre, mensaje;
    } casos[] = {{"", Texto(151)}, {"  ", Texto(151)}, {"Equipo A", Texto(216) + " Equipo A " + Texto(217)}};
    for (const auto& caso : casos) {
        mensajes.Limpiar();
        escribir("DBEditNombre", caso.nombre);
        pulsar("BitBtnAceptar");
        EXPECT_EQ(mensajes.textos(), QStringList{caso.mensaje}) << caso.nombre.toStdString();
        EXPECT_TRUE(TdmCDS::EnInsercion(datos->cdsSubgrupo));
        EXPECT_FALSE(ventana->findChild<QPushButton*>("BitBtnNewGrupo")->isEnabled());
    }
    // Not even by taking its members first.
    mensajes.Limpiar();
    pulsar("SpeedBAddAlumno");
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(216) + " Equipo A " + Texto(217)});
    pulsar("BitBtnCancel");
    EXPECT_EQ(hijos(TFDMT_GestAlumnado::CarpetaSubgrupos), QStringList{"Equipo A"});
    EXPECT_TRUE(ventana->findChild<QPushButton*>("BitBtnNewGrupo")->isEnabled());
    // Renaming "Equipo A" to its own name is no clash.
    mensajes.Limpiar();
    escribir("DBEditNombre", "Equipo A");
    pulsar("BitBtnAceptar");
    EXPECT_TRUE(mensajes.textos().isEmpty());
}

TEST_F(Alumnado, ElElectorPideAlguienYNoRepiteMiembros) {
    abrir();
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaSubgrupos));
    QStringList enLista;
    enDialogo("FDMT_NuevoAlumno", [&enLista](QWidget* dialogo) {
        auto* lista = dialogo->findChild<QListWidget*>("ListBoxAlumnos");
        for (int i = 0; i < lista->count(); ++i) enLista << lista->item(i)->text();
        auto* aceptar = dialogo->findChild<QPushButton*>("BitBtnAceptar");
        aceptar->click();
        EXPECT_TRUE(dialogo->isVisible());
        lista->findItems("Castro Vidal, Irene", Qt::MatchExactly).front()->setSelected(true);
        lista->findItems("López Navarro, Sara", Qt::MatchExactly).front()->setSelected(true);
        aceptar->click();
        EXPECT_TRUE(dialogo->isVisible());
        dialogo->findChild<QPushButton*>("BitBtnCancelar")->click();
    });
    pulsar("SpeedBAddAlumno");
    EXPECT_EQ(enLista, (QStringList{"Castro Vidal, Irene", "Fernández Gil, Lucía", "López Navarro, Sara",
                                    "Martín Ruiz, Javier", "Sánchez Mora, Daniel"}));
    EXPECT_EQ(mensajes.textos(),
              (QStringList{Texto(173), Texto(213) + " Castro Vidal, Irene " + Texto(214)}));
    EXPECT_EQ(filasSubgrupo(1).size(), 2);
    EXPECT_TRUE(ventana->findChild<QPushButton*>("BitBtnNewGrupo")->isEnabled());
}

TEST_F(Alumnado, QuitarAlUnicoMiembroDejaElSubgrupoConSuPasswordYAlUltimoAlumnoLaPaginaVacia) {
    abrir();
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaSubgrupos));
    for (const char* alumno : {"Castro Vidal, Irene", "Sánchez Mora, Daniel"}) {
        elegirEnLista("SGridAlumno", alumno);
        mensajes.Responder(mrYes);
        pulsar("SpeedBDelAlumno");
    }
    EXPECT_TRUE(lista("SGridAlumno").isEmpty());
    EXPECT_EQ(filasSubgrupo(1), QStringList{"Equipo A"});
    EXPECT_EQ(control<QLineEdit>("DBEditPassword")->text(), "SUB001");
    for (int alumno : {4, 5})
        EXPECT_EQ(
            enArchivo(archivoGrupo("cdsGrupoAlumno"), "cdsGrpAlFPtrAlumno", alumno, "cdsGrpAlFSubgrupos")
                .toString(),
            "");

    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaSubgrupos));
    mensajes.Responder(mrYes);
    pulsar("SpeedBDelSubgrupo");
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaAlumnos));
    while (carpeta(TFDMT_GestAlumnado::CarpetaAlumnos)->childCount() > 0) {
        mensajes.Responder(mrYes);
        pulsar("SpeedButtonDelAlumno");
    }
    EXPECT_EQ(arbol()->currentItem(), carpeta(TFDMT_GestAlumnado::CarpetaAlumnos));
    EXPECT_FALSE(control<QLineEdit>("DBEditNombre")->isEnabled());
    EXPECT_TRUE(control<QLineEdit>("DBEditNombre")->text().isEmpty());
    EXPECT_FALSE(habilitado("SpeedButtonDelAlumno"));
    EXPECT_TRUE(habilitado("SpeedButtonNewAlumno"));
    EXPECT_EQ(leer(Instalacion::Ruta("BDs\\cdsAlumno.cds"))->RecordCount(), 0);
}

TEST_F(Alumnado, UnAlumnoNuevoSinDatosSeGuardaConCodigoYPassword) {
    abrir();
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaAlumnos));
    pulsar("SpeedButtonNewAlumno");
    pulsar("BitBtnAceptar");
    EXPECT_NE(nodo(TFDMT_GestAlumnado::CarpetaAlumnos, " , "), nullptr);
    EXPECT_EQ(enArchivo(Instalacion::Ruta("BDs\\cdsAlumno.cds"), "cdsAFCodAlumno", 6, "cdsAFPassword"),
              "AL006");
}

TEST_F(Alumnado, DeshacerUnAlumnoNuevoNoDejaNadaYDevuelveElPanel) {
    abrir();
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaAlumnos));
    pulsar("SpeedButtonNewAlumno");
    escribir("DBEditNombre", "Borrador");
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaSubgrupos));
    EXPECT_EQ(ventana->PaginaActual, ventana->PaginaAlumnos());
    pulsar("BitBtnCancel");
    EXPECT_EQ(hijos(TFDMT_GestAlumnado::CarpetaAlumnos).size(), 5);
    EXPECT_EQ(leer(Instalacion::Ruta("BDs\\cdsAlumno.cds"))->RecordCount(), 5);
    EXPECT_TRUE(ventana->findChild<QPushButton*>("BitBtnNewGrupo")->isEnabled());
    EXPECT_EQ(control<QLineEdit>("DBEditNombre")->text(), "Irene");
}

TEST_F(Alumnado, UnaEscrituraFallidaLoDiceYNoDejaAlumnosNiMiembrosSueltos) {
    abrir();
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaAlumnos));
    {
        SinEscritura bloqueo(GestionDemo::carpeta.ruta(), carpetaGrupo(1));
        altaAlumno("Ana", "Zamora");
        mensajes.Responder(mrYes);
        pulsar("SpeedButtonDelAlumno");
    }
    ASSERT_EQ(mensajes.textos().size(), 3);
    EXPECT_TRUE(mensajes.textos()[0].endsWith(Texto(280)));
    EXPECT_TRUE(mensajes.textos()[2].endsWith(Texto(280)));
    EXPECT_EQ(hijos(TFDMT_GestAlumnado::CarpetaAlumnos).size(), 5);
    EXPECT_EQ(leer(Instalacion::Ruta("BDs\\cdsAlumno.cds"))->RecordCount(), 5);
    EXPECT_EQ(leer(archivoGrupo("cdsGrupoAlumno"))->RecordCount(), 5);
    EXPECT_TRUE(ventana->findChild<QPushButton*>("BitBtnNewGrupo")->isEnabled());
    EXPECT_EQ(arbol()->currentItem()->text(0), "Castro Vidal, Irene");
    EXPECT_EQ(control<QLineEdit>("DBEditNombre")->text(), "Irene");
    EXPECT_EQ(altaAlumno("Ana", "Zamora"), 6);
}

TEST_F(Alumnado, LosBotonesDeOtrasPartesEsperanASuAccion) {
    abrir();
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaAlumnos));
    for (const char* boton : {"SpeedButtonImpPassword", "BitBtnVerHistorico", "BitBtnImportarLista"})
        EXPECT_FALSE(habilitado(boton)) << boton;
    QWidget* padre = nullptr;
    bool modificadoAlImprimir = false;
    TFDMT_GestAlumnado::ImprimirContrasenas = [&](QWidget* p) {
        padre = p;
        modificadoAlImprimir = datos->Modificado;
        datos->Modificado = false;
    };
    TFDMT_VentanaAlumnos* importada = nullptr;
    TFDMT_VentanaAlumnos::ImportarLista = [&importada](TFDMT_VentanaAlumnos* pagina) { importada = pagina; };
    arbol()->setCurrentItem(nodo(TFDMT_GestAlumnado::CarpetaAlumnos, "López Navarro, Sara"));
    escribir("DBEditNombre", "Sarah");
    pulsar("SpeedButtonImpPassword");
    EXPECT_EQ(padre, ventana->PaginaActual);
    EXPECT_TRUE(modificadoAlImprimir);
    EXPECT_TRUE(datos->Modificado);
    pulsar("BitBtnImportarLista");
    EXPECT_EQ(importada, ventana->PaginaAlumnos());
    pulsar("BitBtnCancel");

    // After students came in from elsewhere, the folder is read again and Sara stays selected.
    datos->cdsGrupoAlumno->SetReadOnly(false);
    ASSERT_TRUE(datos->cdsAlumno->Append());
    const int nuevo = datos->cdsAFCodAlumno->AsInteger();
    datos->cdsAFNombre->SetAsString("Importado");
    datos->cdsAFApellido1->SetAsString("Bravo");
    datos->cdsAFGrupos->SetAsString("1#");
    ASSERT_TRUE(datos->cdsAlumno->Post());
    ASSERT_TRUE(datos->cdsGrupoAlumno->Append());
    datos->cdsGrpAlFPtrGrupo->SetAsInteger(1);
    datos->cdsGrpAlFPtrAlumno->SetAsInteger(nuevo);
    ASSERT_TRUE(datos->cdsGrupoAlumno->Post());
    ventana->PaginaAlumnos()->RecargarAlumnos();
    EXPECT_NE(nodo(TFDMT_GestAlumnado::CarpetaAlumnos, "Bravo , Importado"), nullptr);
    EXPECT_EQ(arbol()->currentItem()->text(0), "López Navarro, Sara");
    EXPECT_EQ(control<QLineEdit>("DBEditNombre")->text(), "Sara");
}

TEST_F(Alumnado, AlDejarUnAlumnoOUnSubgrupoConCambiosSeGuardanComoEnSuPagina) {
    abrir();
    QTreeWidgetItem* sara = nodo(TFDMT_GestAlumnado::CarpetaAlumnos, "López Navarro, Sara");
    arbol()->setCurrentItem(sara);
    escribir("DBEditApellido2", "Nieto");
    mensajes.Responder(mrYes);
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaAcceso));
    EXPECT_EQ(arbol()->currentItem(), carpeta(TFDMT_GestAlumnado::CarpetaAcceso));
    EXPECT_NE(nodo(TFDMT_GestAlumnado::CarpetaAlumnos, "López Nieto, Sara"), nullptr);
    EXPECT_EQ(enArchivo(Instalacion::Ruta("BDs\\cdsAlumno.cds"), "cdsAFCodAlumno", 3, "cdsAFApellido2"),
              "Nieto");

    // A subgroup may not take another's name on the way out either.
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaSubgrupos));
    pulsar("SpeedBAddSubgrupo");
    escribir("DBEditNombre", "Equipo B");
    elegir({"Fernández Gil, Lucía", "López Nieto, Sara"});
    pulsar("SpeedBAddAlumno");
    arbol()->setCurrentItem(nodo(TFDMT_GestAlumnado::CarpetaSubgrupos, "Equipo B"));
    escribir("DBEditNombre", "Equipo A");
    mensajes.Limpiar();
    mensajes.Responder(mrYes);
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaAcceso));
    EXPECT_EQ(mensajes.textos(), (QStringList{Texto(150), Texto(216) + " Equipo A " + Texto(217)}));
    EXPECT_EQ(arbol()->currentItem()->text(0), "Equipo B");
    // Answering No discards the name typed.
    mensajes.Responder(mrNo);
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaAcceso));
    EXPECT_EQ(arbol()->currentItem(), carpeta(TFDMT_GestAlumnado::CarpetaAcceso));
    EXPECT_EQ(hijos(TFDMT_GestAlumnado::CarpetaSubgrupos), (QStringList{"Equipo A", "Equipo B"}));
}

TEST_F(Alumnado, ElUnicoMiembroDeUnSubgrupoSeLoLlevaDelArbolAlIrseDelGrupo) {
    abrir();
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaSubgrupos));
    pulsar("SpeedBAddSubgrupo");
    escribir("DBEditNombre", "Solo");
    elegir({"Fernández Gil, Lucía"});
    pulsar("SpeedBAddAlumno");
    elegir({"López Navarro, Sara"});
    pulsar("SpeedBAddAlumno");
    elegirEnLista("SGridAlumno", "López Navarro, Sara");
    mensajes.Responder(mrYes);
    pulsar("SpeedBDelAlumno");
    // Lucía is its only member now: she cannot leave the subgroup through the tree, but
    // leaving the group takes it with her.
    mensajes.Limpiar();
    arbol()->setCurrentItem(nodo(TFDMT_GestAlumnado::CarpetaAlumnos, "Fernández Gil, Lucía"));
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(281)});
    elegir({"Martín Ruiz, Javier"});
    pulsar("SpeedBAddAlumno");
    arbol()->setCurrentItem(nodo(TFDMT_GestAlumnado::CarpetaAlumnos, "Martín Ruiz, Javier"));
    EXPECT_EQ(lista("SGridSubgrupo"), QStringList{"Solo"});
    mensajes.Responder(mrYes);
    pulsar("SpeedButtonDelAlumno");
    arbol()->setCurrentItem(nodo(TFDMT_GestAlumnado::CarpetaAlumnos, "Fernández Gil, Lucía"));
    mensajes.Responder(mrYes);
    pulsar("SpeedButtonDelAlumno");
    EXPECT_EQ(hijos(TFDMT_GestAlumnado::CarpetaSubgrupos), QStringList{"Equipo A"});
}

TEST_F(Alumnado, DosGruposPuedenTenerSubgruposDelMismoNombre) {
    abrir();
    ASSERT_EQ(crearGrupo("2º Automoción"), 2);
    QTreeWidgetItem* otro = nodoGrupo("2º Automoción");
    arbol()->setCurrentItem(otro->child(TFDMT_GestAlumnado::CarpetaSubgrupos));
    pulsar("SpeedBAddSubgrupo");
    escribir("DBEditNombre", "Equipo A");
    mensajes.Limpiar();
    pulsar("BitBtnAceptar");
    EXPECT_TRUE(mensajes.textos().isEmpty()) << mensajes.textos().join("\n").toStdString();
    ASSERT_EQ(otro->child(TFDMT_GestAlumnado::CarpetaSubgrupos)->childCount(), 1);
    EXPECT_EQ(otro->child(TFDMT_GestAlumnado::CarpetaSubgrupos)->child(0)->text(0), "Equipo A");
    // A group without students gives the chooser nobody to offer.
    EXPECT_EQ(lista("SGridAlumno").size(), 0);
}

TEST_F(Alumnado, LaAyudaTomaElTemaDeLaPaginaYDelElector) {
    QVariant tema;
    FijarAbridorAyuda([&tema](int) { tema = FormActivo() ? FormActivo()->property("Tag") : QVariant(); });
    abrir();
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaSubgrupos));
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(ventana.get(), &f1);
    EXPECT_EQ(tema, 4);
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaAlumnos));
    pulsar("BitBtnAyuda");
    EXPECT_EQ(tema, 3);
    enDialogo("FDMT_NuevoAlumno", [](QWidget* dialogo) {
        dialogo->findChild<QPushButton*>("BitBtnAyuda")->click();
        dialogo->findChild<QPushButton*>("BitBtnCancelar")->click();
    });
    arbol()->setCurrentItem(carpeta(TFDMT_GestAlumnado::CarpetaSubgrupos));
    pulsar("SpeedBAddAlumno");
    EXPECT_EQ(tema, 22);
    FijarAbridorAyuda(nullptr);
}

}  // namespace
