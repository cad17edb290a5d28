// The exchange as the class management window calls it: on the program's data module,
// with the replace question answered in the message window.
#include <QDir>
#include <QFile>

#include "ApoyoIntercambio.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "Intercambio.h"
#include "MensajesGrabados.h"
#include "dmCDS.h"

namespace {

class IntercambioEnModulo : public Intercambio {
protected:
    // The data module on installation b, as the window leaves it: on its group.
    void AbrirB() {
        instalacion = std::make_unique<InstalacionTemporal>(B());
        idioma = std::make_unique<IdiomaTemporal>(B("idioma.lng"));
        dm = std::make_unique<TdmCDS>();
        ASSERT_TRUE(dm->AbrirTablas());
        dm->Modulo = "Alumnos";
    }
    QString Pregunta() const { return Texto(211) + ", " + kGrupoDemo + ", " + Texto(212); }

    MensajesGrabados mensajes;
    std::unique_ptr<InstalacionTemporal> instalacion;
    std::unique_ptr<IdiomaTemporal> idioma;
    std::unique_ptr<TdmCDS> dm;
};

TEST_F(IntercambioEnModulo, SinPermisoParaReemplazarNadaCambiaYElGrupoSigueAbierto) {
    Exportar();
    AbrirB();
    const Instantanea antes = TomarInstantanea(B());
    mensajes.Responder(mrNo);
    const ResultadoIntercambio r = ImportarGrupo(*dm, Exportada(), Reemplazo::Preguntar);
    EXPECT_FALSE(r.correcto);
    EXPECT_TRUE(r.cancelado);
    ASSERT_EQ(mensajes.mensajes().size(), 1u);
    EXPECT_EQ(mensajes.mensajes()[0].texto, Pregunta());
    EXPECT_EQ(mensajes.mensajes()[0].botones, BotonesSiNo);
    EXPECT_EQ(TomarInstantanea(B()), antes);
    EXPECT_TRUE(dm->cdsGrupoAlumno->Active());
    EXPECT_EQ(dm->cdsGrupoAlumno->RecordCount(), 5);
}

TEST_F(IntercambioEnModulo, ConPermisoElModuloQuedaEnElGrupoImportado) {
    CambiarNombreGrupo(A(), "Segundo");
    AbrirB();
    const Salida s = EjecutarDatos({"exportar-grupo", A(), "Segundo", D()});
    ASSERT_EQ(s.estado, 0) << s.texto.toStdString();
    // b's group 1 stays; the import takes code 2, students 6 to 10.
    const ResultadoIntercambio r = ImportarGrupo(*dm, D("Segundo"), Reemplazo::Preguntar);
    ASSERT_TRUE(r.correcto) << r.mensaje.toStdString();
    EXPECT_EQ(r.mensaje, Texto(166));
    EXPECT_EQ(r.codigoGrupo, 2);
    EXPECT_EQ(r.grupoReemplazado, -1);
    EXPECT_TRUE(mensajes.textos().isEmpty()) << mensajes.textos().join('\n').toStdString();
    EXPECT_EQ(dm->cdsGrupo->RecordCount(), 2);
    EXPECT_EQ(dm->cdsGrpFNombre->AsString(), "Segundo");
    EXPECT_EQ(dm->cdsGrupoAlumno->RecordCount(), 5);
    EXPECT_EQ(dm->cdsGrpAlFPtrGrupo->AsInteger(), 2);
    EXPECT_EQ(dm->cdsAFCodAlumno->AsInteger(), 10);
    EXPECT_FALSE(dm->Modificado);

    // Replacing it with its own exchange: the question, then the same code again.
    mensajes.Responder(mrYes);
    const ResultadoIntercambio otra = ImportarGrupo(*dm, D("Segundo"), Reemplazo::Preguntar);
    ASSERT_TRUE(otra.correcto) << otra.mensaje.toStdString();
    EXPECT_EQ(otra.grupoReemplazado, 2);
    EXPECT_EQ(otra.codigoGrupo, 2);
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(211) + ", Segundo, " + Texto(212)});
    EXPECT_EQ(dm->cdsGrupo->RecordCount(), 2);
    EXPECT_EQ(dm->cdsAlumno->RecordCount(), 10);
    // What the module holds is on disk: a later save keeps the imported group.
    dm.reset();
    EXPECT_EQ(Columna(B("BDs/cdsGrupo.cds"), "cdsGrpFNombre"), (QStringList{kGrupoDemo, "Segundo"}));
    EXPECT_EQ(Columna(B("BDs/cdsAlumno.cds"), "cdsAFCodAlumno").size(), 10);
}

TEST_F(IntercambioEnModulo, EnUnaInstalacionSinGruposElGrupoYSusAlumnosConservanSusCodigos) {
    Exportar();
    for (const char* tabla : {"cdsGrupo", "cdsAlumno"})
        CambiarTabla(B("BDs/") + tabla + ".cds", [](TClientDataSet& t) { t.EmptyDataSet(); });
    QDir(B("BDs/GRP 001")).removeRecursively();
    AbrirB();
    ASSERT_TRUE(dm->cdsGrupo->IsEmpty());
    const ResultadoIntercambio r = ImportarGrupo(*dm, Exportada(), Reemplazo::Preguntar);
    ASSERT_TRUE(r.correcto) << r.mensaje.toStdString();
    EXPECT_EQ(r.codigoGrupo, 1);
    EXPECT_EQ(Columna(B("BDs/cdsAlumno.cds"), "cdsAFCodAlumno"), (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_FALSE(dm->cdsGrupo->ReadOnly());
    EXPECT_EQ(dm->cdsGrupoAlumno->RecordCount(), 5);
    EXPECT_EQ(dm->cdsSubgrupo->RecordCount(), 2);
    EXPECT_FALSE(dm->cdsSemilla->IsEmpty());
}

TEST_F(IntercambioEnModulo, UnaExportacionQueFallaLoDiceYDejaElGrupoAbierto) {
    AbrirB();
    QFile archivo(D("ocupado"));
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.close();
    const Instantanea antes = TomarInstantanea(B());
    const ResultadoIntercambio r = ExportarGrupo(*dm, D("ocupado"));
    EXPECT_FALSE(r.correcto);
    EXPECT_NE(r.mensaje, Texto(210));
    EXPECT_TRUE(r.mensaje.startsWith(Texto(39005))) << r.mensaje.toStdString();
    EXPECT_EQ(TomarInstantanea(B()), antes);
    EXPECT_TRUE(dm->cdsGrupoAlumno->Active());
    EXPECT_TRUE(dm->cdsSemilla->Active());
}

}  // namespace
