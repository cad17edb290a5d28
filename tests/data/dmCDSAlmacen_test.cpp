#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "CarpetaTemporal.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "ModuloPrueba.h"
#include "RutasDatos.h"

namespace {

const char* const kTablasBDs[] = {"cdsEquipo", "cdsCodigos",    "cdsAlumno",
                                  "cdsGrupo",  "cdsReparacion", "cdsLineaReparacion"};
const char* const kTablasEquipo[] = {"cdsSintomas", "cdsAveria",     "cdsBloque",
                                     "cdsCircuito", "cdsComponente", "cdsElemento"};
const char* const kTablasGrupo[] = {"cdsGrupoAlumno", "cdsSubgrupo", "cdsSemilla"};

// A small installation written by a module of its own: one trainer with one fault, one
// group stored under `carpetaGrupo` with one member, one student.
void EscribirInstalacion(const QString& raiz, const QString& carpetaGrupo) {
    TdmCDS origen;
    origen.CrearTablasVacias();
    AnadirFila(origen.cdsEquipo, {{"cdsEFCodEquipo", 1}, {"cdsEFDescripcion", "Motor"}});
    AnadirFila(origen.cdsAveria, {{"cdsAvFIdAveria", 30}, {"cdsAvFCodAveria", 4}, {"cdsAvFPtrEquipo", 1}});
    origen.cdsGrupo->SetReadOnly(false);
    AnadirFila(origen.cdsGrupo,
               {{"cdsGrpFCodGrupo", 1}, {"cdsGrpFNombre", "1A"}, {"cdsGrpFDirectorio", carpetaGrupo}});
    AnadirFila(origen.cdsAlumno, {{"cdsAFCodAlumno", 7}, {"cdsAFNombre", "Ana"}, {"cdsAFGrupos", "1#"}});
    AnadirFila(origen.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 1}, {"cdsGrpAlFPtrAlumno", 7}});
    const auto guardar = [&origen](const char* const* tablas, std::size_t n, const QString& carpeta) {
        QDir().mkpath(carpeta);
        for (std::size_t i = 0; i < n; ++i) origen.Tabla(tablas[i])->SaveToFile(carpeta + tablas[i] + ".cds");
    };
    guardar(kTablasBDs, std::size(kTablasBDs), raiz + "/BDs/");
    guardar(kTablasEquipo, std::size(kTablasEquipo), raiz + "/BDs/EQ001/");
    guardar(kTablasGrupo, std::size(kTablasGrupo), raiz + "/BDs/GRP 001/");
}

class Almacen : public ::testing::Test {
protected:
    QString Ruta(const QString& relativa) const { return carpeta_.ruta() + "/" + relativa; }
    QString CarpetaGrupo() const { return Ruta("BDs/GRP 001/"); }

    // Opens the installation and expects no message.
    void Abrir() { ASSERT_TRUE(dm.AbrirTablas()) << mensajes_.textos().join("\n").toStdString(); }

    // The rows of a table file as another module would read them.
    int FilasEnArchivo(const QString& archivo) {
        TClientDataSet lector;
        lector.LoadFromFile(archivo);
        return lector.RecordCount();
    }

    CarpetaTemporal carpeta_;
    InstalacionTemporal instalacion_{carpeta_.ruta()};
    IdiomaPrueba idioma_{TextosDelModulo()};
    MensajesGrabados mensajes_;
    TdmCDS dm;
};

TEST_F(Almacen, SinTablasLaAperturaLoDiceYSigue) {
    EXPECT_FALSE(dm.AbrirTablas());
    ASSERT_EQ(mensajes_.textos().size(), 1);
    EXPECT_TRUE(mensajes_.textos().front().contains("Missing data provider or data packet"));
}

