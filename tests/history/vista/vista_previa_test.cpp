#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QWheelEvent>

#include "CarpetaTemporal.h"
#include "FuentePrueba.h"
#include "HojasInforme.h"
#include "Idioma.h"
#include "ImpresionInforme.h"
#include "MensajesGrabados.h"
#include "TextoPdf.h"
#include "VistaPreviaInforme.h"

using namespace informes;

namespace {

// Forty pages of one record each, with a footer that names the page.
class VistaPrevia : public ::testing::Test {
protected:
    IdiomaTemporal idioma{carpetaFuentes() + "/installation/idioma.lng"};
    MensajesGrabados mensajes;
    CarpetaTemporal carpeta;
    InformePreparado informe;

    VistaPrevia() {
        FuentePrueba fuente;
        for (int i = 1; i <= 40; ++i) fuente.filas[0] << QStringList{QString("Registro %1").arg(i)};
        fuente.columnas = {{"V", 0}};
        ErrorDiseno error;
        const auto d = LeerDisenoTexto(R"(informe version=1
banda maestro alto=20 nuevapagina
  texto x=0 y=0 ancho=150 alto=8 tamano=14 "[V]"
fin
banda pie alto=6
  texto x=0 y=0 ancho=180 alto=6 alinear=derecha "Página [PAGINA] de [PAGINAS]"
fin
)",
                                       "Prueba.frf", error);
        QString fallo;
        informe = *PrepararInforme(*d, fuente, OpcionesInforme{}, fallo);
    }

    std::unique_ptr<VistaPreviaInforme> Abrir() {
        auto v = std::make_unique<VistaPreviaInforme>(informe, 1);
        v->resize(900, 700);
        v->show();
        QApplication::processEvents();
        return v;
    }
};

TEST_F(VistaPrevia, AbreAlAnchoDePaginaYSoloDibujaLasPaginasALaVista) {
    auto v = Abrir();
    HojasInforme* hojas = v->Hojas();
    EXPECT_EQ(hojas->AjusteActual(), HojasInforme::Ajuste::AnchoPagina);
    EXPECT_EQ(v->findChild<QComboBox*>("ComboZoom")->currentText(), Texto(38051));
    hojas->grab();
    EXPECT_GE(hojas->PaginasDibujadas(), 1);
    EXPECT_LT(hojas->PaginasDibujadas(), 5);
    EXPECT_EQ(v->findChild<QSpinBox*>("SpinPagina")->maximum(), 40);
}

TEST_F(VistaPrevia, PrimeraAnteriorSiguienteUltimaYCajaDePagina) {
    auto v = Abrir();
    HojasInforme* hojas = v->Hojas();
    auto* caja = v->findChild<QSpinBox*>("SpinPagina");
    v->Ultima();
    EXPECT_EQ(hojas->PaginaActual(), 39);
    EXPECT_EQ(caja->value(), 40);
    v->Anterior();
    EXPECT_EQ(hojas->PaginaActual(), 38);
    v->Primera();
    EXPECT_EQ(hojas->PaginaActual(), 0);
    v->Anterior();
    EXPECT_EQ(hojas->PaginaActual(), 0);
    v->Siguiente();
    EXPECT_EQ(hojas->PaginaActual(), 1);
    caja->setValue(17);
    EXPECT_EQ(hojas->PaginaActual(), 16);
    EXPECT_EQ(v->Estado(), Texto(38071).arg(17).arg(40));
}

