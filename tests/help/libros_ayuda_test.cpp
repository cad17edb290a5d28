#include <gtest/gtest.h>

#include <QFileInfo>

#include "CarpetaTemporal.h"
#include "Instalacion.h"
#include "LibrosAyuda.h"

namespace {

TEST(TemaDeTag, CadaVentanaTieneSuTemaYElInformeCambiaDeLibro) {
    struct Caso {
        int tag, libro;
        const char* tema;
    } casos[] = {
        {1, 1, "generalidades"},
        {7, 1, "contrasena"},
        {8, 1, "imprimirhistoricos"},
        {8, 2, "imprimir"},
        {13, 2, "provocaraveria"},
        {14, 2, "historicos"},
        {20, 1, "historicos"},
        {21, 2, "introduccion"},
        {22, 1, "anadiralumnossubgrupo"},
        {23, 1, "resultados"},
        {5, 3, ""},
        {0, 2, ""},
        {24, 1, ""},
    };
    for (const Caso& c : casos) EXPECT_EQ(TemaDeTag(c.tag, c.libro), c.tema) << c.tag << " en " << c.libro;
}

TEST(ReemplazarPrimeraIntroduccion, SoloLaPrimeraDeLaLinea) {
    struct Caso {
        const char* linea;
        const char* esperada;
    } casos[] = {
        {"<frame src=\"introduccion.htm\">\r\n", "<frame src=\"conexion.htm\">\r\n"},
        {"introduccion.htm introduccion.htm\n", "conexion.htm introduccion.htm\n"},
        {"<frame src=\"temas.htm\">\n", "<frame src=\"temas.htm\">\n"},
        {"INTRODUCCION.HTM\n", "INTRODUCCION.HTM\n"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(ReemplazarPrimeraIntroduccion(c.linea, "conexion"), QByteArray(c.esperada)) << c.linea;
}

// A book folder spelt in other cases than the program writes it, as a copy from Windows
// may leave it.
class PrepararTemaTest : public ::testing::Test {
protected:
    const QByteArray marco =
        "<html><frameset cols=\"25%,*\">\r\n<frame name=\"temas\" src=\"temas.htm\">\r\n"
        "<frame name=\"contenido\" src=\"introduccion.htm\"><!-- introduccion.htm -->\r\n"
        "</frameset>\r\n<p>introduccion.htm</p></html>";
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
};

TEST_F(PrepararTemaTest, LaPaginaDeTemaSeEscribeJuntoAHelpEnLaMismaCarpeta) {
    carpeta.escribir("HELP/Gestion/help.htm", marco);
    const PaginaPreparada p = PrepararTema(*BuscarLibro(1), "alumnos");
    EXPECT_EQ(p.archivo, carpeta.archivo("HELP/Gestion/helpAux.htm"));
    EXPECT_EQ(p.carpetaBase, carpeta.archivo("HELP/Gestion/"));
    EXPECT_EQ(carpeta.leer("HELP/Gestion/helpAux.htm"),
              "<html><frameset cols=\"25%,*\">\r\n<frame name=\"temas\" src=\"temas.htm\">\r\n"
              "<frame name=\"contenido\" src=\"alumnos.htm\"><!-- introduccion.htm -->\r\n"
              "</frameset>\r\n<p>alumnos.htm</p></html>");
}

TEST_F(PrepararTemaTest, SinTemaElLibroEmpiezaPorLaIntroduccion) {
    carpeta.escribir("Help/reparacion/help.htm", marco);
    carpeta.escribir("Help/reparacion/helpAux.htm", "lo que dejó la vez anterior");
    PrepararTema(*BuscarLibro(2), "");
    EXPECT_EQ(carpeta.leer("Help/reparacion/helpAux.htm"), marco);
}

TEST_F(PrepararTemaTest, SiNoSePuedeEscribirJuntoAHelpSeEscribeAparte) {
    carpeta.escribir("Help/reparacion/help.htm", marco);
    // A folder in the way: no file can be written there, even by root.
    carpeta.escribir("Help/reparacion/helpAux.htm/x", "");
    const PaginaPreparada p = PrepararTema(*BuscarLibro(2), "conexion");
    ASSERT_FALSE(p.archivo.isEmpty());
    EXPECT_FALSE(p.archivo.startsWith(carpeta.ruta()));
    EXPECT_EQ(p.carpetaBase, carpeta.archivo("Help/reparacion/"));
    QFile f(p.archivo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("src=\"conexion.htm\""));
}

TEST_F(PrepararTemaTest, SinHelpNoHayPaginaQueMostrar) {
    EXPECT_TRUE(PrepararTema(*BuscarLibro(1), "alumnos").archivo.isEmpty());
}

TEST_F(PrepararTemaTest, ElAccesoNoConstruyeNinguna) {
    carpeta.escribir("help/ACCESO/acceso.htm", "<html></html>");
    const PaginaPreparada p = PrepararTema(*BuscarLibro(3), "");
    EXPECT_EQ(p.archivo, carpeta.archivo("help/ACCESO/acceso.htm"));
    EXPECT_FALSE(QFileInfo::exists(carpeta.archivo("help/ACCESO/helpAux.htm")));
}

TEST_F(PrepararTemaTest, UnaPaginaPedidaPorSuNombre) {
    carpeta.escribir("HELP/Reparacion/conexion.htm", "");
    EXPECT_EQ(ArchivoDePaginaPedida("Help/reparacion/CONEXION.htm"),
              carpeta.archivo("HELP/Reparacion/conexion.htm"));
    EXPECT_EQ(ArchivoDePaginaPedida(carpeta.archivo("otra.htm")), carpeta.archivo("otra.htm"));
}

TEST(BuscarLibro, SoloHayTresLibros) {
    EXPECT_EQ(BuscarLibro(0), nullptr);
    EXPECT_EQ(BuscarLibro(4), nullptr);
    EXPECT_FALSE(BuscarLibro(3)->conTemas);
}

TEST(PaginaDeLineaDeOrdenes, LoQueSigueAlProgramaSinComillas) {
    struct Caso {
        const char* linea;
        const char* pagina;
    } casos[] = {
        {"averias C:\\Help\\gestion\\alumnos.htm", "C:\\Help\\gestion\\alumnos.htm"},
        {"\"C:\\Archivos de programa\\averias.exe\" \"C:\\Help\\a b.htm#x\"", "C:\\Help\\a b.htm#x"},
        {"  averias   \"pagina.htm\"  ", "pagina.htm"},
        {"averias", ""},
        {"\"C:\\sin cierre", ""},
    };
    for (const Caso& c : casos) EXPECT_EQ(PaginaDeLineaDeOrdenes(c.linea), c.pagina) << c.linea;
    EXPECT_EQ(PaginaDeArgumentos({"/opt/a b/averias", "\"/tmp/x.htm\""}), "/tmp/x.htm");
}

}  // namespace
