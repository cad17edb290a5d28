#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "Cadenas.h"
#include "Ini.h"
#include "InstalacionPrueba.h"
#include "RutasDatos.h"

namespace {

class Reglas : public Almacen {
protected:
    void SetUp() override {
        EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
        Abrir();
    }

    void AnadirSubgrupo(int alumno) {
        ASSERT_TRUE(dm.cdsSubgrupo->Append());
        dm.cdsSubFNombre->SetAsString("Equipo A");
        dm.cdsSubFPtrAlumno->SetAsInteger(alumno);
        ASSERT_TRUE(dm.cdsSubgrupo->Post());
    }
};

TEST_F(Reglas, UnGrupoNuevoTomaLosNivelesDeLaConfiguracion) {
    EscribirIni(Instalacion::ArchivoConfiguracion(), "Opciones", "NivelSintoma", "2");
    EscribirIni(Instalacion::ArchivoConfiguracion(), "Opciones", "NivelReparacion", "3");
    ASSERT_TRUE(dm.cdsGrupo->Append());
    EXPECT_EQ(dm.cdsGrpFCodGrupo->AsInteger(), 2);
    EXPECT_EQ(dm.cdsGrpFNSintomas->AsString(), "J#");
    EXPECT_EQ(dm.cdsGrpFNReparacion->AsString(), "BL#");
    EXPECT_TRUE(dm.cdsGrpFTutorizada->AsBoolean());
    EXPECT_TRUE(dm.cdsGrpFDisfuncion->AsBoolean());
    EXPECT_EQ(dm.cdsGrpFNumAlumnos->Value(), QVariant(0));
    EXPECT_TRUE(RutasDatos::MismoArchivo(dm.cdsGrpFDirectorio->AsString(), Ruta("BDs/GRP 002/")));
    for (const char* tabla : kTablasGrupo) EXPECT_TRUE(dm.Tabla(tabla)->FileName().isEmpty()) << tabla;
}

TEST_F(Reglas, UnGrupoNuevoGuardadoTieneSuCarpetaYSusArchivos) {
    ASSERT_TRUE(dm.cdsGrupo->Append());
    dm.cdsGrpFNombre->SetAsString("2B");
    EXPECT_TRUE(dm.GuardarCambios());
    EXPECT_EQ(dm.cdsGrupo->RecordCount(), 2);
    for (const char* tabla : kTablasGrupo)
        EXPECT_TRUE(QFileInfo::exists(Ruta("BDs/GRP 002/") + tabla + ".cds")) << tabla;
}

TEST_F(Reglas, UnNombreDeGrupoRepetidoLoDiceElMensajeDelGrupo) {
    ASSERT_TRUE(dm.cdsGrupo->Append());
    dm.cdsGrpFNombre->SetAsString("1A");
    EXPECT_THROW(dm.cdsGrupo->Post(), EDatabaseError);
    EXPECT_EQ(mensajes_.textos(), QStringList{"Falla el post de la tabla grupo"});
    EXPECT_EQ(mensajes_.mensajes().front().imagen, DibujoError);  // a failure, not a piece of news
    dm.cdsGrupo->Cancel();
}

TEST_F(Reglas, UnGrupoSinNombreNoSeGuardaYNoDiceNada) {
    ASSERT_TRUE(dm.cdsGrupo->Append());
    EXPECT_FALSE(dm.cdsGrupo->Post());
    EXPECT_TRUE(mensajes_.textos().isEmpty());
    dm.cdsGrupo->Cancel();
}

TEST_F(Reglas, LasPasswordsInicialesLlevanPrefijoYCodigo) {
    ASSERT_TRUE(dm.cdsAlumno->Append());
    const int alumno = dm.cdsAFCodAlumno->AsInteger();
    EXPECT_EQ(dm.cdsAFPassword->AsString(), TdmCDS::kPrefijoPasswordAlumno + FormatoCodigo(alumno));
    dm.cdsAlumno->Cancel();
    dm.cdsSubgrupo->SetReadOnly(false);
    ASSERT_TRUE(dm.cdsSubgrupo->Append());
    EXPECT_EQ(dm.cdsSubFPassword->AsString(),
              TdmCDS::kPrefijoPasswordSubgrupo + FormatoCodigo(dm.cdsSubFCodSubgrupo->AsInteger()));
    EXPECT_EQ(dm.cdsSubFPtrGrupo->AsInteger(), 1);
    dm.cdsSubgrupo->Cancel();
    EXPECT_EQ(TdmCDS::kPrefijoPasswordAlumno, TdmCDS::kPrefijoPasswordAlumno.toUpper());
    EXPECT_EQ(TdmCDS::kPrefijoPasswordSubgrupo, TdmCDS::kPrefijoPasswordSubgrupo.toUpper());
}

TEST_F(Reglas, QuitarUnMiembroQuitaElGrupoDeSuLista) {
    ASSERT_TRUE(dm.cdsAlumno->Locate("cdsAFCodAlumno", 7));
    dm.cdsAlumno->Edit();
    dm.cdsAFGrupos->SetAsString("3#1#15#");
    dm.cdsAlumno->Post();
    ASSERT_TRUE(dm.cdsGrupoAlumno->Locate("cdsGrpAlFPtrAlumno", 7));
    ASSERT_TRUE(dm.cdsGrupoAlumno->Delete());
    ASSERT_TRUE(dm.cdsAlumno->Locate("cdsAFCodAlumno", 7));
    EXPECT_EQ(dm.cdsAFGrupos->AsString(), "3#15#");
}

TEST_F(Reglas, UnAlumnoEntraConSuPasswordEnMayusculas) {
    ASSERT_TRUE(dm.cdsAlumno->Locate("cdsAFCodAlumno", 7));
    dm.cdsAlumno->Edit();
    dm.cdsAFPassword->SetAsString("AL007");
    dm.cdsAlumno->Post();
    const auto resultado = dm.ComprobarPassword(1, "AL007");
    EXPECT_TRUE(resultado.aceptado);
    EXPECT_EQ(resultado.tipo, 1);
    EXPECT_EQ(dm.cdsAFCodAlumno->AsInteger(), 7);
    EXPECT_EQ(dm.cdsGrpAlFPtrAlumno->AsInteger(), 7);
    EXPECT_TRUE(dm.Modulo.isEmpty());
}

TEST_F(Reglas, UnaPasswordDeAlumnoConMinusculasNuncaEntra) {
    ASSERT_TRUE(dm.cdsAlumno->Locate("cdsAFCodAlumno", 7));
    dm.cdsAlumno->Edit();
    dm.cdsAFPassword->SetAsString("al007");
    dm.cdsAlumno->Post();
    EXPECT_FALSE(dm.ComprobarPassword(1, "AL007").aceptado);
}

TEST_F(Reglas, UnSubgrupoEntraSinMirarMayusculas) {
    dm.cdsSubgrupo->SetReadOnly(false);
    AnadirSubgrupo(7);
    dm.cdsSubgrupo->Edit();
    dm.cdsSubFPassword->SetAsString("clave1");
    ASSERT_TRUE(dm.cdsSubgrupo->Post());
    const auto resultado = dm.ComprobarPassword(1, "CLAVE1");
    EXPECT_TRUE(resultado.aceptado);
    EXPECT_EQ(resultado.tipo, 2);
    EXPECT_TRUE(dm.cdsSubgrupo->Filtered());
    EXPECT_EQ(dm.cdsAFCodAlumno->AsInteger(), 7);
    EXPECT_FALSE(dm.ComprobarPassword(1, "OTRA").aceptado);
}

TEST_F(Reglas, RenombrarUnSubgrupoRenombraTodasSusFilas) {
    AnadirFila(dm.cdsAlumno, {{"cdsAFNombre", "Luis"}});
    const int otro = dm.cdsAFCodAlumno->AsInteger();
    dm.cdsSubgrupo->SetReadOnly(false);
    AnadirSubgrupo(7);
    const int codigo = dm.cdsSubFCodSubgrupo->AsInteger();
    AnadirFila(dm.cdsSubgrupo,
               {{"cdsSubFCodSubgrupo", codigo}, {"cdsSubFNombre", "Equipo A"}, {"cdsSubFPtrAlumno", otro}});
    TdmCDS::AplicarFiltro(dm.cdsSubgrupo, "cdsSubFCodSubgrupo = " + QString::number(codigo));
    dm.cdsSubgrupo->First();
    dm.cdsSubgrupo->Edit();
    dm.cdsSubFNombre->SetAsString("Equipo B");
    ASSERT_TRUE(dm.cdsSubgrupo->Post());
    int filas = 0;
    for (dm.cdsSubgrupo->First(); !dm.cdsSubgrupo->Eof(); dm.cdsSubgrupo->Next(), ++filas)
        EXPECT_EQ(dm.cdsSubFNombre->AsString(), "Equipo B");
    EXPECT_EQ(filas, 2);
    ASSERT_TRUE(dm.cdsGrupoAlumno->Locate("cdsGrpAlFPtrAlumno", 7));
    EXPECT_EQ(dm.cdsGrpAlFSubgrupos->AsString(), QString::number(codigo) + "#");
}

TEST_F(Reglas, BorrarElUltimoGrupoDejaLasTablasDelGrupoSinArchivo) {
    ASSERT_TRUE(dm.cdsGrupo->Delete());
    EXPECT_TRUE(dm.cdsGrupo->ReadOnly());
    for (const char* tabla : kTablasGrupo) {
        EXPECT_FALSE(dm.Tabla(tabla)->Active()) << tabla;
        EXPECT_TRUE(dm.Tabla(tabla)->FileName().isEmpty()) << tabla;
    }
}

TEST_F(Reglas, ElNumeroDeAlumnosSigueALosMiembros) {
    AnadirFila(dm.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 1}, {"cdsGrpAlFPtrAlumno", 8}});
    EXPECT_EQ(dm.cdsGrpFNumAlumnos->AsInteger(), 2);
}

}  // namespace

