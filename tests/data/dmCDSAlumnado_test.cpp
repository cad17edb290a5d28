#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "Cadenas.h"
#include "Idioma.h"
#include "InstalacionPrueba.h"
#include "RutasDatos.h"
#include "SinEscritura.h"

namespace {

constexpr int kGrupo = 1;
constexpr int kAna = 7;

// The student and subgroup changes of class management on the small installation: group
// 1 with its member Ana (7).
class Alumnado : public Almacen {
protected:
    void SetUp() override {
        EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
        Abrir();
    }

    // A new member of the group as the student page saves one; his code.
    int AltaMiembro(const char* nombre) {
        dm.cdsGrupoAlumno->SetReadOnly(false);
        EXPECT_TRUE(dm.cdsGrupoAlumno->Insert());
        EXPECT_TRUE(dm.cdsAlumno->Insert());
        const int codigo = dm.cdsAFCodAlumno->AsInteger();
        dm.cdsAFNombre->SetAsString(nombre);
        dm.cdsGrpAlFPtrGrupo->SetAsInteger(kGrupo);
        dm.cdsGrpAlFPtrAlumno->SetAsInteger(codigo);
        EXPECT_TRUE(dm.GuardarAlumno(kGrupo));
        return codigo;
    }

    // A new subgroup with these members, as the subgroup page makes one; its code.
    int NuevoSubgrupo(const QString& nombre, const std::vector<int>& miembros) {
        TdmCDS::QuitarFiltro(dm.cdsSubgrupo);
        dm.cdsSubgrupo->SetReadOnly(false);
        EXPECT_TRUE(dm.cdsSubgrupo->Insert());
        const int codigo = dm.cdsSubFCodSubgrupo->AsInteger();
        dm.cdsSubFNombre->SetAsString(nombre);
        for (int alumno : miembros) EXPECT_TRUE(dm.AnadirAlumnoSubgrupo(alumno));
        return codigo;
    }

