#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "CarpetaTemporal.h"

namespace {

struct Resultado {
    int estado;
    QString salida;  // standard output: the number of pages
    QString errores;
};

Resultado Ejecutar(const QString& programa, const QStringList& argumentos) {
    QProcess p;
    p.start(carpetaProgramas() + "/" + programa, argumentos);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QString TextoPdf(const QString& ruta) {
    QProcess p;
    p.start("pdftotext", {ruta, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

struct Caso {
    const char* nombre;
    QStringList argumentos;  // after --instalacion and --grupo 1
    int estado;
    QStringList textos;  // in the PDF when it is written, else in the message
};

// The demo installation with its practice history (AL001 has none).
class AveriasInforme : public ::testing::TestWithParam<Caso> {
protected:
    static void SetUpTestSuite() {
        carpeta = new CarpetaTemporal;
        demo = Ejecutar("averias-datos", {"demo", carpeta->ruta() + "/demo"}).estado == 0;
    }
    static void TearDownTestSuite() { delete carpeta; }
    static inline CarpetaTemporal* carpeta = nullptr;
    static inline bool demo = false;
};

TEST_P(AveriasInforme, EscribeElPdfODiceElMotivo) {
    ASSERT_TRUE(demo);
    const Caso& c = GetParam();
    const QString pdf = carpeta->archivo(QString(c.nombre) + ".pdf");
    QStringList argumentos = {"--instalacion", carpeta->ruta() + "/demo", "--grupo", "1"};
    argumentos << c.argumentos << "--pdf" << pdf;
    const Resultado r = Ejecutar("averias-informe", argumentos);
    ASSERT_EQ(r.estado, c.estado) << r.errores.toStdString();
    const QString texto = c.estado == 0 ? TextoPdf(pdf) : r.errores;
    if (c.estado == 0) {
        EXPECT_GE(r.salida.trimmed().toInt(), 1) << r.salida.toStdString();
    } else {
        EXPECT_FALSE(QFile::exists(pdf));
    }
    for (const QString& t : c.textos)
        EXPECT_TRUE(texto.contains(t)) << t.toStdString() << "\n" << texto.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Casos, AveriasInforme,
    ::testing::Values(
        Caso{"TodasDelAlumno",
             {"--informe", "Informe1ALPROFE", "--alumno", "2", "--equipo", "1"},
             0,
             {"Alumno: Martín Ruiz, Javier", "Entrenador: Motor diésel", "Prácticas:", "Reparada",
              "Página 1 de"}},
        Caso{"TodasDelSubgrupo",
             {"--informe", "Informe1SUB", "--subgrupo", "1", "--equipo", "1"},
             0,
             {"Subgrupo: Equipo A", "Historial de averías del subgrupo"}},
        Caso{"UnaAveriaSimple",
             {"--informe", "Informe2AL", "--alumno", "2", "--equipo", "1", "--averia", "112"},
             0,
             {"Avería 12 · código virtual", "Intentos de reparación", "Sensor de régimen y PMS (B1)"}},
        Caso{"UnaAveriaCompleta",
             {"--informe", "Informe3AL", "--alumno", "2", "--equipo", "1", "--averia", "112"},
             0,
             {"Historial completo de una avería", "Diagnóstico 1", "Pasos:"}},
        Caso{"TodoElGrupo",
             {"--informe", "Informe4AL", "--equipo", "1"},
             0,
             {"Martín Ruiz, Javier", "López Navarro, Sara", "Castro Vidal, Irene", "Prácticas del grupo:"}},
        Caso{"UnaAveriaDelGrupo",
             {"--informe", "Informe5AL", "--equipo", "1", "--averia", "112"},
             0,
             {"Avería 112", "Prácticas de los alumnos"}},
        Caso{"AccesoDelGrupo",
             {"--informe", "Informe9", "--equipo", "1"},
             0,
             {"Averías accesibles del grupo"}},
        Caso{"Contrasenas", {"--informe", "Informe10"}, 0, {"AL004", "Cod. Alumno: 4", "SUB001"}},
        Caso{"ArgumentoMalo", {"--informe", "Informe4AL", "--color", "rojo"}, 2, {"bad argument: --color"}},
        Caso{"DisenoDesconocido", {"--informe", "Informe7AL"}, 1, {"Informe7AL is not a layout of ours"}},
        Caso{"SinHistorico", {"--informe", "Informe1AL", "--alumno", "1"}, 1, {"the owner has no history"}},
        Caso{"FaltaLaAveria", {"--informe", "Informe2AL", "--alumno", "2"}, 1, {"give --averia"}}),
    [](const auto& caso) { return std::string(caso.param.nombre); });

TEST_F(AveriasInforme, UnDisenoIlegibleSeNombraConSuLinea) {
    ASSERT_TRUE(demo);
    const QString diseno = carpeta->ruta() + "/demo/Informes/Informe9.frf";
    QFile f(diseno);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("banda pie alto=5\nfin\n");
    f.close();
    const QString pdf = carpeta->archivo("roto.pdf");
    const Resultado r = Ejecutar("averias-informe", {"--instalacion", carpeta->ruta() + "/demo", "--grupo",
                                                     "1", "--informe", "Informe9", "--pdf", pdf});
    EXPECT_EQ(r.estado, 1);
    EXPECT_TRUE(r.errores.contains("Informe9.frf, línea")) << r.errores.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

}  // namespace