TEST_F(Almacen, AbreLaInstalacionElPrimerEquipoYElGrupoActual) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    Abrir();
    EXPECT_EQ(dm.cdsEquipo->RecordCount(), 1);
    EXPECT_EQ(dm.cdsAveria->RecordCount(), 1);
    EXPECT_TRUE(RutasDatos::MismoArchivo(dm.cdsAveria->FileName(), Ruta("BDs/EQ001/cdsAveria.cds")));
    EXPECT_EQ(dm.cdsAveriaLUp->RecordCount(), 1);
    EXPECT_EQ(dm.cdsGrupoAlumno->RecordCount(), 1);
    EXPECT_TRUE(RutasDatos::MismoArchivo(dm.cdsSemilla->FileName(), CarpetaGrupo() + "cdsSemilla.cds"));
    EXPECT_EQ(dm.cdsGrupoLUp->RecordCount(), 1);
    EXPECT_EQ(dm.cdsAlumnoLUp->RecordCount(), 1);
    EXPECT_TRUE(mensajes_.textos().isEmpty());
}

TEST_F(Almacen, UnCdsCodigosVacioRecibeUnContadorPorTabla) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    Abrir();
    ASSERT_EQ(dm.cdsCodigos->RecordCount(), static_cast<int>(dm.Tablas().size()));
    dm.cdsCodigos->First();
    EXPECT_EQ(dm.cdsCodFTabla->AsString(), "cdsEquipo");
    for (; !dm.cdsCodigos->Eof(); dm.cdsCodigos->Next()) EXPECT_EQ(dm.cdsCodFUltimo->AsInteger(), 0);
    EXPECT_EQ(FilasEnArchivo(Ruta("BDs/cdsCodigos.cds")), dm.cdsCodigos->RecordCount());
}

TEST_F(Almacen, UnGrupoCuyaCarpetaYaNoExisteSeCargaDeLaSuyaYSeCorrige) {
    EscribirInstalacion(carpeta_.ruta(), "/no/existe/BDs/GRP 001/");
    Abrir();
    EXPECT_EQ(dm.cdsGrupoAlumno->RecordCount(), 1);
    EXPECT_TRUE(RutasDatos::MismoArchivo(dm.cdsGrpFDirectorio->AsString(), CarpetaGrupo()));
}

TEST_F(Almacen, LosIdentificadoresLibresSeReutilizan) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    Abrir();
    for (int codigo : {2, 3}) {
        AnadirFila(dm.cdsAlumno, {{"cdsAFCodAlumno", codigo}});
        ASSERT_TRUE(dm.SalvarTabla(dm.cdsAlumno));
    }
    ASSERT_TRUE(dm.cdsAlumno->Locate("cdsAFCodAlumno", 2));
    dm.cdsAlumno->Delete();
    ASSERT_TRUE(dm.SalvarTabla(dm.cdsAlumno));
    EXPECT_EQ(dm.SiguienteCodigo(dm.cdsAlumno, false), 1);
    AnadirFila(dm.cdsAlumno, {{"cdsAFCodAlumno", 1}});
    ASSERT_TRUE(dm.SalvarTabla(dm.cdsAlumno));
    EXPECT_EQ(dm.SiguienteCodigo(dm.cdsAlumno, false), 2);
}

TEST_F(Almacen, LasSemillasNoReutilizanYUnaInsercionCanceladaDevuelveSuCodigo) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    Abrir();
    dm.cdsSemilla->SetReadOnly(false);
    dm.cdsSemilla->Append();
    EXPECT_EQ(dm.SiguienteCodigo(dm.cdsSemilla, true), 1);
    EXPECT_EQ(dm.cdsSemFIdSemilla->AsInteger(), 1);
    dm.cdsSemilla->Cancel();
    dm.DevolverCodigo(dm.cdsSemilla);
    dm.cdsSemilla->Append();
    EXPECT_EQ(dm.SiguienteCodigo(dm.cdsSemilla, true), 1);
    dm.cdsSemilla->Cancel();
    EXPECT_EQ(dm.SiguienteCodigo(dm.cdsSemilla, false), 2) << "sin devolverlo, el siguiente es otro";
}

TEST_F(Almacen, SinArchivoNoHayIdentificador) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    Abrir();
    dm.DesligarTablasGrupo();
    EXPECT_THROW(dm.SiguienteCodigo(dm.cdsSubgrupo, false), EDatabaseError);
    EXPECT_EQ(dm.cdsCodigos->State(), dsBrowse);
}

