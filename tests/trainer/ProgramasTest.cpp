#include "ApoyoEntrenador.h"
#include "ComBrd415.h"
#include "PlacaLineaSimulada.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cerrno>
#include <cstring>

namespace {

QString Programa(const QString& nombre) {
    return carpetaProgramas() + QLatin1Char('/') + nombre;
}

// The simulator program running for one test; its first line is the device to map.
class Simulador {
public:
    explicit Simulador(const QStringList& opciones) {
        proceso_.start(Programa(QStringLiteral("simulador-entrenador")), opciones);
        if (!proceso_.waitForStarted(10000)) return;
        if (EsperarHasta([this] { return proceso_.canReadLine(); }, std::chrono::seconds(10)))
            ruta_ = QString::fromLocal8Bit(proceso_.readLine()).trimmed();
    }
    ~Simulador() {
        proceso_.kill();
        proceso_.waitForFinished(10000);
    }
    QString Ruta() const { return ruta_; }
    // Waits for a line about the relays and gives its text after "reles: ".
    QString SiguientesReles() {
        if (!EsperarHasta([this] { return proceso_.canReadLine(); }, std::chrono::seconds(10))) return {};
        return QString::fromLocal8Bit(proceso_.readLine()).trimmed().remove(QStringLiteral("reles: "));
    }

private:
    QProcess proceso_;
    QString ruta_;
};

struct Resultado {
    int salida = -1;
    QString texto;
};

Resultado Sonda(const QString& instalacion, const QStringList& orden) {
    QProcess p;
    p.start(Programa(QStringLiteral("averias-entrenador")),
            QStringList{"--instalacion", instalacion} + orden);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError())};
}

class ProgramasTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* nombre : {"simulador-entrenador", "averias-entrenador"})
            if (!QFileInfo::exists(Programa(nombre))) GTEST_SKIP() << nombre << " is not built";
    }
};

TEST_F(ProgramasTest, ProbeDrivesTheSimulatedTrainerEndToEnd) {
    Simulador simulador({"--codigo", "7"});
    ASSERT_FALSE(simulador.Ruta().isEmpty());
    PuertosDePrueba puertos({{1, simulador.Ruta()}});

    const Resultado detectar = Sonda(puertos.Carpeta(), {"detectar"});
    EXPECT_EQ(detectar.salida, 0) << detectar.texto.toStdString();
    EXPECT_TRUE(detectar.texto.contains("COM1")) << detectar.texto.toStdString();
    EXPECT_TRUE(detectar.texto.contains("UART"));

    const Resultado codigo = Sonda(puertos.Carpeta(), {"codigo"});
    EXPECT_EQ(codigo.salida, 0);
    EXPECT_TRUE(codigo.texto.endsWith("\n7\n")) << codigo.texto.toStdString();

    EXPECT_EQ(Sonda(puertos.Carpeta(), {"activar", "3"}).salida, 0);
    EXPECT_EQ(simulador.SiguientesReles(), "3");
    EXPECT_EQ(Sonda(puertos.Carpeta(), {"activar", "17"}).salida, 0);
    EXPECT_EQ(simulador.SiguientesReles(), "3 17");
    EXPECT_EQ(Sonda(puertos.Carpeta(), {"activar", "22"}).salida, 0);
    EXPECT_EQ(simulador.SiguientesReles(), "3 17 22");
    EXPECT_EQ(Sonda(puertos.Carpeta(), {"desactivar"}).salida, 0);
    EXPECT_EQ(simulador.SiguientesReles(), "-");
}

TEST_F(ProgramasTest, ProbeWithoutAnyPortReportsNoBoard) {
    PuertosDePrueba puertos;
    const Resultado r = Sonda(puertos.Carpeta(), {"detectar"});
    EXPECT_EQ(r.salida, 1);
    EXPECT_TRUE(r.texto.contains("No se encontró")) << r.texto.toStdString();
}

TEST_F(ProgramasTest, ProbeNamesTheSystemErrorOfAPortItCannotOpen) {
    // A plain file is no terminal: the technician reads why, not a bare errno number.
    PuertosDePrueba puertos;
    const QString archivo = puertos.Carpeta() + "/no-es-un-puerto";
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    puertos.Mapear({{1, archivo}});
    const Resultado r = Sonda(puertos.Carpeta(), {"detectar"});
    const QString esperado = "no se puede abrir: " + QString::fromLocal8Bit(std::strerror(ENOTTY));
    EXPECT_TRUE(r.texto.contains(esperado)) << r.texto.toStdString();
    EXPECT_FALSE(r.texto.contains("error 25")) << r.texto.toStdString();
}

TEST_F(ProgramasTest, ProbeRefusesAMalformedCommand) {
    PuertosDePrueba puertos;
    EXPECT_EQ(Sonda(puertos.Carpeta(), {"activar", "tres"}).salida, 2);
    EXPECT_EQ(Sonda(puertos.Carpeta(), {}).salida, 2);
}

TEST_F(ProgramasTest, SimulatorThatStaysSilentIsNotFound) {
    Simulador simulador({"--silencio"});
    ASSERT_FALSE(simulador.Ruta().isEmpty());
    PuertosDePrueba puertos({{1, simulador.Ruta()}});
    EXPECT_EQ(Sonda(puertos.Carpeta(), {"detectar"}).salida, 1);
}

TEST_F(ProgramasTest, ComponentTalksToTheSimulatorProgram) {
    Simulador simulador({"--codigo", "42", "--version-placa", "3.0"});
    ASSERT_FALSE(simulador.Ruta().isEmpty());
    PuertosDePrueba puertos({{3, simulador.Ruta()}});
    TComBrd415 brd(std::make_unique<PlacaLineaSimulada>(0));
    ASSERT_TRUE(brd.Conectar());
    EXPECT_EQ(brd.PuertoEntrenador(), 3);
    EXPECT_EQ(brd.VersionLeida(), QByteArray("V3.0"));
    EXPECT_EQ(brd.LeerCodigo(), 42);
    EXPECT_TRUE(brd.ActivarRele(32));
    EXPECT_EQ(simulador.SiguientesReles(), "32");
}

}  // namespace
