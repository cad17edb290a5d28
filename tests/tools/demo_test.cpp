#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <map>
#include <set>

#include "CarpetaTemporal.h"
#include "ClientDataSet.h"

namespace {

struct Salida {
    int estado;
    QString texto;
};

Salida ejecutar(const QStringList& argumentos) {
    QProcess p;
    p.start(carpetaProgramas() + "/averias-datos", argumentos);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError())};
}

// One demo installation for the whole suite: writing it takes a moment.
class DemoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        carpeta = new CarpetaTemporal;
        salida = new Salida(ejecutar({"demo", carpeta->ruta() + "/demo"}));
    }
    static void TearDownTestSuite() {
        delete salida;
        delete carpeta;
    }
    static QString archivo(const QString& relativo) { return carpeta->ruta() + "/demo/" + relativo; }
    static void cargar(TClientDataSet& tabla, const QString& relativo) {
        tabla.LoadFromFile(archivo(relativo));
    }

    static inline CarpetaTemporal* carpeta = nullptr;
    static inline Salida* salida = nullptr;
};

TEST_F(DemoTest, EscribeLaInstalacionYDiceLasContrasenas) {
    ASSERT_EQ(salida->estado, 0) << salida->texto.toStdString();
    EXPECT_TRUE(salida->texto.contains("AL001"));
    EXPECT_TRUE(salida->texto.contains("SUB001"));
    for (const char* f :
         {"idioma.lng", "averias.ini", "images/Logo.bmp", "images/VIVUZUV.ico", "caratulas/7.htm",
          "images/LogoInforme.png", "Informes/Informe4AL.frf", "Informes/Informe10.frf",
          "BDs/cdsEquipo.cds", "BDs/cdsCodigos.cds", "BDs/cdsAlumno.cds", "BDs/cdsGrupo.cds",
          "BDs/cdsReparacion.cds", "BDs/cdsLineaReparacion.cds", "BDs/GRP 001/cdsSemilla.cds"})
        EXPECT_TRUE(QFile::exists(archivo(f))) << f;
    for (const char* d : {"Historic", "Informes", "Help"}) EXPECT_TRUE(QFileInfo(archivo(d)).isDir()) << d;
}

TEST_F(DemoTest, CadaEntrenadorTieneAveriasConRelesYSintomasDeAmbosNiveles) {
    ASSERT_EQ(salida->estado, 0);
    for (const char* equipo : {"EQ001", "EQ002"}) {
        TClientDataSet averias, sintomas, componentes;
        cargar(averias, QString("BDs/%1/cdsAveria.cds").arg(equipo));
        cargar(sintomas, QString("BDs/%1/cdsSintomas.cds").arg(equipo));
        cargar(componentes, QString("BDs/%1/cdsComponente.cds").arg(equipo));
        EXPECT_GE(averias.RecordCount(), 15);
        EXPECT_LE(averias.RecordCount(), 25);
        std::map<int, std::set<QString>> niveles;
        for (sintomas.First(); !sintomas.Eof(); sintomas.Next())
            niveles[sintomas.FieldByName("cdsSinFPtrIdAveria")->AsInteger()].insert(
                sintomas.FieldByName("cdsSinFNivel")->AsString());
        for (averias.First(); !averias.Eof(); averias.Next()) {
            const int id = averias.FieldByName("cdsAvFIdAveria")->AsInteger();
            const QStringList reles = averias.FieldByName("cdsAvFReles")->AsString().split(',');
            EXPECT_TRUE(reles.size() >= 1 && reles.size() <= 3) << id;
            for (const QString& r : reles) EXPECT_TRUE(r.toInt() >= 1 && r.toInt() <= 32) << id;
            EXPECT_EQ(niveles[id], (std::set<QString>{"C", "J"})) << id;
        }
        std::map<int, int> circuitos;
        for (componentes.First(); !componentes.Eof(); componentes.Next())
            ++circuitos[componentes.FieldByName("cdsComFCodComponente")->AsInteger()];
        int maximo = 0;
        for (auto [elemento, n] : circuitos) maximo = std::max(maximo, n);
        EXPECT_GE(maximo, 3) << equipo;
    }
}

