#include "CodigoLibre.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

struct CasoCodigo {
    const char* nombre;
    std::vector<int> codigos;
    int esperado;
};

class CodigoLibre : public ::testing::TestWithParam<CasoCodigo> {};

TEST_P(CodigoLibre, DaElMenorPositivoNoUsado) {
    EXPECT_EQ(MenorCodigoLibre(GetParam().codigos), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(Casos, CodigoLibre,
                         ::testing::Values(CasoCodigo{"TablaVacia", {}, 1},
                                           CasoCodigo{"Seguidos", {1, 2, 3}, 4},
                                           CasoCodigo{"HuecoTrasBorrar", {1, 3}, 2},
                                           CasoCodigo{"Desordenados", {3, 1, 4, 2, 6}, 5},
                                           CasoCodigo{"Repetidos", {1, 1, 1}, 2},
                                           CasoCodigo{"CerosYNegativos", {0, -1, -5, 2}, 1},
                                           CasoCodigo{"MuyGrandes", {1, 2147483647}, 2}),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

TEST(CodigoLibreGrande, DiezMilFilasConUnHuecoAlFinal) {
    std::vector<int> codigos(10000);
    std::iota(codigos.begin(), codigos.end(), 1);
    codigos[9999] = 20000;
    EXPECT_EQ(MenorCodigoLibre(codigos), 10000);
}

}  // namespace
