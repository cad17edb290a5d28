#include <gtest/gtest.h>

#include <QDir>
#include <map>
#include <set>

#include "InstalacionPrueba.h"
#include "RutasDatos.h"

namespace {

struct CasoVirtual {
    int codigo, azar;
    bool tutorizada;
    int esperado;
};

class CodigoVirtual : public ::testing::TestWithParam<CasoVirtual> {};

TEST_P(CodigoVirtual, SigueLaFormulaDelModo) {
    const CasoVirtual& c = GetParam();
    EXPECT_EQ(TdmCDS::CodigoVirtual(c.codigo, c.azar, c.tutorizada), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(Casos, CodigoVirtual,
                         ::testing::Values(CasoVirtual{1, 0, true, -200}, CasoVirtual{1, 0, false, -250},
                                           // (3 x 10 - 200) / 3 = -56.67, cut toward zero
                                           CasoVirtual{3, 10, true, -56}, CasoVirtual{3, 10, false, -73},
                                           CasoVirtual{7, 2999, true, 2970}, CasoVirtual{400, 1, true, 0},
                                           CasoVirtual{-2, 5, true, 105},
                                           // a fault numbered 0 keeps its draw
                                           CasoVirtual{0, 17, true, 17}, CasoVirtual{0, 2499, false, 2499}));

// Two trainers (the second deactivated, its faults numbered 0, 5 and 9), a third without
// faults, and one group whose seed file is empty.
class Semillas : public Almacen {
protected:
    void SetUp() override {
        TdmCDS origen;
        origen.CrearTablasVacias();
        AnadirFila(origen.cdsEquipo,
                   {{"cdsEFCodEquipo", 1}, {"cdsEFDescripcion", "A motor"}, {"cdsEFActivado", true}});
        AnadirFila(origen.cdsEquipo,
                   {{"cdsEFCodEquipo", 2}, {"cdsEFDescripcion", "B luces"}, {"cdsEFActivado", false}});
        AnadirFila(origen.cdsEquipo,
                   {{"cdsEFCodEquipo", 3}, {"cdsEFDescripcion", "C vacío"}, {"cdsEFActivado", true}});
        origen.cdsGrupo->SetReadOnly(false);
        AnadirFila(origen.cdsGrupo, {{"cdsGrpFCodGrupo", 1},
                                     {"cdsGrpFNombre", "1A"},
                                     {"cdsGrpFDirectorio", CarpetaGrupo()},
                                     {"cdsGrpFTutorizada", true}});
        for (const char* tabla : kTablasBDs) Guardar(origen, tabla, "BDs/");
        for (const char* tabla : kTablasGrupo) Guardar(origen, tabla, "BDs/GRP 001/");
        const std::map<int, std::vector<int>> averias{{1, {1, 2}}, {2, {0, 5, 9}}, {3, {}}};
        int id = 100;
        for (const auto& [equipo, codigos] : averias) {
            origen.CrearTablaVacia(origen.cdsAveria);
            for (int codigo : codigos)
                AnadirFila(
                    origen.cdsAveria,
                    {{"cdsAvFIdAveria", ++id}, {"cdsAvFCodAveria", codigo}, {"cdsAvFPtrEquipo", equipo}});
            const QString carpeta = QStringLiteral("BDs/EQ%1/").arg(equipo, 3, 10, QLatin1Char('0'));
            for (const char* tabla : kTablasEquipo) Guardar(origen, tabla, carpeta);
        }
        Abrir();
        dm.Modulo = "Alumnos";
        dm.FiltrarEquiposActivos();
    }

    void Guardar(TdmCDS& origen, const char* tabla, const QString& carpeta) {
        QDir().mkpath(Ruta(carpeta));
        origen.Tabla(tabla)->SaveToFile(Ruta(carpeta) + tabla + ".cds");
    }

    // (trainer, mode) -> (faults met, batch numbers) in the group's seed file.
    std::map<std::pair<int, bool>, std::pair<std::multiset<int>, std::set<int>>> EnArchivo() {
        TClientDataSet semillas;
        semillas.LoadFromFile(CarpetaGrupo() + "cdsSemilla.cds");
        std::map<std::pair<int, bool>, std::pair<std::multiset<int>, std::set<int>>> conjuntos;
        for (semillas.First(); !semillas.Eof(); semillas.Next()) {
            auto& conjunto = conjuntos[{semillas.FieldByName("cdsSemFPtrEquipo")->AsInteger(),
                                        semillas.FieldByName("cdsSemFTutorizada")->AsBoolean()}];
            conjunto.first.insert(semillas.FieldByName("cdsSemFPtrIdAveria")->AsInteger());
            conjunto.second.insert(semillas.FieldByName("cdsSemFCodSemilla")->AsInteger());
        }
        return conjuntos;
    }
};

TEST_F(Semillas, UnGrupoNuevoTieneDosJuegosPorEntrenadorTambienDesactivado) {
    dm.GenerarSemillasGrupo(1);
    const auto conjuntos = EnArchivo();
    using Juego = std::multiset<int>;
    for (bool tutorizada : {true, false}) {
        EXPECT_EQ(conjuntos.at({1, tutorizada}).first, (Juego{101, 102})) << tutorizada;
        EXPECT_EQ(conjuntos.at({2, tutorizada}).first, (Juego{103, 104, 105})) << tutorizada;
        EXPECT_EQ(conjuntos.count({3, tutorizada}), 0u) << "a trainer without faults";
    }
    std::set<int> lotes;
    for (const auto& [clave, conjunto] : conjuntos) {
        EXPECT_EQ(conjunto.second.size(), 1u) << "one batch per run";
        lotes.insert(conjunto.second.begin(), conjunto.second.end());
    }
    EXPECT_EQ(lotes.size(), conjuntos.size()) << "each run its own batch";
    // The trainer list is filtered again to the activated trainers, on the first one.
    EXPECT_EQ(dm.cdsEquipo->RecordCount(), 2);
    EXPECT_EQ(dm.cdsEFCodEquipo->AsInteger(), 1);
}

TEST_F(Semillas, UnJuegoQueFaltaTomaUnLoteNuevoAunqueLaListaEsteFiltrada) {
    dm.GenerarSemillasGrupo(1);
    int mayor = 0;
    for (const auto& [clave, conjunto] : EnArchivo()) mayor = std::max(mayor, *conjunto.second.rbegin());
    // The page shows one trainer and mode when it asks for a missing set.
    TdmCDS::AplicarFiltro(dm.cdsSemilla, "cdsSemFPtrEquipo = 3 and cdsSemFTutorizada = True");
    ASSERT_TRUE(dm.cdsSemilla->IsEmpty());
    dm.GenerarSemillas(1, 1, true);
    const std::set<int> lotes = EnArchivo().at({1, true}).second;
    EXPECT_EQ(*lotes.rbegin(), mayor + 1);
    EXPECT_EQ(dm.cdsSemilla->Filter(), "cdsSemFPtrEquipo = 3 and cdsSemFTutorizada = True");
}

TEST_F(Semillas, LaAveriaNumeroCeroRecibeSuCodigoSinDetenerLaGeneracion) {
    dm.cdsEquipo->Locate("cdsEFCodEquipo", 1);
    TdmCDS::QuitarFiltro(dm.cdsEquipo);
    dm.GenerarSemillas(1, 2, false);
    TClientDataSet semillas;
    semillas.LoadFromFile(CarpetaGrupo() + "cdsSemilla.cds");
    ASSERT_EQ(semillas.RecordCount(), 3);
    ASSERT_TRUE(semillas.Locate("cdsSemFPtrIdAveria", 103));
    const int virtual0 = semillas.FieldByName("cdsSemFCodVirtual")->AsInteger();
    EXPECT_GE(virtual0, 0);
    EXPECT_LT(virtual0, 2500);
    // Generating leaves the tree free to react again.
    bool reacciones = false;
    QObject::connect(&dm, &TdmCDS::ReaccionesArbol, [&reacciones](bool activas) { reacciones = activas; });
    dm.GenerarSemillas(1, 1, false);
    EXPECT_TRUE(reacciones);
}

}  // namespace
