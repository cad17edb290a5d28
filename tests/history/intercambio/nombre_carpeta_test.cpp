#include <gtest/gtest.h>

#include "NombreCarpeta.h"

namespace {

struct Caso {
    const char* nombre;
    const char* carpeta;  // "" when refused
};

class NombreCarpeta : public ::testing::TestWithParam<Caso> {};

TEST_P(NombreCarpeta, EsUnSoloNombreQueTodoSistemaAcepta) {
    EXPECT_EQ(NombreCarpetaIntercambio(QString::fromUtf8(GetParam().nombre)),
              QString::fromUtf8(GetParam().carpeta));
}

INSTANTIATE_TEST_SUITE_P(Nombres, NombreCarpeta,
                         ::testing::Values(Caso{"2A", "2A"}, Caso{"", ""}, Caso{".", ""}, Caso{"..", ""},
                                           Caso{"../..", "..___"}, Caso{"a/b", "a_b"}, Caso{"a\\b", "a_b"},
                                           Caso{"1º: ¿qué?", "1º_ ¿qué_"}, Caso{"<x|y>*\"", "_x_y___"},
                                           Caso{"tab\there", "tab_here"}, Caso{"2A. ", "2A__"},
                                           Caso{"CON", "CON_"}, Caso{"con", "con_"},
                                           Caso{"lpt1.txt", "lpt1_.txt"}, Caso{"CONSOLA", "CONSOLA"},
                                           Caso{"Группа 1", "Группа 1"}));

}  // namespace
