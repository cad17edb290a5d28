#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolButton>

#include "CarpetaTemporal.h"
#include "DMT_GestAverias.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"

namespace {

class GestAveriasTest : public ::testing::Test {
protected:
    bool activo(const char* nombre) {
        if (auto* b = ventana.findChild<QToolButton*>(nombre)) return b->isEnabled();
        if (auto* m = ventana.findChild<QMenu*>(nombre)) return m->menuAction()->isEnabled();
        return ventana.findChild<QAction*>(nombre)->isEnabled();
    }

    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
    IdiomaTemporal idioma{
        carpeta.escribir("idioma.lng", "101 &Pausa\n102 &Reanudar\n109 REPARANDO\n149 ESTADO:\n")};
    TFDMT_GestAverias ventana{UsuarioAlumno};
};

TEST_F(GestAveriasTest, ActualizarEstadoAplicaLaTablaYDejaLoQueNoCambia) {
    ventana.DatosPractica.Estado = Libre;
    ventana.ActualizarEstado();
    EXPECT_TRUE(activo("BtnAveria"));
    EXPECT_TRUE(activo("MItemAveria"));
    EXPECT_FALSE(activo("BtnReparar"));
    ventana.DatosPractica.Estado = Reparando;
    ventana.ActualizarEstado();
    EXPECT_FALSE(activo("BtnAveria"));
    EXPECT_TRUE(activo("BtnReparar"));
    EXPECT_TRUE(activo("MItemAveria"));  // unchanged from the free state
    EXPECT_FALSE(activo("ItemProvocaraveria"));
    EXPECT_EQ(ventana.findChild<QPlainTextEdit*>("MemoInfor2")->toPlainText(), "ESTADO:\nREPARANDO");
}

TEST(CajaEstadoTest, EnUnaVentanaEstrechaLaCajaDeEstadoNoPartePalabras) {
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
    IdiomaTemporal idioma{carpeta.escribir("idioma.lng", "149 ESTADO:\n194 DIAGNOSTICANDO\n")};
    for (int ancho : {1024, 800}) {
        TFDMT_GestAverias ventana{UsuarioAlumno};
        ventana.resize(ancho, 720);
        ventana.show();
        ventana.DatosPractica.Estado = Diagnosticando;
        ventana.ActualizarEstado();
        QApplication::processEvents();
        auto* memo = ventana.findChild<QPlainTextEdit*>("MemoInfor2");
        EXPECT_EQ(memo->wordWrapMode(), QTextOption::WordWrap);
        const int libre =
            memo->viewport()->width() - 2 * static_cast<int>(memo->document()->documentMargin());
        EXPECT_LE(QFontMetrics(memo->font()).horizontalAdvance("DIAGNOSTICANDO"), libre) << ancho;
        const QTextBlock estado = memo->document()->findBlockByNumber(1);
        qobject_cast<QPlainTextDocumentLayout*>(memo->document()->documentLayout())
            ->ensureBlockLayout(estado);
        EXPECT_EQ(estado.layout()->lineCount(), 1) << ancho;
    }
}

TEST_F(GestAveriasTest, ElBotonDePausaDiceHaciaDondeVa) {
    ventana.MostrarBotonPausa(true);
    EXPECT_EQ(ventana.findChild<QToolButton*>("BtnPausa")->text(), "&Reanudar");
    ventana.MostrarBotonPausa(false);
    EXPECT_EQ(ventana.findChild<QToolButton*>("BtnPausa")->text(), "&Pausa");
}

}  // namespace

namespace {

struct CasoCierre {
    int estado;
    bool cierra;
    const char* texto;
};

class CierreGestAveriasTest : public ::testing::TestWithParam<CasoCierre> {};

TEST_P(CierreGestAveriasTest, SoloSeCierraSinPracticaEnMarchaOEnPausa) {
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion(carpeta.ruta());
    IdiomaTemporal idioma(
        carpeta.escribir("idioma.lng", "181 Reparación en curso\n182 Disfunción en curso\n"));
    MensajesGrabados mensajes;
    TFDMT_GestAverias ventana(UsuarioAlumno);
    ventana.DatosPractica.Estado = GetParam().estado;
    EXPECT_EQ(ventana.close(), GetParam().cierra);
    EXPECT_EQ(mensajes.textos().join(""), QString::fromUtf8(GetParam().texto));
}

INSTANTIATE_TEST_SUITE_P(Estados, CierreGestAveriasTest,
                         ::testing::Values(CasoCierre{Libre, true, ""}, CasoCierre{Pausada, true, ""},
                                           CasoCierre{Reparando, false, "Reparación en curso"},
                                           CasoCierre{Diagnosticando, false, "Reparación en curso"},
                                           CasoCierre{Disfuncion, false, "Disfunción en curso"}));

}  // namespace
