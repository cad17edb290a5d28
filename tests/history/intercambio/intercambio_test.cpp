// The group exchange end to end: the data tool's two commands between demo installations.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <csignal>

#include "ApoyoIntercambio.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "dmCDS.h"

namespace {

const char* kCinco[] = {"cdsGrupo.cds", "cdsAlumno.cds", "cdsGrupoAlumno.cds", "cdsSubgrupo.cds",
                        "cdsSemilla.cds"};

// Notes on a member and a subgroup without members in the demo group, so that the
// exchange must carry every field of a membership and the rows without a student.
void CompletarGrupoDemo(const QString& carpetaGrupo) {
    CambiarTabla(carpetaGrupo + "cdsGrupoAlumno.cds", [](TClientDataSet& t) {
        t.First();
        t.Edit();
        t.FieldByName("cdsGrpAlFObservaciones")->SetAsString("Trabaja bien en equipo");
        t.Post();
    });
    CambiarTabla(carpetaGrupo + "cdsSubgrupo.cds", [](TClientDataSet& t) {
        t.Append();
        t.FieldByName("cdsSubFCodSubgrupo")->SetAsInteger(2);
        t.FieldByName("cdsSubFNombre")->SetAsString("Equipo vacío");
        t.FieldByName("cdsSubFPtrGrupo")->SetAsInteger(1);
        t.FieldByName("cdsSubFPassword")->SetAsString("SUB002");
        t.Post();
    });
}

TEST_F(Intercambio, ElGrupoDemoLlegaConCodigosNuevosYSusAlumnosEntran) {
    CompletarGrupoDemo(A("BDs/GRP 001/"));
    // The destination already has group 1 and students 1 to 5, under another group name.
    CambiarNombreGrupo(B(), "Otro grupo");
    // Histories stay behind.
    QFile::copy(A("BDs/cdsReparacion.cds"), A("Historic/cdsReparacion001.cds"));
    const Instantanea origen = TomarInstantanea(A());
    Exportar();
    EXPECT_EQ(TomarInstantanea(A()), origen);
    for (const char* archivo : kCinco) EXPECT_TRUE(QFile::exists(Exportada() + "/" + archivo)) << archivo;

    const Salida s = EjecutarDatos({"importar-grupo", B(), Exportada()});
    ASSERT_EQ(s.estado, 0) << s.texto.toStdString();
    EXPECT_TRUE(s.texto.contains("código 2: 5 alumnos")) << s.texto.toStdString();
    EXPECT_FALSE(QFileInfo::exists(B("DMTTemp")));
    for (const char* alumno : {"006", "007", "008", "009", "010"})
        EXPECT_FALSE(QFile::exists(B("Historic/cdsReparacion") + alumno + ".cds")) << alumno;

    EXPECT_EQ(Columna(B("BDs/cdsGrupo.cds"), "cdsGrpFNombre"), (QStringList{"Otro grupo", kGrupoDemo}));
    auto grupos = LeerTabla(B("BDs/cdsGrupo.cds"));
    ASSERT_TRUE(grupos->Locate("cdsGrpFCodGrupo", 2));
    EXPECT_EQ(grupos->FieldByName("cdsGrpFDirectorio")->AsString(), B("BDs/GRP 002/"));
    EXPECT_EQ(grupos->FieldByName("cdsGrpFNumAlumnos")->AsInteger(), 5);
    EXPECT_EQ(grupos->FieldByName("cdsGrpFNReparacion")->AsString(), "BL#CI#CO#");

    EXPECT_EQ(Columna(B("BDs/cdsAlumno.cds"), "cdsAFCodAlumno"),
              (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(Columna(B("BDs/cdsAlumno.cds"), "cdsAFPassword").mid(5),
              (QStringList{"AL001", "AL002", "AL003", "AL004", "AL005"}));
    EXPECT_EQ(Columna(B("BDs/cdsAlumno.cds"), "cdsAFGrupos").mid(5), QStringList(5, "2#"));
    EXPECT_EQ(Columna(B("BDs/cdsAlumno.cds"), "cdsAFNombre").mid(5),
              Columna(A("BDs/cdsAlumno.cds"), "cdsAFNombre"));

    const QString grupo = B("BDs/GRP 002/");
    EXPECT_EQ(Columna(grupo + "cdsGrupoAlumno.cds", "cdsGrpAlFPtrAlumno"),
              (QStringList{"6", "7", "8", "9", "10"}));
    EXPECT_EQ(Columna(grupo + "cdsGrupoAlumno.cds", "cdsGrpAlFPtrGrupo"), QStringList(5, "2"));
    EXPECT_EQ(Columna(grupo + "cdsGrupoAlumno.cds", "cdsGrpAlFObservaciones").first(),
              "Trabaja bien en equipo");
    EXPECT_EQ(Columna(grupo + "cdsGrupoAlumno.cds", "cdsGrpAlFSubgrupos"),
              (QStringList{"", "", "", "1#", "1#"}));

    EXPECT_EQ(Columna(grupo + "cdsSubgrupo.cds", "cdsSubFPtrAlumno"), (QStringList{"9", "10", ""}));
    EXPECT_EQ(Columna(grupo + "cdsSubgrupo.cds", "cdsSubFPtrGrupo"), QStringList(3, "2"));
    EXPECT_EQ(Columna(grupo + "cdsSubgrupo.cds", "cdsSubFNombre"),
              (QStringList{"Equipo A", "Equipo A", "Equipo vacío"}));

    const QStringList semillas = Columna(A("BDs/GRP 001/cdsSemilla.cds"), "cdsSemFIdSemilla");
    EXPECT_EQ(Columna(grupo + "cdsSemilla.cds", "cdsSemFIdSemilla"), semillas);
    EXPECT_EQ(Columna(grupo + "cdsSemilla.cds", "cdsSemFPtrGrupo"), QStringList(semillas.size(), "2"));
    auto codigos = LeerTabla(B("BDs/cdsCodigos.cds"));
    ASSERT_TRUE(codigos->Locate("cdsCodFTabla", "cdsSemilla"));
    EXPECT_GE(codigos->FieldByName("cdsCodFUltimo")->AsInteger(), semillas.size());

    // The data module's login check finds the imported students and subgroups.
    InstalacionTemporal enB(B());
    IdiomaTemporal idioma(B("idioma.lng"));
    MensajesGrabados mensajes;
    TdmCDS dm;
    ASSERT_TRUE(dm.AbrirTablas());
    const TdmCDS::ResultadoPassword alumno = dm.ComprobarPassword(2, "AL001");
    EXPECT_TRUE(alumno.aceptado);
    EXPECT_EQ(alumno.tipo, 1);
    EXPECT_EQ(dm.cdsAFCodAlumno->AsInteger(), 6);
    const TdmCDS::ResultadoPassword subgrupo = dm.ComprobarPassword(2, "SUB001");
    EXPECT_TRUE(subgrupo.aceptado);
    EXPECT_EQ(subgrupo.tipo, 2);
}

TEST_F(Intercambio, ElCodigoDelGrupoSaleDeSuCampoYNoDelTextoDeSuCarpeta) {
    Exportar();
    CambiarTabla(Exportada() + "/cdsGrupo.cds", [](TClientDataSet& t) {
        t.First();
        t.Edit();
        t.FieldByName("cdsGrpFCodGrupo")->SetAsInteger(1000);
        t.FieldByName("cdsGrpFDirectorio")->SetAsString("D:\\GRP\\Clases GRP 12\\");
        t.FieldByName("cdsGrpFNombre")->SetAsString("Mil");
        t.Post();
    });
    const Salida s = EjecutarDatos({"importar-grupo", B(), Exportada()});
    ASSERT_EQ(s.estado, 0) << s.texto.toStdString();
    EXPECT_TRUE(s.texto.contains("código 1000")) << s.texto.toStdString();
    EXPECT_EQ(Columna(B("BDs/cdsGrupo.cds"), "cdsGrpFDirectorio").last(), B("BDs/GRP 1000/"));
    EXPECT_EQ(Columna(B("BDs/GRP 1000/cdsSemilla.cds"), "cdsSemFPtrGrupo").first(), "1000");
}

TEST_F(Intercambio, ReemplazarDejaUnSoloGrupoSinLosHistoricosDelAnterior) {
    Exportar();
    // b's own demo group has the same name; its first student has a history.
    const QString historia = B("Historic/cdsReparacion001.cds");
    QFile::copy(B("BDs/cdsReparacion.cds"), historia);
    QFile::copy(B("BDs/cdsLineaReparacion.cds"), B("Historic/cdsLineaReparacion001.cds"));

    const Instantanea antes = TomarInstantanea(B());
    const Salida rechazo = EjecutarDatos({"importar-grupo", B(), Exportada()});
    EXPECT_NE(rechazo.estado, 0);
    EXPECT_TRUE(rechazo.texto.contains("ya existe un grupo con el nombre " + kGrupoDemo))
        << rechazo.texto.toStdString();
    EXPECT_EQ(TomarInstantanea(B()), antes);

    for (int vez = 0; vez < 2; ++vez) {
        const Salida s = EjecutarDatos({"importar-grupo", B(), Exportada(), "--reemplazar"});
        ASSERT_EQ(s.estado, 0) << s.texto.toStdString();
        EXPECT_TRUE(s.texto.contains("Reemplaza al grupo de código 1")) << s.texto.toStdString();
        EXPECT_EQ(Columna(B("BDs/cdsGrupo.cds"), "cdsGrpFNombre"), QStringList{kGrupoDemo});
        EXPECT_EQ(Columna(B("BDs/cdsAlumno.cds"), "cdsAFCodAlumno"), (QStringList{"1", "2", "3", "4", "5"}));
        EXPECT_FALSE(QFile::exists(historia));
        EXPECT_FALSE(QFile::exists(B("Historic/cdsLineaReparacion001.cds")));
        EXPECT_EQ(Columna(B("BDs/GRP 001/cdsGrupoAlumno.cds"), "cdsGrpAlFPtrAlumno").size(), 5);
        EXPECT_FALSE(QFileInfo::exists(B("DMTTemp")));
    }
}

// An exchange folder that cannot be imported is refused before anything changes, even
// when the teacher has agreed to replace the group of that name.
struct CarpetaMala {
    const char* caso;
    std::function<void(const QString& carpeta)> estropear;
    const char* mensaje;
};

class CarpetaNoImportable : public Intercambio, public ::testing::WithParamInterface<CarpetaMala> {};

TEST_P(CarpetaNoImportable, SeRechazaYNadaCambia) {
    Exportar();
    GetParam().estropear(Exportada() + "/");
    const Instantanea instalacion = TomarInstantanea(B()), intercambio = TomarInstantanea(Exportada());
    const Salida s = EjecutarDatos({"importar-grupo", B(), Exportada(), "--reemplazar"});
    EXPECT_NE(s.estado, 0);
    EXPECT_TRUE(s.texto.contains(GetParam().mensaje)) << s.texto.toStdString();
    EXPECT_EQ(TomarInstantanea(B()), instalacion);
    EXPECT_EQ(TomarInstantanea(Exportada()), intercambio);
}

void Escribir(const QString& archivo, const QByteArray& bytes) {
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Intercambio, CarpetaNoImportable,
    ::testing::Values(
        CarpetaMala{"SinSubgrupos", [](const QString& c) { QFile::remove(c + "cdsSubgrupo.cds"); },
                    "no contiene todos los archivos necesarios"},
        CarpetaMala{"TablaDanada",
                    [](const QString& c) { Escribir(c + "cdsAlumno.cds", QByteArray(4096, '\x5a')); },
                    "tabla dañada o de otra estructura"},
        CarpetaMala{"TablaCortada",
                    [](const QString& c) {
                        QFile f(c + "cdsGrupoAlumno.cds");
                        f.open(QIODevice::ReadWrite);
                        f.resize(1000);
                    },
                    "tabla dañada o de otra estructura"},
        CarpetaMala{"OtraEstructura",
                    [](const QString& c) {
                        QFile::remove(c + "cdsSemilla.cds");
                        QFile::copy(c + "cdsAlumno.cds", c + "cdsSemilla.cds");
                    },
                    "cdsSemilla.cds"},
        CarpetaMala{"GrupoVacio",
                    [](const QString& c) {
                        CambiarTabla(c + "cdsGrupo.cds", [](TClientDataSet& grupo) { grupo.EmptyDataSet(); });
                    },
                    "no contiene exactamente un grupo"},
        CarpetaMala{"EnlaceEnLugarDeTabla",
                    [](const QString& c) {
                        QFile::rename(c + "cdsSemilla.cds", c + "../semillas.cds");
                        QFile::link(c + "../semillas.cds", c + "cdsSemilla.cds");
                    },
                    "no contiene todos los archivos necesarios"}),
    [](const auto& prueba) { return std::string(prueba.param.caso); });

// The group name becomes one safe folder name; a name that cannot be one is refused.
struct NombreGrupo {
    const char* caso;
    const char* nombre;
    const char* carpeta;  // nullptr: refused
};

class NombresDeGrupo : public Intercambio, public ::testing::WithParamInterface<NombreGrupo> {};

TEST_P(NombresDeGrupo, LaCarpetaSeQuedaDentroDelDestinoYElNombreViaja) {
    const QString nombre = QString::fromUtf8(GetParam().nombre);
    CambiarNombreGrupo(A(), nombre);
    AbrirYCerrar(A());
    const QString destino = D("usb");
    QDir().mkpath(destino);
    Escribir(D("no-tocar.txt"), "del profesor");
    const Instantanea instalacion = TomarInstantanea(A()), alrededor = TomarInstantanea(D());

    const Salida s = EjecutarDatos({"exportar-grupo", A(), nombre, destino});
    EXPECT_EQ(TomarInstantanea(A()), instalacion);
    if (!GetParam().carpeta) {
        EXPECT_NE(s.estado, 0);
        EXPECT_TRUE(s.texto.contains("no sirve como nombre de carpeta")) << s.texto.toStdString();
        EXPECT_EQ(TomarInstantanea(D()), alrededor);
        return;
    }
    ASSERT_EQ(s.estado, 0) << s.texto.toStdString();
    EXPECT_EQ(QDir(destino).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QString::fromUtf8(GetParam().carpeta)});
    const Salida importado =
        EjecutarDatos({"importar-grupo", B(), destino + "/" + QString::fromUtf8(GetParam().carpeta)});
    ASSERT_EQ(importado.estado, 0) << importado.texto.toStdString();
    EXPECT_EQ(Columna(B("BDs/cdsGrupo.cds"), "cdsGrpFNombre").last(), nombre);
}

INSTANTIATE_TEST_SUITE_P(Intercambio, NombresDeGrupo,
                         ::testing::Values(NombreGrupo{"PuntoPunto", "..", nullptr},
                                           NombreGrupo{"Punto", ".", nullptr},
                                           NombreGrupo{"ConBarra", "a/b", "a_b"},
                                           NombreGrupo{"Dispositivo", "CON", "CON_"},
                                           NombreGrupo{"Cirilico", "Группа 1", "Группа 1"}),
                         [](const auto& prueba) { return std::string(prueba.param.caso); });

TEST_F(Intercambio, UnaCarpetaQueYaExisteSoloCambiaSusTablas) {
    Exportar();
    Escribir(Exportada() + "/apuntes.txt", "del profesor");
    QDir().mkpath(Exportada() + "/fotos");
    Escribir(Exportada() + "/fotos/clase.png", "png");
    Exportar();
    EXPECT_TRUE(QFile::exists(Exportada() + "/apuntes.txt"));
    EXPECT_TRUE(QFile::exists(Exportada() + "/fotos/clase.png"));
    for (const char* archivo : kCinco) EXPECT_TRUE(QFile::exists(Exportada() + "/" + archivo)) << archivo;
}

TEST_F(Intercambio, UnMiembroSinFichaDeAlumnoHaceFallarLaExportacion) {
    Exportar();
    CambiarTabla(A("BDs/GRP 001/cdsGrupoAlumno.cds"), [](TClientDataSet& t) {
        t.Last();
        t.Edit();
        t.FieldByName("cdsGrpAlFPtrAlumno")->SetAsInteger(99);
        t.Post();
    });
    const Instantanea anterior = TomarInstantanea(Exportada());
    const Salida s = EjecutarDatos({"exportar-grupo", A(), kGrupoDemo, D()});
    EXPECT_NE(s.estado, 0);
    EXPECT_TRUE(s.texto.contains("la carpeta de intercambio no está completa")) << s.texto.toStdString();
    EXPECT_FALSE(s.texto.contains("se han copiado correctamente"));
    // The earlier exchange is still whole.
    EXPECT_EQ(TomarInstantanea(Exportada()), anterior);
}

TEST_F(Intercambio, UnEnlaceConElNombreDelGrupoNoSeSigue) {
    const QString ajena = carpeta.archivo("ajena");
    QDir().mkpath(ajena);
    Escribir(ajena + "/cdsAlumno.cds", "de otro programa");
    ASSERT_TRUE(QFile::link(ajena, Exportada()));
    const Instantanea antes = TomarInstantanea(ajena);
    const Salida s = EjecutarDatos({"exportar-grupo", A(), kGrupoDemo, D()});
    EXPECT_NE(s.estado, 0);
    EXPECT_TRUE(s.texto.contains("no es una carpeta")) << s.texto.toStdString();
    EXPECT_EQ(TomarInstantanea(ajena), antes);
}

// Everyone may enter the tree; the tests that need a read-only folder run the tool as
// another user, since root writes anywhere.
void AbrirATodos(const QString& carpeta) {
    QProcess::execute("chmod", {"-R", "a+rwX", carpeta});
}

TEST_F(Intercambio, UnDestinoDeSoloLecturaFallaSinTocarLaInstalacion) {
    AbrirATodos(carpeta.ruta());
    QProcess::execute("chmod", {"a-w", D()});
    const Instantanea antes = TomarInstantanea(A());
    const Salida s = EjecutarDatos({"exportar-grupo", A(), kGrupoDemo, D()}, true);
    EXPECT_NE(s.estado, 0);
    EXPECT_TRUE(s.texto.contains("No se puede crear la carpeta")) << s.texto.toStdString();
    EXPECT_TRUE(QDir(D()).isEmpty());
    EXPECT_EQ(TomarInstantanea(A()), antes);
}

TEST_F(Intercambio, UnaInstalacionDeSoloLecturaQuedaComoEstaba) {
    Exportar();
    AbrirATodos(carpeta.ruta());
    QProcess::execute("chmod", {"-R", "a-w", B("BDs"), B("Historic")});
    const Instantanea antes = TomarInstantanea(B());
    const Salida s = EjecutarDatos({"importar-grupo", B(), Exportada(), "--reemplazar"}, true);
    QProcess::execute("chmod", {"-R", "u+w", B("BDs"), B("Historic")});
    EXPECT_NE(s.estado, 0);
    EXPECT_TRUE(s.texto.contains("La instalación no ha cambiado")) << s.texto.toStdString();
    EXPECT_EQ(TomarInstantanea(B()), antes);
}

// Runs an import that stops itself at a stage and kills it there.
void ImportarYMatarEn(const QStringList& argumentos, const QString& etapa) {
    QProcess p;
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert("AVERIAS_DATOS_PARAR_EN", etapa);
    p.setProcessEnvironment(entorno);
    p.start(carpetaProgramas() + "/averias-datos", argumentos);
    QByteArray salida;
    while (!salida.contains("Parado en") && p.waitForReadyRead(30000)) salida += p.readAllStandardOutput();
    ASSERT_TRUE(salida.contains("Parado en " + etapa.toUtf8())) << salida.toStdString();
    ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
    p.waitForFinished(30000);
}

class ImportacionInterrumpida : public Intercambio, public ::testing::WithParamInterface<const char*> {};

TEST_P(ImportacionInterrumpida, AntesDePonerseEnSitioNoCambiaNada) {
    Exportar();
    const Instantanea instalacion = TomarInstantanea(B()), intercambio = TomarInstantanea(Exportada());
    ImportarYMatarEn({"importar-grupo", B(), Exportada(), "--reemplazar"}, GetParam());
    EXPECT_EQ(TomarInstantanea(B(), {"DMTTemp"}), instalacion);
    EXPECT_EQ(TomarInstantanea(Exportada()), intercambio);
    // The next exchange starts from an empty working folder.
    const Salida s = EjecutarDatos({"importar-grupo", B(), Exportada(), "--reemplazar"});
    EXPECT_EQ(s.estado, 0) << s.texto.toStdString();
    EXPECT_FALSE(QFileInfo::exists(B("DMTTemp")));
}

INSTANTIATE_TEST_SUITE_P(Intercambio, ImportacionInterrumpida,
                         ::testing::Values("leyendo", "alumno:2", "poniendo:0"));

TEST_F(Intercambio, UnaImportacionInterrumpidaAlPonerseEnSitioSeTerminaDespues) {
    Exportar();
    CambiarNombreGrupo(B(), "Otro grupo");
    ImportarYMatarEn({"importar-grupo", B(), Exportada()}, "poniendo:1");
    // The group record is half way in; the next run of the tool finishes the import.
    const Salida s = EjecutarDatos({"importar-grupo", B(), Exportada()});
    EXPECT_NE(s.estado, 0);
    EXPECT_TRUE(s.texto.contains("quedó a medias")) << s.texto.toStdString();
    EXPECT_TRUE(s.texto.contains("ya existe un grupo")) << s.texto.toStdString();
    EXPECT_EQ(Columna(B("BDs/cdsGrupo.cds"), "cdsGrpFNombre"), (QStringList{"Otro grupo", kGrupoDemo}));
    EXPECT_EQ(Columna(B("BDs/cdsAlumno.cds"), "cdsAFCodAlumno").size(), 10);
    EXPECT_EQ(Columna(B("BDs/GRP 002/cdsGrupoAlumno.cds"), "cdsGrpAlFPtrAlumno").size(), 5);
}

}  // namespace
