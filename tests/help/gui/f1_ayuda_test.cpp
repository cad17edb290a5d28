#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "Ayuda.h"
#include "DMT_AVDatosPersonales.h"
#include "DMT_AVProvocar.h"
#include "DMT_ModifPassword.h"
#include "FichaPersonalDatos.h"
#include "PuestoDemo.h"
#include "VisorAyuda.h"
#include "html_MainHelp.h"

namespace {

// The demo installation, which carries the shipped help books.
class AyudaEnElPuesto : public PuestoDemo {
protected:
    void SetUp() override {
        PuestoDemo::SetUp();
        FijarAbridorAyuda(MostrarAyuda);
    }
    void TearDown() override {
        FijarAbridorAyuda({});
        PuestoDemo::TearDown();
    }

    struct Vista {
        int libro = 0;
        QString contenido;
    };
    // What the help window that `abrir` opens shows.
    static Vista alAbrir(const std::function<void()>& abrir) {
        Vista vista;
        QTimer espera;
        espera.setInterval(20);
        QObject::connect(&espera, &QTimer::timeout, [&] {
            Thtml_FMainHelp* ayuda = AyudaAbierta();
            if (!ayuda || !ayuda->isVisible()) return;
            espera.stop();
            vista = {ayuda->Libro(), QFileInfo(ayuda->ArchivoContenido()).fileName()};
            ayuda->reject();
        });
        espera.start();
        abrir();
        return vista;
    }
    static void f1(QWidget* ventana) {
        QApplication::setActiveWindow(ventana->window());
        QTest::keyClick(ventana, Qt::Key_F1);
    }
};

TEST_F(AyudaEnElPuesto, CadaVentanaAbreSuLibroEnSuTema) {
    auto puesto = abrirPuesto();
    TDMT_ModifPassword contrasena;
    FichaPersonalDatos ficha(*datos, tipoUsuario);
    TFDMT_AVDatosPersonales personales(tipoUsuario, ficha);
    struct Caso {
        const char* ventana;
        std::function<void()> abrir;
        int libro;
        const char* pagina;
    } casos[] = {
        {"puesto", [&] { f1(puesto.get()); }, 2, "comenzar.htm"},
        {"menú del puesto", [&] { puesto->findChild<QAction*>("ItemAyuda")->trigger(); }, 2, "comenzar.htm"},
        {"contraseña, botón",
         [&] {
             contrasena.show();
             contrasena.findChild<QPushButton*>("BitBtnAyuda")->click();
         },
         1, "contrasena.htm"},
        {"contraseña, F1", [&] { f1(&contrasena); }, 1, "contrasena.htm"},
        {"datos personales, F1",
         [&] {
             personales.show();
             f1(&personales);
         },
         2, "datospersonales.htm"},
        {"reparación en curso",
         [&] {
             personales.hide();
             contrasena.hide();
             provocarEnDialogo(101);
             puesto->ItemProvocaraveriaClick();
             f1(puesto.get());
         },
         2, "diagnosisyreparacion.htm"},
    };
    for (const Caso& c : casos) {
        const Vista v = alAbrir(c.abrir);
        EXPECT_EQ(v.libro, c.libro) << c.ventana;
        EXPECT_EQ(v.contenido, c.pagina) << c.ventana;
    }
}

TEST_F(AyudaEnElPuesto, F1EnElDialogoDeProvocarAbreSuTemaEnElLibroDelPuesto) {
    auto puesto = abrirPuesto();
    TFDMT_AVProvocar dialogo("Reparar", puesto->DatosPractica, puesto.get());
    dialogo.show();
    QString contenido, temas;
    int libro = 0;
    QTimer::singleShot(0, [&] {
        Thtml_FMainHelp* ayuda = AyudaAbierta();
        ASSERT_NE(ayuda, nullptr);
        libro = ayuda->Libro();
        contenido = ayuda->ArchivoContenido();
        temas = ayuda->VisorTemas->Archivo();
        ayuda->reject();
    });
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&dialogo, &f1);
    EXPECT_EQ(libro, 2);
    EXPECT_EQ(contenido, Instalacion::Ruta("Help\\reparacion\\provocaraveria.htm"));
    EXPECT_TRUE(QFileInfo(contenido).isFile());
    EXPECT_EQ(temas, Instalacion::Ruta("Help\\reparacion\\temas.htm"));
    EXPECT_TRUE(dialogo.isVisible());  // the help closed, the dialog stays
}

}  // namespace
