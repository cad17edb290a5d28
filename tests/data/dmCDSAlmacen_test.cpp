#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>

#include "InstalacionPrueba.h"
#include "RutasDatos.h"

namespace {

TEST_F(Almacen, SinTablasLaAperturaLoDiceYSigue) {
    EXPECT_FALSE(dm.AbrirTablas());
    ASSERT_EQ(mensajes_.textos().size(), 1);
    // The user reads a text of the language file naming the file, with the error picture.
    EXPECT_EQ(mensajes_.textos().front(), "T241 " + QDir::toNativeSeparators(Ruta("BDs/cdsEquipo.cds")));
    EXPECT_EQ(mensajes_.mensajes().front().imagen, DibujoError);
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

TEST_F(Almacen, UnaSemillaCanceladaDevuelveSuCodigoPeroUnaBorradaNo) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    Abrir();
    dm.cdsSemilla->SetReadOnly(false);
    ASSERT_TRUE(dm.cdsSemilla->Append());
    EXPECT_EQ(dm.cdsSemFIdSemilla->AsInteger(), 1);
    dm.cdsSemilla->Cancel();
    ASSERT_TRUE(dm.cdsSemilla->Append());
    EXPECT_EQ(dm.cdsSemFIdSemilla->AsInteger(), 1);
    dm.cdsSemFCodSemilla->SetAsInteger(1);
    dm.cdsSemFPtrGrupo->SetAsInteger(1);
    ASSERT_TRUE(dm.cdsSemilla->Post());
    dm.cdsSemilla->Delete();
    ASSERT_TRUE(dm.cdsSemilla->Append());
    EXPECT_EQ(dm.cdsSemFIdSemilla->AsInteger(), 2);
    dm.cdsSemilla->Cancel();
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
    dm.cdsGrpFCodGrupo->SetAsInteger(5);  // a group's own folder goes with its code
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

namespace {

TEST_F(Almacen, ElOrdenAlAzarGuardadoSeLeeIgualDelArchivo) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    Abrir();
    dm.cdsSemilla->SetReadOnly(false);
    AnadirFila(dm.cdsSemilla, {{"cdsSemFCodSemilla", 1}, {"cdsSemFPtrGrupo", 1}, {"cdsSemFPtrIdAveria", 30}});
    dm.cdsSemilla->First();
    ASSERT_TRUE(dm.cdsSemilla->Edit());
    const int orden = dm.cdsSemillaCalcRandomOrden->AsInteger();
    ASSERT_TRUE(dm.cdsSemilla->Post());
    dm.AbrirTablasGrupo();
    dm.cdsSemilla->First();
    EXPECT_EQ(dm.cdsSemillaCalcRandomOrden->AsInteger(), orden);
    EXPECT_EQ(dm.cdsSemillaPtrAvReal->AsInteger(), 4);
}

}  // namespace

namespace {

class IdentificadoresEnMemoria : public ModuloVacio {
protected:
    CarpetaTemporal carpeta_;
};

TEST_F(IdentificadoresEnMemoria, LosIdentificadoresSalenDelArchivoTalComoSeEscribio) {
    for (int codigo : {1, 2}) AnadirFila(dm.cdsAlumno, {{"cdsAFCodAlumno", codigo}});
    dm.cdsAlumno->SetFileName(carpeta_.archivo("cdsAlumno.cds"));
    dm.cdsAlumno->SaveToFile();
    EXPECT_EQ(dm.SiguienteCodigo(dm.cdsAlumno, false), 3);
    AnadirFila(dm.cdsAlumno, {{"cdsAFCodAlumno", 3}});
    EXPECT_EQ(dm.SiguienteCodigo(dm.cdsAlumno, false), 3) << "la fila sin escribir no cuenta";
    dm.cdsAlumno->SaveToFile();
    EXPECT_EQ(dm.SiguienteCodigo(dm.cdsAlumno, false), 4);
    EXPECT_EQ(dm.cdsAlumno->RecordCount(), 3);
}

}  // namespace

namespace {

TEST_F(Almacen, LasCarpetasSeEncuentranSinMirarMayusculas) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    ASSERT_TRUE(QDir().rename(Ruta("BDs/EQ001"), Ruta("BDs/eq001")));
    ASSERT_TRUE(QDir().rename(Ruta("BDs"), Ruta("Bds")));
    Abrir();
    EXPECT_EQ(dm.cdsAveria->RecordCount(), 1);
    EXPECT_EQ(dm.cdsGrupoAlumno->RecordCount(), 1) << "la carpeta guardada ya no existe: se toma la propia";
}

TEST_F(Almacen, UnEquipoSinCarpetaSeAvisaYLaAperturaTermina) {
    EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
    ASSERT_TRUE(QDir(Ruta("BDs/EQ001")).removeRecursively());
    EXPECT_FALSE(dm.AbrirTablas());
    ASSERT_EQ(mensajes_.textos().size(), 1);
    EXPECT_TRUE(mensajes_.textos().front().startsWith("T241 ")) << mensajes_.textos().front().toStdString();
    EXPECT_TRUE(mensajes_.textos().front().contains("cdsSintomas.cds"));
    EXPECT_TRUE(dm.cdsEquipo->Active());
    EXPECT_TRUE(dm.cdsCodigos->IsEmpty()) << "los contadores no se crean tras un fallo";
}

}  // namespace

