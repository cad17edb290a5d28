#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "CarpetasGrupo.h"
#include "InstalacionPrueba.h"
#include "NivelesGrupo.h"
#include "RutasDatos.h"

namespace {

struct CasoNombre {
    const char* nombre;
    int texto;
};

class NombreDeGrupo : public ::testing::TestWithParam<CasoNombre> {};

TEST_P(NombreDeGrupo, SoloLoQueSirveDeNombreDeCarpeta) {
    EXPECT_EQ(CarpetasGrupo::ErrorNombre(QString::fromUtf8(GetParam().nombre)), GetParam().texto)
        << GetParam().nombre;
}

INSTANTIATE_TEST_SUITE_P(Casos, NombreDeGrupo,
                         ::testing::Values(CasoNombre{"1º Electromecánica", 0}, CasoNombre{".a", 0},
                                           CasoNombre{"", 250}, CasoNombre{"   ", 250},
                                           CasoNombre{"a/b", 251}, CasoNombre{"a\\b", 251},
                                           CasoNombre{".", 251}, CasoNombre{"..", 251},
                                           CasoNombre{"a\tb", 251}, CasoNombre{"a\nb", 251}));

TEST(NombreDeGrupoLargo, MasBytesDeLosQueAdmiteUnNombreDeArchivo) {
    EXPECT_EQ(CarpetasGrupo::ErrorNombre(QString(255, QLatin1Char('a'))), 0);
    EXPECT_EQ(CarpetasGrupo::ErrorNombre(QString(128, QChar(0x00E1))), 252);  // two bytes each
}

struct CasoNivel {
    const char* cadena;
    int opciones, opcion;
};

class NivelGuardado : public ::testing::TestWithParam<CasoNivel> {};

TEST_P(NivelGuardado, MarcaLaOpcionDeSuNumeroDeElementos) {
    EXPECT_EQ(NivelesGrupo::Opcion(GetParam().cadena, GetParam().opciones), GetParam().opcion)
        << GetParam().cadena;
}

INSTANTIATE_TEST_SUITE_P(Casos, NivelGuardado,
                         ::testing::Values(CasoNivel{"BL#", 3, 0}, CasoNivel{"BL#CI#", 3, 1},
                                           CasoNivel{"BL#CI#CO#", 3, 2}, CasoNivel{"J#C#", 2, 1},
                                           // nothing to check rather than option -1
                                           CasoNivel{"", 3, -1}, CasoNivel{"#", 3, -1},
                                           CasoNivel{"BL#CI#CO#XX#", 3, -1}, CasoNivel{"J#C#X#", 2, -1},
                                           CasoNivel{"BL##CI#", 3, 0}));

TEST(NivelElegido, ListaLasOpcionesHastaLaMarcada) {
    EXPECT_EQ(NivelesGrupo::Cadena(NivelesGrupo::kItemsReparacion, 0), "BL#");
    EXPECT_EQ(NivelesGrupo::Cadena(NivelesGrupo::kItemsReparacion, 1), "BL#CI#");
    EXPECT_EQ(NivelesGrupo::Cadena(NivelesGrupo::kItemsReparacion, 2), "BL#CI#CO#");
    EXPECT_EQ(NivelesGrupo::Cadena(NivelesGrupo::kItemsSintomas, 1), "J#C#");
}

// An installation with one group; its folder gets the files a test puts in it.
class BorradoCarpeta : public Almacen {
protected:
    void SetUp() override { EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo()); }
    void Poner(const QString& relativo) { carpeta_.escribir(relativo, "x"); }
};

TEST_F(BorradoCarpeta, LasTablasSeVanConLoQueSqliteDejaJunto) {
    for (const char* resto : {"cdsSemilla.cds-journal", "cdsSubgrupo.cds.nuevo",
                              "cdsSubgrupo.cds.nuevo-journal", "cdsGrupoAlumno.cds-wal", "CDSVIEJA.CDS"})
        Poner(QStringLiteral("BDs/GRP 001/") + resto);
    const CarpetasGrupo::Borrado borrado = CarpetasGrupo::Borrar(CarpetaGrupo());
    EXPECT_TRUE(borrado.completo) << borrado.restos.join(", ").toStdString();
    EXPECT_FALSE(QFileInfo::exists(CarpetaGrupo()));
    EXPECT_TRUE(QFileInfo::exists(Ruta("BDs/cdsGrupo.cds")));
}

TEST_F(BorradoCarpeta, UnArchivoAjenoSeQuedaYSeDice) {
    Poner("BDs/GRP 001/notas.txt");
    const CarpetasGrupo::Borrado borrado = CarpetasGrupo::Borrar(CarpetaGrupo());
    EXPECT_FALSE(borrado.completo);
    EXPECT_TRUE(QFileInfo::exists(Ruta("BDs/GRP 001/notas.txt")));
    EXPECT_FALSE(QFileInfo::exists(Ruta("BDs/GRP 001/cdsSemilla.cds")));
}

TEST_F(BorradoCarpeta, NadaFueraDeBDsNiAtravesDeUnEnlace) {
    Poner("fuera/cdsImportante.cds");
    ASSERT_TRUE(QFile::link(Ruta("fuera"), Ruta("BDs/GRP 009")));
    Poner("BDs/GRP 001/sub/cdsOtra.cds");
    for (const QString& carpeta : {Ruta("fuera/"), Ruta("BDs/GRP 009/"), Ruta("BDs/GRP 001/sub/"),
                                   Ruta("BDs/"), Ruta("BDs/GRP 001/../")}) {
        EXPECT_FALSE(CarpetasGrupo::Borrar(carpeta).completo) << carpeta.toStdString();
        EXPECT_TRUE(QFileInfo::exists(Ruta("fuera/cdsImportante.cds")));
    }
    EXPECT_TRUE(QFileInfo::exists(Ruta("BDs/GRP 001/sub/cdsOtra.cds")));
    EXPECT_TRUE(QFileInfo::exists(Ruta("BDs/cdsGrupo.cds")));
    // A link inside the folder goes, what it points at stays.
    ASSERT_TRUE(QDir().mkpath(Ruta("BDs/GRP 002")));
    ASSERT_TRUE(QFile::link(Ruta("fuera/cdsImportante.cds"), Ruta("BDs/GRP 002/cdsEnlace.cds")));
    EXPECT_TRUE(CarpetasGrupo::Borrar(Ruta("BDs/GRP 002/")).completo);
    EXPECT_TRUE(QFileInfo::exists(Ruta("fuera/cdsImportante.cds")));
}

TEST_F(BorradoCarpeta, UnaCarpetaQueNoExisteNoDejaNada) {
    EXPECT_TRUE(CarpetasGrupo::Borrar(Ruta("BDs/GRP 005/")).completo);
}

// A folder left by an old group must not block the code: the next free one is given.
TEST_F(BorradoCarpeta, UnGrupoNuevoSaltaLosCodigosConCarpeta) {
    Poner("BDs/GRP 002/notas.txt");
    Abrir();
    ASSERT_TRUE(dm.cdsGrupo->Append());
    EXPECT_EQ(dm.cdsGrpFCodGrupo->AsInteger(), 3);
    EXPECT_TRUE(RutasDatos::MismoArchivo(dm.cdsGrpFDirectorio->AsString(), Ruta("BDs/GRP 003/")));
    dm.cdsGrpFNombre->SetAsString("2B");
    EXPECT_TRUE(dm.cdsGrupo->Post());
}

}  // namespace
