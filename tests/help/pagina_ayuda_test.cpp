#include <gtest/gtest.h>

#include <QDate>
#include <QLocale>

#include "CarpetaTemporal.h"
#include "Instalacion.h"
#include "PaginaAyuda.h"

namespace {

class PaginaAyudaTest : public ::testing::Test {
protected:
    QString expandir(const QString& html) {
        return ExpandirDirectivas(html, carpeta.archivo("Help/gestion"));
    }

    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
};

TEST_F(PaginaAyudaTest, ReferenciasDeUnaPagina) {
    carpeta.escribir("Help/Acceso/acceso.htm", "");
    carpeta.escribir("Help/gestion/capturas/puesto.png", "");
    const QString gestion = carpeta.archivo("Help/gestion");
    struct Caso {
        const char* nombre;
        QString archivo;
    } casos[] = {
        {"capturas/puesto.png", carpeta.archivo("Help/gestion/capturas/puesto.png")},
        {"CAPTURAS/Puesto.PNG", carpeta.archivo("Help/gestion/capturas/puesto.png")},
        {"alumnos.htm#borrar", carpeta.archivo("Help/gestion/alumnos.htm")},
        {"../reparacion/conexion.htm", carpeta.archivo("Help/reparacion/conexion.htm")},
        {"mi%20pagina.htm", carpeta.archivo("Help/gestion/mi pagina.htm")},
        {"acceso.htm", carpeta.archivo("Help/Acceso/acceso.htm")},
        {"../../otra/ACCESO.HTM", carpeta.archivo("Help/Acceso/acceso.htm")},
        {"acceder1.htm", carpeta.archivo("Help/Acceso/acceder1.htm")},
        {"Acceder2.htm#paso", carpeta.archivo("Help/Acceso/Acceder2.htm")},
        {"C:\\Ayuda\\pagina.htm", "C:\\Ayuda\\pagina.htm"},
    };
    for (const Caso& c : casos) EXPECT_EQ(ResolverReferencia(c.nombre, gestion), c.archivo) << c.nombre;
}

TEST_F(PaginaAyudaTest, FechaYHoraDelSistema) {
    const QString fecha = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    EXPECT_EQ(expandir("<p>Hoy es <!--#date-->.</p>"), "<p>Hoy es " + fecha + ".</p>");
    const QString hora = expandir("<!-- #TIME -->");
    EXPECT_FALSE(hora.contains("#"));
    EXPECT_FALSE(hora.isEmpty());
    EXPECT_EQ(expandir("<!-- comentario -->"), "<!-- comentario -->");
}

TEST_F(PaginaAyudaTest, IncluirPoneElArchivoConSusPropiasDirectivas) {
    carpeta.escribir("Help/gestion/pie.htm", "<p>pie <!--#include FILE=\"comun/firma.htm\"--></p>");
    carpeta.escribir("Help/gestion/comun/firma.htm", "firma");
    EXPECT_EQ(expandir("a<!--#include file=\"pie.htm\" -->b"), "a<p>pie firma</p>b");
}

TEST_F(PaginaAyudaTest, IncluirLoQueNoSePuedeLeerNoDaNada) {
    carpeta.escribir("Help/gestion/yo.htm", "[<!--#include FILE=\"yo.htm\"-->]");
    carpeta.escribir("Help/gestion/a.htm", "a<!--#include FILE=\"b.htm\"-->");
    carpeta.escribir("Help/gestion/b.htm", "b<!--#include FILE=\"a.htm\"-->");
    carpeta.escribir("Help/gestion/carpeta/x", "");
    struct Caso {
        const char* html;
        const char* resultado;
    } casos[] = {
        {"1<!--#include FILE=\"no-existe.htm\"-->2", "12"},
        {"1<!--#include FILE=\"carpeta\"-->2", "12"},
        {"1<!--#include-->2", "12"},
        {"<!--#include FILE=\"yo.htm\"-->", "[]"},
        {"<!--#include FILE=\"a.htm\"-->", "ab"},
    };
    for (const Caso& c : casos) EXPECT_EQ(expandir(c.html), c.resultado) << c.html;
}

TEST_F(PaginaAyudaTest, IncluirSeDetieneMasAllaDeOchoNiveles) {
    for (int i = 1; i <= 9; ++i)
        carpeta.escribir(QString("Help/gestion/n%1.htm").arg(i),
                         QString("%1<!--#include FILE=\"n%2.htm\"-->").arg(i).arg(i + 1).toUtf8());
    carpeta.escribir("Help/gestion/n10.htm", "10");
    EXPECT_EQ(expandir("<!--#include FILE=\"n1.htm\"-->"), "12345678");
}

TEST(MarcosDeAyuda, ElConjuntoSeLeeEnOrden) {
    const QList<MarcoAyuda> marcos = LeerMarcos(
        "<FRAMESET cols=\"30%,*\"><FRAME NAME=temas SRC=\"temas.htm\" scrolling=auto>\n"
        "<frame src='provocaraveria.htm#pasos' name='contenido'><noframes><frame></noframes></frameset>");
    ASSERT_EQ(marcos.size(), 2);
    EXPECT_EQ(marcos[0].nombre, "temas");
    EXPECT_EQ(marcos[0].fuente, "temas.htm");
    EXPECT_EQ(marcos[1].nombre, "contenido");
    EXPECT_EQ(marcos[1].fuente, "provocaraveria.htm#pasos");
    EXPECT_TRUE(LeerMarcos("<html><body><p>frame</p></body></html>").isEmpty());
}

TEST(MarcosDeAyuda, TituloDeLaPagina) {
    EXPECT_EQ(TituloPagina("<head><TITLE>\n  Provocar   una avería\n</TITLE></head>"), "Provocar una avería");
    EXPECT_EQ(TituloPagina("<body>sin título</body>"), "");
}

TEST(MarcosDeAyuda, SoloLosEnlacesAOtraVentanaSeMarcan) {
    EXPECT_EQ(MarcarVentanasNuevas("<a target=\"_blank\" href=\"a.htm\">a</a> <a href=b.htm target=_NEW>b</a>"
                                   " <a href=\"c.htm\" target=\"contenido\">c</a>"),
              "<a target=\"_blank\" href=\"" + kPrefijoVentanaNueva +
                  "a.htm\">a</a> <a href=" + kPrefijoVentanaNueva +
                  "b.htm target=_NEW>b</a> <a href=\"c.htm\" target=\"contenido\">c</a>");
}

}  // namespace
