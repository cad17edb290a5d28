#include <gtest/gtest.h>

#include "LineaInforme.h"

namespace {

struct Valor {
    const char* nombre;
    QString valor;
    QString columna;
};

const Valor kValores[] = {
    {"Vacio", "", " "},
    {"Espacio", " ", " "},
    {"Acentos", "Núñez Peña, José", "Núñez Peña, José"},
    {"Almohadilla", "Fusible #3", "Fusible \\#3"},
    {"Ampersand", "R&D", "R\\&D"},
    {"Dolar", "$5", "\\$5"},
    {"Escape", "C:\\Informes", "C:\\\\Informes"},
    {"RetornoYSalto", "a\r\nb", "a&$b"},
    {"SoloSalto", "a\nb", "a$b"},
    {"TodoJunto", "\\#$&\r\n", "\\\\\\#\\$\\&&$"},
};

class ValoresDeColumna : public ::testing::TestWithParam<Valor> {};

TEST_P(ValoresDeColumna, SeEscribenYSeLeenTalCual) {
    const Valor& v = GetParam();
    EXPECT_EQ(LineaInforme::Codificar(v.valor), v.columna);
    // An empty value reads back as the blank it was written as.
    EXPECT_EQ(LineaInforme::Decodificar(v.columna), v.valor.isEmpty() ? QString(" ") : v.valor);
    const QStringList leidos = LineaInforme::Partir(LineaInforme::Componer({v.valor, "fin"}));
    EXPECT_EQ(leidos, (QStringList{v.valor.isEmpty() ? QString(" ") : v.valor, "fin"}));
}

INSTANTIATE_TEST_SUITE_P(Linea, ValoresDeColumna, ::testing::ValuesIn(kValores),
                         [](const ::testing::TestParamInfo<Valor>& i) {
                             return std::string(i.param.nombre);
                         });

struct Particion {
    const char* nombre;
    QString linea;
    QStringList columnas;
};

const Particion kParticiones[] = {
    {"CadaColumnaConSuAlmohadilla", "4#123#T5#", {"4", "123", "T5"}},
    {"BlancosEnMedio", "5#456# # #T177#", {"5", "456", " ", " ", "T177"}},
    {"DosAlmohadillasTerminanLaLinea", "a##b#", {"a"}},
    {"RestoSinAlmohadilla", "a#b", {"a", "b"}},
    {"AlmohadillaEscapada", "a\\#b#c#", {"a#b", "c"}},
    {"LineaDeFin", " ", {" "}},
    {"LineaVacia", "", {}},
    {"EscapeDeOtroCaracterSeQueda", "a\\xb#", {"a\\xb"}},
};

class PartirLinea : public ::testing::TestWithParam<Particion> {};

TEST_P(PartirLinea, DaLasColumnasHastaLaPrimeraVacia) {
    EXPECT_EQ(LineaInforme::Partir(GetParam().linea), GetParam().columnas);
}

INSTANTIATE_TEST_SUITE_P(Linea, PartirLinea, ::testing::ValuesIn(kParticiones),
                         [](const ::testing::TestParamInfo<Particion>& i) {
                             return std::string(i.param.nombre);
                         });

}  // namespace
