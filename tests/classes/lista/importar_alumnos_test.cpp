#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QProcess>
#include <memory>
#include <set>
#include <utility>

#include "CarpetaTemporal.h"
#include "ClientDataSet.h"
#include "Idioma.h"
#include "ImportarAlumnos.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "dmCDS.h"

namespace {

// A copy of the demo installation (group 1 "1º Electromecánica" with students 1 to 5) with
// its data module open on the group. The demo is written once for the whole program.
class Importar : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        demo_ = new CarpetaTemporal;
        QProcess p;
        p.start(carpetaProgramas() + "/averias-datos", {"demo", demo_->archivo("demo")});
        p.waitForFinished(60000);
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }
    static void TearDownTestSuite() {
        delete demo_;
        demo_ = nullptr;
    }
    void SetUp() override {
        ASSERT_EQ(QProcess::execute("cp", {"-a", demo_->archivo("demo"), carpeta.archivo("demo")}), 0);
        instalacion = std::make_unique<InstalacionTemporal>(carpeta.archivo("demo"));
        idioma = std::make_unique<IdiomaTemporal>(Instalacion::Ruta("idioma.lng"));
        datos = std::make_unique<TdmCDS>();
        ASSERT_TRUE(datos->AbrirTablas());
        ASSERT_EQ(datos->cdsGrpFCodGrupo->AsInteger(), 1);
    }

    QString archivo(const QString& relativo) const { return carpeta.archivo("demo/" + relativo); }
    // The rows of a table file as another program reads them.
    static std::unique_ptr<TClientDataSet> leer(const QString& ruta) {
        auto t = std::make_unique<TClientDataSet>();
        t->LoadFromFile(ruta);
        return t;
    }

    const std::vector<NombreAlumno> tres = {
        {"Lucía", "Fernández", "Muñoz"}, {"Álvaro", "Gómez", ""}, {"Íñigo", "Echeverría", "Zubizarreta"}};
    CarpetaTemporal carpeta;
    std::unique_ptr<InstalacionTemporal> instalacion;
    std::unique_ptr<IdiomaTemporal> idioma;
    MensajesGrabados mensajes;
    std::unique_ptr<TdmCDS> datos;

private:
    static inline CarpetaTemporal* demo_ = nullptr;
};

TEST_F(Importar, LosMiembrosSonLosCincoAlumnosDelGrupo) {
    const std::vector<NombreAlumno> miembros = MiembrosGrupoActual(*datos);
    EXPECT_EQ(miembros.size(), 5u);
    for (const NombreAlumno& m : miembros) EXPECT_FALSE(m.nombre.isEmpty());
}

TEST_F(Importar, CadaAlumnoEntraConSuCodigoSuContrasenaYSuFilaDeMiembro) {
    const ResultadoImportacion r = ImportarAlumnos(*datos, tres);
    ASSERT_TRUE(r.correcto);
    EXPECT_TRUE(mensajes.textos().isEmpty()) << mensajes.textos().join('\n').toStdString();
    ASSERT_EQ(r.anadidos.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(r.anadidos[i].codigo, 6 + int(i));
        EXPECT_EQ(r.anadidos[i].password, QString("AL00%1").arg(6 + i));
        EXPECT_EQ(r.anadidos[i].alumno.nombre, tres[i].nombre);
    }
    // As another program finds them in the files.
    auto alumnos = leer(archivo("BDs/cdsAlumno.cds"));
    ASSERT_EQ(alumnos->RecordCount(), 8);
    ASSERT_TRUE(alumnos->Locate("cdsAFCodAlumno", 8));
    EXPECT_EQ(alumnos->FieldByName("cdsAFNombre")->AsString(), "Íñigo");
    EXPECT_EQ(alumnos->FieldByName("cdsAFApellido2")->AsString(), "Zubizarreta");
    EXPECT_EQ(alumnos->FieldByName("cdsAFPassword")->AsString(), "AL008");
    EXPECT_EQ(alumnos->FieldByName("cdsAFGrupos")->AsString(), "1#");
    auto miembros = leer(archivo("BDs/GRP 001/cdsGrupoAlumno.cds"));
    ASSERT_EQ(miembros->RecordCount(), 8);
    for (int codigo : {6, 7, 8})
        EXPECT_TRUE(miembros->Locate("cdsGrpAlFPtrGrupo;cdsGrpAlFPtrAlumno", QVariantList{1, codigo}))
            << codigo;
    auto grupos = leer(archivo("BDs/cdsGrupo.cds"));
    ASSERT_TRUE(grupos->Locate("cdsGrpFCodGrupo", 1));
    EXPECT_EQ(grupos->FieldByName("cdsGrpFNumAlumnos")->AsInteger(), 8);
    // The module shows them too: a member's calculated password and the handlers are back.
    ASSERT_TRUE(datos->cdsGrupoAlumno->Locate("cdsGrpAlFPtrAlumno", 7));
    EXPECT_EQ(datos->cdsGrupoAlumno->FieldByName("CalcPassword")->AsString(), "AL007");
    EXPECT_TRUE(datos->cdsAlumno->AfterPost);
    EXPECT_TRUE(datos->cdsGrupoAlumno->BeforeDelete);
    EXPECT_FALSE(datos->cdsAlumno->ControlsDisabled());
}

TEST_F(Importar, UnaEdicionSinCambiosSeDejaYUnAlumnoNuevoSinGuardarLoImpide) {
    datos->cdsAlumno->Edit();
    EXPECT_TRUE(ImportarAlumnos(*datos, {tres[0]}).correcto);
    EXPECT_TRUE(TdmCDS::EnConsulta(datos->cdsAlumno));
    datos->cdsAlumno->Insert();
    EXPECT_FALSE(ImportarAlumnos(*datos, {tres[1]}).correcto);
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(72033)});
    EXPECT_TRUE(TdmCDS::EnInsercion(datos->cdsAlumno));
    datos->cdsAlumno->Cancel();
    EXPECT_EQ(leer(archivo("BDs/cdsAlumno.cds"))->RecordCount(), 6);
}

