#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "Idioma.h"
#include "TextoArchivo.h"

namespace {

class IdiomaTest : public ::testing::Test {
protected:
    void usar(const QByteArray& contenido) {
        guarda.reset();
        guarda = std::make_unique<IdiomaTemporal>(carpeta.escribir("idioma.lng", contenido));
    }
    CarpetaTemporal carpeta;
    std::unique_ptr<IdiomaTemporal> guarda;
};

TEST_F(IdiomaTest, BuscaDesdeElPrincipioEnCualquierOrden) {
    usar("5 Sí\r\n6 No\r\n107 Contraseña incorrecta\r\n");
    EXPECT_EQ(Texto(107), QString::fromUtf8("Contraseña incorrecta"));
    EXPECT_EQ(Texto(6), "No");
    EXPECT_EQ(Texto(5), QString::fromUtf8("Sí"));
}

TEST_F(IdiomaTest, UnNumeroQueNoEstaDaElTextoDeLaUltimaEntrada) {
    usar("5 Sí\r\n6 No\r\n107 Último\r\n");
    EXPECT_EQ(Texto(108), QString::fromUtf8("Último"));
    EXPECT_EQ(Texto(1), QString::fromUtf8("Último"));
}

TEST_F(IdiomaTest, SeparadoresYBlancos) {
    usar("  \r\n1  con espacio\r\n2\tcon tabulador\n\n3\r\n4 fin  \r\n");
    EXPECT_EQ(Texto(1), " con espacio");
    EXPECT_EQ(Texto(2), "con tabulador");
    EXPECT_EQ(Texto(3), "");
    EXPECT_EQ(Texto(4), "fin  ");
}

TEST_F(IdiomaTest, UnaLineaIlegibleSeSaltaSeAvisaUnaVezYElRestoSeLee) {
    // One bad line must not blank every text after it.
    const struct {
        const char* linea;
        const char* caso;
    } casos[] = {{"Hola mundo", "text without a number"},
                 {"2;dos", "a separator that is no blank"},
                 {"107Contraseña", "the space dropped"},
                 {" dos", "the number dropped"}};
    for (const auto& c : casos) {
        ::testing::internal::CaptureStderr();
        usar("1 uno\r\n" + QByteArray(c.linea) + "\r\n3 tres\r\n4 cuatro\r\n");
        EXPECT_EQ(Texto(1), "uno") << c.caso;
        EXPECT_EQ(Texto(3), "tres") << c.caso;
        EXPECT_EQ(TextoCatalogo(3), "tres") << c.caso;
        EXPECT_EQ(TextoCatalogo(4), "cuatro") << c.caso;
        const std::string aviso = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(aviso.find("idioma.lng:2:"), std::string::npos) << c.caso << ": " << aviso;
        // Reported when the file is read, not at every lookup.
        EXPECT_EQ(aviso.find("idioma.lng:2:"), aviso.rfind("idioma.lng:2:")) << aviso;
    }
}

TEST_F(IdiomaTest, UnaPrimeraLineaIlegibleNoImpideLeerLasDemas) {
    ::testing::internal::CaptureStderr();
    usar("Hola mundo\r\n5 Sí\r\n24000 Acceso\r\n");
    const std::string aviso = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Texto(5), QString::fromUtf8("Sí"));
    EXPECT_EQ(TextoCatalogo(24000), "Acceso");
    EXPECT_NE(aviso.find("idioma.lng:1:"), std::string::npos) << aviso;
}

TEST_F(IdiomaTest, ElCatalogoSigueHaciaDelanteYVuelveAlPrincipioSiHaceFalta) {
    usar("24000 Acceso\r\n24001 Grupo\r\n24002 Contraseña\r\n");
    EXPECT_EQ(TextoCatalogo(24000), "Acceso");
    EXPECT_EQ(TextoCatalogo(24001), "Grupo");
    EXPECT_EQ(TextoCatalogo(24000), "Acceso");
    EXPECT_EQ(TextoCatalogo(24002), QString::fromUtf8("Contraseña"));
    // At the end of the file a higher number starts again from the top.
    EXPECT_EQ(TextoCatalogo(24005), QString::fromUtf8("Contraseña"));
    EXPECT_EQ(TextoCatalogo(24001), "Grupo");
}

TEST_F(IdiomaTest, ContinuarNoVuelveAtrasCuandoElNumeroEsMayor) {
    // Out of order: continuing from 20 never sees 15, which stands before it.
    usar("10 diez\r\n20 veinte\r\n15 quince\r\n30 treinta\r\n");
    EXPECT_EQ(TextoCatalogo(20), "veinte");
    EXPECT_EQ(TextoCatalogo(30), "treinta");
    EXPECT_EQ(TextoCatalogo(15), "quince");
    EXPECT_EQ(Texto(15), "quince");
}

TEST_F(IdiomaTest, SinArchivoTodoEsNada) {
    IdiomaTemporal sin(carpeta.archivo("no-existe.lng"));
    EXPECT_EQ(Texto(1), "nada");
    EXPECT_EQ(TextoCatalogo(24000), "nada");
}

TEST_F(IdiomaTest, ArchivoVacioDaNada) {
    usar("");
    EXPECT_EQ(Texto(1), "nada");
}

TEST_F(IdiomaTest, UnArchivoDeWindowsSeLeeComoWindows1252) {
    usar(
        "1 Contrase\xf1"
        "a \x80\r\n");
    EXPECT_EQ(Texto(1), QString::fromUtf8("Contraseña €"));
}

TEST(TLanguageTest, CambiarAUnArchivoQueNoExisteConservaElAnterior) {
    CarpetaTemporal carpeta;
    TLanguage idioma;
    idioma.setIdiomaFile(carpeta.escribir("a.lng", "1 uno\n"));
    EXPECT_THROW(idioma.setIdiomaFile(carpeta.archivo("b.lng")), ErrorIdioma);
    EXPECT_EQ(idioma.IdiomaFile(), carpeta.archivo("a.lng"));
    EXPECT_EQ(idioma.TextoDesdeInicio(1), "uno");
}

TEST(TextoArchivoTest, DecodificaUtf8ValidoYSiNoWindows1252) {
    EXPECT_EQ(DetectarCodificacion(QString::fromUtf8("año").toUtf8()), CodificacionTexto::Utf8);
    EXPECT_EQ(DetectarCodificacion("a\xf1o"), CodificacionTexto::Windows1252);
    EXPECT_EQ(DecodificarTexto("\x93hola\x94"), QString::fromUtf8("“hola”"));
    QByteArray bytes;
    ASSERT_TRUE(CodificarWindows1252(QString::fromUtf8("€ñ“"), bytes));
    EXPECT_EQ(bytes, QByteArray("\x80\xf1\x93"));
    EXPECT_FALSE(CodificarWindows1252(QString::fromUtf8("中"), bytes));
}

}  // namespace
