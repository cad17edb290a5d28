#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "FuentePrueba.h"
#include "Idioma.h"
#include "PaginasInforme.h"

using namespace informes;

namespace {

class Paginas : public ::testing::Test {
protected:
    IdiomaTemporal idioma{carpetaFuentes() + "/installation/idioma.lng"};
    FuentePrueba fuente;
    OpcionesInforme opciones;

    Paginas() { opciones.ahora = QDateTime(QDate(2026, 3, 9), QTime(8, 5)); }

    InformePreparado Preparar(const QString& texto) {
        ErrorDiseno error;
        const auto d = LeerDisenoTexto("informe version=1\n" + texto, "prueba.frf", error);
        EXPECT_TRUE(d) << error.Texto().toStdString();
        QString fallo;
        auto informe = PrepararInforme(*d, fuente, opciones, fallo);
        EXPECT_TRUE(informe) << fallo.toStdString();
        return informe.value_or(InformePreparado{});
    }

    static QList<QStringList> Filas(int n, const QString& prefijo) {
        QList<QStringList> filas;
        for (int i = 1; i <= n; ++i) filas << QStringList{prefijo + QString::number(i)};
        return filas;
    }
};

// A page 100 mm high with 10 mm margins leaves 80 mm: a 10 mm header, a 10 mm footer and 60 mm
// of records.
const char* kPaginado = R"(pagina ancho=100 alto=100 izquierda=10 derecha=10 arriba=10 abajo=10
banda titulo alto=15
  texto x=0 y=0 ancho=80 alto=10 "Título [GRUPO]"
fin
banda cabecera alto=10
  texto x=0 y=0 ancho=80 alto=10 "Cabecera"
fin
banda maestro alto=10
  texto x=0 y=0 ancho=80 alto=10 "[NOMBRE]"
fin
banda resumen alto=10
  texto x=0 y=0 ancho=80 alto=10 "Total: [CUENTA(maestro)]"
fin
banda pie alto=10
  texto x=0 y=0 ancho=80 alto=10 "Página [PAGINA] de [PAGINAS] · [FECHA] [HORA]"
fin
)";

TEST_F(Paginas, LasBandasFijasSeRepitenYLosRegistrosPasanDePagina) {
    fuente.filas[0] = Filas(12, "R");
    fuente.columnas = {{"NOMBRE", 0}};
    opciones.constantes = {{"GRUPO", "1º A"}};
    const InformePreparado informe = Preparar(kPaginado);
    // Page 1: title 15 + header 10 leave 45 mm: four records; later pages hold six.
    ASSERT_EQ(informe.Paginas(), 3);
    EXPECT_EQ(informe.Textos(0), (QStringList{"Título 1º A", "Cabecera", "R1", "R2", "R3", "R4",
                                              "Página 1 de 3 · 09/03/2026 08:05"}));
    EXPECT_EQ(informe.Textos(1), (QStringList{"Cabecera", "R5", "R6", "R7", "R8", "R9", "R10",
                                              "Página 2 de 3 · 09/03/2026 08:05"}));
    EXPECT_EQ(informe.Textos(2),
              (QStringList{"Cabecera", "R11", "R12", "Total: 12", "Página 3 de 3 · 09/03/2026 08:05"}));
    // The footer sits at the bottom of the page whatever is above it.
    const auto& pie = informe.paginas[2].elementos.last();
    EXPECT_EQ(pie.caja.top(), 80);
    EXPECT_EQ(pie.caja.left(), 10);
}

TEST_F(Paginas, SinRegistrosQuedaUnaPaginaConTituloYTotalCero) {
    fuente.columnas = {{"NOMBRE", 0}};
    const InformePreparado informe = Preparar(kPaginado);
    ASSERT_EQ(informe.Paginas(), 1);
    EXPECT_EQ(informe.Textos(0),
              (QStringList{"Título ", "Cabecera", "Total: 0", "Página 1 de 1 · 09/03/2026 08:05"}));
}

TEST_F(Paginas, LosConjuntosSeRecorrenAnidadosEntreInicioYFinDeDocumento) {
    fuente.filas[0] = {{"M1"}, {"M2"}};
    fuente.filas[1] = {{"D1"}};
    fuente.filas[2] = {{"S1"}, {"S2"}};
    fuente.columnas = {{"V", 0}};
    const InformePreparado informe = Preparar(R"(
banda maestro alto=5
  texto x=0 y=0 ancho=50 alto=5 "maestro [V]"
fin
banda detalle alto=5
  texto x=0 y=0 ancho=50 alto=5 "detalle [V]"
fin
banda subdetalle alto=5
  texto x=0 y=0 ancho=50 alto=5 "subdetalle [V]"
fin
)");
    EXPECT_EQ(informe.Textos(0), (QStringList{"maestro M1", "detalle D1", "subdetalle S1", "subdetalle S2",
                                              "maestro M2", "detalle D1", "subdetalle S1", "subdetalle S2"}));
    EXPECT_EQ(fuente.llamadas.first(), "inicio");
    EXPECT_EQ(fuente.llamadas.last(), "fin");
    EXPECT_EQ(fuente.llamadas.mid(1, 4), (QStringList{"primero 1", "primero 2", "primero 3", "siguiente 3"}));
    EXPECT_EQ(fuente.llamadas.count("primero 2"), 2);
    EXPECT_EQ(fuente.llamadas.count("fin"), 1);
}