namespace {

TEST_F(Reglas, BorrarUnGrupoBorraSusAlumnosSuHistoricoYSuCarpeta) {
    dm.AbrirHistoricoSiExiste("007");
    dm.AbrirHistorico(RutasDatos::kProfesor);
    ASSERT_TRUE(QFileInfo::exists(Ruta("Historic/cdsReparacion007.cds")));
    carpeta_.escribir("BDs/GRP 001/Informes/nota.txt", "x");
    dm.BorrarGrupo(1);
    EXPECT_FALSE(QFileInfo::exists(Ruta("Historic/cdsReparacion007.cds")));
    EXPECT_FALSE(QFileInfo::exists(Ruta("Historic/cdsLineaReparacion007.cds")));
    EXPECT_FALSE(QFileInfo::exists(CarpetaGrupo()));
    EXPECT_EQ(dm.cdsGrupo->RecordCount(), 0);
    EXPECT_EQ(dm.cdsAlumno->RecordCount(), 0);
    EXPECT_EQ(FilasEnArchivo(Ruta("BDs/cdsAlumno.cds")), 0);
    EXPECT_EQ(FilasEnArchivo(Ruta("BDs/cdsGrupo.cds")), 0);
    EXPECT_TRUE(mensajes_.textos().isEmpty()) << mensajes_.textos().join("\n").toStdString();
}

TEST_F(Reglas, BorrarLasSemillasDeUnGrupoDejaLasDeOtros) {
    dm.cdsSemilla->SetReadOnly(false);
    for (int grupo : {1, 1, 2})
        AnadirFila(dm.cdsSemilla, {{"cdsSemFCodSemilla", 1}, {"cdsSemFPtrGrupo", grupo}});
    dm.cdsSemilla->SetMasterSource(nullptr);  // all groups' seeds in view
    dm.BorrarSemillasGrupo(1);
    EXPECT_FALSE(dm.cdsSemilla->Filtered());
    EXPECT_EQ(dm.cdsSemilla->RecordCount(), 1);
    EXPECT_EQ(dm.cdsSemFPtrGrupo->AsInteger(), 2);
}

TEST_F(Reglas, CancelarLosCambiosDevuelveElCodigoDeUnaInsercion) {
    ASSERT_TRUE(dm.cdsAlumno->Append());
    const int codigo = dm.cdsAFCodAlumno->AsInteger();
    dm.Modificado = true;
    EXPECT_TRUE(dm.CancelarCambios());
    EXPECT_FALSE(dm.Modificado);
    ASSERT_TRUE(dm.cdsAlumno->Append());
    EXPECT_EQ(dm.cdsAFCodAlumno->AsInteger(), codigo);
    dm.CerrarEdiciones();
    EXPECT_EQ(dm.cdsAlumno->State(), dsBrowse);
}

TEST_F(Reglas, ElArbolDeGruposEsperaMientrasSeInserta) {
    QList<bool> avisos;
    QObject::connect(&dm, &TdmCDS::ReaccionesArbol, [&avisos](bool activas) { avisos << activas; });
    ASSERT_TRUE(dm.cdsAlumno->Append());
    EXPECT_EQ(avisos, QList<bool>{false});
    ASSERT_TRUE(dm.cdsAlumno->Post());
    EXPECT_EQ(avisos, (QList<bool>{false, true}));
    ASSERT_TRUE(dm.cdsAlumno->Append());
    dm.cdsAlumno->Cancel();
    EXPECT_EQ(avisos, (QList<bool>{false, true, false, true}));
}

TEST_F(Reglas, LaComprobacionDeUnGrupoInexistenteNoAcepta) {
    EXPECT_FALSE(dm.ComprobarPassword(99, "AL007").aceptado);
}

}  // namespace
