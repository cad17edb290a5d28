#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "ErroresTablas.h"
#include "InstalacionPrueba.h"
#include "RutasDatos.h"

namespace {

// An installation copied from another one that stays beside it.
class CopiaDeInstalacion : public Almacen {
protected:
    void SetUp() override {
        EscribirInstalacion(original_.ruta(), original_.ruta() + "/BDs/GRP 001/");
        ASSERT_EQ(QProcess::execute("cp", {"-r", original_.ruta() + "/.", carpeta_.ruta()}), 0);
    }
    QString Original(const QString& relativa) const { return original_.ruta() + "/" + relativa; }
    QByteArray LeerOriginal(const QString& relativa) const { return original_.leer(relativa); }

    CarpetaTemporal original_;
};

TEST_F(CopiaDeInstalacion, LosCambiosEnLaCopiaNoLleganALaOriginal) {
    const QByteArray miembros = LeerOriginal("BDs/GRP 001/cdsGrupoAlumno.cds");
    const QByteArray grupos = LeerOriginal("BDs/cdsGrupo.cds");
    Abrir();
    for (const char* tabla : kTablasGrupo)
        EXPECT_TRUE(RutasDatos::MismoArchivo(dm.Tabla(tabla)->FileName(), CarpetaGrupo() + tabla + ".cds"))
            << tabla;
    // The stored folder is corrected in the copy's own group table.
    EXPECT_TRUE(RutasDatos::MismoArchivo(dm.cdsGrpFDirectorio->AsString(), CarpetaGrupo()));
    TClientDataSet guardados;
    guardados.LoadFromFile(Ruta("BDs/cdsGrupo.cds"));
    EXPECT_TRUE(
        RutasDatos::MismoArchivo(guardados.FieldByName("cdsGrpFDirectorio")->AsString(), CarpetaGrupo()));

    AnadirFila(dm.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 1}, {"cdsGrpAlFPtrAlumno", 8}});
    ASSERT_TRUE(dm.SalvarTabla(dm.cdsGrupoAlumno));
    dm.DesligarTablasGrupo();
    dm.CargarTablasGrupo();  // the loaders of a login take the same folder
    EXPECT_EQ(dm.cdsGrupoAlumno->RecordCount(), 2);
    dm.AbrirGrupoAlumno();
    EXPECT_EQ(dm.cdsGrupoAlumno->RecordCount(), 2);
    EXPECT_EQ(FilasEnArchivo(CarpetaGrupo() + "cdsGrupoAlumno.cds"), 2);
    EXPECT_EQ(LeerOriginal("BDs/GRP 001/cdsGrupoAlumno.cds"), miembros);
    EXPECT_EQ(LeerOriginal("BDs/cdsGrupo.cds"), grupos);
    EXPECT_TRUE(mensajes_.textos().isEmpty());
}

TEST_F(CopiaDeInstalacion, UnGrupoQueSoloEstaEnLaOtraInstalacionSeAvisaPorSuNombre) {
    ASSERT_TRUE(QDir(CarpetaGrupo()).removeRecursively());
    const QByteArray miembros = LeerOriginal("BDs/GRP 001/cdsGrupoAlumno.cds");
    EXPECT_TRUE(dm.AbrirTablas());
    ASSERT_EQ(mensajes_.textos().size(), 1) << mensajes_.textos().join("\n").toStdString();
    EXPECT_TRUE(mensajes_.textos().front().startsWith("T240 1A ("))
        << mensajes_.textos().front().toStdString();
    EXPECT_EQ(mensajes_.mensajes().front().imagen, DibujoAviso);
    for (const char* tabla : kTablasGrupo) EXPECT_FALSE(dm.Tabla(tabla)->Active()) << tabla;
    // Moving onto the group again fails on this installation's own missing files.
    EXPECT_THROW(dm.AbrirTablasGrupo(), EDatabaseError);
    for (const char* tabla : kTablasGrupo) {
        EXPECT_FALSE(dm.Tabla(tabla)->Active()) << tabla;
        const QString archivo = dm.Tabla(tabla)->FileName();
        EXPECT_TRUE(archivo.isEmpty() || RutasDatos::MismoArchivo(archivo, CarpetaGrupo() + tabla + ".cds"))
            << tabla << ": " << archivo.toStdString();
    }
    EXPECT_EQ(mensajes_.textos().size(), 1) << "one message for the group";
    EXPECT_EQ(LeerOriginal("BDs/GRP 001/cdsGrupoAlumno.cds"), miembros);
}

TEST_F(Almacen, UnaCarpetaGuardadaDentroDeLaInstalacionSeUsaCuandoNoHayLaPropia) {
    EscribirInstalacion(carpeta_.ruta(), Ruta("BDs/Importados/1A/"));
    ASSERT_TRUE(QDir().mkpath(Ruta("BDs/Importados")));
    ASSERT_TRUE(QDir().rename(Ruta("BDs/GRP 001"), Ruta("BDs/Importados/1A")));
    Abrir();
    EXPECT_EQ(dm.cdsGrupoAlumno->RecordCount(), 1);
    EXPECT_TRUE(RutasDatos::MismoArchivo(dm.cdsGrupoAlumno->FileName(),
                                         Ruta("BDs/Importados/1A/cdsGrupoAlumno.cds")));
    EXPECT_TRUE(RutasDatos::MismoArchivo(dm.cdsGrpFDirectorio->AsString(), Ruta("BDs/Importados/1A/")));
}