TEST_F(DemoTest, ElGrupoTieneCincoAlumnosUnSubgrupoDeDosYSemillasDeAmbosModos) {
    ASSERT_EQ(salida->estado, 0);
    TClientDataSet alumnos, miembros, subgrupo, semillas;
    cargar(alumnos, "BDs/cdsAlumno.cds");
    cargar(miembros, "BDs/GRP 001/cdsGrupoAlumno.cds");
    cargar(subgrupo, "BDs/GRP 001/cdsSubgrupo.cds");
    cargar(semillas, "BDs/GRP 001/cdsSemilla.cds");
    EXPECT_EQ(alumnos.RecordCount(), 5);
    EXPECT_EQ(miembros.RecordCount(), 5);
    EXPECT_EQ(subgrupo.RecordCount(), 2);
    std::map<std::pair<int, bool>, int> porEquipoYModo;
    for (semillas.First(); !semillas.Eof(); semillas.Next())
        ++porEquipoYModo[{semillas.FieldByName("cdsSemFPtrEquipo")->AsInteger(),
                          semillas.FieldByName("cdsSemFTutorizada")->AsBoolean()}];
    EXPECT_EQ(porEquipoYModo.size(), 4u);
    TClientDataSet averias;
    cargar(averias, "BDs/EQ001/cdsAveria.cds");
    EXPECT_EQ((porEquipoYModo[{1, true}]), averias.RecordCount());
}

// Every row of a table file, each as its values joined: what two files must both hold.
QStringList Filas(const QString& archivo) {
    TClientDataSet tabla;
    tabla.LoadFromFile(archivo);
    QStringList filas;
    for (tabla.First(); !tabla.Eof(); tabla.Next()) {
        QStringList valores;
        for (const TField* campo : tabla.Fields()) valores << campo->AsString();
        filas << valores.join('|');
    }
    return filas;
}

TEST_F(DemoTest, LosAlumnosSalvoElPrimeroYElSubgrupoTienenSemanasDePracticas) {
    ASSERT_EQ(salida->estado, 0);
    EXPECT_FALSE(QFile::exists(archivo("Historic/cdsReparacion001.cds")));
    std::set<bool> veredictos;
    bool hayIntentosFallidos = false;
    std::map<QString, std::set<QString>> subgrupo;
    for (const char* alumno : {"002", "003", "004", "005"}) {
        SCOPED_TRACE(alumno);
        TClientDataSet practicas, lineas;
        cargar(practicas, QString("Historic/cdsReparacion%1.cds").arg(alumno));
        cargar(lineas, QString("Historic/cdsLineaReparacion%1.cds").arg(alumno));
        EXPECT_GE(practicas.RecordCount(), 4);
        std::set<QString> dias;
        for (practicas.First(); !practicas.Eof(); practicas.Next()) {
            const auto campo = [&](const char* c) { return practicas.FieldByName(c); };
            EXPECT_EQ(campo("cdsRepFEstado")->AsString(), "F");
            EXPECT_EQ(campo("cdsRepFPtrAlumno")->AsInteger(), QString(alumno).toInt());
            EXPECT_TRUE(campo("cdsRepFDuracion")->AsString().startsWith("0d 00:"))
                << campo("cdsRepFDuracion")->AsString().toStdString();
            EXPECT_GT(campo("cdsRepFFin")->AsDateTime(), campo("cdsRepFInicio")->AsDateTime());
            veredictos.insert(campo("cdsRepFCorrecta")->AsBoolean());
            dias.insert(campo("cdsRepFInicio")->DisplayText().left(10));
            if (campo("cdsRepFPtrSubgrupo")->AsInteger() == 1)
                subgrupo[alumno].insert(campo("cdsRepFInicio")->AsString());
            int intentos = 0;
            for (lineas.First(); !lineas.Eof(); lineas.Next())
                if (lineas.FieldByName("cdsLRepFPtrReparacion")->Value() ==
                        campo("cdsRepFCodReparacion")->Value() &&
                    lineas.FieldByName("cdsLRepFAccion")->AsString() == "R")
                    ++intentos;
            EXPECT_GE(intentos, 1);
            if (intentos > 1) hayIntentosFallidos = true;
        }
        // Some weeks, not one sitting.
        EXPECT_GE(dias.size(), 3u);
    }
    EXPECT_EQ(veredictos, (std::set<bool>{false, true}));
    EXPECT_TRUE(hayIntentosFallidos);
    // The subgroup's practices are in both members' histories.
    EXPECT_FALSE(subgrupo["004"].empty());
    EXPECT_EQ(subgrupo["004"], subgrupo["005"]);
    EXPECT_TRUE(subgrupo["002"].empty());
}