TEST_F(Almacen, ElHistoricoDeUnAlumnoSeCreaConSuCarpeta) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    Abrir();
    ASSERT_FALSE(QFileInfo::exists(Ruta("Historic")));
    dm.AbrirHistoricoSiExiste("012");
    EXPECT_TRUE(QFileInfo::exists(Ruta("Historic/cdsReparacion012.cds")));
    EXPECT_TRUE(QFileInfo::exists(Ruta("Historic/cdsLineaReparacion012.cds")));
    AnadirFila(dm.cdsReparacion, {{"cdsRepFCodReparacion", 1}, {"cdsRepFInicio", 45000.0}});
    ASSERT_TRUE(dm.SalvarTabla(dm.cdsReparacion));
    dm.AbrirHistoricoSiExiste("012");
    EXPECT_EQ(dm.cdsReparacion->RecordCount(), 1);
}

TEST_F(Almacen, UnHistoricoSinCarpetaRecuperaLaCarpetaAlGuardar) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    Abrir();
    dm.CrearHistorico("007");
    AnadirFila(dm.cdsReparacion, {{"cdsRepFCodReparacion", 1}, {"cdsRepFInicio", 45000.0}});
    ASSERT_TRUE(QDir(Ruta("Historic")).removeRecursively());
    EXPECT_TRUE(dm.SalvarTabla(dm.cdsReparacion));
    EXPECT_EQ(FilasEnArchivo(Ruta("Historic/cdsReparacion007.cds")), 1);
    EXPECT_TRUE(mensajes_.textos().isEmpty());
}

TEST_F(Almacen, UnaTablaCuyaCarpetaDesaparecioSeAvisa) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    Abrir();
    AnadirFila(dm.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 1}, {"cdsGrpAlFPtrAlumno", 8}});
    ASSERT_TRUE(QDir(CarpetaGrupo()).removeRecursively());
    EXPECT_FALSE(dm.SalvarTabla(dm.cdsGrupoAlumno));
    ASSERT_EQ(mensajes_.textos().size(), 1);
    EXPECT_TRUE(mensajes_.textos().front().contains("cdsGrupoAlumno"));
}

TEST_F(Almacen, LaPracticaDelProfesorNoDejaRastro) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    Abrir();
    dm.AbrirHistorico(RutasDatos::kProfesor);
    AnadirFila(dm.cdsReparacion, {{"cdsRepFCodReparacion", 1}, {"cdsRepFInicio", 45000.0}});
    AnadirFila(dm.cdsLineaReparacion, {{"cdsLRepFCodLinea", 1}, {"cdsLRepFPtrReparacion", 1}});
    dm.AbrirHistoricoSiExiste("007");
    EXPECT_EQ(FilasEnArchivo(Ruta("BDs/cdsReparacion.cds")), 0);
    EXPECT_EQ(FilasEnArchivo(Ruta("BDs/cdsLineaReparacion.cds")), 0);
}

TEST_F(Almacen, LosArchivosDeUnGrupoNuevoSeCreanVacios) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    Abrir();
    dm.cdsGrupo->Edit();
    dm.cdsGrpFDirectorio->SetAsString(Ruta("BDs/GRP 005/"));
    dm.cdsGrupo->Post();
    ASSERT_TRUE(QDir().mkpath(Ruta("BDs/GRP 005")));
    dm.CrearTablasGrupo();
    for (const char* tabla : kTablasGrupo)
        EXPECT_EQ(FilasEnArchivo(Ruta("BDs/GRP 005/") + tabla + ".cds"), 0) << tabla;
}

TEST_F(Almacen, DesligarLasTablasDelGrupoOlvidaSusArchivos) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    Abrir();
    dm.DesligarTablasGrupo();
    for (const char* tabla : kTablasGrupo) {
        EXPECT_FALSE(dm.Tabla(tabla)->Active()) << tabla;
        EXPECT_TRUE(dm.Tabla(tabla)->FileName().isEmpty()) << tabla;
    }
    dm.CargarTablasGrupo();
    EXPECT_EQ(dm.cdsGrupoAlumno->RecordCount(), 1);
}

}  // namespace