namespace {

// Two PCs on one installation: the teacher's class management and a student's login.
class DosPuestos : public Almacen {
protected:
    DosPuestos() {
        EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
        Abrir();
        EXPECT_TRUE(alumno.AbrirTablas());
    }

    // A new student as the student editor adds one: code and first password from the insert.
    static int NuevoAlumno(TdmCDS& modulo, const QString& nombre) {
        modulo.cdsAlumno->Append();
        modulo.cdsAFNombre->SetAsString(nombre);
        modulo.cdsAlumno->Post();
        return modulo.cdsAFCodAlumno->AsInteger();
    }

    struct Fila {
        QString nombre, password;
    };
    std::map<int, Fila> AlumnosEnArchivo() {
        TClientDataSet lector;
        lector.LoadFromFile(Ruta("BDs/cdsAlumno.cds"));
        std::map<int, Fila> filas;
        for (lector.First(); !lector.Eof(); lector.Next())
            filas[lector.FieldByName("cdsAFCodAlumno")->AsInteger()] = {
                lector.FieldByName("cdsAFNombre")->AsString(),
                lector.FieldByName("cdsAFPassword")->AsString()};
        return filas;
    }

    TdmCDS alumno;
};

TEST_F(DosPuestos, ElAlumnoNuevoDelProfesorSobreviveAQueOtroAlumnoGuardeSusDatosPersonales) {
    ASSERT_EQ(NuevoAlumno(dm, "Pablo"), 1);
    // The student, logged in before, corrects her name in the personal data dialog.
    ASSERT_TRUE(alumno.cdsAlumno->Locate("cdsAFCodAlumno", 7));
    alumno.cdsAlumno->Edit();
    alumno.cdsAFNombre->SetAsString("Ana María");
    alumno.cdsAlumno->Post();
    const std::map<int, Fila> filas = AlumnosEnArchivo();
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(filas.at(7).nombre, "Ana María");
    EXPECT_EQ(filas.at(1).nombre, "Pablo");
    EXPECT_EQ(filas.at(1).password, "AL001");
    // The student's module now knows the new student too.
    EXPECT_TRUE(alumno.cdsAlumno->Locate("cdsAFCodAlumno", 1));
}

TEST_F(DosPuestos, DosAltasALaVezRecibenCodigosDistintosYSusPasswordsLosSiguen) {
    // Both take their code before either has saved.
    dm.cdsAlumno->Append();
    alumno.cdsAlumno->Append();
    ASSERT_EQ(dm.cdsAFCodAlumno->AsInteger(), 1);
    ASSERT_EQ(alumno.cdsAFCodAlumno->AsInteger(), 1);
    dm.cdsAFNombre->SetAsString("Pablo");
    dm.cdsAlumno->Post();
    alumno.cdsAFNombre->SetAsString("Lucía");
    alumno.cdsAlumno->Post();
    // The later save got the next free code, and the window shows it.
    EXPECT_EQ(alumno.cdsAFCodAlumno->AsInteger(), 2);
    EXPECT_EQ(alumno.cdsAFPassword->AsString(), "AL002");
    const std::map<int, Fila> filas = AlumnosEnArchivo();
    ASSERT_EQ(filas.size(), 3u);
    EXPECT_EQ(filas.at(1).nombre, "Pablo");
    EXPECT_EQ(filas.at(2).nombre, "Lucía");
    EXPECT_EQ(filas.at(2).password, "AL002");
    // The installation's log tells what happened.
    QFile diario(Ruta("averias.log"));
    ASSERT_TRUE(diario.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(diario.readAll()).contains("cdsAlumno.cds"));
}

}  // namespace
