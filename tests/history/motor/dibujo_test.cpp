#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>

#include "CarpetaTemporal.h"
#include "DibujoInforme.h"
#include "FuentePrueba.h"
#include "Idioma.h"
#include "TextoPdf.h"

using namespace informes;

namespace {

struct CasoOrden {
    int desde, hasta, copias;
    bool intercalar;
    QList<int> orden;
};

TEST(OrdenPaginas, CopiasIntercaladasOSeguidas) {
    const CasoOrden casos[] = {
        {1, 3, 1, true, {0, 1, 2}},  {2, 3, 2, true, {1, 2, 1, 2}}, {2, 3, 2, false, {1, 1, 2, 2}},
        {1, 1, 3, false, {0, 0, 0}}, {3, 2, 1, true, {}},           {1, 2, 0, true, {}},
    };
    for (const CasoOrden& c : casos)
        EXPECT_EQ(OrdenPaginas(c.desde, c.hasta, c.copias, c.intercalar), c.orden)
            << c.desde << "-" << c.hasta << " x" << c.copias;
}

TEST(LeerRango, TextosDeRango) {
    using Rango = std::optional<std::pair<int, int>>;
    const std::pair<const char*, Rango> casos[] = {
        {"1-5", std::pair(1, 5)}, {"2-", std::pair(2, 5)},      {"-3", std::pair(1, 3)},
        {"4", std::pair(4, 4)},   {" 2 - 9 ", std::pair(2, 5)}, {"6", std::nullopt},
        {"3-2", std::nullopt},    {"a-b", std::nullopt},        {"0-2", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [texto, esperado] : casos) EXPECT_EQ(LeerRango(texto, 5), esperado) << texto;
}

class Dibujo : public ::testing::Test {
protected:
    IdiomaTemporal idioma{carpetaFuentes() + "/installation/idioma.lng"};
    CarpetaTemporal carpeta;
    FuentePrueba fuente;

    InformePreparado Preparar(const QString& texto) {
        ErrorDiseno error;
        const auto d = LeerDisenoTexto("informe version=1\n" + texto, "prueba.frf", error);
        EXPECT_TRUE(d) << error.Texto().toStdString();
        QString fallo;
        return PrepararInforme(*d, fuente, OpcionesInforme{}, fallo).value_or(InformePreparado{});
    }

    static QImage Imagen(int dpi) {
        QImage i(QSize(qRound(210 / 25.4 * dpi), qRound(297 / 25.4 * dpi)), QImage::Format_RGB32);
        i.setDotsPerMeterX(qRound(dpi / 0.0254));
        i.setDotsPerMeterY(qRound(dpi / 0.0254));
        i.fill(Qt::white);
        return i;
    }
};

const char* kTresPaginas = R"(banda maestro alto=5 nuevapagina
  texto x=0 y=0 ancho=150 alto=5 "Avería [NOMBRE] — revisión"
fin
banda pie alto=5
  texto x=0 y=0 ancho=180 alto=5 alinear=derecha "Página [PAGINA] de [PAGINAS]"
fin
)";

TEST_F(Dibujo, ElPdfLlevaCadaPaginaConSusTextos) {
    fuente.filas[0] = {{"Señal ñandú"}, {"Relé 2"}, {"Fusible #3 & R&D"}};
    fuente.columnas = {{"NOMBRE", 0}};
    const InformePreparado informe = Preparar(kTresPaginas);
    ASSERT_EQ(informe.Paginas(), 3);
    QString error;
    const QString ruta = carpeta.archivo("informe.pdf");
    ASSERT_TRUE(GuardarPdf(informe, ruta, error)) << error.toStdString();
    const QStringList paginas = PaginasPdf(ruta);
    ASSERT_EQ(paginas.size(), 3);
    EXPECT_TRUE(paginas[0].contains("Avería Señal ñandú — revisión")) << paginas[0].toStdString();
    EXPECT_TRUE(paginas[0].contains("Página 1 de 3"));
    EXPECT_TRUE(paginas[2].contains("Fusible #3 & R&D"));
    EXPECT_TRUE(paginas[2].contains("Página 3 de 3"));
}

TEST_F(Dibujo, UnPdfQueNoSePuedeEscribirLoDice) {
    fuente.filas[0] = {{"x"}};
    const InformePreparado informe = Preparar(kTresPaginas);
    QString error;
    const QString ruta = carpeta.archivo("no/existe/informe.pdf");
    EXPECT_FALSE(GuardarPdf(informe, ruta, error));
    EXPECT_EQ(error, Texto(38022).arg(ruta));
}

TEST_F(Dibujo, SeEnvianLasPaginasEnElOrdenPedido) {
    fuente.filas[0] = {{"uno"}, {"dos"}, {"tres"}};
    fuente.columnas = {{"NOMBRE", 0}};
    const InformePreparado informe = Preparar(kTresPaginas);
    const QString ruta = carpeta.archivo("orden.pdf");
    {
        QPdfWriter pdf(ruta);
        ASSERT_TRUE(EnviarPaginas(pdf, informe, OrdenPaginas(2, 3, 2, false)));
    }
    const QStringList paginas = PaginasPdf(ruta);
    ASSERT_EQ(paginas.size(), 4);
    EXPECT_TRUE(paginas[0].contains("Avería dos"));
    EXPECT_TRUE(paginas[1].contains("Avería dos"));
    EXPECT_TRUE(paginas[2].contains("Avería tres"));
    EXPECT_TRUE(paginas[3].contains("Avería tres"));
}

// The same millimetres land on the same place of the paper at any resolution.
TEST_F(Dibujo, LasMedidasSonMilimetrosEnCualquierResolucion) {
    const InformePreparado informe = Preparar(R"(pagina izquierda=20 arriba=20
banda titulo alto=40
  marco x=0 y=0 ancho=10 alto=10 fondo=#ff0000 grosor=0
  texto x=20 y=0 ancho=60 alto=10 tamano=20 "MMMM"
  linea x1=0 y1=30 x2=100 y2=30 grosor=1 color=#0000ff
fin
)");
    for (int dpi : {96, 300}) {
        QImage imagen = Imagen(dpi);
        {
            QPainter p(&imagen);
            DibujarPagina(p, informe, 0);
        }
        auto px = [&](qreal mm) { return qRound(mm / 25.4 * dpi); };
        EXPECT_EQ(imagen.pixelColor(px(25), px(25)), QColor(Qt::red)) << dpi;
        EXPECT_EQ(imagen.pixelColor(px(32), px(25)), QColor(Qt::white)) << dpi;
        EXPECT_EQ(imagen.pixelColor(px(60), px(50)), QColor(Qt::blue)) << dpi;
        // Some ink inside the text's box, none to its right.
        int tinta = 0, fuera = 0;
        for (int x = px(40); x < px(100); ++x)
            for (int y = px(20); y < px(30); ++y)
                (imagen.pixelColor(x, y).lightness() < 128 ? tinta : fuera)++;
        EXPECT_GT(tinta, 0) << dpi;
        bool limpio = true;
        for (int x = px(102); x < px(140); ++x)
            for (int y = px(20); y < px(30); ++y)
                limpio = limpio && imagen.pixelColor(x, y) == QColor(Qt::white);
        EXPECT_TRUE(limpio) << dpi;
    }
}

}  // namespace
