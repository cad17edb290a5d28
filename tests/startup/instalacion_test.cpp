#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "CarpetaTemporal.h"
#include "Instalacion.h"

#include <unistd.h>

namespace {

TEST(InstalacionTest, LasRutasSeResuelvenSinDistinguirMayusculas) {
    CarpetaTemporal carpeta;
    carpeta.escribir("Help/gestion/help.htm", "x");
    carpeta.escribir("BDs/EQ001/cdsAveria.cds", "x");
    InstalacionTemporal instalacion(carpeta.ruta());
    EXPECT_EQ(Instalacion::Ruta("Help\\Gestion\\help.htm"), carpeta.ruta() + "/Help/gestion/help.htm");
    EXPECT_EQ(Instalacion::Ruta("Bds\\eq001\\CDSAVERIA.cds"), carpeta.ruta() + "/BDs/EQ001/cdsAveria.cds");
    // What does not exist yet is kept as written, so it can be created.
    EXPECT_EQ(Instalacion::Ruta("BDs\\GRP 005\\"), carpeta.ruta() + "/BDs/GRP 005/");
    EXPECT_EQ(Instalacion::Ruta("Historic\\"), carpeta.ruta() + "/Historic/");
    EXPECT_EQ(Instalacion::Carpeta(), carpeta.ruta() + "/");
}

TEST(InstalacionTest, LaOpcionInstalacionEligeCarpetaYArchivoDeConfiguracion) {
    CarpetaTemporal carpeta;
    InstalacionTemporal guarda(carpeta.ruta());
    const QStringList resto =
        Instalacion::Iniciar({"/opt/averias/averias", "--instalacion", carpeta.ruta(), "ayuda"});
    EXPECT_EQ(resto, (QStringList{"/opt/averias/averias", "ayuda"}));
    EXPECT_EQ(Instalacion::Carpeta(), carpeta.ruta() + "/");
    EXPECT_EQ(Instalacion::ArchivoConfiguracion(), carpeta.ruta() + "/averias.ini");
}

TEST(InstalacionTest, SinOpcionEsLaCarpetaDelEjecutableYSuIni) {
    InstalacionTemporal guarda(QDir::tempPath());
    // The test program runs with an application object: its own path counts.
    Instalacion::Iniciar({"cualquiera"});
    const QString exe = QCoreApplication::applicationFilePath();
    EXPECT_EQ(Instalacion::ArchivoConfiguracion(), exe + ".ini");
    EXPECT_EQ(Instalacion::Carpeta(), QFileInfo(exe).absolutePath() + "/");
}

// The program refuses to start on an installation it could not save into, naming the folder.
struct CasoEscritura {
    const char* nombre;
    const char* archivo;   // a file put where a folder is expected, or null
    const char* esperado;  // the folder reported, relative to the installation ("" = none)
};

class EscrituraTest : public ::testing::TestWithParam<CasoEscritura> {};

TEST_P(EscrituraTest, DaLaPrimeraCarpetaDondeNoSePuedeEscribir) {
    CarpetaTemporal carpeta;
    if (GetParam().archivo) carpeta.escribir(GetParam().archivo, "no es una carpeta");
    InstalacionTemporal instalacion(carpeta.ruta());
    const QString esperado = QString::fromLatin1(GetParam().esperado);
    EXPECT_EQ(Instalacion::CarpetaSinEscritura(),
              esperado.isEmpty() ? QString() : QDir::cleanPath(carpeta.ruta() + "/" + esperado));
    EXPECT_EQ(QDir(carpeta.ruta()).entryList({".escritura-*"}, QDir::Files | QDir::Hidden), QStringList())
        << "no test file left";
}

INSTANTIATE_TEST_SUITE_P(Instalacion, EscrituraTest,
                         ::testing::Values(CasoEscritura{"TodoEscribible", nullptr, ""},
                                           CasoEscritura{"HistoricNoEsCarpeta", "historic", "historic"},
                                           CasoEscritura{"BdsNoEsCarpeta", "bds", "bds"}),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

TEST(EscrituraTest, UnaCarpetaSinPermisoSeNombra) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes everywhere";
    CarpetaTemporal carpeta;
    QDir().mkpath(carpeta.archivo("Historic"));
    QFile::setPermissions(carpeta.archivo("Historic"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    InstalacionTemporal instalacion(carpeta.ruta());
    EXPECT_EQ(Instalacion::CarpetaSinEscritura(), carpeta.archivo("Historic"));
    QFile::setPermissions(carpeta.archivo("Historic"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(EscrituraTest, UnaInstalacionQueNoExisteSeNombra) {
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion(carpeta.archivo("no-existe"));
    EXPECT_EQ(Instalacion::CarpetaSinEscritura(), carpeta.archivo("no-existe"));
}

}  // namespace
