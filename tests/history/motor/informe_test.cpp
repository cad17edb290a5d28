#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "FuentePrueba.h"
#include "Idioma.h"
#include "Informe.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"

using namespace informes;

namespace {

class UnInforme : public ::testing::Test {
protected:
    IdiomaTemporal idioma{carpetaFuentes() + "/installation/idioma.lng"};
    MensajesGrabados mensajes;
    CarpetaTemporal carpeta;
    FuentePrueba fuente;
};

TEST_F(UnInforme, UnDisenoIlegibleSeDiceUnaVezYNoSePreparaNada) {
    const QString ruta =
        carpeta.escribir("Informes/Roto.frf", "informe version=1\nbanda maestro alto=5\n  cuadro\nfin\n");
    Informe informe;
    EXPECT_FALSE(informe.CargarDiseno(ruta));
    ASSERT_EQ(mensajes.textos(), QStringList{ruta + ", línea 3: " + Texto(38003).arg("cuadro")});
    EXPECT_EQ(mensajes.mensajes().front().imagen, 2);
    EXPECT_FALSE(informe.Preparar(fuente));
    EXPECT_FALSE(informe.GuardarPdf(carpeta.archivo("x.pdf")));
    // The data source was never asked for anything.
    EXPECT_TRUE(fuente.llamadas.isEmpty());
    EXPECT_FALSE(QFile::exists(carpeta.archivo("x.pdf")));
    EXPECT_EQ(mensajes.textos().size(), 1);
}

TEST_F(UnInforme, CargaPreparaCuentaYGuarda) {
    const QString ruta =
        carpeta.escribir("Informes/Bien.frf",
                         "informe version=1\nbanda maestro alto=5 nuevapagina\n texto x=0 y=0 "
                         "ancho=50 alto=5 \"[V]\"\nfin\n");
    fuente.filas[0] = {{"a"}, {"b"}};
    fuente.columnas = {{"V", 0}};
    Informe informe;
    ASSERT_TRUE(informe.CargarDiseno(ruta));
    ASSERT_TRUE(informe.Preparar(fuente));
    EXPECT_EQ(informe.Paginas(), 2);
    EXPECT_TRUE(informe.GuardarPdf(carpeta.archivo("bien.pdf")));
    EXPECT_TRUE(mensajes.textos().isEmpty());
}

// Every shortened or gapped copy of a shipped layout is either read or refused with a line
// inside the text: the reader never loses its place nor crashes on half a file.
TEST(DisenosMutilados, SeLeenOSeRechazanConSuLinea) {
    IdiomaTemporal idioma{carpetaFuentes() + "/installation/idioma.lng"};
    InstalacionTemporal instalacion{carpetaFuentes() + "/installation"};
    for (const char* nombre : {"Informe3AL", "Informe10"}) {
        QFile f(carpetaFuentes() + "/installation/Informes/" + nombre + ".frf");
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QStringList lineas = QString::fromUtf8(f.readAll()).split('\n');
        for (int n = 0; n < lineas.size(); ++n) {
            for (const QStringList& copia : {lineas.mid(0, n), lineas.mid(0, n) + lineas.mid(n + 1)}) {
                ErrorDiseno error;
                if (!LeerDisenoTexto(copia.join('\n'), nombre, error)) {
                    EXPECT_GE(error.linea, 0);
                    EXPECT_LE(error.linea, std::max<qsizetype>(1, copia.size())) << nombre << " " << n;
                    EXPECT_FALSE(error.mensaje.isEmpty());
                }
            }
            // Half a line.
            QStringList cortada = lineas.mid(0, n + 1);
            cortada.last() = cortada.last().left(cortada.last().size() / 2);
            ErrorDiseno error;
            if (!LeerDisenoTexto(cortada.join('\n'), nombre, error)) {
                EXPECT_LE(error.linea, cortada.size());
            }
        }
    }
}

}  // namespace
