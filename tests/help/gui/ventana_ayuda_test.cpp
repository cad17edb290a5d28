#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include "Ayuda.h"
#include "CarpetaTemporal.h"
#include "DMT_Password.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "VisorAyuda.h"
#include "html_MainHelp.h"

namespace {

// Puts a value in a global for the life of the guard.
template <typename T>
class Sustituir {
public:
    Sustituir(T& global, T valor) : global_(global), anterior_(std::move(global)) {
        global_ = std::move(valor);
    }
    ~Sustituir() { global_ = std::move(anterior_); }

private:
    T& global_;
    T anterior_;
};

QByteArray marco(const char* titulo) {
    return QByteArray("<html><head><title>") + titulo +
           "</title></head>\n<frameset cols=\"25%,*\">\n<frame name=\"temas\" src=\"temas.htm\">\n"
           "<frame name=\"contenido\" src=\"introduccion.htm\">\n</frameset></html>\n";
}

QByteArray pagina(const char* titulo, const QByteArray& cuerpo = {}) {
    return QByteArray("<html><head><title>") + titulo + "</title></head><body><h1>" + titulo + "</h1>" +
           cuerpo + "</body></html>";
}

// Two small books of topics and the login's page, in folders spelt as a Windows copy may
// leave them.
class VentanaAyudaTest : public ::testing::Test {
protected:
    VentanaAyudaTest() {
        carpeta.escribir("HELP/Gestion/help.htm", marco("Gestión"));
        carpeta.escribir("HELP/Gestion/temas.htm",
                         pagina("Temas", "<a href=\"alumnos.htm\" target=\"contenido\">Alumnos</a>"));
        for (const char* p :
             {"introduccion", "alumnos", "obtenerayuda", "p1", "p2", "p3", "p4", "p5", "p6", "p7"})
            carpeta.escribir(QString("HELP/Gestion/%1.htm").arg(p), pagina(p));
        carpeta.escribir("HELP/Gestion/pie.htm", "texto incluido");
        carpeta.escribir("HELP/Gestion/incluye.htm",
                         pagina("incluye", "<p><!--#include FILE=\"pie.htm\"--></p>"));
        carpeta.escribir("HELP/Gestion/otra.htm", pagina("otra"));
        carpeta.escribir("HELP/Gestion/largo.htm", pagina("Largo", QByteArray("<p>línea</p>").repeated(400)));
        carpeta.escribir("HELP/ACCESO/acceso.htm", pagina("Acceso"));
    }

    // Runs `mirar` on the help window that the next call opens, then closes it.
    static void alAbrir(std::function<void(Thtml_FMainHelp&)> mirar) {
        QTimer::singleShot(0, [mirar] {
            Thtml_FMainHelp* ayuda = AyudaAbierta();
            ASSERT_NE(ayuda, nullptr);
            mirar(*ayuda);
            ayuda->reject();
        });
    }
    static int ventanasDeAyuda() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<Thtml_FMainHelp*>(w) && w->isVisible()) ++n;
        return n;
    }
    // A window in front with a Tag, as the program's windows are.
    QWidget* delante(int tag) {
        frente.setProperty("Tag", tag);
        FijarFormActivo(&frente);
        return &frente;
    }
    QString enGestion(const QString& nombre) const { return carpeta.archivo("HELP/Gestion/" + nombre); }

    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
    IdiomaTemporal idioma{
        carpeta.escribir("idioma.lng",
                         "70000 Ayuda\n70015 No se encuentra «%1».\n70016 No se puede leer el archivo %1.\n"
                         "70017 La ayuda no pone en marcha programas: %1\n70018 Page\n")};
    MensajesGrabados mensajes;
    std::function<void(int)> sinAbridor;
    QWidget frente;
};

TEST_F(VentanaAyudaTest, LaAyudaDelLoginAbreAccesoSinPaginaDeTemaYUnaSegundaNoHaceNada) {
    FijarAbridorAyuda(MostrarAyuda);
    AccesoLogin acceso;
    acceso.grupos = [] { return QList<AccesoLogin::Grupo>{}; };
    TFDMT_Password login(acceso);
    login.show();
    bool vista = false;
    alAbrir([&](Thtml_FMainHelp& ayuda) {
        vista = true;
        EXPECT_EQ(ayuda.Libro(), 3);
        EXPECT_EQ(ayuda.ArchivoContenido(), carpeta.archivo("HELP/ACCESO/acceso.htm"));
        EXPECT_FALSE(ayuda.VisorTemas->isVisible());
        login.findChild<QPushButton*>("SelButtonAyuda")->click();  // returns at once
        EXPECT_EQ(AyudaAbierta(), &ayuda);
        EXPECT_EQ(ventanasDeAyuda(), 1);
    });
    login.findChild<QPushButton*>("SelButtonAyuda")->click();
    FijarAbridorAyuda({});
    EXPECT_TRUE(vista);
    EXPECT_EQ(AyudaAbierta(), nullptr);
    EXPECT_EQ(FormActivo(), &login);
    for (const char* libro : {"HELP/Gestion", "HELP/ACCESO"})
        EXPECT_FALSE(QFileInfo::exists(carpeta.archivo(QString(libro) + "/helpAux.htm"))) << libro;
}