TEST_F(VistaPrevia, ZoomPorPasosConCtrlRuedaYAjustes) {
    auto v = Abrir();
    HojasInforme* hojas = v->Hojas();
    auto* combo = v->findChild<QComboBox*>("ComboZoom");
    combo->setCurrentIndex(combo->findText("100 %"));
    emit combo->activated(combo->currentIndex());
    EXPECT_DOUBLE_EQ(hojas->Zoom(), 1);
    QTest::keyClick(v.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(hojas->Zoom(), 1);
    QTest::keyClick(v.get(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(v.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_LT(hojas->Zoom(), 1);
    const qreal antes = hojas->Zoom();
    QWheelEvent rueda(QPointF(50, 50), hojas->viewport()->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(hojas->viewport(), &rueda);
    EXPECT_GT(hojas->Zoom(), antes);
    // A whole page fits the view in height and in width.
    v->Ultima();
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    const qreal porMm = hojas->logicalDpiX() / 25.4 * hojas->Zoom();
    EXPECT_LE(297 * porMm, hojas->viewport()->height());
    EXPECT_LE(210 * porMm, hojas->viewport()->width());
    EXPECT_EQ(hojas->PaginaActual(), 39);
}

TEST_F(VistaPrevia, BuscarVaALaPaginaYF3SigueDandoLaVuelta) {
    auto v = Abrir();
    auto* buscar = v->findChild<QLineEdit*>("EditBuscar");
    QTest::keyClick(v.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(buscar->hasFocus());
    QTest::keyClicks(buscar, "registro 3");
    QTest::keyClick(buscar, Qt::Key_Return);
    EXPECT_EQ(v->Hojas()->PaginaActual(), 2);
    QTest::keyClick(v.get(), Qt::Key_F3);
    EXPECT_EQ(v->Hojas()->PaginaActual(), 29);  // "Registro 30"
    for (int i = 0; i < 10; ++i) QTest::keyClick(v.get(), Qt::Key_F3);
    EXPECT_EQ(v->Hojas()->PaginaActual(), 2);  // round again to "Registro 3"
    EXPECT_FALSE(v->BuscarSiguiente("nada de esto"));
    EXPECT_EQ(v->Estado(), Texto(38067).arg("nada de esto"));
}

TEST_F(VistaPrevia, EscCierraLaVentana) {
    auto v = Abrir();
    QTest::keyClick(v.get(), Qt::Key_Escape);
    EXPECT_FALSE(v->isVisible());
}

TEST_F(VistaPrevia, GuardaElPdfYAvisa) {
    auto v = Abrir();
    const QString ruta = carpeta.archivo("vista.pdf");
    v->GuardarPdfEn(ruta);
    EXPECT_EQ(v->Estado(), Texto(38070).arg(ruta));
    EXPECT_EQ(PaginasPdf(ruta).size(), 40);
    v->GuardarPdfEn(carpeta.archivo("no/hay/carpeta.pdf"));
    ASSERT_EQ(mensajes.textos().size(), 1);
    EXPECT_EQ(mensajes.textos().first(), Texto(38022).arg(carpeta.archivo("no/hay/carpeta.pdf")));
}

struct CasoImpresion {
    const char* nombre;
    QPrinter::PrintRange rango;
    int desde, hasta, copias;
    bool intercalar;
    QStringList registros;  // what each printed sheet shows
};

class Impresion : public VistaPrevia, public ::testing::WithParamInterface<CasoImpresion> {};

// The printer is a PDF file, which makes no copies itself: the copies are sent page by page.
TEST_P(Impresion, RangoCopiasEIntercalado) {
    const CasoImpresion& c = GetParam();
    const QString ruta = carpeta.archivo("impreso.pdf");
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(ruta);
    impresora.setPrintRange(c.rango);
    impresora.setFromTo(c.desde, c.hasta);
    impresora.setCopyCount(c.copias);
    impresora.setCollateCopies(c.intercalar);
    ASSERT_FALSE(impresora.supportsMultipleCopies());
    ASSERT_TRUE(impresion::Imprimir(impresora, informe, 6));
    const QStringList paginas = PaginasPdf(ruta);
    ASSERT_EQ(paginas.size(), c.registros.size());
    for (int i = 0; i < paginas.size(); ++i) {
        const QString texto = paginas[i].simplified();
        EXPECT_TRUE(texto.startsWith(c.registros[i] + " ")) << i << ": " << texto.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Impresion,
    ::testing::Values(
        CasoImpresion{"UnRango", QPrinter::PageRange, 2, 3, 1, true, {"Registro 2", "Registro 3"}},
        CasoImpresion{"CopiasIntercaladas",
                      QPrinter::PageRange,
                      2,
                      3,
                      2,
                      true,
                      {"Registro 2", "Registro 3", "Registro 2", "Registro 3"}},
        CasoImpresion{"CopiasSeguidas",
                      QPrinter::PageRange,
                      2,
                      3,
                      2,
                      false,
                      {"Registro 2", "Registro 2", "Registro 3", "Registro 3"}},
        CasoImpresion{"LaPaginaALaVista", QPrinter::CurrentPage, 0, 0, 1, true, {"Registro 7"}},
        CasoImpresion{
            "HastaPasadoElFinal", QPrinter::PageRange, 39, 90, 1, true, {"Registro 39", "Registro 40"}}),
    [](const auto& caso) { return std::string(caso.param.nombre); });

}  // namespace

namespace {

TEST(ElegirImpresora, UnIndiceSinImpresoraNoCambiaNada) {
    EXPECT_FALSE(impresion::ElegirImpresora(-1));
    EXPECT_FALSE(impresion::ElegirImpresora(int(QPrinterInfo::availablePrinters().size())));
}

}  // namespace