TEST_F(DemoTest, CadaVezEscribeElMismoHistorial) {
    ASSERT_EQ(salida->estado, 0);
    CarpetaTemporal otra;
    ASSERT_EQ(ejecutar({"demo", otra.ruta() + "/demo"}).estado, 0);
    for (const char* tabla : {"cdsReparacion", "cdsLineaReparacion"})
        for (const char* alumno : {"002", "003", "004", "005"}) {
            const QString nombre = QString("Historic/%1%2.cds").arg(tabla, alumno);
            EXPECT_EQ(Filas(otra.ruta() + "/demo/" + nombre), Filas(archivo(nombre))) << nombre.toStdString();
        }
}

TEST_F(DemoTest, NoEscribeEncimaDeUnaInstalacion) {
    ASSERT_EQ(salida->estado, 0);
    const Salida otra = ejecutar({"demo", carpeta->ruta() + "/demo"});
    EXPECT_NE(otra.estado, 0);
    EXPECT_TRUE(otra.texto.contains("ya hay una instalación"));
}

// The shipped sources copied, with one catalogue file that the demo cannot read: the
// demo stops half way, after most of the installation was written.
QString FuentesQueFallanAMitad(const CarpetaTemporal& carpeta) {
    const QString fuentes = carpeta.ruta() + "/fuentes";
    EXPECT_EQ(QProcess::execute("cp", {"-r", carpetaFuentes() + "/installation", fuentes}), 0);
    carpeta.escribir("fuentes/catalogo/EQ002/cdsSintomas.csv", "campo_que_no_existe\n1\n");
    return fuentes;
}

