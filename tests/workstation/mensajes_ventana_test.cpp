#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "CarpetaTemporal.h"
#include "DMT_Msg.h"
#include "FMsg.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "Mensajes.h"

namespace {

// Button captions come from the language file: a small one is enough.
class MensajeVentanaTest : public ::testing::Test {
protected:
    CarpetaTemporal carpeta;
    IdiomaTemporal idioma{
        carpeta.escribir("idioma.lng",
                         "1 Cancelar\n2 Aceptar\n5 Sí\n6 No\n205 Reparar ahora\n206 Dejarlo para luego\n"
                         "222 Averías\n")};

    static QLabel* etiqueta(TFormMsg& v) { return v.findChild<QLabel*>("Label1"); }
    static QPushButton* boton(TFormMsg& v, const char* nombre) { return v.findChild<QPushButton*>(nombre); }
};

TEST_F(MensajeVentanaTest, LaAlturaCreceConLasLineasDelTexto) {
    TFormMsg una, tres;
    una.Preparar("Una línea", 0, 0, -1, -1);
    tres.Preparar("Primera\nSegunda\nTercera", 0, 0, -1, -1);
    const int linea = QFontMetrics(etiqueta(una)->font()).lineSpacing();
    EXPECT_EQ(etiqueta(una)->height(), linea);
    EXPECT_EQ(etiqueta(tres)->height(), 3 * linea);
    EXPECT_EQ(tres.height() - una.height(), 2 * linea);
    EXPECT_EQ(etiqueta(tres)->y(), 15);
    EXPECT_EQ(tres.windowTitle(), "Averías");
}

TEST_F(MensajeVentanaTest, UnTextoLargoSeParteEnVariasLineas) {
    TFormMsg v;
    v.Preparar(QString("palabra ").repeated(60), 0, 0, -1, -1);
    EXPECT_GT(etiqueta(v)->height(), 2 * QFontMetrics(etiqueta(v)->font()).lineSpacing());
}

TEST_F(MensajeVentanaTest, SeAbreDebajoDelPuntoSiCabeYEncimaSiNo) {
    const QRect zona = QGuiApplication::primaryScreen()->availableGeometry();
    TFormMsg arriba, abajo;
    arriba.Preparar("Texto", 0, 0, 100, zona.top() + 50);
    EXPECT_EQ(arriba.pos(), QPoint(100, zona.top() + 50 + 14));
    const int yBajo = zona.bottom() - 20;
    abajo.Preparar("Texto", 0, 0, 100, yBajo);
    EXPECT_EQ(abajo.x(), 100);
    EXPECT_EQ(abajo.y(), yBajo - abajo.frameGeometry().height() - 14);
}

struct CasoBotones {
    int juego;
    std::vector<QString> textos;
    int alCancelar;
};

class JuegoDeBotonesTest : public MensajeVentanaTest, public ::testing::WithParamInterface<CasoBotones> {};

TEST_P(JuegoDeBotonesTest, MuestraSusBotonesYEscapeCancela) {
    TFormMsg v;
    v.Preparar("¿Seguro?", GetParam().juego, 3, -1, -1);
    const char* nombres[] = {"BitBtn1", "BitBtn2", "BitBtn3"};
    for (size_t i = 0; i < 3; ++i) {
        QPushButton* b = boton(v, nombres[i]);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(!b->isHidden(), i < GetParam().textos.size()) << nombres[i];
        if (i < GetParam().textos.size()) {
            EXPECT_EQ(b->text(), GetParam().textos[i]);
        }
    }
    QTimer::singleShot(0, &v, [&v] { v.reject(); });
    EXPECT_EQ(v.exec(), GetParam().alCancelar);
}

INSTANTIATE_TEST_SUITE_P(
    Juegos, JuegoDeBotonesTest,
    ::testing::Values(CasoBotones{0, {"Aceptar"}, 1}, CasoBotones{1, {"Aceptar", "Cancelar"}, 2},
                      CasoBotones{2, {"Sí", "No"}, 7}, CasoBotones{3, {"Sí", "No", "Cancelar"}, 2},
                      CasoBotones{4, {"Reparar ahora", "Dejarlo para luego", "Cancelar"}, 2}));

struct CasoPulsar {
    int juego;
    const char* boton;
    int resultado;
};

class PulsarBotonTest : public MensajeVentanaTest, public ::testing::WithParamInterface<CasoPulsar> {};

TEST_P(PulsarBotonTest, CadaBotonDevuelveSuResultado) {
    TFormMsg v;
    v.Preparar("¿Seguro?", GetParam().juego, 3, -1, -1);
    QPushButton* b = boton(v, GetParam().boton);
    QTimer::singleShot(0, b, [b] { b->click(); });
    EXPECT_EQ(v.exec(), GetParam().resultado);
}

INSTANTIATE_TEST_SUITE_P(Botones, PulsarBotonTest,
                         ::testing::Values(CasoPulsar{0, "BitBtn1", 1}, CasoPulsar{1, "BitBtn2", 2},
                                           CasoPulsar{2, "BitBtn1", 6}, CasoPulsar{2, "BitBtn2", 7},
                                           CasoPulsar{3, "BitBtn3", 2}, CasoPulsar{4, "BitBtn1", 6},
                                           CasoPulsar{4, "BitBtn2", 7}));

TEST_F(MensajeVentanaTest, ElJuegoDeTresOpcionesRepartelosBotonesIgualDeAnchos) {
    TFormMsg v;
    v.Preparar("¿Qué hacemos?", 4, 3, -1, -1);
    QPushButton* b1 = boton(v, "BitBtn1");
    QPushButton* b2 = boton(v, "BitBtn2");
    QPushButton* b3 = boton(v, "BitBtn3");
    EXPECT_EQ(b1->width(), b2->width());
    EXPECT_EQ(b2->width(), b3->width());
    EXPECT_GE(b2->width(), b2->fontMetrics().horizontalAdvance("Dejarlo para luego") + 10);
    const int hueco = b1->x();
    EXPECT_EQ(b2->x() - b1->geometry().right() - 1, hueco);
    EXPECT_EQ(b3->x() - b2->geometry().right() - 1, hueco);
}

TEST(ImagenMensajeTest, CadaDibujoTieneSuPropioArchivoEnLaInstalacion) {
    // The verdict "correct" shows a success picture, not the error cross.
    InstalacionTemporal instalacion(carpetaFuentes() + "/installation");
    std::vector<QImage> dibujos;
    for (int dibujo : {DibujoInformacion, DibujoAviso, DibujoError, DibujoPregunta, DibujoExito}) {
        const QString archivo = Instalacion::Ruta(QString("images\\Mensaje%1.png").arg(dibujo));
        ASSERT_TRUE(QFileInfo::exists(archivo)) << archivo.toStdString();
        const QImage imagen = ImagenMensaje(dibujo).toImage();
        EXPECT_EQ(imagen, QImage(archivo).convertToFormat(imagen.format())) << dibujo;
        for (const QImage& otra : dibujos) EXPECT_NE(imagen, otra) << dibujo;
        dibujos.push_back(imagen);
    }
}

TEST(EstadoVentanaTest, MostrarDosVecesReutilizaLaVentanaYOcultarRestauraElCursor) {
    MostrarEstadoVentana("Cargando");
    TForm_MsgEstado* primera = VentanaEstado();
    ASSERT_NE(primera, nullptr);
    MostrarEstadoVentana("Buscando entrenador");
    EXPECT_EQ(VentanaEstado(), primera);
    EXPECT_EQ(primera->texto(), "Buscando entrenador");
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    OcultarEstadoVentana();
    EXPECT_EQ(VentanaEstado(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // Without a window it only restores the cursor.
    OcultarEstadoVentana();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
