#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cmath>

#include "CarpetaTemporal.h"
#include "FechaHora.h"
#include "TablaPrueba.h"

class Archivo : public ::testing::Test {
protected:
    QString ruta(const QString& nombre = "cdsPrueba.cds") const { return dir.archivo(nombre); }

    // A file with three rows written through the engine.
    QString Escribir(const QString& nombre = "cdsPrueba.cds") {
        TablaPrueba t;
        t.cds.IndexDefs.Add("cdsPIndexCod", "cdsPFCodigo", ixUnique);
        t.cds.CreateDataSet();
        t.Anadir(1, 1, "Ana", true);
        t.Anadir(2, 1, "Bea");
        t.Anadir(3, 2, "Ñoño ü");
        t.cds.First();
        t.cds.Edit();
        t.Inicio->SetAsDateTime(46000.75);
        t.cds.Post();
        t.cds.SaveToFile(ruta(nombre));
        return ruta(nombre);
    }

    CarpetaTemporal dir;
};

TEST_F(Archivo, GuardaYCargaFilasDefinicionesEIndices) {
    Escribir();
    TablaPrueba t;
    t.cds.SetFileName(ruta());
    t.cds.Open();
    EXPECT_EQ(t.cds.RecordCount(), 3);
    EXPECT_EQ(t.Codigos(), (std::vector<int>{1, 2, 3}));
    t.cds.First();
    EXPECT_TRUE(t.Activo->AsBoolean());
    EXPECT_DOUBLE_EQ(t.Inicio->AsDateTime(), 46000.75);
    t.cds.Last();
    EXPECT_EQ(t.Nombre->AsString(), "Ñoño ü");
    EXPECT_TRUE(t.Inicio->IsNull());
    ASSERT_NE(t.cds.IndexDefs.Find("cdsPIndexCod"), nullptr);
    // The unique index came with the file.
    t.cds.Append();
    t.Codigo->SetAsInteger(2);
    EXPECT_THROW(t.cds.Post(), EDatabaseError);
}

TEST_F(Archivo, UnaTablaSinCamposPropiosToma_LosDelArchivo) {
    Escribir();
    TClientDataSet aux("cdsAux");
    aux.LoadFromFile(ruta());
    ASSERT_EQ(aux.FieldCount(), 5);
    EXPECT_EQ(aux.FieldDefs[2].Size, 10);
    EXPECT_EQ(aux.FieldByName("cdsPFNombre")->DataType(), ftString);
    // The structure copies to a new empty table.
    TClientDataSet copia("cdsCopia");
    copia.FieldDefs = aux.FieldDefs;
    copia.IndexDefs = aux.IndexDefs;
    copia.CreateDataSet();
    EXPECT_TRUE(copia.IsEmpty());
    EXPECT_EQ(copia.FieldCount(), 5);
    EXPECT_NE(copia.IndexDefs.Find("cdsPIndexCod"), nullptr);
}

TEST_F(Archivo, CerrarGuardaSiHayCambiosYLosGuardadosSucesivosSoloEscribenLoCambiado) {
    Escribir();
    {
        TablaPrueba t;
        t.cds.SetFileName(ruta());
        t.cds.Open();
        ASSERT_TRUE(t.cds.Locate("cdsPFCodigo", 2));
        t.cds.Edit();
        t.Nombre->SetAsString("Beatriz");
        t.cds.Post();
        t.cds.SaveToFile();
        ASSERT_TRUE(t.cds.Locate("cdsPFCodigo", 1));
        t.cds.Delete();
        t.Anadir(4, 3, "Dora");
        t.cds.Close();
    }
    TablaPrueba t;
    t.cds.SetFileName(ruta());
    t.cds.Open();
    EXPECT_EQ(t.Codigos(), (std::vector<int>{2, 3, 4}));
    t.cds.First();
    EXPECT_EQ(t.Nombre->AsString(), "Beatriz");
}

TEST_F(Archivo, DosEscritoresDelMismoArchivoGuardanLasFilasDeAmbos) {
    Escribir();
    TablaPrueba a, b;
    a.cds.LoadFromFile(ruta());
    b.cds.LoadFromFile(ruta());
    a.Anadir(10, 1, "DeA");
    a.cds.SaveToFile(ruta());
    b.Anadir(20, 1, "DeB");
    b.cds.SaveToFile(ruta());  // b's save keeps a's new row
    TablaPrueba c;
    c.cds.LoadFromFile(ruta());
    EXPECT_EQ(c.Codigos(), (std::vector<int>{1, 2, 3, 10, 20}));
    EXPECT_EQ(b.Codigos(), c.Codigos());
}

