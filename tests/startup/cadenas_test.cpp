#include <gtest/gtest.h>

#include "Azar.h"
#include "Cadenas.h"

namespace {

struct CasoCodigo {
    int codigo;
    const char* texto;
};

class FormatoCodigoTest : public ::testing::TestWithParam<CasoCodigo> {};

TEST_P(FormatoCodigoTest, TresCifrasComoMinimo) {
    EXPECT_EQ(FormatoCodigo(GetParam().codigo), GetParam().texto);
}

INSTANTIATE_TEST_SUITE_P(Codigos, FormatoCodigoTest,
                         ::testing::Values(CasoCodigo{0, "000"}, CasoCodigo{7, "007"}, CasoCodigo{42, "042"},
                                           CasoCodigo{999, "999"}, CasoCodigo{1000, "1000"},
                                           CasoCodigo{1234, "1234"}));

struct CasoPartir {
    const char* texto;
    QStringList items;
};

class PartirListaTest : public ::testing::TestWithParam<CasoPartir> {};

TEST_P(PartirListaTest, SeParaPorAlmohadillas) {
    QStringList lista{"lo que hubiera"};
    PartirLista(GetParam().texto, "#", lista);
    EXPECT_EQ(lista, GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(Listas, PartirListaTest,
                         ::testing::Values(CasoPartir{"3#17#", {"3", "17"}}, CasoPartir{"3#17", {"3", "17"}},
                                           CasoPartir{"3##17#", {"3"}}, CasoPartir{"", {}},
                                           CasoPartir{"#3#", {}}, CasoPartir{"12", {"12"}}));

TEST(ReemplazarCaracterTest, CambiaCadaAparicion) {
    EXPECT_EQ(ReemplazarCaracter("a\nb\n\nc", '\n', "$"), "a$b$$c");
    EXPECT_EQ(ReemplazarCaracter("a$b", '$', "\r\n"), "a\r\nb");
    EXPECT_EQ(ReemplazarCaracter("", '$', "x"), "");
}

TEST(AntesAlfabeticamenteTest, SinMirarMayusculasNiAcentos) {
    const struct {
        const char *a, *b;
        bool antes;
    } casos[] = {{"Álvarez", "Castro", true}, {"castro", "Díaz", true},    {"Ortiz", "órtiz", true},
                 {"órtiz", "Ortiz", false},   {"Zamora", "Ábalos", false}, {"Ana", "Ana", false},
                 {"Muñoz", "Navarro", true}};
    for (const auto& caso : casos)
        EXPECT_EQ(AntesAlfabeticamente(QString::fromUtf8(caso.a), QString::fromUtf8(caso.b)), caso.antes)
            << caso.a << " / " << caso.b;
}

TEST(AzarTest, LaMismaSemillaDaLaMismaSerieDentroDelLimite) {
    SembrarAzar(42);
    std::vector<int> primera;
    for (int i = 0; i < 50; ++i) primera.push_back(Azar(10));
    SembrarAzar(42);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(Azar(10), primera[i]);
    for (int v : primera) EXPECT_TRUE(v >= 0 && v < 10);
    EXPECT_EQ(Azar(0), 0);
}

}  // namespace