TEST_F(VentanaAyudaTest, LaPaginaDeLaLineaDeOrdenesSoloEnLaPrimeraAyuda) {
    delante(3);
    FijarPaginaDeLineaDeOrdenes("Help/gestion/otra.htm#arriba");
    QStringList vistas;
    for (int vez = 0; vez < 2; ++vez) {
        alAbrir(
            [&](Thtml_FMainHelp& ayuda) { vistas.append(QFileInfo(ayuda.ArchivoContenido()).fileName()); });
        MostrarAyuda(1);
    }
    EXPECT_EQ(vistas, (QStringList{"otra.htm", "alumnos.htm"}));
}

TEST_F(VentanaAyudaTest, ElTemaDeLaVentanaDelanteVaAlPanelDeContenido) {
    delante(3);
    Thtml_FMainHelp ayuda(1);
    ayuda.show();
    EXPECT_EQ(ayuda.ArchivoContenido(), enGestion("alumnos.htm"));
    EXPECT_EQ(ayuda.VisorTemas->Archivo(), enGestion("temas.htm"));
    EXPECT_TRUE(ayuda.VisorTemas->isVisible());
    EXPECT_EQ(ayuda.windowTitle(), "Ayuda VIVUZUV");
    EXPECT_EQ(ayuda.findChild<QLineEdit*>("EditDireccion")->text(), "HELP\\Gestion\\alumnos.htm");
    const QList<QTextEdit::ExtraSelection> marcado = ayuda.VisorTemas->extraSelections();
    ASSERT_EQ(marcado.size(), 1);
    EXPECT_EQ(marcado[0].cursor.selectedText(), "Alumnos");

    ayuda.SeguirEnlace(QUrl("introduccion.htm"), ayuda.VisorTemas);
    EXPECT_EQ(ayuda.ArchivoContenido(), enGestion("introduccion.htm"));
    EXPECT_EQ(ayuda.VisorTemas->Archivo(), enGestion("temas.htm"));

    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&ayuda, &f1);
    EXPECT_EQ(ayuda.ArchivoContenido(), enGestion("obtenerayuda.htm"));
    ayuda.SpeedButtonInicioClick();
    EXPECT_EQ(ayuda.ArchivoContenido(), enGestion("introduccion.htm"));
}

TEST_F(VentanaAyudaTest, ConElLibroDeSoloLecturaLosMarcosSiguenEnSuCarpeta) {
    carpeta.escribir("HELP/Gestion/helpAux.htm/x", "");  // nothing can be written there
    delante(3);
    Thtml_FMainHelp ayuda(1);
    ayuda.show();
    EXPECT_EQ(ayuda.ArchivoContenido(), enGestion("alumnos.htm"));
    EXPECT_EQ(ayuda.VisorTemas->Archivo(), enGestion("temas.htm"));
}

TEST_F(VentanaAyudaTest, LoQueNoSeEncuentraMuestraLaPaginaDelVisor) {
    delante(13);
    Thtml_FMainHelp sinLibro(2);
    sinLibro.show();
    EXPECT_TRUE(sinLibro.VisorContenido->toPlainText().contains("No se puede leer el archivo"));

    delante(3);
    carpeta.escribir("HELP/Gestion/alumnos.htm", "");
    QFile::remove(enGestion("alumnos.htm"));
    Thtml_FMainHelp sinPagina(1);
    sinPagina.show();
    EXPECT_TRUE(sinPagina.VisorContenido->toPlainText().contains(enGestion("alumnos.htm")));
    EXPECT_TRUE(sinPagina.VisorTemas->isVisible());
}

TEST_F(VentanaAyudaTest, LosIncluidosSeVenEnLaPagina) {
    Thtml_FMainHelp ayuda(1);
    ayuda.show();
    ayuda.SeguirEnlace(QUrl("incluye.htm"), ayuda.VisorContenido);
    EXPECT_TRUE(ayuda.VisorContenido->toPlainText().contains("texto incluido"));
}

