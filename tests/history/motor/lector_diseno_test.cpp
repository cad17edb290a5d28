#include <gtest/gtest.h>
#include <QBuffer>
#include <QImage>

#include "CarpetaTemporal.h"
#include "DisenoInforme.h"
#include "Idioma.h"
#include "Instalacion.h"

using namespace informes;

namespace {

class LectorDiseno : public ::testing::Test {
protected:
    IdiomaTemporal idioma{carpetaFuentes() + "/installation/idioma.lng"};
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
};

struct CasoMalo {
    const char* nombre;
    const char* texto;
    int linea;
    int mensaje;   // language text
    QString dato;  // its first argument, when it has one
};

// Each case is one fault a person editing a layout can make; the message names the line.
const CasoMalo kMalos[] = {
    {"SinCabecera", "banda titulo alto=10\nfin\n", 1, 38018, {}},
    {"VersionDesconocida", "informe version=2\n", 1, 38018, {}},
    {"PalabraDesconocida", "informe version=1\nbanda titulo alto=10\n  circulo x=1\nfin\n", 3, 38003,
     "circulo"},
    {"ClaveDesconocida", "informe version=1\nbanda titulo alto=10 color=red\nfin\n", 2, 38003, "color"},
    {"TipoDeBandaDesconocido", "informe version=1\nbanda lateral alto=10\nfin\n", 2, 38006, "lateral"},
    {"FaltaElAlto", "informe version=1\nbanda titulo\nfin\n", 2, 38004, "alto"},
    {"MedidaNoNumerica", "informe version=1\nbanda titulo alto=diez\nfin\n", 2, 38005, "diez"},
    {"MedidaNegativa", "informe version=1\nbanda titulo alto=10\nlinea x1=0 y1=-1 x2=3 y2=1\nfin\n", 3, 38005,
     "-1"},
    {"ColorMalo",
     "informe version=1\nbanda titulo alto=10\nmarco x=0 y=0 ancho=5 alto=5 fondo=verdoso\nfin\n", 3, 38006,
     "verdoso"},
    {"TextoSinComillas", "informe version=1\nbanda titulo alto=10\ntexto x=0 y=0 ancho=5 alto=5\nfin\n", 3,
     38004, "\"…\""},
    {"ComillasAbiertas",
     "informe version=1\nbanda titulo alto=10\ntexto x=0 y=0 ancho=5 alto=5 \"Hola\nfin\n",
     3,
     38016,
     {}},
    {"ObjetoFueraDeBanda", "informe version=1\ntexto x=0 y=0 ancho=5 alto=5 \"a\"\n", 2, 38007, {}},
    {"BandaSinFin", "informe version=1\nbanda titulo alto=10\n\nbanda pie alto=5\nfin\n", 4, 38008, "2"},
    {"BandaSinFinAlFinal", "informe version=1\nbanda titulo alto=10\n", 2, 38008, "2"},
    {"FinSinBanda", "informe version=1\nfin\n", 2, 38009, {}},
    {"SaleDeLaBanda", "informe version=1\nbanda titulo alto=10\ntexto x=0 y=6 ancho=5 alto=5 \"a\"\nfin\n", 3,
     38010, "10"},
    {"SaleDelAncho", "informe version=1\nbanda titulo alto=10\nlinea x1=0 y1=0 x2=181 y2=0\nfin\n", 3, 38011,
     "180"},
    {"ImagenQueNoEsta",
     "informe version=1\nbanda titulo alto=10\nimagen x=0 y=0 ancho=5 alto=5 "
     "archivo=\"images\\No.png\"\nfin\n",
     3, 38012, "images\\No.png"},
    {"DosTitulos", "informe version=1\nbanda titulo alto=10\nfin\nbanda titulo alto=10\nfin\n", 4, 38013,
     "titulo"},
    {"DetalleSinMaestro", "informe version=1\nbanda detalle alto=10\nfin\n", 2, 38014, "detalle"},
    {"SubdetalleSinDetalle", "informe version=1\nbanda maestro alto=5\nfin\nbanda subdetalle alto=5\nfin\n",
     4, 38014, "subdetalle"},
    {"GrupoDeBandaQueNoExiste",
     "informe version=1\nbanda maestro alto=5\nfin\nbanda piegrupo alto=5 de=alumnos\nfin\n", 4, 38015,
     "alumnos"},
    {"PieDeGrupoSinDatos", "informe version=1\nbanda piegrupo alto=5\nfin\nbanda maestro alto=5\nfin\n", 2,
     38014, "piegrupo"},
    {"DatosFueraDeRango", "informe version=1\nbanda maestro alto=5 datos=4\nfin\n", 2, 38006, "4"},
    {"CorcheteSinCerrar",
     "informe version=1\nbanda titulo alto=10\ntexto x=0 y=0 ancho=50 alto=5 \"[NOMBRE\"\nfin\n",
     3,
     38019,
     {}},
    {"TotalDesconocido",
     "informe version=1\nbanda maestro alto=5\nfin\nbanda resumen alto=5\ntexto x=0 y=0 ancho=50 alto=5 "
     "\"[MEDIA(maestro)]\"\nfin\n",
     5, 38020, "MEDIA(maestro)"},
    {"TotalDeBandaQueNoExiste",
     "informe version=1\nbanda maestro alto=5\nfin\nbanda resumen alto=5\ntexto x=0 y=0 ancho=50 alto=5 "
     "\"[CUENTA(alumnos)]\"\nfin\n",
     5, 38015, "alumnos"},
    {"ClaveRepetida", "informe version=1\nbanda titulo alto=10 alto=12\nfin\n", 2, 38024, "alto"},
    {"SinSitioParaDatos",
     "informe version=1\nbanda cabecera alto=150\nfin\nbanda pie alto=150\nfin\n",
     0,
     38023,
     {}},
    {"MargenesSinSitio", "informe version=1\npagina izquierda=100 derecha=100\n", 2, 38025, {}},
    {"SinBandas", "informe version=1\n", 0, 38017, {}},
};

class LayoutsMalos : public LectorDiseno, public ::testing::WithParamInterface<CasoMalo> {};

TEST_P(LayoutsMalos, DiceArchivoLineaYMotivo) {
    const CasoMalo& c = GetParam();
    ErrorDiseno error;
    const auto d = LeerDisenoTexto(QString::fromUtf8(c.texto), "Informes\\Prueba.frf", error);
    ASSERT_FALSE(d.has_value());
    EXPECT_EQ(error.archivo, "Informes\\Prueba.frf");
    EXPECT_EQ(error.linea, c.linea);
    QString esperado = Texto(c.mensaje);
    if (!c.dato.isNull()) esperado = esperado.arg(c.dato);
    // Up to the arguments the case does not name.
    const QString prefijo =
        esperado.left(esperado.indexOf('%') < 0 ? esperado.size() : esperado.indexOf('%'));
    EXPECT_TRUE(error.mensaje.startsWith(prefijo)) << error.mensaje.toStdString();
    if (c.linea > 0) {
        EXPECT_TRUE(error.Texto().startsWith(QString("Informes\\Prueba.frf, línea %1: ").arg(c.linea)))
            << error.Texto().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, LayoutsMalos, ::testing::ValuesIn(kMalos),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

TEST_F(LectorDiseno, UnArchivoQueNoSeAbreDiceSuRuta) {
    ErrorDiseno error;
    const QString ruta = carpeta.archivo("Informes/NoEsta.frf");
    EXPECT_FALSE(LeerDiseno(ruta, error).has_value());
    EXPECT_EQ(error.linea, 0);
    EXPECT_TRUE(error.Texto().startsWith(ruta + ": " + Texto(38002))) << error.Texto().toStdString();
}

TEST_F(LectorDiseno, LeeBandasObjetosYEnlaces) {
    carpeta.escribir("images/Logo.png", [] {
        QByteArray png;
        QImage i(4, 2, QImage::Format_ARGB32);
        i.fill(Qt::red);
        QBuffer b(&png);
        i.save(&b, "PNG");
        return png;
    }());
    const char* texto = R"(# comentario
informe version=1
pagina ancho=297 alto=210 izquierda=10 derecha=10 arriba=8 abajo=8
letra familia="DejaVu Serif" tamano=10
banda titulo alto=20
  imagen x=0 y=0 ancho=20 alto=10 archivo="IMAGES\logo.png"
  texto x=25 y=0 ancho=100 alto=8 tamano=14 negrita alinear=centro vertical=medio "Dice ""hola"" [[1]"
fin
banda cabeceragrupo alto=6 clave="[NOMBRE]" nuevapagina
fin
banda maestro nombre=alumnos alto=5
  texto x=0 y=0 ancho=40 alto=5 sinajuste estirar cursiva color=#336699 fondo=#eeeeee borde=0.2 "[NOMBRE]"
fin
banda detalle alto=5
  linea x1=0 y1=0 x2=200 y2=0 grosor=0,5 discontinua
fin
banda subdetalle alto=5 datos=1
  marco x=0 y=0 ancho=20 alto=5 redondeo=1
fin
banda piegrupo alto=5 de=ALUMNOS
  texto x=0 y=0 ancho=40 alto=5 "[CUENTA(alumnos; NOMBRE)] [SUMATIEMPO(detalle; DURACION)]"
fin
)";
    ErrorDiseno error;
    const auto d = LeerDisenoTexto(texto, "x.frf", error);
    ASSERT_TRUE(d) << error.Texto().toStdString();
    EXPECT_EQ(d->pagina, QSizeF(297, 210));
    EXPECT_EQ(d->AnchoUtil(), 277);
    ASSERT_EQ(d->bandas.size(), 6);
    const Banda& titulo = d->bandas[0];
    EXPECT_EQ(d->titulo, 0);
    EXPECT_EQ(titulo.objetos[0].imagen.size(), QSize(4, 2));
    const Objeto& t = titulo.objetos[1];
    EXPECT_EQ(t.texto, "Dice \"hola\" [[1]");
    EXPECT_EQ(t.letra.familia, "DejaVu Serif");
    EXPECT_EQ(t.letra.tamano, 14);
    EXPECT_TRUE(t.letra.negrita);
    EXPECT_EQ(t.alineacion, Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_EQ(d->maestros, QList<int>{2});
    const Banda& maestro = d->bandas[2];
    EXPECT_EQ(maestro.datos, 1);
    EXPECT_EQ(maestro.hijas, QList<int>{3});
    EXPECT_EQ(maestro.cabeceraGrupo, 1);
    EXPECT_EQ(maestro.pieGrupo, 5);
    EXPECT_TRUE(d->bandas[1].nuevaPagina);
    EXPECT_EQ(d->bandas[1].clave, "[NOMBRE]");
    const Objeto& nombre = maestro.objetos[0];
    EXPECT_FALSE(nombre.ajustar);
    EXPECT_TRUE(nombre.estirar);
    EXPECT_TRUE(nombre.letra.cursiva);
    EXPECT_EQ(nombre.letra.tamano, 10);
    EXPECT_EQ(nombre.color, QColor("#336699"));
    EXPECT_EQ(d->bandas[3].datos, 2);
    EXPECT_EQ(d->bandas[3].hijas, QList<int>{4});
    EXPECT_EQ(d->bandas[3].objetos[0].grosor, 0.5);
    EXPECT_TRUE(d->bandas[3].objetos[0].discontinua);
    EXPECT_EQ(d->bandas[4].datos, 1);
    EXPECT_EQ(d->bandas[4].objetos[0].redondeo, 1);
}

}  // namespace
