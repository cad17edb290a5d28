// The folder operations never follow a link and report what they could not do.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "CarpetaTemporal.h"
#include "Idioma.h"
#include "MensajesGrabados.h"
#include "PuestaEnSitio.h"
#include "UtilExportar.h"

namespace {

class CarpetasIntercambio : public ::testing::Test {
protected:
    CarpetasIntercambio() {
        carpeta.escribir("fuera/valioso.cds", "no se toca");
        carpeta.escribir("origen/cdsGrupo.cds", "grupo");
        carpeta.escribir("origen/notas.txt", "notas");
        carpeta.escribir("origen/sub/cdsOtra.cds", "otra");
        QFile::link(carpeta.archivo("fuera"), carpeta.archivo("origen/enlace.cds"));
        QFile::link(carpeta.archivo("fuera/valioso.cds"), carpeta.archivo("origen/archivo-enlace.cds"));
    }
    CarpetaTemporal carpeta;
    MensajesGrabados mensajes;
};

TEST_F(CarpetasIntercambio, CopiarSigueLaMascaraYNoAtraviesaEnlaces) {
    QDir().mkpath(carpeta.archivo("destino"));
    EXPECT_TRUE(CopiarCarpeta(carpeta.archivo("origen"), carpeta.archivo("destino"), "*.CDS"));
    EXPECT_EQ(
        QDir(carpeta.archivo("destino")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
        QStringList{"cdsGrupo.cds"});
    EXPECT_TRUE(CopiarCarpeta(carpeta.archivo("origen"), carpeta.archivo("destino"), "*.*"));
    EXPECT_EQ(carpeta.leer("destino/sub/cdsOtra.cds"), "otra");
    EXPECT_FALSE(QFile::exists(carpeta.archivo("destino/enlace.cds")));
    EXPECT_FALSE(QFile::exists(carpeta.archivo("destino/archivo-enlace.cds")));
    EXPECT_TRUE(mensajes.textos().isEmpty());
}

TEST_F(CarpetasIntercambio, CopiarAUnaCarpetaQueNoExisteLoDice) {
    IdiomaTemporal idioma(carpeta.escribir("idioma.lng", "179 No se puede copiar el archivo: \n"));
    EXPECT_FALSE(CopiarCarpeta(carpeta.archivo("origen"), carpeta.archivo("no/existe"), "*.cds"));
    EXPECT_TRUE(mensajes.textos().contains("No se puede copiar el archivo: cdsGrupo.cds"))
        << mensajes.textos().join('\n').toStdString();
}

TEST_F(CarpetasIntercambio, VaciarQuitaLosEnlacesPeroNoLoQueSenalan) {
    EXPECT_TRUE(VaciarCarpeta(carpeta.archivo("origen")));
    EXPECT_TRUE(
        QDir(carpeta.archivo("origen")).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System));
    EXPECT_EQ(carpeta.leer("fuera/valioso.cds"), "no se toca");
}

TEST_F(CarpetasIntercambio, UnPasoQueFallaDeshaceLosHechos) {
    QDir().mkpath(carpeta.archivo("trabajo"));
    carpeta.escribir("ocupado/cdsAlumno.cds", "ya estaba");
    PuestaEnSitio plan(carpeta.archivo("trabajo"));
    plan.Mover(carpeta.archivo("origen/cdsGrupo.cds"), carpeta.archivo("ocupado/cdsGrupo.cds"));
    plan.Mover(carpeta.archivo("origen/notas.txt"), carpeta.archivo("ocupado/cdsAlumno.cds"));
    QString fallo;
    EXPECT_EQ(plan.Ejecutar(fallo), EEXIST);
    EXPECT_EQ(fallo, carpeta.archivo("ocupado/cdsAlumno.cds"));
    EXPECT_EQ(carpeta.leer("origen/cdsGrupo.cds"), "grupo");
    EXPECT_FALSE(QFile::exists(carpeta.archivo("ocupado/cdsGrupo.cds")));
    EXPECT_EQ(carpeta.leer("ocupado/cdsAlumno.cds"), "ya estaba");
    // Nothing is left for a later exchange to finish.
    EXPECT_FALSE(PuestaEnSitio::Recuperar(carpeta.archivo("trabajo")));
}

}  // namespace