TEST_F(VentanaAyudaTest, LosEnlacesQueNoSonPaginasNoSeSiguen) {
    QList<QUrl> escritorio;
    Sustituir<std::function<bool(const QUrl&)>> grabar(Thtml_FMainHelp::AbrirEnEscritorio,
                                                       [&](const QUrl& u) {
                                                           escritorio.append(u);
                                                           return true;
                                                       });
    Thtml_FMainHelp ayuda(1);
    ayuda.show();
    const QString antes = ayuda.ArchivoContenido();
    for (const char* enlace : {"mailto:profesor@instituto.es", "http://www.ejemplo.es", "aviso.wav",
                               "video.mp4", "MPlayer.exe /play /close"})
        ayuda.SeguirEnlace(QUrl(enlace), ayuda.VisorContenido);
    EXPECT_EQ(escritorio, (QList<QUrl>{QUrl("mailto:profesor@instituto.es"), QUrl("http://www.ejemplo.es"),
                                       QUrl::fromLocalFile(enGestion("aviso.wav")),
                                       QUrl::fromLocalFile(enGestion("video.mp4"))}));
    EXPECT_EQ(mensajes.textos(), QStringList{"La ayuda no pone en marcha programas: MPlayer.exe"});
    EXPECT_EQ(ayuda.ArchivoContenido(), antes);
}

TEST_F(VentanaAyudaTest, OtraVentanaSeAbreEnEsteProgramaSoloSiLaPaginaExiste) {
    Thtml_FMainHelp ayuda(1);
    ayuda.show();
    ayuda.SeguirEnlace(QUrl("averias-ventana:no-existe.htm"), ayuda.VisorContenido);
    EXPECT_TRUE(ayuda.findChildren<Thtml_FMainHelp*>().isEmpty());
    ayuda.SeguirEnlace(QUrl("averias-ventana:otra.htm"), ayuda.VisorContenido);
    const QList<Thtml_FMainHelp*> otras = ayuda.findChildren<Thtml_FMainHelp*>();
    ASSERT_EQ(otras.size(), 1);
    EXPECT_TRUE(otras[0]->isVisible());
    EXPECT_EQ(otras[0]->ArchivoContenido(), enGestion("otra.htm"));
    EXPECT_EQ(ayuda.ArchivoContenido(), enGestion("introduccion.htm"));
}

TEST_F(VentanaAyudaTest, ElMenuDeHistorialTrasSietePaginas) {
    Thtml_FMainHelp ayuda(1);
    ayuda.show();
    for (int i = 1; i <= 7; ++i) ayuda.SeguirEnlace(QUrl(QString("p%1.htm").arg(i)), ayuda.VisorTemas);
    auto* menu = ayuda.findChild<QMenu*>("MenuHistorial");
    QStringList textos;
    for (QAction* a : menu->actions())
        if (a->isVisible()) textos.append(a->text() + (a->isChecked() ? " *" : ""));
    EXPECT_EQ(textos, (QStringList{"Gestión - p7 *", "Gestión - p6", "Gestión - p5", "Gestión - p4",
                                   "Gestión - p3", "Gestión - p2"}));
    menu->actions()[3]->trigger();
    EXPECT_EQ(ayuda.ArchivoContenido(), enGestion("p4.htm"));
    EXPECT_TRUE(menu->actions()[3]->isChecked());
    EXPECT_FALSE(menu->actions()[0]->isChecked());
}

TEST_F(VentanaAyudaTest, SeImprimeElIntervaloConCabeceraYPie) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "sin pdftotext";
    Thtml_FMainHelp ayuda(1);
    ayuda.show();
    ayuda.SeguirEnlace(QUrl("largo.htm"), ayuda.VisorContenido);
    QPrinter impresora;
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(carpeta.archivo("largo.pdf"));
    impresora.setPrintRange(QPrinter::PageRange);
    impresora.setFromTo(2, 3);
    ayuda.Imprimir(&impresora);
    QProcess texto;
    texto.start("pdftotext", {"-layout", carpeta.archivo("largo.pdf"), "-"});
    ASSERT_TRUE(texto.waitForFinished(20000));
    const QString impreso = QString::fromUtf8(texto.readAllStandardOutput());
    EXPECT_TRUE(impreso.contains("Page 2"));
    EXPECT_TRUE(impreso.contains("Page 3"));
    EXPECT_FALSE(impreso.contains("Page 1"));
    EXPECT_FALSE(impreso.contains("Page 4"));
    EXPECT_TRUE(impreso.contains("largo.htm"));
    EXPECT_TRUE(impreso.contains("Largo"));
    EXPECT_TRUE(impreso.contains("línea"));
}

}  // namespace