TEST_F(Archivo, RestaurarUnPuntoDeGuardadoTrasGuardarEscribeElEstadoRestaurado) {
    Escribir();
    TablaPrueba t;
    t.cds.SetFileName(ruta());
    t.cds.Open();
    const int marca = t.cds.SavePoint();
    t.Anadir(7, 1, "Nueva");
    ASSERT_TRUE(t.cds.Locate("cdsPFCodigo", 1));
    t.cds.Delete();
    ASSERT_TRUE(t.cds.Locate("cdsPFCodigo", 2));
    t.cds.Edit();
    t.Nombre->SetAsString("Cambiada");
    t.cds.Post();
    t.cds.MergeChangeLog();
    t.cds.SaveToFile();
    t.cds.SetSavePoint(marca);
    t.cds.SaveToFile();
    TablaPrueba otra;
    otra.cds.LoadFromFile(ruta());
    EXPECT_EQ(otra.Codigos(), (std::vector<int>{1, 2, 3}));
    ASSERT_TRUE(otra.cds.Locate("cdsPFCodigo", 2));
    EXPECT_EQ(otra.Nombre->AsString(), "Bea");
}

TEST_F(Archivo, UnCampoPersistenteQueElArchivoNoTieneSeAnadeNulo) {
    Escribir();
    TablaPrueba t;
    TField* nuevo = t.cds.AddField("cdsPFNuevo", ftString, 20);
    t.cds.LoadFromFile(ruta());
    t.cds.First();
    EXPECT_TRUE(nuevo->IsNull());
    t.cds.Edit();
    nuevo->SetAsString("valor");
    t.cds.Post();
    t.cds.SaveToFile(ruta());
    TClientDataSet aux;
    aux.LoadFromFile(ruta());
    EXPECT_EQ(aux.FieldByName("cdsPFNuevo")->AsString(), "valor");
}

struct ArchivoMalo {
    const char* nombre;
    QByteArray contenido;
};

class ArchivoNoLegible : public Archivo, public ::testing::WithParamInterface<ArchivoMalo> {};

TEST_P(ArchivoNoLegible, DaUnErrorQueNombraElArchivoYNoLoToca) {
    const QString r = dir.escribir("cdsMalo.cds", GetParam().contenido);
    TablaPrueba t;
    t.cds.SetFileName(r);
    try {
        t.cds.Open();
        FAIL();
    } catch (const EArchivoTabla& e) {
        EXPECT_TRUE(e.Message().contains(r)) << e.Message().toStdString();
        EXPECT_EQ(e.FileName(), r);
    }
    EXPECT_FALSE(t.cds.Active());
    // Nor is it overwritten by a save.
    TablaPrueba otra;
    otra.cds.CreateDataSet();
    otra.Anadir(1, 1, "x");
    EXPECT_THROW(otra.cds.SaveToFile(r), EArchivoTabla);
    EXPECT_EQ(dir.leer("cdsMalo.cds"), GetParam().contenido);
}

QByteArray BaseAjena() {
    CarpetaTemporal d;
    // A genuine SQLite database of someone else's.
    const QString r = d.archivo("ajena.db");
    {
        TClientDataSet falsa;
        falsa.FieldDefs.Add("x", ftInteger);
        falsa.CreateDataSet();
        falsa.SaveToFile(r);
    }
    QFile f(r);
    f.open(QIODevice::ReadOnly);
    QByteArray bytes = f.readAll();
    bytes[68] = 0;  // application id
    bytes[69] = 0;
    bytes[70] = 0;
    bytes[71] = 0;
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(Casos, ArchivoNoLegible,
                         ::testing::Values(ArchivoMalo{"texto", "Esto no es una tabla\n"},
                                           ArchivoMalo{"basura", QByteArray(8192, '\x5a')},
                                           ArchivoMalo{"sqlite_ajena", BaseAjena()}),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

TEST_F(Archivo, UnArchivoDanadoPorDentroDaUnErrorQueLoNombra) {
    Escribir();
    {
        // Enough rows to take several pages; then one of them is overwritten.
        TablaPrueba t;
        t.cds.LoadFromFile(ruta());
        for (int i = 10; i < 400; ++i) t.Anadir(i, i, "relleno");
        t.cds.SaveToFile(ruta());
    }
    QFile f(ruta());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const qint64 tamano = f.size();
    ASSERT_GT(tamano, 4 * 4096);
    f.seek(tamano - 2 * 4096 + 10);
    f.write(QByteArray(2000, '\xff'));
    f.close();
    TablaPrueba t;
    try {
        t.cds.LoadFromFile(ruta());
        FAIL();
    } catch (const EArchivoTabla& e) {
        EXPECT_TRUE(e.Message().contains(ruta())) << e.Message().toStdString();
    }
}

// A file whose structure was damaged from outside: the rows no longer match the field
// definitions. Read as it is, a missing column would come back as its own name.
struct EstructuraDanada {
    const char* nombre;
    const char* sql;
};

class EstructuraNoValida : public Archivo, public ::testing::WithParamInterface<EstructuraDanada> {};

TEST_P(EstructuraNoValida, SeRechazaComoDanadaNombrandoElArchivo) {
    const QString r = Escribir();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(r).constData(), &db), SQLITE_OK);
    const int rc = sqlite3_exec(db, GetParam().sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK);
    TablaPrueba t;
    t.cds.SetFileName(r);
    try {
        t.cds.Open();
        FAIL() << "opened a damaged table";
    } catch (const EArchivoTabla& e) {
        EXPECT_TRUE(e.Message().contains(r)) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains("damaged")) << e.Message().toStdString();
    }
    EXPECT_FALSE(t.cds.Active());
    // A table with no fields of its own is refused the same way.
    TClientDataSet aux("cdsAux");
    EXPECT_THROW(aux.LoadFromFile(r), EArchivoTabla);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EstructuraNoValida,
    ::testing::Values(EstructuraDanada{"columna_quitada", "ALTER TABLE filas DROP COLUMN cdsPFNombre"},
                      EstructuraDanada{"sin_definiciones", "DELETE FROM campos"},
                      EstructuraDanada{"sin_filas", "DROP TABLE filas"},
                      EstructuraDanada{"sin_orden", "ALTER TABLE filas DROP COLUMN _orden"}),
    [](const auto& caso) { return std::string(caso.param.nombre); });

