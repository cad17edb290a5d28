// Several programs on one table file: a save brings in what the others saved meanwhile and
// writes only its own changes.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include "CarpetaTemporal.h"
#include "Diario.h"
#include "TablaPrueba.h"

namespace {

// Keeps what the engine logs, for the test's length.
class DiarioGrabado {
public:
    DiarioGrabado() : anterior_(tablas::FijarDiario([this](const QString& l) { lineas << l; })) {}
    ~DiarioGrabado() { tablas::FijarDiario(anterior_); }
    QStringList lineas;

private:
    tablas::Anotador anterior_;
};

// Two programs' views of one file, both read from the sample.
class Fusion : public ::testing::Test {
protected:
    Fusion() {
        TablaPrueba t;
        t.CrearConMuestra();
        t.cds.SaveToFile(ruta);
        for (TablaPrueba* t : {&a, &b}) {
            t->cds.SetFileName(ruta);
            t->cds.Open();
        }
    }

    static void Cambiar(TablaPrueba& t, int codigo, TField* campo, const QVariant& valor) {
        ASSERT_TRUE(t.cds.Locate("cdsPFCodigo", codigo)) << codigo;
        t.cds.Edit();
        campo->SetValue(valor);
        t.cds.Post();
    }
    static QString Nombre(TablaPrueba& t, int codigo) {
        return t.cds.Lookup("cdsPFCodigo", codigo, "cdsPFNombre").toString();
    }
    static int Grupo(TablaPrueba& t, int codigo) {
        return t.cds.Lookup("cdsPFCodigo", codigo, "cdsPFPtrGrupo").toInt();
    }
    std::vector<int> EnArchivo() {
        TablaPrueba c;
        c.cds.LoadFromFile(ruta);
        c.cds.SetIndexFieldNames("cdsPFCodigo");
        return c.Codigos();
    }

