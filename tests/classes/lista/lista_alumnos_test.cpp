#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "CarpetaTemporal.h"
#include "Idioma.h"
#include "ListaAlumnos.h"

namespace {

// What one line of a class list must give (for an unreadable line, the line itself as `nombre`).
struct Linea {
    int linea;
    QString nombre, apellido1, apellido2;
    std::optional<MotivoRechazo> rechazo = std::nullopt;
    int lineaAnterior = 0;
};

struct Caso {
    const char* nombre;
    QByteArray contenido;
    std::vector<Linea> lineas;
    QChar separador = QLatin1Char(';');
    CodificacionTexto codificacion = CodificacionTexto::Utf8;
    std::vector<NombreAlumno> miembros = {};
};

const MotivoRechazo kIlegible = MotivoRechazo::Ilegible;
const MotivoRechazo kControl = MotivoRechazo::Control;
const MotivoRechazo kSinNombre = MotivoRechazo::SinNombre;
const MotivoRechazo kLargo = MotivoRechazo::DemasiadoLargo;
const MotivoRechazo kYaEnGrupo = MotivoRechazo::YaEnGrupo;
const MotivoRechazo kRepetido = MotivoRechazo::Repetido;

const QByteArray k41(41, 'a');

const std::vector<Caso> kCasos = {
    {"Utf8ConPuntoYComa",
     "Nombre;Apellido1;Apellido2\nJosé;García;Núñez\nAna;Pérez;\n",
     {{2, "José", "García", "Núñez"}, {3, "Ana", "Pérez", ""}}},
    {"Utf8ConMarcaYFinesWindows",
     "\xEF\xBB\xBFNombre;Apellido1;Apellido2\r\nÍñigo;Ibáñez;Lázaro\r\n",
     {{2, "Íñigo", "Ibáñez", "Lázaro"}}},
    {"Windows1252",
     "Nombre;Apellido1;Apellido2\nJos\xE9;Garc\xED"
     "a;Mu\xF1oz\n",
     {{2, "José", "García", "Muñoz"}},
     QLatin1Char(';'),
     CodificacionTexto::Windows1252},
    {"ComasSegunLaCabecera",
     "Nombre,Apellido1,Apellido2\nLuis,Martín,Sanz\n",
     {{2, "Luis", "Martín", "Sanz"}},
     QLatin1Char(',')},
    {"FinesDeLineaDeMacAntiguo",
     "Nombre;Apellido1;Apellido2\rEva;Gil;Roca\rPau;Vidal;Mas",
     {{2, "Eva", "Gil", "Roca"}, {3, "Pau", "Vidal", "Mas"}}},
    {"EntreComillasConSeparadoresYComillas",
     "Nombre,Apellido1,Apellido2\n\"María José\",\"de la Fuente, Ruiz\",\"O\"\"Donnell\"\n",
     {{2, "María José", "de la Fuente, Ruiz", "O\"Donnell"}},
     QLatin1Char(',')},
    {"CabeceraSinMayusculasNiAcentosEnOtroOrden",
     "APELLIDO 2;nómbre;Apellido_1;Curso\nRoca;Eva;Gil;1º\n",
     {{2, "Eva", "Gil", "Roca"}}},
    {"CabeceraConNombresLargosYEntreComillas",
     "\"Primer apellido\";\"Segundo apellido\";\"Nombre\"\nGil;Roca;Eva\n",
     {{2, "Eva", "Gil", "Roca"}}},
    {"SinColumnaApellido2", "Nombre;Apellido1\nEva;Gil\n", {{2, "Eva", "Gil", ""}}},
    {"EspaciosAlrededorYLineasEnBlanco",
     "\n  \nNombre;Apellido1;Apellido2\n\n  Eva  ; Gil ;Roca \n;;\n",
     {{5, "Eva", "Gil", "Roca"}}},
    {"FaltanValoresAlFinal", "Nombre;Apellido1;Apellido2\nEva;Gil\n", {{2, "Eva", "Gil", ""}}},
    {"ComillasSinCerrar",
     "Nombre;Apellido1;Apellido2\n\"Eva;Gil;Roca\nLuis;Sanz;Mas\n",
     {{2, "\"Eva;Gil;Roca", "", "", kIlegible}, {3, "Luis", "Sanz", "Mas"}}},
    {"TextoTrasLasComillas",
     "Nombre;Apellido1;Apellido2\n\"Eva\"x;Gil;Roca\n",
     {{2, "\"Eva\"x;Gil;Roca", "", "", kIlegible}}},
    {"CaracteresDeControl",
     "Nombre;Apellido1;Apellido2\nE\tva;Gil;Roca\n",
     {{2, "E\tva", "Gil", "Roca", kControl}}},
    {"NombreVacio",
     "Nombre;Apellido1;Apellido2\n;Gil;Roca\n\"  \";Sanz;Mas\n",
     {{2, "", "Gil", "Roca", kSinNombre}, {3, "", "Sanz", "Mas", kSinNombre}}},
    {"CampoDemasiadoLargo",
     "Nombre;Apellido1;Apellido2\n" + k41 + ";Gil;Roca\nEva;" + QByteArray(40, 'b') + ";Roca\n",
     {{2, QString(k41), "Gil", "Roca", kLargo}, {3, "Eva", QString(40, 'b'), "Roca"}}},
    {"CuarentaAcentosCaben",
     "Nombre;Apellido1;Apellido2\n" + QString(40, QChar(0xE1)).toUtf8() + ";Gil;\n",
     {{2, QString(40, QChar(0xE1)), "Gil", ""}}},
    {"YaEsAlumnoDelGrupoSinMirarMayusculasNiAcentos",
     "Nombre;Apellido1;Apellido2\nJOSE;garcia;Núñez\nAna;Gil;\n",
     {{2, "JOSE", "garcia", "Núñez", kYaEnGrupo}, {3, "Ana", "Gil", ""}},
     QLatin1Char(';'),
     CodificacionTexto::Utf8,
     {{"José", "García", "Nuñez"}}},
    {"RepiteUnaLineaAnterior",
     "Nombre;Apellido1;Apellido2\nEva;Gil;Roca\nLuis;Sanz;\n eva ;GIL;Roca\n",
     {{2, "Eva", "Gil", "Roca"}, {3, "Luis", "Sanz", ""}, {4, "eva", "GIL", "Roca", kRepetido, 2}}},
    {"UnaLineaRechazadaNoCuentaComoAnterior",
     "Nombre;Apellido1;Apellido2\n;Gil;Roca\n;Gil;Roca\n",
     {{2, "", "Gil", "Roca", kSinNombre}, {3, "", "Gil", "Roca", kSinNombre}}},
};

class LeerLista : public ::testing::TestWithParam<Caso> {
protected:
    IdiomaTemporal idioma{carpetaFuentes() + "/installation/idioma.lng"};
};

TEST_P(LeerLista, DaCadaLineaConSuAlumnoOSuMotivo) {
    const Caso& caso = GetParam();
    const ListaAlumnos lista = LeerListaAlumnos(caso.contenido, caso.miembros);
    ASSERT_TRUE(lista.error.isEmpty()) << lista.error.toStdString();
    EXPECT_EQ(lista.separador, caso.separador);
    EXPECT_EQ(lista.codificacion, caso.codificacion);
    ASSERT_EQ(lista.lineas.size(), caso.lineas.size());
    for (std::size_t i = 0; i < caso.lineas.size(); ++i) {
        const Linea& esperada = caso.lineas[i];
        const LineaLista& l = lista.lineas[i];
        SCOPED_TRACE(esperada.linea);
        EXPECT_EQ(l.linea, esperada.linea);
        EXPECT_EQ(l.rechazo, esperada.rechazo);
        if (esperada.rechazo == kIlegible) {
            EXPECT_EQ(l.texto, esperada.nombre);  // the line as it is, to find it by
        } else {
            EXPECT_EQ(l.alumno.nombre, esperada.nombre);
            EXPECT_EQ(l.alumno.apellido1, esperada.apellido1);
            EXPECT_EQ(l.alumno.apellido2, esperada.apellido2);
        }
        EXPECT_EQ(l.lineaAnterior, esperada.lineaAnterior);
        // Every refusal says its line and a reason of its own; accepted lines say nothing.
        EXPECT_EQ(l.Motivo().isEmpty(), l.Aceptada());
        if (!l.Aceptada()) {
            EXPECT_TRUE(l.TextoRechazo().startsWith(QString("Línea %1: ").arg(l.linea)))
                << l.TextoRechazo().toStdString();
            EXPECT_FALSE(l.Motivo().contains("nada"));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, LeerLista, ::testing::ValuesIn(kCasos),
                         [](const ::testing::TestParamInfo<Caso>& caso) {
                             return std::string(caso.param.nombre);
                         });

TEST(LeerListaMotivos, DicenLaColumnaLaAnchuraYLaLineaAnterior) {
    IdiomaTemporal idioma(carpetaFuentes() + "/installation/idioma.lng");
    const ListaAlumnos lista =
        LeerListaAlumnos("Nombre;Primer apellido;Apellido2\nEva;" + k41 + ";\nLuis;Sanz;\nLuis;Sanz;\n", {});
    ASSERT_EQ(lista.lineas.size(), 3u);
    EXPECT_EQ(lista.lineas[0].TextoRechazo(), "Línea 2: Primer apellido tiene más de 40 caracteres");
    EXPECT_EQ(lista.lineas[2].TextoRechazo(), "Línea 4: repite la línea 3");
    EXPECT_EQ(lista.NumRechazadas(), 2);
    ASSERT_EQ(lista.Aceptados().size(), 1u);
    EXPECT_EQ(lista.Aceptados()[0].Completo(), "Sanz , Luis");
}

// A file that cannot be used as a whole says why, and gives no lines.
TEST(LeerListaArchivo, SinLasColumnasOSinArchivoDaUnError) {
    IdiomaTemporal idioma(carpetaFuentes() + "/installation/idioma.lng");
    for (const QByteArray& contenido :
         {QByteArray(), QByteArray("Alumno;Curso\nEva Gil;1º\n"), QByteArray("Nombre;Apellido2\nEva;Gil\n"),
          QByteArray("\"Nombre;Apellido1\n")}) {
        const ListaAlumnos lista = LeerListaAlumnos(contenido, {});
        EXPECT_EQ(lista.error, Texto(72031)) << contenido.toStdString();
        EXPECT_TRUE(lista.lineas.empty());
    }
    CarpetaTemporal carpeta;
    const ListaAlumnos falta = LeerArchivoListaAlumnos(carpeta.archivo("no-esta.csv"), {});
    EXPECT_EQ(falta.error, Texto(72030).arg(carpeta.archivo("no-esta.csv")));
    const ListaAlumnos bien =
        LeerArchivoListaAlumnos(carpeta.escribir("l.csv", "Nombre;Apellido1\nEva;Gil\n"), {});
    EXPECT_TRUE(bien.error.isEmpty());
    EXPECT_EQ(bien.lineas.size(), 1u);
}

// The shipped example reads without a refusal, accents and all.
TEST(LeerListaArchivo, ElEjemploInstaladoSeLeeEntero) {
    IdiomaTemporal idioma(carpetaFuentes() + "/installation/idioma.lng");
    const ListaAlumnos lista =
        LeerArchivoListaAlumnos(carpetaFuentes() + "/installation/ejemplos/alumnos.csv", {});
    ASSERT_TRUE(lista.error.isEmpty());
    EXPECT_GE(lista.lineas.size(), 20u);
    EXPECT_EQ(lista.NumRechazadas(), 0);
    EXPECT_EQ(lista.codificacion, CodificacionTexto::Utf8);
}

}  // namespace
