#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include "CarpetaTemporal.h"
#include "DMT_EscogerCaratula.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"

namespace {

// An installation whose number 7 has three candidate models; the page of 15 is missing.
class EscogerCaratulaTest : public ::testing::Test {
protected:
    EscogerCaratulaTest() {
        carpeta.escribir("averias.ini", "[Opciones]\nCaratulas=TRUE\n[Caratulas]\n7=7,12,15,\n");
        carpeta.escribir("Caratulas/7.htm", "<html><body><h1>Motor diésel</h1></body></html>");
        carpeta.escribir("Caratulas/12.htm", "<html><body><h1>Instalación eléctrica</h1></body></html>");
    }

    void pulsar(const char* nombre) { ventana.findChild<QToolButton*>(nombre)->click(); }
    QString pagina() { return ventana.findChild<QTextBrowser*>("WB")->toPlainText(); }

    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
    IdiomaTemporal idioma{carpeta.escribir("idioma.lng", "37007 No se encuentra la carátula\n")};
    MensajesGrabados mensajes;
    TFDMT_EscogerCaratula ventana;
};

TEST_F(EscogerCaratulaTest, SeRecorrenLasPaginasDeLosCandidatos) {
    ventana.PrepararCaratulas(7);
    EXPECT_EQ(ventana.Candidatos(), (QStringList{"7", "12", "15"}));
    EXPECT_EQ(ventana.Posicion(), 0);
    EXPECT_EQ(ventana.CodigoMostrado(), 7);
    EXPECT_TRUE(pagina().contains("Motor diésel"));
    pulsar("SBback");  // already on the first page
    EXPECT_EQ(ventana.Posicion(), 0);
    pulsar("SBnext");
    EXPECT_EQ(ventana.Posicion(), 1);
    EXPECT_EQ(ventana.CodigoMostrado(), 12);
    EXPECT_TRUE(pagina().contains("Instalación eléctrica"));
    pulsar("SBfirst");
    EXPECT_EQ(ventana.CodigoMostrado(), 7);
    EXPECT_TRUE(mensajes.mensajes().empty());
}

TEST_F(EscogerCaratulaTest, UnaPaginaQueFaltaAvisaYLaVentanaSigueAbierta) {
    ventana.show();
    ventana.PrepararCaratulas(7);
    pulsar("SBLast");
    EXPECT_EQ(ventana.Posicion(), 2);
    EXPECT_EQ(mensajes.textos(), QStringList{"No se encuentra la carátula"});
    EXPECT_TRUE(ventana.isVisible());
    pulsar("SBnext");  // already on the last page
    EXPECT_EQ(ventana.Posicion(), 2);
    EXPECT_EQ(mensajes.mensajes().size(), 1u);
}

TEST_F(EscogerCaratulaTest, CeroNoPreparaNada) {
    ventana.PrepararCaratulas(0);
    EXPECT_TRUE(ventana.Candidatos().isEmpty());
    EXPECT_EQ(ventana.Posicion(), -1);
    EXPECT_EQ(ventana.NumeroDetectado(), 0);
}

// Runs ElegirCaratula and acts on the modal window once it is up.
int elegir(int numero, const std::function<void(QWidget*)>& accion) {
    QTimer::singleShot(0, [accion] { accion(QApplication::activeModalWidget()); });
    return ElegirCaratula(numero);
}

TEST_F(EscogerCaratulaTest, AceptarEnLaSegundaPaginaDevuelveSuCodigo) {
    const int codigo = elegir(7, [](QWidget* w) {
        w->findChild<QToolButton*>("SBnext")->click();
        w->findChild<QPushButton*>("BtnAceptar")->click();
    });
    EXPECT_EQ(codigo, 12);
}

TEST_F(EscogerCaratulaTest, CancelarDevuelveElNumeroDetectado) {
    const int codigo = elegir(7, [](QWidget* w) {
        w->findChild<QToolButton*>("SBnext")->click();
        w->findChild<QPushButton*>("BtnCancel")->click();
    });
    EXPECT_EQ(codigo, 7);
}

}  // namespace
