#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <set>

#include "DMT_ImportarLista.h"
#include "DMT_VentanaAlumnos.h"
#include "GestionDemo.h"

namespace {

// The class list preview on the demo installation, its group "1º Electromecánica" current.
class ImportarLista : public GestionDemo {
protected:
    // Runs the import of a file; `enVista` sees the preview and presses one of its buttons.
    bool importar(const QString& archivo, const std::function<void(QWidget*)>& enVista) {
        bool vista = false;
        enDialogo("FDMT_ImportarLista", [&](QWidget* dialogo) {
            vista = true;
            enVista(dialogo);
        });
        const bool anadidos = ImportarListaAlumnosDe(ventana.get(), archivo);
        EXPECT_TRUE(vista);
        return anadidos;
    }
    static void pulsar(QWidget* dialogo, const char* boton) {
        auto* b = dialogo->findChild<QPushButton*>(boton);
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->isEnabled()) << boton;
        b->click();
    }
    static QTableWidget* rejilla(QWidget* dialogo) { return dialogo->findChild<QTableWidget*>("GridLista"); }
    int miembros() const { return leer(carpetaGrupo(1) + "/cdsGrupoAlumno.cds")->RecordCount(); }

    const QString ejemplo = carpetaFuentes() + "/installation/ejemplos/alumnos.csv";
    const QByteArray conRechazos =
        "Nombre;Apellido1;Apellido2\nEva;Gil;Roca\nsara;LOPEZ;Navarro\n;Sanz;\n\"Pau;Vidal;\n";
};

TEST_F(ImportarLista, ElEjemploEntraEnteroYCadaAlumnoTieneSuContrasena) {
    abrir();
    const bool anadidos = importar(ejemplo, [](QWidget* dialogo) {
        QTableWidget* lista = rejilla(dialogo);
        EXPECT_EQ(lista->rowCount(), 22);
        EXPECT_EQ(lista->item(0, 1)->text(), "Lucía");
        EXPECT_EQ(lista->item(0, 4)->text(), Texto(72007));
        pulsar(dialogo, "BitBtnAceptar");
    });
    EXPECT_TRUE(anadidos);
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(72012).arg(22).arg("1º Electromecánica")});
    EXPECT_EQ(miembros(), 27);
    TClientDataSet* socios = datos->cdsGrupoAlumno;
    ASSERT_EQ(socios->RecordCount(), 27);
    std::set<QString> passwords;
    for (socios->First(); !socios->Eof(); socios->Next()) {
        const int codigo = datos->cdsGrpAlFPtrAlumno->AsInteger();
        EXPECT_EQ(socios->FieldByName("CalcPassword")->AsString(), TdmCDS::PasswordInicialAlumno(codigo));
        EXPECT_FALSE(socios->FieldByName("CalcNAlumno")->AsString().isEmpty()) << codigo;
        passwords.insert(socios->FieldByName("CalcPassword")->AsString());
    }
    EXPECT_EQ(passwords.size(), 27u);
    ASSERT_TRUE(datos->cdsAlumno->Locate("cdsAFNombre", "Íñigo"));
    EXPECT_EQ(datos->cdsAFApellido1->AsString(), "Echeverría");
}

TEST_F(ImportarLista, DesdeLaPaginaDeAlumnosElArbolLosMuestraATodos) {
    TFDMT_VentanaAlumnos::ImportarLista = [this](TFDMT_VentanaAlumnos* pagina) {
        ImportarListaEnPagina(pagina, ejemplo);
    };
    abrir();
    QTreeWidgetItem* carpeta = nodoGrupo("1º Electromecánica")->child(TFDMT_GestAlumnado::CarpetaAlumnos);
    // The folder shows its first student.
    ventana->SeleccionarNodo(carpeta);
    enDialogo("FDMT_ImportarLista", [](QWidget* dialogo) { pulsar(dialogo, "BitBtnAceptar"); });
    auto* boton = ventana->PaginaAlumnos()->findChild<QPushButton*>("BitBtnImportarLista");
    ASSERT_TRUE(boton->isEnabled());
    boton->click();
    TFDMT_VentanaAlumnos::ImportarLista = nullptr;
    EXPECT_EQ(carpeta->childCount(), 27);
    EXPECT_EQ(ventana->PaginaActual, ventana->PaginaAlumnos());
    EXPECT_EQ(mensajes.textos().size(), 1) << mensajes.textos().join("|").toStdString();
    EXPECT_TRUE(ventana->TreeViewGrupos()->currentItem()->parent() == carpeta);
}

