#include <gtest/gtest.h>

#include <QProcess>

#include "CarpetaTemporal.h"
#include "TablaPrueba.h"
#include "Volcado.h"

namespace {

struct Resultado {
    int estado;
    QString salida;
    QString errores;
};

Resultado Ejecutar(const QStringList& argumentos) {
    QProcess p;
    p.start(carpetaProgramas() + "/averias-datos", argumentos);
    if (!p.waitForFinished(30000)) return {-1, {}, "did not run: " + p.errorString()};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

class Volcado : public ::testing::Test {
protected:
    void SetUp() override {
        TablaPrueba t;
        t.cds.IndexDefs.Add("cdsPIndexNombre", "cdsPFNombre", ixPrimary | ixUnique);
        t.cds.CreateDataSet();
        t.Anadir(1, 5, "Ana", true);
        t.Anadir(2, 5, "Pérez, \"B\"");
        t.cds.First();
        t.cds.Edit();
        t.Inicio->SetAsDateTime(46000.5);  // 9 December 2025 at noon
        t.cds.Post();
        ruta = dir.archivo("cdsPrueba.cds");
        t.cds.SaveToFile(ruta);
    }
    CarpetaTemporal dir;
    QString ruta;
};

const char* kCsv =
    "cdsPFCodigo,cdsPFPtrGrupo,cdsPFNombre,cdsPFActivo,cdsPFInicio\n"
    "1,5,Ana,True,2025-12-09T12:00:00\n"
    "2,5,\"Pérez, \"\"B\"\"\",False,\n";

}  // namespace

TEST_F(Volcado, VolcarCsvConNombresFechasIsoYComillas) {
    TClientDataSet t;
    t.LoadFromFile(ruta);
    QString texto;
    QTextStream salida(&texto);
    VolcarCsv(t, salida);
    salida.flush();
    EXPECT_EQ(texto, QString::fromUtf8(kCsv));
}

TEST_F(Volcado, ElProgramaVuelcaYDescribeUnaTablaEscritaPorLasPruebas) {
    const Resultado volcado = Ejecutar({"volcar", ruta});
    EXPECT_EQ(volcado.estado, 0) << volcado.errores.toStdString();
    EXPECT_EQ(volcado.salida, QString::fromUtf8(kCsv));
    const Resultado campos = Ejecutar({"campos", ruta});
    EXPECT_EQ(campos.estado, 0);
    EXPECT_TRUE(campos.salida.contains("cdsPFCodigo integer required"));
    EXPECT_TRUE(campos.salida.contains("cdsPFNombre string(10)"));
    EXPECT_TRUE(campos.salida.contains("cdsPIndexNombre on cdsPFNombre primary,unique"));
}

TEST_F(Volcado, ElProgramaFallaConMensajeClaroAnteFicherosQueNoSonTablas) {
    const Resultado falta = Ejecutar({"volcar", dir.archivo("noesta.cds")});
    EXPECT_NE(falta.estado, 0);
    EXPECT_TRUE(falta.errores.contains("noesta.cds"));
    const QString ajeno = dir.escribir("ajeno.cds", "nombre,apellido\n");
    const Resultado raro = Ejecutar({"campos", ajeno});
    EXPECT_NE(raro.estado, 0);
    EXPECT_TRUE(raro.errores.contains("ajeno.cds"));
    EXPECT_TRUE(raro.salida.isEmpty());
    EXPECT_NE(Ejecutar({"inventada"}).estado, 0);
    EXPECT_NE(Ejecutar({"volcar"}).estado, 0);
}
