#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "CarpetaTemporal.h"
#include "Instalacion.h"

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

}  // namespace