TEST_F(Paginas, DosMaestrosSeguidosSobreConjuntosDistintos) {
    fuente.filas[0] = {{"Ana"}, {"Luis"}};
    fuente.filas[1] = {{"Equipo 1"}};
    fuente.columnas = {{"NOMBRE", 0}};
    const InformePreparado informe = Preparar(R"(
banda maestro alto=5
  texto x=0 y=0 ancho=50 alto=5 "Alumno [NOMBRE]"
fin
banda maestro datos=2 alto=5
  texto x=0 y=0 ancho=50 alto=5 "Subgrupo [NOMBRE]"
fin
)");
    EXPECT_EQ(informe.Textos(0), (QStringList{"Alumno Ana", "Alumno Luis", "Subgrupo Equipo 1"}));
}

// Rows as the all-students report writes them: the name only on an owner's first row.
TEST_F(Paginas, GruposPorClaveConTotalesDelGrupoYDelInforme) {
    fuente.filas[0] = {{"Ana", "101", "Sí", "00:10:00"},
                       {" ", "102", "No", "0d 01:00:30"},
                       {" ", " ", " ", " "},  // another location of the same fault
                       {"Luis", "101", "Sí", "1d 00:05:00"}};
    fuente.columnas = {{"NOMBRE", 0}, {"IDAVERIA", 1}, {"REPARADA", 2}, {"DURACION", 3}};
    const InformePreparado informe = Preparar(R"(
banda cabeceragrupo alto=5 clave="[NOMBRE]"
  texto x=0 y=0 ancho=80 alto=5 "== [NOMBRE]"
fin
banda maestro alto=5
  texto x=0 y=0 ancho=80 alto=5 "[IDAVERIA]"
fin
banda piegrupo alto=5
  texto x=0 y=0 ancho=80 alto=5 "[CUENTA(;IDAVERIA)] averías, [CUENTA(maestro;REPARADA;sí)] reparadas, [SUMATIEMPO(;DURACION)]"
fin
banda resumen alto=5
  texto x=0 y=0 ancho=80 alto=5 "Filas [CUENTA(maestro)], averías [CUENTA(maestro; IDAVERIA)], tiempo [SUMATIEMPO(maestro; DURACION)]"
fin
)");
    EXPECT_EQ(informe.Textos(0),
              (QStringList{"== Ana", "101", "102", "", "2 averías, 1 reparadas, 01:10:30", "== Luis", "101",
                           "1 averías, 1 reparadas, 24:05:00", "Filas 4, averías 3, tiempo 25:15:30"}));
}

TEST_F(Paginas, UnaCabeceraDeGrupoSinClaveEnvuelveCadaTandaDeDetalles) {
    fuente.filas[0] = {{"M1"}, {"M2"}};
    fuente.filas[1] = {{"D1"}, {"D2"}};
    fuente.columnas = {{"V", 0}};
    const InformePreparado informe = Preparar(R"(
banda maestro alto=5
fin
banda cabeceragrupo alto=5
  texto x=0 y=0 ancho=80 alto=5 "abre [V]"
fin
banda detalle alto=5
  texto x=0 y=0 ancho=80 alto=5 "[V]"
fin
banda piegrupo alto=5
  texto x=0 y=0 ancho=80 alto=5 "cierra [CUENTA()]"
fin
)");
    EXPECT_EQ(informe.Textos(0),
              (QStringList{"abre D1", "D1", "D2", "cierra 2", "abre D1", "D1", "D2", "cierra 2"}));
}

TEST_F(Paginas, UnGrupoConNuevaPaginaEmpiezaPagina) {
    fuente.filas[0] = {{"A"}, {"A"}, {"B"}};
    fuente.columnas = {{"V", 0}};
    const InformePreparado informe = Preparar(R"(
banda cabeceragrupo alto=5 clave="[V]" nuevapagina
  texto x=0 y=0 ancho=80 alto=5 "grupo [V]"
fin
banda maestro alto=5
  texto x=0 y=0 ancho=80 alto=5 "[V]"
fin
)");
    ASSERT_EQ(informe.Paginas(), 2);
    EXPECT_EQ(informe.Textos(0), (QStringList{"grupo A", "A", "A"}));
    EXPECT_EQ(informe.Textos(1), (QStringList{"grupo B", "B"}));
}

