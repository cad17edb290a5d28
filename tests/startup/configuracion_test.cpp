#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "Configuracion.h"
#include "Ini.h"
#include "Instalacion.h"

namespace {

// An installation folder with an optional configuration file.
class ConfiguracionTest : public ::testing::Test {
protected:
    void escribirIni(const QByteArray& contenido) { carpeta.escribir("averias.ini", contenido); }

    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
};

TEST_F(ConfiguracionTest, SinArchivoTodoTomaSuValorPorDefecto) {
    EXPECT_EQ(LeerTipoDumet(), "VIVUZUV");
    EXPECT_EQ(LeerColor(), 0x008292EAu);
    EXPECT_EQ(LeerNivelReparacion(), 3);
    EXPECT_EQ(LeerNivelSintoma(), 2);
    EXPECT_FALSE(LeerCaratulas());
    QStringList lista{"resto"};
    LeerListaCaratulas(7, lista);
    EXPECT_TRUE(lista.isEmpty());
    EXPECT_EQ(LeerIni(Instalacion::ArchivoConfiguracion(), "General", "Profesor"), "");
    EXPECT_EQ(RutaIcono(), carpeta.ruta() + "/images/VIVUZUV.ico");
}

TEST_F(ConfiguracionTest, NivelSintomaIlegibleDaTresYAusenteDaDos) {
    escribirIni("[Opciones]\r\nNivelSintoma=dos\r\nNivelReparacion=x\r\n");
    EXPECT_EQ(LeerNivelSintoma(), 3);
    EXPECT_EQ(LeerNivelReparacion(), 3);
    escribirIni("[Opciones]\r\nNivelReparacion=2\r\n");
    EXPECT_EQ(LeerNivelSintoma(), 2);
    EXPECT_EQ(LeerNivelReparacion(), 2);
}

TEST_F(ConfiguracionTest, CaratulasSoloConTRUEEnMayusculas) {
    escribirIni("[opciones]\ncaratulas=true\n");
    EXPECT_FALSE(LeerCaratulas());
    escribirIni("[OPCIONES]\nCARATULAS=TRUE\n");
    EXPECT_TRUE(LeerCaratulas());
}

TEST_F(ConfiguracionTest, ElColorSigueAlTipoDeInstalacion) {
    escribirIni("[Opciones]\nTipoDumet=AULA\n[Colores]\nColorVIVUZUV=$00FF0000\nColorAULA=13559037\n");
    EXPECT_EQ(LeerTipoDumet(), "AULA");
    EXPECT_EQ(LeerColor(), 13559037u);
    EXPECT_EQ(RutaIcono(), carpeta.ruta() + "/images/AULA.ico");
}

TEST_F(ConfiguracionTest, UnTipoQueNoEsUnNombreSimpleDaElTipoPorDefecto) {
    // The type is joined into a picture path: it must never reach outside "images".
    const struct {
        const char* valor;
        const char* tipo;
    } casos[] = {{"Aula_2-B", "Aula_2-B"},
                 {"../../../etc/passwd", "VIVUZUV"},
                 {"..\\\\..\\\\secreto", "VIVUZUV"},
                 {"AULA/otro", "VIVUZUV"},
                 {"AULA.ico", "VIVUZUV"},
                 {"AULA 2", "VIVUZUV"},
                 {"Año", "VIVUZUV"}};
    for (const auto& c : casos) {
        escribirIni(QString("[Opciones]\nTipoDumet=%1\n").arg(QString::fromUtf8(c.valor)).toUtf8());
        EXPECT_EQ(LeerTipoDumet(), c.tipo) << c.valor;
        EXPECT_EQ(RutaIcono(), carpeta.ruta() + "/images/" + c.tipo + ".ico") << c.valor;
    }
}

TEST_F(ConfiguracionTest, UnValorEditadoSeVeEnLaLecturaSiguiente) {
    escribirIni("[Opciones]\nNivelReparacion=1\n");
    EXPECT_EQ(LeerNivelReparacion(), 1);
    escribirIni("[Opciones]\nNivelReparacion=2\n");
    EXPECT_EQ(LeerNivelReparacion(), 2);
}

struct CasoColor {
    const char* valor;
    std::uint32_t esperado;
};

class ColorTest : public ConfiguracionTest, public ::testing::WithParamInterface<CasoColor> {};

TEST_P(ColorTest, SeConvierteComoEntero) {
    escribirIni(QByteArray("[Colores]\nColorVIVUZUV=") + GetParam().valor + "\n");
    EXPECT_EQ(LeerColor(), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(Valores, ColorTest,
                         ::testing::Values(CasoColor{"13559037", 13559037u},
                                           CasoColor{"$00CEE4FD", 0x00CEE4FDu}, CasoColor{"$ff", 0xFFu},
                                           CasoColor{"clRed", 4218364u}, CasoColor{"", 4218364u},
                                           CasoColor{"$", 4218364u}, CasoColor{"12abc", 4218364u}));

struct CasoLista {
    const char* valor;
    QStringList esperado;
};

class ListaCaratulasTest : public ::testing::TestWithParam<CasoLista> {};

TEST_P(ListaCaratulasTest, SeParteEnLasComas) {
    EXPECT_EQ(PartirListaCaratulas(GetParam().valor), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(Valores, ListaCaratulasTest,
                         ::testing::Values(CasoLista{"7,12,15,", {"7", "12", "15"}},
                                           CasoLista{"7,12,", {"7", "12"}}, CasoLista{",", {}},
                                           CasoLista{"", {}},
                                           // Without the final comma the last item is still taken.
                                           CasoLista{"7,12", {"7", "12"}}, CasoLista{"7", {}}));

TEST_F(ConfiguracionTest, LaListaDeCaratulasSeLeePorCodigo) {
    escribirIni("[Caratulas]\n7=7,12,\n8=3,\n");
    QStringList lista;
    LeerListaCaratulas(7, lista);
    EXPECT_EQ(lista, (QStringList{"7", "12"}));
    LeerListaCaratulas(9, lista);
    EXPECT_TRUE(lista.isEmpty());
}

}  // namespace
