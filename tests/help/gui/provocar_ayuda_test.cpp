#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "Ayuda.h"
#include "DMT_AVProvocar.h"
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
};

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
