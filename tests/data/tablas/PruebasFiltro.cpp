#include <gtest/gtest.h>

#include "TablaPrueba.h"

// The filter forms the program writes, over four rows:
// code 3 group 1 "Carla" active; 1 group 2 "Ana"; 2 group 1 "Bea" active; 4 group 2 "Dani";
// and code 5 group -1 with no name.
struct CasoFiltro {
    const char* nombre;
    const char* filtro;
    std::vector<int> codigos;
};

class Filtro : public ::testing::TestWithParam<CasoFiltro> {
protected:
    void SetUp() override {
        t.CrearConMuestra();
        t.Anadir(5, -1, "");
    }
    TablaPrueba t;
};

TEST_P(Filtro, MuestraLasFilasQueCumplen) {
    t.cds.SetFilter(QString::fromUtf8(GetParam().filtro));
    t.cds.SetFiltered(true);
    EXPECT_EQ(t.Codigos(), GetParam().codigos);
}

INSTANTIATE_TEST_SUITE_P(
    Formas, Filtro,
    ::testing::Values(
        CasoFiltro{"igual_entero", "cdsPFPtrGrupo = 1", {3, 2}},
        CasoFiltro{"sin_espacios", "cdsPFPtrGrupo=2", {1, 4}},
        CasoFiltro{"espacio_tras_igual", "cdsPFPtrGrupo= 2", {1, 4}},
        CasoFiltro{"distinto_entero", "cdsPFPtrGrupo <> 1", {1, 4, 5}},
        CasoFiltro{"negativo", "cdsPFPtrGrupo = -1", {5}}, CasoFiltro{"ninguna", "cdsPFCodigo = -99", {}},
        CasoFiltro{"letra", "cdsPFNombre ='Ana'", {1}},
        CasoFiltro{"no_vacio", "cdsPFNombre <> ''", {3, 1, 2, 4}},
        CasoFiltro{"verdadero", "cdsPFActivo = True", {3, 2}},
        CasoFiltro{"falso", "cdsPFActivo = False", {1, 4, 5}},
        CasoFiltro{"menos_uno_es_verdadero", "cdsPFActivo = -1", {3, 2}},
        CasoFiltro{"cero_es_falso", "cdsPFActivo = 0", {1, 4, 5}},
        CasoFiltro{"y", "cdsPFPtrGrupo = 2 and cdsPFCodigo = 4", {4}},
        CasoFiltro{"o", "cdsPFCodigo = 1 or cdsPFCodigo = 2", {1, 2}},
        CasoFiltro{"O_mayusculas", "cdsPFCodigo = 1 OR cdsPFCodigo = 3", {3, 1}},
        CasoFiltro{"parentesis", "(cdsPFCodigo = 1 or cdsPFCodigo = 2) and cdsPFActivo = True", {2}},
        CasoFiltro{"y_antes_que_o", "cdsPFCodigo = 1 or cdsPFCodigo = 2 and cdsPFActivo = False", {1}},
        CasoFiltro{"es_nulo", "cdsPFNombre is null", {5}},
        CasoFiltro{"vacio_muestra_todo", "", {3, 1, 2, 4, 5}}),
    [](const auto& caso) { return std::string(caso.param.nombre); });
