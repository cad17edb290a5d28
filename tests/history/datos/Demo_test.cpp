#include <gtest/gtest.h>

#include <QProcess>
#include <memory>

#include "CarpetaTemporal.h"
#include "DespachoInformes.h"
#include "FuenteInforme.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "dmCDS.h"

namespace {

// Every layout over the demo installation's history, as the reports window runs them for
// one student (Javier Martín), the subgroup and the group.
class InformesDeLaDemo : public ::testing::Test {
protected:
    void SetUp() override {
        QProcess demo;
        demo.start(carpetaProgramas() + "/averias-datos", {"demo", carpeta_.ruta() + "/demo"});
        ASSERT_TRUE(demo.waitForFinished(60000));
        ASSERT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
        instalacion_ = std::make_unique<InstalacionTemporal>(carpeta_.ruta() + "/demo");
        idioma_ = std::make_unique<IdiomaTemporal>(Instalacion::Ruta("idioma.lng"));
        dm_ = std::make_unique<TdmCDS>();
        ASSERT_TRUE(dm_->AbrirTablas()) << mensajes_.textos().join('\n').toStdString();
        // The diesel engine, whose catalogue names the practices' faults and places.
        ASSERT_TRUE(dm_->cdsEquipo->Locate("cdsEFCodEquipo", 1));
        ASSERT_TRUE(dm_->cdsGrupoAlumno->Locate("cdsGrpAlFPtrAlumno", 2));
        dm_->AbrirHistorico("002");
        dm_->cdsReparacion->First();
        averia_ = {dm_->cdsRepFPtrIdAveria->AsInteger(), dm_->cdsRepFTutorizada->AsBoolean()};
        ASSERT_TRUE(dm_->cdsSubgrupo->Locate("cdsSubFCodSubgrupo", 1));
    }

    // The values of a variable over every record of dataset 1.
    QStringList Recorrer(const QString& diseno, const char* variable) {
        const std::optional<TipoInforme> tipo = DespachoInformes::TipoDeDiseno(diseno);
        EXPECT_TRUE(tipo) << diseno.toStdString();
        FuenteInforme f(*dm_, {tipo.value_or(TipoInforme::TodasAlumno), 1, 3, averia_});
        f.EmpezarDocumento();
        QStringList valores;
        for (f.Primero(1); !f.FinDeDatos(1) && valores.size() < 500; f.Siguiente(1)) {
            QString valor;
            EXPECT_TRUE(f.Valor(variable, valor)) << variable;
            valores << valor;
        }
        f.TerminarDocumento();
        return valores;
    }

    CarpetaTemporal carpeta_;
    std::unique_ptr<InstalacionTemporal> instalacion_;
    std::unique_ptr<IdiomaTemporal> idioma_;
    MensajesGrabados mensajes_;
    std::unique_ptr<TdmCDS> dm_;
    AveriaElegida averia_;
};

TEST_F(InformesDeLaDemo, CadaDisenoTieneDatos) {
    const std::pair<const char*, const char*> disenos[] = {
        {"Informe1ALPROFE", "IdAveria"}, {"Informe1SUBPROFE", "IdAveria"}, {"Informe2ALPROFE", "Bloque"},
        {"Informe2SUBPROFE", "Bloque"},  {"Informe3AL", "NumDiagnostico"}, {"Informe4AL", "Nombre"},
        {"Informe4SUB", "Nombre"},       {"Informe5AL", "Nombre"},         {"Informe9", "IdAveria"},
        {"Informe10", "CodAlumno"}};
    for (const auto& [diseno, variable] : disenos) {
        QStringList valores = Recorrer(diseno, variable);
        valores.removeAll(" ");
        EXPECT_FALSE(valores.isEmpty()) << diseno;
    }
    EXPECT_TRUE(mensajes_.textos().isEmpty()) << mensajes_.textos().join('\n').toStdString();
}

TEST_F(InformesDeLaDemo, ElInformeDelGrupoTraeATodosMenosAlPrimero) {
    QStringList nombres = Recorrer("Informe4AL", "Nombre");
    nombres.removeAll(" ");
    EXPECT_EQ(nombres, (QStringList{"Martín Ruiz, Javier", "López Navarro, Sara", "Sánchez Mora, Daniel",
                                    "Castro Vidal, Irene"}));
    QStringList subgrupos = Recorrer("Informe4SUB", "Nombre");
    subgrupos.removeAll(" ");
    EXPECT_EQ(subgrupos, QStringList{"Equipo A"});
}

}  // namespace