TEST_F(Archivo, GuardarEnUnaCarpetaQueNoExisteFallaNombrandoElArchivo) {
    TablaPrueba t;
    t.cds.CreateDataSet();
    const QString r = dir.archivo("Historic/cdsReparacion007.cds");
    try {
        t.cds.SaveToFile(r);
        FAIL();
    } catch (const EArchivoTabla& e) {
        EXPECT_TRUE(e.Message().contains("cdsReparacion007.cds"));
    }
}

// A child process saves big versions of the table over and over; it is killed while a
// save is under way (its journal exists). The file must then hold one whole version.
TEST_F(Archivo, UnGuardadoMatadoAMitadDejaLegibleElContenidoAnterior) {
    constexpr int kFilas = 5000;
    {
        TablaPrueba t;
        t.cds.CreateDataSet();
        for (int i = 0; i < kFilas; ++i) t.Anadir(i, 0, "v0");
        t.cds.SaveToFile(ruta());
    }
    const QString diario = ruta() + "-journal";
    for (int intento = 0; intento < 3; ++intento) {
        const pid_t hijo = fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            try {
                TablaPrueba t;
                t.cds.LoadFromFile(ruta());
                for (int version = 1;; ++version) {
                    // Every row changes, so that each save is long.
                    t.cds.First();
                    while (!t.cds.Eof()) {
                        t.cds.Edit();
                        t.Grupo->SetAsInteger(version);
                        t.cds.Post();
                        t.cds.Next();
                    }
                    t.cds.SaveToFile(ruta());
                }
            } catch (...) {
            }
            _exit(1);
        }
        bool visto = false;
        int estado = 0;
        for (int espera = 0; espera < 200000 && !visto; ++espera) {
            visto = QFileInfo::exists(diario);
            if (!visto && waitpid(hijo, &estado, WNOHANG) == hijo) break;
            if (!visto) usleep(50);
        }
        kill(hijo, SIGKILL);
        waitpid(hijo, &estado, 0);
        ASSERT_TRUE(visto) << "the child never started a save";
        TablaPrueba t;
        t.cds.LoadFromFile(ruta());
        ASSERT_EQ(t.cds.RecordCount(), kFilas);
        t.cds.First();
        const int version = t.Grupo->AsInteger();
        bool iguales = true;
        while (!t.cds.Eof() && iguales) {
            iguales = t.Grupo->AsInteger() == version;
            t.cds.Next();
        }
        EXPECT_TRUE(iguales) << "a save was left half written";
    }
}

TEST(FechaHora, DiasDesde1899ConLaHoraComoFraccion) {
    EXPECT_DOUBLE_EQ(DiasDesdeFechaHora(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_DOUBLE_EQ(DiasDesdeFechaHora(QDateTime(QDate(1899, 12, 31), QTime(12, 0))), 1.5);
    EXPECT_EQ(FechaHoraDesdeDias(45000.25), QDateTime(QDate(2023, 3, 15), QTime(6, 0)));
    const QDateTime ahora(QDate(2026, 12, 9), QTime(23, 59, 59, 500));
    EXPECT_EQ(FechaHoraDesdeDias(DiasDesdeFechaHora(ahora)), ahora);
}
