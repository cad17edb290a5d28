#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include "CarpetaTemporal.h"
#include "LineaOrdenes.h"

// Every program answers --help and --version on the standard output with status 0, as a
// technician (and the manual page generator) runs them: no display, no installation.
namespace {

struct Ejecucion {
    bool normal = false;  // ended by itself, not by a signal such as an abort
    int estado = -1;
    QString salida;
    QString errores;
};

// The environment of a console without a graphical session.
QProcessEnvironment SinPantalla() {
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) entorno.remove(v);
    return entorno;
}

Ejecucion Ejecutar(const QString& programa, const QStringList& argumentos,
                   const QProcessEnvironment& entorno = SinPantalla()) {
    CarpetaTemporal vacia;  // working folder without any installation in it
    QProcess p;
    p.setProcessEnvironment(entorno);
    p.setWorkingDirectory(vacia.ruta());
    p.start(carpetaProgramas() + QLatin1Char('/') + programa, argumentos);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit, p.exitCode(),
            QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

const char* const kProgramas[] = {"averias", "averias-datos", "averias-entrenador", "simulador-entrenador",
                                  "averias-dibujos"};
// Those that read an installation: --version must not need it to be there.
const char* const kConInstalacion[] = {"averias", "averias-entrenador"};

class ConvencionesTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        if (!QFileInfo::exists(carpetaProgramas() + QLatin1Char('/') + GetParam()))
            GTEST_SKIP() << GetParam() << " is not built";
    }
};

TEST_P(ConvencionesTest, HelpPrintsTheUsageAndEndsWell) {
    const Ejecucion r = Ejecutar(GetParam(), {"--help"});
    ASSERT_TRUE(r.normal) << r.errores.toStdString();
    EXPECT_EQ(r.estado, 0) << r.errores.toStdString();
    EXPECT_TRUE(r.salida.contains(QString::fromLatin1(GetParam()))) << r.salida.toStdString();
    EXPECT_TRUE(r.salida.contains("--version")) << r.salida.toStdString();
}

TEST_P(ConvencionesTest, VersionPrintsNameAndVersionAndEndsWell) {
    std::vector<QStringList> casos{{"--version"}};
    for (const char* programa : kConInstalacion)
        if (qstrcmp(programa, GetParam()) == 0) casos.push_back({"--instalacion", "/no/existe", "--version"});
    for (const QStringList& argumentos : casos) {
        const Ejecucion r = Ejecutar(GetParam(), argumentos);
        ASSERT_TRUE(r.normal) << r.errores.toStdString();
        EXPECT_EQ(r.estado, 0) << r.errores.toStdString();
        EXPECT_EQ(r.salida, QStringLiteral("%1 %2\n").arg(GetParam(), VersionAverias()));
    }
}

INSTANTIATE_TEST_SUITE_P(Programas, ConvencionesTest, ::testing::ValuesIn(kProgramas), [](const auto& caso) {
    std::string nombre = caso.param;
    for (char& c : nombre)
        if (c == '-') c = '_';
    return nombre;
});

struct CasoSinPantalla {
    const char* nombre;
    const char* plataforma;  // QT_QPA_PLATFORM, or null for none
    const char* display;     // DISPLAY, or null for none
};

class SinPantallaTest : public ::testing::TestWithParam<CasoSinPantalla> {};

// One line that says why, and a normal end: not the toolkit's abort with its plugin list.
TEST_P(SinPantallaTest, TheProgramSaysSoInOneLine) {
    if (!QFileInfo::exists(carpetaProgramas() + "/averias")) GTEST_SKIP() << "averias is not built";
    QProcessEnvironment entorno = SinPantalla();
    if (GetParam().plataforma) entorno.insert("QT_QPA_PLATFORM", GetParam().plataforma);
    if (GetParam().display) entorno.insert("DISPLAY", GetParam().display);
    CarpetaTemporal instalacion;
    const Ejecucion r = Ejecutar("averias", {"--instalacion", instalacion.ruta()}, entorno);
    ASSERT_TRUE(r.normal) << r.errores.toStdString();
    EXPECT_EQ(r.estado, 1);
    EXPECT_TRUE(r.salida.isEmpty()) << r.salida.toStdString();
    EXPECT_TRUE(r.errores.startsWith("averias: ")) << r.errores.toStdString();
    EXPECT_TRUE(r.errores.contains("pantalla")) << r.errores.toStdString();
    EXPECT_EQ(r.errores.count('\n'), 1) << r.errores.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Averias, SinPantallaTest,
                         ::testing::Values(CasoSinPantalla{"NingunaVariable", nullptr, nullptr},
                                           CasoSinPantalla{"XcbSinDisplay", "xcb", nullptr},
                                           CasoSinPantalla{"DisplayQueNoResponde", "xcb", ":9871"},
                                           CasoSinPantalla{"WaylandSinServidor", "wayland", nullptr}),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

TEST(AveriasDatosTest, UnknownOrderStillEndsWithTheUsageError) {
    if (!QFileInfo::exists(carpetaProgramas() + "/averias-datos")) GTEST_SKIP();
    for (const QStringList& argumentos : {QStringList{}, QStringList{"ayuda"}}) {
        const Ejecucion r = Ejecutar("averias-datos", argumentos);
        EXPECT_EQ(r.estado, 2);
        EXPECT_TRUE(r.errores.contains("Uso: averias-datos")) << r.errores.toStdString();
    }
    const Ejecucion ayuda = Ejecutar("averias-datos", {"--help"});
    for (const char* orden : {"volcar", "campos", "demo"}) EXPECT_TRUE(ayuda.salida.contains(orden)) << orden;
}

}  // namespace