    DiarioGrabado diario;
    CarpetaTemporal dir;
    QString ruta = dir.archivo("cdsPrueba.cds");
    TablaPrueba a, b;
};

TEST_F(Fusion, CadaProgramaGuardaSusCamposSinPisarLosDelOtro) {
    Cambiar(a, 2, a.Nombre, "Beatriz");
    a.Anadir(7, 1, "DeA");
    a.cds.SaveToFile();
    Cambiar(b, 2, b.Grupo, 5);
    ASSERT_TRUE(b.cds.Locate("cdsPFCodigo", 4));
    b.cds.Delete();
    b.cds.SaveToFile();

    TablaPrueba c;
    c.cds.LoadFromFile(ruta);
    EXPECT_EQ(Nombre(c, 2), "Beatriz");
    EXPECT_EQ(Grupo(c, 2), 5);
    c.cds.SetIndexFieldNames("cdsPFCodigo");
    EXPECT_EQ(c.Codigos(), (std::vector<int>{1, 2, 3, 7}));
    // b's table is now the file's merged content.
    EXPECT_EQ(Nombre(b, 2), "Beatriz");
    EXPECT_EQ(Nombre(b, 7), "DeA");
    EXPECT_TRUE(diario.lineas.isEmpty()) << diario.lineas.join('\n').toStdString();
    // And a, saving again, learns b's changes without losing anything.
    Cambiar(a, 1, a.Nombre, "Anabel");
    a.cds.SaveToFile();
    EXPECT_EQ(Grupo(a, 2), 5);
    EXPECT_FALSE(a.cds.Locate("cdsPFCodigo", 4));
    EXPECT_EQ(EnArchivo(), (std::vector<int>{1, 2, 3, 7}));
}

TEST_F(Fusion, ElMismoCampoCambiadoEnLosDosLoGanaElUltimoGuardadoYQuedaEnElDiario) {
    Cambiar(a, 2, a.Nombre, "DeA");
    a.cds.SaveToFile();
    Cambiar(b, 2, b.Nombre, "DeB");
    b.cds.SaveToFile();
    TablaPrueba c;
    c.cds.LoadFromFile(ruta);
    EXPECT_EQ(Nombre(c, 2), "DeB");
    ASSERT_EQ(diario.lineas.size(), 1);
    const QString& linea = diario.lineas.first();
    for (const QString& parte : {QString("cdsPrueba.cds"), QString("cdsPFNombre"), QString("\"DeB\""),
                                 QString("\"DeA\""), QSysInfo::machineHostName()})
        EXPECT_TRUE(linea.contains(parte)) << linea.toStdString() << " lacks " << parte.toStdString();
}

TEST_F(Fusion, UnaFilaBorradaEnOtroProgramaSigueBorradaAunqueEsteLaCambiara) {
    ASSERT_TRUE(a.cds.Locate("cdsPFCodigo", 3));
    a.cds.Delete();
    Cambiar(a, 1, a.Nombre, "DeA");
    a.cds.SaveToFile();
    Cambiar(b, 3, b.Nombre, "DeB");  // deleted in a meanwhile
    ASSERT_TRUE(b.cds.Locate("cdsPFCodigo", 2));
    b.cds.Delete();
    b.cds.SaveToFile();
    EXPECT_EQ(EnArchivo(), (std::vector<int>{1, 4}));
    EXPECT_EQ(Nombre(b, 1), "DeA");
    ASSERT_EQ(diario.lineas.size(), 1);
    EXPECT_TRUE(diario.lineas.first().contains("cdsPrueba.cds")) << diario.lineas.first().toStdString();
}

TEST_F(Fusion, UnCodigoTomadoEntretantoDaElSiguienteLibreYLoQueDependeDeEl) {
    for (TablaPrueba* t : {&a, &b}) {
        t->cds.Close();
        t->cds.CampoCodigo = "cdsPFCodigo";
        // The name is built from the code, as a student's first password is.
        t->cds.OnRecodificar = [t](TField* campo, const QVariant& valor, int anterior, int nuevo) {
            if (campo == t->Nombre && valor.toString() == QString("AL%1").arg(anterior))
                return QVariant(QString("AL%1").arg(nuevo));
            return valor;
        };
        t->cds.Open();
    }
    a.Anadir(5, 1, "AL5");
    a.cds.SaveToFile();
    b.Anadir(5, 2, "AL5");
    b.Anadir(6, 2, "AL6");
    b.cds.Last();
    b.cds.SaveToFile();
    EXPECT_EQ(EnArchivo(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    // b's first new row got 7 (5 was a's, 6 is b's other new row), and the window shows it.
    EXPECT_EQ(Nombre(b, 7), "AL7");
    EXPECT_EQ(Grupo(b, 7), 2);
    EXPECT_EQ(Grupo(b, 5), 1);
    EXPECT_EQ(b.Codigo->AsInteger(), 6);
    ASSERT_EQ(diario.lineas.size(), 1);
    EXPECT_TRUE(diario.lineas.first().contains("7"));
}

TEST_F(Fusion, RefrescarTraeLoDelOtroYConservaLoNoGuardado) {
    Cambiar(a, 1, a.Nombre, "SinGuardar");
    a.cds.MergeChangeLog();
    Cambiar(b, 2, b.Nombre, "DeB");
    b.Anadir(9, 1, "Nueva");
    b.cds.SaveToFile();
    ASSERT_TRUE(a.cds.Locate("cdsPFCodigo", 3));
    EXPECT_TRUE(a.cds.Refrescar());
    EXPECT_EQ(a.Codigo->AsInteger(), 3) << "the current row stays";
    EXPECT_EQ(Nombre(a, 2), "DeB");
    EXPECT_EQ(Nombre(a, 9), "Nueva");
    EXPECT_EQ(Nombre(a, 1), "SinGuardar");
    EXPECT_TRUE(a.cds.HayCambiosSinGuardar());
    EXPECT_FALSE(a.cds.Refrescar()) << "nothing new the second time";
    a.cds.SaveToFile();
    TablaPrueba c;
    c.cds.LoadFromFile(ruta);
    EXPECT_EQ(Nombre(c, 1), "SinGuardar");
    EXPECT_EQ(Nombre(c, 2), "DeB");
    EXPECT_EQ(Nombre(c, 9), "Nueva");
}

// A backup brought back, or a new table written over the file: its rows are taken as they
// are, this program's unsaved changes are not merged into it, and the log says so.
TEST_F(Fusion, UnArchivoSustituidoSeRecargaSinFusionar) {
    const QString copia = dir.archivo("copia.cds");
    ASSERT_TRUE(QFile::copy(ruta, copia));
    Cambiar(b, 2, b.Nombre, "Nuevo");
    b.cds.SaveToFile();
    Cambiar(a, 2, a.Nombre, "DeA");
    a.cds.SaveToFile();  // the version a knew is gone for a newer one: merged
    ASSERT_TRUE(diario.lineas.size() == 1);
    // The backup comes back over the file, bytes and all.
    QFile::remove(ruta);
    ASSERT_TRUE(QFile::copy(copia, ruta));
    Cambiar(a, 1, a.Nombre, "Perdido");
    a.Anadir(8, 1, "Perdida");
    a.cds.SaveToFile();
    EXPECT_EQ(Nombre(a, 2), "Bea");
    EXPECT_EQ(Nombre(a, 1), "Ana");
    EXPECT_FALSE(a.cds.Locate("cdsPFCodigo", 8));
    EXPECT_EQ(EnArchivo(), (std::vector<int>{1, 2, 3, 4}));
    ASSERT_EQ(diario.lineas.size(), 2);
    EXPECT_TRUE(diario.lineas.last().contains("cdsPrueba.cds"));
    // From then on the file is the one the table knows.
    Cambiar(a, 3, a.Nombre, "Sigue");
    a.cds.SaveToFile();
    EXPECT_EQ(EnArchivo(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(diario.lineas.size(), 2);

    // Another table written over the file is a replacement too.
    TablaPrueba otra;
    otra.cds.CreateDataSet();
    otra.Anadir(50, 1, "Otra");
    otra.cds.SaveToFile(ruta);
    EXPECT_TRUE(b.cds.Refrescar());
    EXPECT_EQ(b.cds.RecordCount(), 1);
    EXPECT_EQ(Nombre(b, 50), "Otra");
}

TEST_F(Fusion, UnArchivoBloqueadoMasDeCincoSegundosDaUnErrorQueLoNombraYNoEscribeNada) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(ruta).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    Cambiar(a, 2, a.Nombre, "Espera");
    QElapsedTimer reloj;
    reloj.start();
    try {
        a.cds.SaveToFile();
        ADD_FAILURE() << "saved under another program's lock";
    } catch (const EArchivoOcupado& e) {
        EXPECT_TRUE(e.Message().contains(ruta)) << e.Message().toStdString();
    }
    EXPECT_GE(reloj.elapsed(), 4900);
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(EnArchivo(), (std::vector<int>{1, 2, 3, 4}));
    // Once the lock is gone the change is saved.
    a.cds.SaveToFile();
    TablaPrueba c;
    c.cds.LoadFromFile(ruta);
    EXPECT_EQ(Nombre(c, 2), "Espera");
}

}  // namespace

namespace {

TEST_F(Fusion, UnaEdicionAbiertaMientrasLlegaOtroCambioSoloEscribeLosCamposQueToco) {
    ASSERT_TRUE(a.cds.Locate("cdsPFCodigo", 2));
    a.cds.Edit();
    a.Nombre->SetAsString("DeA");
    Cambiar(b, 2, b.Grupo, 9);
    b.cds.SaveToFile();
    a.cds.Refrescar();
    a.cds.Post();
    a.cds.SaveToFile();
    TablaPrueba c;
    c.cds.LoadFromFile(ruta);
    EXPECT_EQ(Nombre(c, 2), "DeA");
    EXPECT_EQ(Grupo(c, 2), 9);
}

}  // namespace