    // What a module reading the files now would find.
    QVariant EnArchivo(const QString& tabla, const char* clave, const QVariant& valor, const char* campo) {
        TClientDataSet lector;
        lector.LoadFromFile(Ruta((tabla == "cdsAlumno" ? "BDs/" : "BDs/GRP 001/") + tabla + ".cds"));
        return lector.Lookup(clave, valor, campo);
    }
    int FilasSubgrupo(int codigo) {
        TClientDataSet lector;
        lector.LoadFromFile(CarpetaGrupo() + "cdsSubgrupo.cds");
        int n = 0;
        for (lector.First(); !lector.Eof(); lector.Next())
            n += lector.FieldByName("cdsSubFCodSubgrupo")->AsInteger() == codigo;
        return n;
    }
    QString Subgrupos(int alumno) {
        return EnArchivo("cdsGrupoAlumno", "cdsGrpAlFPtrAlumno", alumno, "cdsGrpAlFSubgrupos").toString();
    }
    void EscribirHistorico(int alumno) {
        dm.CrearHistorico(FormatoCodigo(alumno));
        ASSERT_GE(dm.NuevaReparacion(alumno, kGrupo, false, "BL#", "J#", "F", 45000.0, 1, 30, -1), 0);
    }
};

TEST_F(Alumnado, UnAlumnoNuevoTieneCodigoPasswordYMiembroEnLosArchivos) {
    const int luis = AltaMiembro("Luis");
    EXPECT_EQ(EnArchivo("cdsAlumno", "cdsAFCodAlumno", luis, "cdsAFPassword"),
              TdmCDS::kPrefijoPasswordAlumno + FormatoCodigo(luis));
    EXPECT_EQ(EnArchivo("cdsAlumno", "cdsAFCodAlumno", luis, "cdsAFGrupos"), "1#");
    EXPECT_EQ(EnArchivo("cdsGrupoAlumno", "cdsGrpAlFPtrAlumno", luis, "cdsGrpAlFPtrGrupo"), kGrupo);
    EXPECT_TRUE(mensajes_.textos().isEmpty());
}

TEST_F(Alumnado, UnAlumnoQueNoSePuedeGuardarNoDejaNadaAMedias) {
    const int antes = FilasEnArchivo(Ruta("BDs/cdsAlumno.cds"));
    int luis = 0;
    {
        SinEscritura bloqueo(carpeta_.ruta(), CarpetaGrupo());
        dm.cdsGrupoAlumno->SetReadOnly(false);
        ASSERT_TRUE(dm.cdsGrupoAlumno->Insert());
        ASSERT_TRUE(dm.cdsAlumno->Insert());
        luis = dm.cdsAFCodAlumno->AsInteger();
        dm.cdsGrpAlFPtrGrupo->SetAsInteger(kGrupo);
        dm.cdsGrpAlFPtrAlumno->SetAsInteger(luis);
        EXPECT_FALSE(dm.GuardarAlumno(kGrupo));
    }
    ASSERT_FALSE(mensajes_.textos().isEmpty());
    EXPECT_TRUE(mensajes_.textos().back().endsWith(Texto(280)));
    // Neither the student without a membership nor the membership without a student.
    EXPECT_EQ(FilasEnArchivo(Ruta("BDs/cdsAlumno.cds")), antes);
    EXPECT_TRUE(EnArchivo("cdsGrupoAlumno", "cdsGrpAlFPtrAlumno", luis, "cdsGrpAlFPtrGrupo").isNull());
    EXPECT_FALSE(dm.cdsAlumno->Locate("cdsAFCodAlumno", luis));
    EXPECT_FALSE(dm.cdsGrupoAlumno->Locate("cdsGrpAlFPtrAlumno", luis));
    EXPECT_TRUE(TdmCDS::EnConsulta(dm.cdsAlumno));
}

TEST_F(Alumnado, QuitarDelGrupoBorraSuHistoricoYElSiguienteEmpiezaLimpio) {
    const int luis = AltaMiembro("Luis");
    // The practice tables are on his history, as after the history browser showed it.
    EscribirHistorico(luis);
    ASSERT_TRUE(dm.cdsGrupoAlumno->Locate("cdsGrpAlFPtrAlumno", luis));
    EXPECT_TRUE(dm.QuitarAlumnoGrupo());
    EXPECT_FALSE(QFileInfo::exists(RutasDatos::ArchivoReparacion(FormatoCodigo(luis))));
    EXPECT_FALSE(QFileInfo::exists(RutasDatos::ArchivoLineaReparacion(FormatoCodigo(luis))));
    EXPECT_TRUE(EnArchivo("cdsAlumno", "cdsAFCodAlumno", luis, "cdsAFCodAlumno").isNull());
    // Closing the tables writes nothing back.
    dm.CerrarTablas();
    EXPECT_FALSE(QFileInfo::exists(RutasDatos::ArchivoReparacion(FormatoCodigo(luis))));
    Abrir();
    EXPECT_EQ(AltaMiembro("Eva"), luis);
    ASSERT_TRUE(dm.PrepararHistoricoAlumno());
    EXPECT_TRUE(dm.cdsReparacion->IsEmpty());
}

TEST_F(Alumnado, QuitarDelGrupoSeLlevaSusSubgruposYElQueSoloEraSuyo) {
    const int luis = AltaMiembro("Luis");
    const int eva = AltaMiembro("Eva");
    const int pareja = NuevoSubgrupo("Pareja", {luis, eva});
    const int solo = NuevoSubgrupo("Solo", {luis});
    ASSERT_TRUE(dm.cdsGrupoAlumno->Locate("cdsGrpAlFPtrAlumno", luis));
    EXPECT_TRUE(dm.QuitarAlumnoGrupo());
    EXPECT_EQ(FilasSubgrupo(pareja), 1);
    EXPECT_EQ(FilasSubgrupo(solo), 0);
    EXPECT_EQ(Subgrupos(eva), QString::number(pareja) + "#");
}

TEST_F(Alumnado, UnaEscrituraFallidaAlQuitarDejaAlAlumnoYSuHistorico) {
    const int luis = AltaMiembro("Luis");
    const int eva = AltaMiembro("Eva");
    const int pareja = NuevoSubgrupo("Pareja", {luis, eva});
    EscribirHistorico(luis);
    ASSERT_TRUE(dm.cdsGrupoAlumno->Locate("cdsGrpAlFPtrAlumno", luis));
    {
        SinEscritura bloqueo(carpeta_.ruta(), CarpetaGrupo());
        EXPECT_FALSE(dm.QuitarAlumnoGrupo());
    }
    ASSERT_FALSE(mensajes_.textos().isEmpty());
    EXPECT_TRUE(mensajes_.textos().back().endsWith(Texto(280)));
    EXPECT_TRUE(QFileInfo::exists(RutasDatos::ArchivoReparacion(FormatoCodigo(luis))));
    EXPECT_EQ(EnArchivo("cdsAlumno", "cdsAFCodAlumno", luis, "cdsAFGrupos"), "1#");
    EXPECT_EQ(EnArchivo("cdsGrupoAlumno", "cdsGrpAlFPtrAlumno", luis, "cdsGrpAlFPtrGrupo"), kGrupo);
    EXPECT_EQ(FilasSubgrupo(pareja), 2);
    EXPECT_TRUE(dm.cdsAlumno->Locate("cdsAFCodAlumno", luis));
    EXPECT_TRUE(dm.cdsGrupoAlumno->Locate("cdsGrpAlFPtrAlumno", luis));
}

TEST_F(Alumnado, UnSubgrupoNuevoSeGuardaConSuPrimerAlumnoYLosDemasComparten) {
    const int luis = AltaMiembro("Luis");
    const int eva = AltaMiembro("Eva");
    const int codigo = NuevoSubgrupo("Equipo B", {kAna, luis, eva});
    EXPECT_EQ(FilasSubgrupo(codigo), 3);
    for (int alumno : {kAna, luis, eva}) EXPECT_EQ(Subgrupos(alumno), QString::number(codigo) + "#");
    EXPECT_EQ(dm.cdsSubgrupo->RecordCount(), 3);
    for (dm.cdsSubgrupo->First(); !dm.cdsSubgrupo->Eof(); dm.cdsSubgrupo->Next())
        EXPECT_EQ(dm.cdsSubFPassword->AsString(), TdmCDS::kPrefijoPasswordSubgrupo + FormatoCodigo(codigo));
}

TEST_F(Alumnado, QuitarAlUnicoAlumnoDejaElSubgrupoYLeQuitaElCodigo) {
    const int codigo = NuevoSubgrupo("Solo", {kAna});
    EXPECT_TRUE(dm.QuitarAlumnoSubgrupo(kAna));
    EXPECT_EQ(FilasSubgrupo(codigo), 1);
    EXPECT_TRUE(dm.cdsSubFPtrAlumno->IsNull());
    EXPECT_EQ(dm.cdsSubFPassword->AsString(), TdmCDS::kPrefijoPasswordSubgrupo + FormatoCodigo(codigo));
    EXPECT_EQ(Subgrupos(kAna), "");
}

TEST_F(Alumnado, UnSubgrupoBorradoLiberaSuNombrePeroNoSuCodigo) {
    const int luis = AltaMiembro("Luis");
    const int codigo = NuevoSubgrupo("Equipo A", {kAna, luis});
    EXPECT_TRUE(dm.EliminarSubgrupo());
    EXPECT_EQ(FilasSubgrupo(codigo), 0);
    EXPECT_EQ(Subgrupos(kAna), "");
    EXPECT_TRUE(dm.cdsSubgrupoLUp->Lookup("cdsSubFNombre", "Equipo A", "cdsSubFCodSubgrupo").isNull());
    // The histories of its members may still name it: its code is not given again.
    EXPECT_EQ(NuevoSubgrupo("Equipo A", {kAna, luis}), codigo + 1);
}

TEST_F(Alumnado, UnCodigoDeSubgrupoSuperaAlContadorYALaTabla) {
    NuevoSubgrupo("Importado", {kAna});
    // A group brought in with higher codes than the counter has given.
    dm.cdsSubgrupo->Edit();
    dm.cdsSubFCodSubgrupo->SetAsInteger(40);
    ASSERT_TRUE(dm.cdsSubgrupo->Post());
    dm.cdsSubgrupo->SetReadOnly(false);
    ASSERT_TRUE(dm.cdsSubgrupo->Insert());
    EXPECT_EQ(dm.cdsSubFCodSubgrupo->AsInteger(), 41);
    dm.cdsSubgrupo->Cancel();
}

TEST_F(Alumnado, UnaEscrituraFallidaDelSubgrupoLoDejaComoEstaba) {
    const int luis = AltaMiembro("Luis");
    const int codigo = NuevoSubgrupo("Equipo A", {kAna, luis});
    {
        SinEscritura bloqueo(carpeta_.ruta(), CarpetaGrupo());
        EXPECT_FALSE(dm.EliminarSubgrupo());
    }
    EXPECT_EQ(FilasSubgrupo(codigo), 2);
    EXPECT_EQ(dm.cdsSubgrupo->RecordCount(), 2);
    EXPECT_EQ(Subgrupos(kAna), QString::number(codigo) + "#");
    EXPECT_FALSE(dm.cdsSubgrupoLUp->Lookup("cdsSubFNombre", "Equipo A", "cdsSubFCodSubgrupo").isNull());
}

TEST_F(Alumnado, ElHistoricoDeUnSubgrupoSinAlumnosNoCreaArchivos) {
    NuevoSubgrupo("Vacío", {});
    ASSERT_TRUE(dm.GuardarSubgrupo());
    EXPECT_TRUE(dm.PrepararHistoricoSubgrupo());
    EXPECT_TRUE(RutasDatos::EsPlantilla(dm.cdsReparacion->FileName(), "cdsReparacion"));
    EXPECT_FALSE(QFileInfo::exists(Ruta("Historic/cdsReparacionPROFESOR.cds")));
}

}  // namespace
