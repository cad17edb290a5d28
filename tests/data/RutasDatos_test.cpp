#include "RutasDatos.h"

#include <gtest/gtest.h>

#include <QDir>

#include "CarpetaTemporal.h"
#include "Instalacion.h"

namespace {

class RutasDeDatos : public ::testing::Test {
protected:
    QString Dentro(const QString& relativo) const { return carpeta_.ruta() + "/" + relativo; }

    CarpetaTemporal carpeta_;
    InstalacionTemporal instalacion_{carpeta_.ruta()};
};

TEST_F(RutasDeDatos, HistoricoDeUnAlumnoLlevaSuCodigoConTresCifras) {
    EXPECT_EQ(RutasDatos::ArchivoReparacion("012"), Dentro("Historic/cdsReparacion012.cds"));
    EXPECT_EQ(RutasDatos::ArchivoLineaReparacion("012"), Dentro("Historic/cdsLineaReparacion012.cds"));
    EXPECT_EQ(RutasDatos::ArchivoReparacion("1234"), Dentro("Historic/cdsReparacion1234.cds"));
    EXPECT_EQ(RutasDatos::ArchivoLineaReparacion("1234"), Dentro("Historic/cdsLineaReparacion1234.cds"));
}

TEST_F(RutasDeDatos, ElProfesorUsaLasPlantillas) {
    EXPECT_EQ(RutasDatos::ArchivoReparacion(RutasDatos::kProfesor), Dentro("BDs/cdsReparacion.cds"));
    EXPECT_EQ(RutasDatos::ArchivoLineaReparacion(RutasDatos::kProfesor),
              Dentro("BDs/cdsLineaReparacion.cds"));
}

TEST_F(RutasDeDatos, CarpetasDeEquipoYDeGrupo) {
    EXPECT_EQ(RutasDatos::CarpetaEquipo(1), Dentro("BDs/EQ001/"));
    EXPECT_EQ(RutasDatos::CarpetaGrupo(5), Dentro("BDs/GRP 005/"));
}

TEST_F(RutasDeDatos, LasCarpetasExistentesSeEncuentranSinMirarMayusculas) {
    ASSERT_TRUE(QDir().mkpath(Dentro("Bds/eq002")));
    EXPECT_EQ(RutasDatos::CarpetaBDs(), Dentro("Bds/"));
    EXPECT_EQ(RutasDatos::CarpetaEquipo(2), Dentro("Bds/eq002/"));
}

TEST_F(RutasDeDatos, LaPlantillaSeReconocePorSerElMismoArchivo) {
    carpeta_.escribir("BDs/cdsReparacion.cds", "x");
    EXPECT_TRUE(RutasDatos::EsPlantilla(Dentro("BDS/./cdsReparacion.cds"), "cdsReparacion"));
    EXPECT_TRUE(RutasDatos::EsPlantilla(Dentro("Historic/../BDs/cdsReparacion.cds"), "cdsReparacion"));
    EXPECT_FALSE(RutasDatos::EsPlantilla(Dentro("Historic/cdsReparacion007.cds"), "cdsReparacion"));
    EXPECT_FALSE(RutasDatos::EsPlantilla(Dentro("BDs/cdsReparacion.cds"), "cdsLineaReparacion"));
    EXPECT_FALSE(RutasDatos::EsPlantilla(QString(), "cdsReparacion"));
}

TEST_F(RutasDeDatos, LaCarpetaDeUnArchivoTerminaEnBarra) {
    EXPECT_EQ(RutasDatos::CarpetaDe(Dentro("BDs/GRP 005/cdsSemilla.cds")), Dentro("BDs/GRP 005/"));
}

}  // namespace