struct CasoMarcador {
    const char* nombre;
    const char* texto;
    QString esperado;
};

const CasoMarcador kMarcadores[] = {
    {"Variable", "[NOMBRE]", "Zoë"},       {"MinusculasYEspacios", "[ nombre ]", "Zoë"},
    {"Corchete", "[[NOMBRE]", "[NOMBRE]"}, {"DesconocidaQuedaVacia", "<[NADA]>", "<>"},
    {"Constante", "[GRUPO]", "2º B"},      {"ElProgramaPuedeCambiarUnaPropia", "[FECHA]", "hoy"},
    {"Hora", "[HORA]", "08:05"},           {"Varias", "[NOMBRE], [GRUPO] y [NOMBRE]", "Zoë, 2º B y Zoë"},
};

class Marcadores : public Paginas, public ::testing::WithParamInterface<CasoMarcador> {};

TEST_P(Marcadores, SeSustituyen) {
    fuente.filas[0] = {{"Zoë"}};
    fuente.columnas = {{"NOMBRE", 0}};
    fuente.fijas = {{"FECHA", "hoy"}};
    opciones.constantes = {{"GRUPO", "2º B"}};
    const InformePreparado informe = Preparar(
        QString("banda maestro alto=5\n texto x=0 y=0 ancho=150 alto=5 \"%1\"\nfin\n").arg(GetParam().texto));
    EXPECT_EQ(informe.Textos(0), QStringList{GetParam().esperado});
}

INSTANTIATE_TEST_SUITE_P(Casos, Marcadores, ::testing::ValuesIn(kMarcadores),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

TEST_F(Paginas, ElProgramaRecibeCadaVariableConSuNombre) {
    fuente.filas[0] = {{"x"}};
    fuente.notarVariables = true;
    Preparar("banda maestro alto=5\n texto x=0 y=0 ancho=50 alto=5 \"[Nombre] [PAGINA]\"\nfin\n");
    EXPECT_TRUE(fuente.llamadas.contains("variable Nombre"));
    EXPECT_TRUE(fuente.llamadas.contains("variable PAGINA"));
}

TEST_F(Paginas, UnTextoQueCreceEnsanchaSuBandaYLosSaltosDeLineaSeRespetan) {
    fuente.filas[0] = {{"uno dos tres cuatro cinco seis siete ocho nueve diez"}, {"a\r\nb\nc"}, {"corto"}};
    fuente.columnas = {{"V", 0}};
    const InformePreparado informe = Preparar(R"(
banda maestro alto=5
  texto x=0 y=0 ancho=25 alto=5 estirar "[V]"
  texto x=30 y=0 ancho=20 alto=5 "fijo"
fin
)");
    const auto& e = informe.paginas[0].elementos;
    ASSERT_EQ(e.size(), 6);
    EXPECT_GT(e[0].lineas.size(), 2);
    EXPECT_EQ(e[0].lineas.join(' '), "uno dos tres cuatro cinco seis siete ocho nueve diez");
    EXPECT_EQ(e[0].caja.height(), e[0].lineas.size() * e[0].altoLinea);
    // The next record starts below the grown one, and its neighbour kept its height.
    EXPECT_DOUBLE_EQ(e[2].caja.top(), e[0].caja.top() + e[0].caja.height());
    EXPECT_EQ(e[1].caja.height(), 5);
    EXPECT_EQ(e[2].lineas, (QStringList{"a", "b", "c"}));
    EXPECT_DOUBLE_EQ(e[4].caja.top(), e[2].caja.bottom());
    EXPECT_EQ(e[4].caja.height(), 5);
}

TEST_F(Paginas, LoQueNoCabeEnUnaCajaFijaSeCortaConPuntosSuspensivos) {
    fuente.filas[0] = {{"Una observación larguísima que no cabe en una sola línea de la columna"}};
    fuente.columnas = {{"V", 0}};
    const InformePreparado informe = Preparar(R"(
banda maestro alto=5
  texto x=0 y=0 ancho=30 alto=4 "[V]"
  texto x=40 y=0 ancho=30 alto=4 sinajuste "[V]"
fin
)");
    const auto& e = informe.paginas[0].elementos;
    EXPECT_EQ(e[0].lineas.size(), 1);
    EXPECT_TRUE(e[0].lineas[0].endsWith("…"));
    EXPECT_EQ(e[1].lineas.size(), 1);
    EXPECT_TRUE(e[1].lineas[0].startsWith("Una"));
    EXPECT_TRUE(e[1].lineas[0].endsWith("…"));
}

TEST(PartirLineas, UnaPalabraMasAnchaQueLaCajaSeCorta) {
    const QStringList lineas = PartirLineas("ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJ", Letra{}, 20);
    EXPECT_GT(lineas.size(), 1);
    EXPECT_EQ(lineas.join(""), "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJ");
}

// A dataset that never reaches its end (a layout over the wrong dataset) stops the
// preparation with a message instead of hanging, and the end-document still runs.
class SinFin : public FuentePrueba {
public:
    bool FinDatos(int, bool) override { return false; }
};

TEST_F(Paginas, UnConjuntoQueNoTerminaSeCortaConUnMensaje) {
    IdiomaTemporal otro{carpetaFuentes() + "/installation/idioma.lng"};
    SinFin sinFin;
    ErrorDiseno error;
    const auto d = LeerDisenoTexto("informe version=1\nbanda maestro alto=0\nfin\n", "x.frf", error);
    ASSERT_TRUE(d);
    QString fallo;
    opciones.maximoPaginas = 5;
    EXPECT_FALSE(PrepararInforme(*d, sinFin, opciones, fallo));
    EXPECT_EQ(fallo, Texto(38021).arg(5));
    EXPECT_EQ(sinFin.llamadas.last(), "fin");
}

}  // namespace

