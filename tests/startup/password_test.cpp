#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "Ini.h"
#include "Instalacion.h"
#include "Password.h"

namespace {

TEST(CifrarTest, DesplazaCadaByteTresPosiciones) {
    EXPECT_EQ(Cifrar(QString("abc")), "def");
    EXPECT_EQ(Descifrar(QString("def")), "abc");
    EXPECT_EQ(Cifrar(QByteArray("\xfe\xff")), QByteArray("\x01\x02"));
    EXPECT_EQ(Descifrar(QByteArray("\x01\x02")), QByteArray("\xfe\xff"));
    EXPECT_EQ(Descifrar(Cifrar(QString::fromUtf8("Año€"))), QString::fromUtf8("Año€"));
}

class PasswordProfesorTest : public ::testing::Test {
protected:
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
};

TEST_F(PasswordProfesorTest, SinClaveLaContrasenaEstaVacia) {
    EXPECT_EQ(LeerPasswordProfesor(), "");
}

TEST_F(PasswordProfesorTest, SeGuardaComoBytesDesplazadosAunqueElArchivoSeaUtf8) {
    carpeta.escribir("averias.ini", QString::fromUtf8("; Configuración\n[General]\nProfesor=x\n").toUtf8());
    ASSERT_TRUE(GuardarPasswordProfesor(QString::fromUtf8("Niño")));
    EXPECT_TRUE(carpeta.leer("averias.ini").contains(QByteArray("Profesor=Ql\xf4r")));
    EXPECT_EQ(LeerPasswordProfesor(), QString::fromUtf8("Niño"));
}

TEST_F(PasswordProfesorTest, LeeLaContrasenaDeUnArchivoEscritoEnWindows) {
    carpeta.escribir("averias.ini", "[General]\r\nProfesor=Ql\xf4r\r\n");
    EXPECT_EQ(LeerPasswordProfesor(), QString::fromUtf8("Niño"));
}

TEST_F(PasswordProfesorTest, LaContrasenaVaciaSeGuardaVacia) {
    carpeta.escribir("averias.ini", "[General]\nProfesor=def\n");
    ASSERT_TRUE(GuardarPasswordProfesor(""));
    EXPECT_EQ(LeerIni(Instalacion::ArchivoConfiguracion(), "General", "Profesor", "falta"), "");
    EXPECT_EQ(LeerPasswordProfesor(), "");
}

struct CasoGuardable {
    const char* password;
    bool guardable;
};

class GuardableTest : public ::testing::TestWithParam<CasoGuardable> {};

TEST_P(GuardableTest, SoloSiSuFormaCifradaCabeEnElArchivo) {
    EXPECT_EQ(PasswordGuardable(QString::fromUtf8(GetParam().password)), GetParam().guardable)
        << GetParam().password;
}

INSTANTIATE_TEST_SUITE_P(Casos, GuardableTest,
                         ::testing::Values(CasoGuardable{"", true}, CasoGuardable{"Profe 2024", true},
                                           CasoGuardable{"ñandú", true},
                                           CasoGuardable{"a|b", false},     // '|' + 3 is DEL
                                           CasoGuardable{"ýþ", false},      // wraps to control codes
                                           CasoGuardable{"中文", false}));  // not Windows-1252

TEST_F(PasswordProfesorTest, UnaContrasenaNoGuardableNoTocaElArchivo) {
    carpeta.escribir("averias.ini", "[General]\nProfesor=def\n");
    EXPECT_FALSE(GuardarPasswordProfesor("a|b"));
    EXPECT_EQ(LeerPasswordProfesor(), "abc");
}

}  // namespace