TEST_F(ImportarLista, LasLineasRechazadasSeMarcanConSuMotivoYSoloEntranLasOtras) {
    abrir();
    const bool anadidos = importar(carpeta.escribir("lista.csv", conRechazos), [](QWidget* dialogo) {
        QTableWidget* lista = rejilla(dialogo);
        ASSERT_EQ(lista->rowCount(), 4);
        EXPECT_EQ(lista->item(0, 4)->text(), Texto(72007));
        EXPECT_EQ(lista->item(1, 0)->text(), "3");
        EXPECT_EQ(lista->item(1, 4)->text(), Texto(72025));
        EXPECT_EQ(lista->item(2, 4)->text(), Texto(72023));
        EXPECT_EQ(lista->item(3, 4)->text(), Texto(72021));
        EXPECT_NE(lista->item(1, 1)->background(), lista->item(0, 1)->background());
        EXPECT_TRUE(dialogo->findChild<QLabel*>("LabelResumen")
                        ->text()
                        .startsWith("Se añadirán 1 alumnos. 3 líneas"));
        pulsar(dialogo, "BitBtnAceptar");
    });
    EXPECT_TRUE(anadidos);
    EXPECT_EQ(miembros(), 6);
}

TEST_F(ImportarLista, CancelarNoAnadeNada) {
    abrir();
    EXPECT_FALSE(importar(ejemplo, [](QWidget* dialogo) { pulsar(dialogo, "BitBtnCancelar"); }));
    EXPECT_TRUE(mensajes.textos().isEmpty());
    EXPECT_EQ(miembros(), 5);
    EXPECT_EQ(datos->cdsAlumno->RecordCount(), 5);
}

TEST_F(ImportarLista, SinNingunAlumnoAceptableNoSePuedeAnadir) {
    abrir();
    EXPECT_FALSE(importar(carpeta.escribir("lista.csv", "Nombre;Apellido1\n;Gil\n"), [](QWidget* dialogo) {
        EXPECT_FALSE(dialogo->findChild<QPushButton*>("BitBtnAceptar")->isEnabled());
        pulsar(dialogo, "BitBtnCancelar");
    }));
    EXPECT_EQ(miembros(), 5);
}

// A file that is no class list is told without a preview.
TEST_F(ImportarLista, UnArchivoQueNoEsUnaListaSeDiceSinVista) {
    abrir();
    const QString archivo = carpeta.escribir("notas.csv", "Alumno;Nota\nEva Gil;7\n");
    EXPECT_FALSE(ImportarListaAlumnosDe(ventana.get(), archivo));
    ASSERT_EQ(mensajes.textos().size(), 1);
    EXPECT_TRUE(mensajes.textos().front().endsWith(Texto(72031)));
    EXPECT_FALSE(ImportarListaAlumnosDe(ventana.get(), carpeta.escribir("vacia.csv", "Nombre;Apellido1\n")));
    EXPECT_EQ(mensajes.textos().back(), Texto(72032));
}

// A student with unsaved changes is refused before any file is asked for.
TEST_F(ImportarLista, ConCambiosSinGuardarNoPideArchivo) {
    abrir();
    datos->cdsAlumno->Edit();
    datos->cdsAFNombre->SetAsString("Otro nombre");
    EXPECT_FALSE(ImportarListaAlumnos(ventana.get()));
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(72033)});
    EXPECT_EQ(datos->cdsAFNombre->AsString(), "Otro nombre");
    datos->cdsAlumno->Cancel();
}

// A picture of the preview with refused lines, for a person to look at: written only when
// AVERIAS_CAPTURAS names a folder (scripts/capturas runs it on a virtual display).
class CapturasImportarLista : public ImportarLista {};

TEST_F(CapturasImportarLista, VistaConLineasRechazadas) {
    if (qEnvironmentVariableIsEmpty("AVERIAS_CAPTURAS")) GTEST_SKIP();
    abrir();
    QByteArray csv = "Nombre;Apellido1;Apellido2;Correo\n";
    QFile ejemploCsv(ejemplo);
    ASSERT_TRUE(ejemploCsv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lineas = ejemploCsv.readAll().split('\n');
    for (int i = 1; i <= 8; ++i) csv += lineas[i] + '\n';
    csv += "Sara;López;Navarro;sara.lopez@alumnos.example.es\n;Moreno;Castillo;\n\"Pau;Vidal;Mas\n";
    csv += "Hugo;Martín;Sáez;\n";
    importar(carpeta.escribir("3B.csv", csv), [](QWidget* dialogo) {
        QEventLoop espera;
        QTimer::singleShot(150, &espera, &QEventLoop::quit);
        espera.exec();
        const QImage imagen = dialogo->grab().toImage();
        EXPECT_TRUE(imagen.save(qEnvironmentVariable("AVERIAS_CAPTURAS") + "/gestion_17_importar_lista.png"));
        EXPECT_TRUE(imagen.save(qEnvironmentVariable("AVERIAS_FUENTES") +
                                "/installation/Help/gestion/capturas/importarlista.png"));
        pulsar(dialogo, "BitBtnCancelar");
    });
}

}  // namespace