namespace {

TEST_F(Paginas, LoQueHayDebajoDeUnTextoQueCreceBajaConEl) {
    fuente.filas[0] = {{"uno dos tres cuatro cinco seis siete ocho nueve diez once doce"}};
    fuente.columnas = {{"V", 0}};
    const InformePreparado informe = Preparar(R"(
banda maestro alto=12
  texto x=0 y=0 ancho=25 alto=4 estirar "[V]"
  texto x=30 y=0 ancho=20 alto=4 "al lado"
  texto x=0 y=6 ancho=50 alto=4 "debajo"
  linea x1=0 y1=12 x2=60 y2=12
fin
)");
    const auto& e = informe.paginas[0].elementos;
    ASSERT_EQ(e.size(), 4);
    const qreal crece = e[0].caja.height() - 4;
    ASSERT_GT(crece, 0);
    EXPECT_DOUBLE_EQ(e[1].caja.top(), e[0].caja.top());
    EXPECT_DOUBLE_EQ(e[2].caja.top(), e[0].caja.top() + 6 + crece);
    EXPECT_DOUBLE_EQ(e[3].caja.top(), e[0].caja.top() + 12 + crece);
}

}  // namespace

namespace {

// 80 mm of page: a 10 mm header, then 10 mm groups headers and records.
const char* kGruposLargos = R"(pagina ancho=100 alto=100 izquierda=10 derecha=10 arriba=10 abajo=10
banda cabecera alto=10
  texto x=0 y=0 ancho=80 alto=10 "Cabecera"
fin
banda cabeceragrupo alto=10 clave="[N]" %1
  texto x=0 y=0 ancho=80 alto=10 "Grupo [N]"
fin
banda maestro alto=10
  texto x=0 y=0 ancho=80 alto=10 "[V]"
fin
)";

TEST_F(Paginas, UnaCabeceraDeGrupoNoSeQuedaSolaAlPieDeLaPagina) {
    fuente.filas[0] = {{"A", "1"}, {" ", "2"}, {" ", "3"}, {" ", "4"}, {" ", "5"}, {"B", "6"}};
    fuente.columnas = {{"N", 0}, {"V", 1}};
    const InformePreparado informe = Preparar(QString(kGruposLargos).arg(""));
    ASSERT_EQ(informe.Paginas(), 2);
    EXPECT_EQ(informe.Textos(0), (QStringList{"Cabecera", "Grupo A", "1", "2", "3", "4", "5"}));
    // Grupo B would fit alone at the bottom of page 1, without its record: it moves on with it.
    EXPECT_EQ(informe.Textos(1), (QStringList{"Cabecera", "Grupo B", "6"}));
}

TEST_F(Paginas, UnaCabeceraDeGrupoRepetidaVuelveEnCadaPaginaConSusValores) {
    for (int i = 1; i <= 9; ++i) fuente.filas[0] << QStringList{i == 1 ? "A" : " ", QString::number(i)};
    fuente.filas[0] << QStringList{"B", "10"};
    fuente.columnas = {{"N", 0}, {"V", 1}};
    const InformePreparado informe = Preparar(QString(kGruposLargos).arg("repetir"));
    ASSERT_EQ(informe.Paginas(), 2);
    EXPECT_EQ(informe.Textos(0), (QStringList{"Cabecera", "Grupo A", "1", "2", "3", "4", "5", "6"}));
    // The record on the new page has no name; the repeated header keeps the group's.
    EXPECT_EQ(informe.Textos(1), (QStringList{"Cabecera", "Grupo A", "7", "8", "9", "Grupo B", "10"}));
}

}  // namespace