// A practice template of "BDs" that is missing or cannot be read.
struct PlantillaEstropeada {
    const char* tabla;
    const char* contenido;  // nullptr: the file is gone
};

class PlantillaRehecha : public Almacen, public ::testing::WithParamInterface<PlantillaEstropeada> {};

TEST_P(PlantillaRehecha, SeVuelveACrearVaciaYSeDiceCual) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    const QString archivo = Ruta(QString("BDs/%1.cds").arg(GetParam().tabla));
    ASSERT_TRUE(QFile::remove(archivo));
    if (GetParam().contenido) {
        carpeta_.escribir(QString("BDs/%1.cds").arg(GetParam().tabla), GetParam().contenido);
        carpeta_.escribir(QString("BDs/%1.cds-journal").arg(GetParam().tabla), "restos de un guardado roto");
    }
    EXPECT_TRUE(dm.AbrirTablas());
    ASSERT_EQ(mensajes_.textos().size(), 1) << mensajes_.textos().join("\n").toStdString();
    EXPECT_EQ(mensajes_.textos().front(), "T244 " + QDir::toNativeSeparators(archivo));
    EXPECT_EQ(FilasEnArchivo(archivo), 0);
    EXPECT_FALSE(QFileInfo::exists(archivo + "-journal"));
    EXPECT_EQ(dm.cdsGrupoAlumno->RecordCount(), 1) << "the rest of the installation opens";

    // The teacher's practice at the workstation finds it again when it goes once more.
    ASSERT_TRUE(QFile::remove(archivo));
    mensajes_.Limpiar();
    EXPECT_TRUE(dm.AbrirHistoricoUsuario(RutasDatos::kProfesor));
    EXPECT_EQ(mensajes_.textos(), QStringList{"T244 " + QDir::toNativeSeparators(archivo)});
    EXPECT_TRUE(dm.cdsReparacion->Active() && dm.cdsLineaReparacion->Active());
}

INSTANTIATE_TEST_SUITE_P(Plantillas, PlantillaRehecha,
                         ::testing::Values(PlantillaEstropeada{"cdsReparacion", nullptr},
                                           PlantillaEstropeada{"cdsLineaReparacion", nullptr},
                                           PlantillaEstropeada{"cdsReparacion", "no es una tabla"},
                                           PlantillaEstropeada{"cdsLineaReparacion", ""}));

TEST_F(Almacen, UnHistoricoDanadoRechazaLaEntradaSinTocarElArchivo) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    Abrir();
    for (const char* danado : {"Historic/cdsReparacion007.cds", "Historic/cdsLineaReparacion007.cds"}) {
        ASSERT_TRUE(QDir(Ruta("Historic")).removeRecursively());
        dm.CrearHistorico("007");
        dm.AbrirHistorico(RutasDatos::kProfesor);
        const QByteArray basura = "SQLite format 3\0 pero roto a la mitad";
        carpeta_.escribir(danado, basura);
        mensajes_.Limpiar();
        EXPECT_FALSE(dm.AbrirHistoricoUsuario("007")) << danado;
        ASSERT_EQ(mensajes_.textos().size(), 1) << danado;
        EXPECT_EQ(mensajes_.textos().front(), "T245 " + QDir::toNativeSeparators(Ruta(danado)));
        EXPECT_EQ(mensajes_.mensajes().front().imagen, DibujoError);
        EXPECT_EQ(carpeta_.leer(danado), basura) << "the teacher finds the file as it was";
        for (TClientDataSet* tabla : {dm.cdsReparacion, dm.cdsLineaReparacion}) {
            EXPECT_FALSE(tabla->Active()) << danado;
            EXPECT_TRUE(tabla->FileName().isEmpty()) << danado;
        }
        dm.CerrarTablas();  // closing writes nothing into it either
        EXPECT_EQ(carpeta_.leer(danado), basura);
        Abrir();
    }
}

TEST_F(Almacen, LosErroresDeLasTablasLleganConUnTextoQueNombraElArchivo) {
    TClientDataSet tabla;
    tabla.Name = "cdsPrueba";
    tabla.SetFileName(Ruta("BDs/cdsPrueba.cds"));
    try {
        tabla.Open();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(ErroresTablas::ArchivoDelError(e), Ruta("BDs/cdsPrueba.cds"));
        EXPECT_EQ(ErroresTablas::TextoError(e),
                  "T241 " + QDir::toNativeSeparators(Ruta("BDs/cdsPrueba.cds")));
    }
    carpeta_.escribir("BDs/cdsPrueba.cds", "no es una tabla");
    EXPECT_EQ(ErroresTablas::TextoArchivoIlegible(Ruta("BDs/cdsPrueba.cds")),
              "T242 " + QDir::toNativeSeparators(Ruta("BDs/cdsPrueba.cds")));
    EXPECT_EQ(ErroresTablas::TextoError(EDatabaseError("Field 'x' must have a value")),
              "T246 Field 'x' must have a value");
}

}  // namespace
