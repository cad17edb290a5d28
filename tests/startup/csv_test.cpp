#include <gtest/gtest.h>

#include "Csv.h"

namespace {

TEST(CsvTest, ComillasComasYSaltosDentroDeUnValor) {
    const TablaCsv t = LeerCsv("a,b,c\r\n1,\"x, y\",\"dijo \"\"hola\"\"\"\r\n2,\"dos\r\nlineas\",\r\n");
    EXPECT_EQ(t.columnas, (QStringList{"a", "b", "c"}));
    ASSERT_EQ(t.filas.size(), 2u);
    EXPECT_EQ(t.filas[0], (QStringList{"1", "x, y", "dijo \"hola\""}));
    EXPECT_EQ(t.filas[1], (QStringList{"2", "dos\r\nlineas", ""}));
}

TEST(CsvTest, MarcaDeOrdenFinalesLFYLineasEnBlanco) {
    const TablaCsv t = LeerCsv(
        "\xEF\xBB\xBF"
        "Cod,Nombre\n\n7,Motor diésel\n8,Último");
    EXPECT_EQ(t.Columna("cod"), 0);
    EXPECT_EQ(t.Columna("Nombre"), 1);
    EXPECT_EQ(t.Columna("Otro"), -1);
    ASSERT_EQ(t.filas.size(), 2u);
    EXPECT_EQ(t.filas[0][1], QString::fromUtf8("Motor diésel"));
    EXPECT_EQ(t.filas[1][1], QString::fromUtf8("Último"));
}

TEST(CsvTest, UnArchivoDeExcelEnWindows1252) {
    const TablaCsv t = LeerCsv(
        "Nombre\r\nBuj\xed"
        "a\r\n");
    EXPECT_EQ(t.filas.at(0).at(0), QString::fromUtf8("Bujía"));
}

TEST(CsvTest, UnaComillaSinCerrarEsUnError) {
    EXPECT_THROW(LeerCsv("a\n\"abierta\n"), std::runtime_error);
}

}  // namespace