QStringList Entradas(const QString& carpeta) {
    return QDir(carpeta).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

TEST(DemoInterrumpidaTest, UnFalloAMitadNoDejaNadaYLaSiguienteVezSeTermina) {
    CarpetaTemporal carpeta;
    const QString destino = carpeta.ruta() + "/demo";
    const Salida fallida = ejecutar({"demo", destino, "--desde", FuentesQueFallanAMitad(carpeta)});
    EXPECT_NE(fallida.estado, 0);
    EXPECT_TRUE(fallida.texto.contains("campo_que_no_existe")) << fallida.texto.toStdString();
    EXPECT_FALSE(QFileInfo::exists(destino));
    EXPECT_EQ(Entradas(carpeta.ruta()), QStringList{"fuentes"}) << "nothing half written is left beside it";

    const Salida buena = ejecutar({"demo", destino});
    ASSERT_EQ(buena.estado, 0) << buena.texto.toStdString();
    EXPECT_TRUE(QFile::exists(destino + "/BDs/GRP 001/cdsSemilla.cds"));
    TClientDataSet grupos;
    grupos.LoadFromFile(destino + "/BDs/cdsGrupo.cds");
    EXPECT_EQ(grupos.FieldByName("cdsGrpFDirectorio")->AsString(), destino + "/BDs/GRP 001/")
        << "the group names the folder it ends in, not the one it was written in";
}

TEST(DemoInterrumpidaTest, UnaDemoMatadaEnCualquierMomentoEstaEnteraOAusente) {
    // Killed at a few moments of its run: the target is whole or absent, and a new run
    // finishes it.
    for (int milisegundos : {40, 150, 400}) {
        CarpetaTemporal carpeta;
        const QString destino = carpeta.ruta() + "/demo";
        QProcess p;
        p.start(carpetaProgramas() + "/averias-datos", {"demo", destino});
        ASSERT_TRUE(p.waitForStarted(10000));
        p.waitForFinished(milisegundos);
        p.kill();
        p.waitForFinished(10000);
        const bool escrita = QFileInfo::exists(destino);
        if (escrita)
            EXPECT_TRUE(QFile::exists(destino + "/averias.ini")) << milisegundos << " ms: a partial target";
        const Salida otra = ejecutar({"demo", destino});
        if (escrita)
            EXPECT_TRUE(otra.texto.contains("ya hay una instalación")) << otra.texto.toStdString();
        else
            EXPECT_EQ(otra.estado, 0) << milisegundos << " ms: " << otra.texto.toStdString();
        EXPECT_TRUE(QFile::exists(destino + "/BDs/GRP 001/cdsSemilla.cds")) << milisegundos << " ms";
    }
}

TEST(DemoUsoTest, UnaCarpetaConArchivosNoSeLlena) {
    CarpetaTemporal carpeta;
    carpeta.escribir("demo/notas.txt", "mías");
    const Salida s = ejecutar({"demo", carpeta.ruta() + "/demo"});
    EXPECT_NE(s.estado, 0);
    EXPECT_TRUE(s.texto.contains("no está vacía")) << s.texto.toStdString();
    EXPECT_EQ(Entradas(carpeta.ruta() + "/demo"), QStringList{"notas.txt"});
}

TEST(DemoUsoTest, UnaCarpetaVaciaRecibeLaDemo) {
    CarpetaTemporal carpeta;
    ASSERT_TRUE(QDir().mkpath(carpeta.ruta() + "/demo"));
    const Salida s = ejecutar({"demo", carpeta.ruta() + "/demo"});
    ASSERT_EQ(s.estado, 0) << s.texto.toStdString();
    EXPECT_TRUE(QFile::exists(carpeta.ruta() + "/demo/BDs/cdsGrupo.cds"));
}

TEST(DemoUsoTest, SinCarpetaExplicaElUso) {
    const Salida s = ejecutar({"demo"});
    EXPECT_EQ(s.estado, 2);
    EXPECT_TRUE(s.texto.contains("Uso"));
}

// The installation a classroom starts from: the shipped trainers, every table the program
// opens, and no class data.
TEST(InstalacionAulaTest, TieneLosEntrenadoresYNingunGrupoNiAlumno) {
    CarpetaTemporal carpeta;
    const QString destino = carpeta.ruta() + "/aula";
    const Salida s = ejecutar({"instalacion", destino});
    ASSERT_EQ(s.estado, 0) << s.texto.toStdString();
    TClientDataSet equipos, alumnos, grupos;
    equipos.LoadFromFile(destino + "/BDs/cdsEquipo.cds");
    alumnos.LoadFromFile(destino + "/BDs/cdsAlumno.cds");
    grupos.LoadFromFile(destino + "/BDs/cdsGrupo.cds");
    EXPECT_GT(equipos.RecordCount(), 0);
    EXPECT_EQ(alumnos.RecordCount(), 0);
    EXPECT_EQ(grupos.RecordCount(), 0);
    for (const char* f : {"idioma.lng", "averias.ini", "images/Logo.bmp", "BDs/cdsReparacion.cds",
                          "BDs/cdsLineaReparacion.cds", "BDs/cdsCodigos.cds", "BDs/EQ001/cdsAveria.cds"})
        EXPECT_TRUE(QFile::exists(destino + "/" + f)) << f;
    EXPECT_FALSE(QFileInfo::exists(destino + "/BDs/GRP 001"));
    EXPECT_EQ(ejecutar({"instalacion", destino}).estado, 1) << "an installation is never overwritten";
}

}  // namespace