// The memberships cannot be written (the group's folder is gone): the students already
// written are taken out of their file again.
TEST_F(Importar, SiLosMiembrosNoSeGuardanNoQuedaNingunAlumno) {
    const QString grupo = archivo("BDs/GRP 001");
    ASSERT_TRUE(QDir().rename(grupo, grupo + " fuera"));
    const ResultadoImportacion r = ImportarAlumnos(*datos, tres);
    ASSERT_TRUE(QDir().rename(grupo + " fuera", grupo));
    EXPECT_FALSE(r.correcto);
    EXPECT_TRUE(r.anadidos.empty());
    ASSERT_FALSE(mensajes.textos().isEmpty());
    EXPECT_EQ(mensajes.textos().back(), Texto(72034));
    EXPECT_EQ(leer(archivo("BDs/cdsAlumno.cds"))->RecordCount(), 5);
    EXPECT_EQ(leer(archivo("BDs/GRP 001/cdsGrupoAlumno.cds"))->RecordCount(), 5);
    EXPECT_EQ(datos->cdsAlumno->RecordCount(), 5);
    EXPECT_EQ(datos->cdsGrupoAlumno->RecordCount(), 5);
    // The next import works and gives the same codes.
    mensajes.Limpiar();
    const ResultadoImportacion otra = ImportarAlumnos(*datos, tres);
    ASSERT_TRUE(otra.correcto) << mensajes.textos().join('\n').toStdString();
    EXPECT_EQ(otra.anadidos.front().codigo, 6);
    EXPECT_EQ(leer(archivo("BDs/GRP 001/cdsGrupoAlumno.cds"))->RecordCount(), 8);
}

// Another program holds the students' file locked past the wait: nothing is added anywhere.
TEST_F(Importar, SiLosAlumnosNoSeGuardanNoCambiaNada) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(archivo("BDs/cdsAlumno.cds").toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const ResultadoImportacion r = ImportarAlumnos(*datos, tres);
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_FALSE(r.correcto);
    ASSERT_EQ(mensajes.textos().size(), 2);
    EXPECT_TRUE(mensajes.textos().front().contains("cdsAlumno.cds"))
        << mensajes.textos().front().toStdString();
    EXPECT_EQ(mensajes.textos().back(), Texto(72034));
    EXPECT_EQ(leer(archivo("BDs/cdsAlumno.cds"))->RecordCount(), 5);
    EXPECT_EQ(leer(archivo("BDs/GRP 001/cdsGrupoAlumno.cds"))->RecordCount(), 5);
    EXPECT_EQ(datos->cdsAlumno->RecordCount(), 5);
    // Nothing is left pending for a later save either.
    datos->SalvarTabla(datos->cdsAlumno);
    EXPECT_EQ(leer(archivo("BDs/cdsAlumno.cds"))->RecordCount(), 5);
}

// Another program adds students between the moment this one takes its codes and the moment
// it writes them: both keep theirs, the codes it took go to the next free ones here, and the
// passwords follow the codes.
TEST_F(Importar, OtroProgramaQueAnadeAlumnosALaVezConservaLosSuyos) {
    bool hecho = false;
    const TDataSetNotifyEvent guardarCodigos = datos->cdsCodigos->AfterPost;
    datos->cdsCodigos->AfterPost = [&](TClientDataSet* ds) {
        guardarCodigos(ds);
        if (std::exchange(hecho, true)) return;
        TdmCDS otro;
        ASSERT_TRUE(otro.AbrirTablas());
        const ResultadoImportacion suyo =
            ImportarAlumnos(otro, {{"Eva", "Gil", "Roca"}, {"Pau", "Vidal", ""}});
        ASSERT_TRUE(suyo.correcto);
        EXPECT_EQ(suyo.anadidos.front().codigo, 6);
    };
    const ResultadoImportacion r = ImportarAlumnos(*datos, tres);
    ASSERT_TRUE(hecho);
    ASSERT_TRUE(r.correcto) << mensajes.textos().join('\n').toStdString();
    std::set<int> codigos;
    std::set<QString> passwords;
    auto alumnos = leer(archivo("BDs/cdsAlumno.cds"));
    EXPECT_EQ(alumnos->RecordCount(), 10);
    for (alumnos->First(); !alumnos->Eof(); alumnos->Next()) {
        const int codigo = alumnos->FieldByName("cdsAFCodAlumno")->AsInteger();
        codigos.insert(codigo);
        passwords.insert(alumnos->FieldByName("cdsAFPassword")->AsString());
        EXPECT_EQ(alumnos->FieldByName("cdsAFPassword")->AsString(), TdmCDS::PasswordInicialAlumno(codigo));
    }
    EXPECT_EQ(codigos.size(), 10u);
    EXPECT_EQ(passwords.size(), 10u);
    std::set<int> nuestros;
    for (const AlumnoAnadido& a : r.anadidos) {
        nuestros.insert(a.codigo);
        EXPECT_EQ(a.password, TdmCDS::PasswordInicialAlumno(a.codigo));
    }
    EXPECT_EQ(nuestros, (std::set<int>{8, 9, 10}));
    auto miembros = leer(archivo("BDs/GRP 001/cdsGrupoAlumno.cds"));
    EXPECT_EQ(miembros->RecordCount(), 10);
    for (int codigo = 1; codigo <= 10; ++codigo)
        EXPECT_TRUE(miembros->Locate("cdsGrpAlFPtrAlumno", codigo)) << codigo;
}

}  // namespace
