#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "Ini.h"

namespace {

class IniTest : public ::testing::Test {
protected:
    QString ini() const { return carpeta.archivo("prueba.ini"); }
    CarpetaTemporal carpeta;
};

TEST_F(IniTest, SeccionesYClavesSinDistinguirMayusculas) {
    carpeta.escribir("prueba.ini",
                     "; comentario\r\n[General]\r\n  Profesor = abc \r\n[Otra]\r\nProfesor=x\r\n");
    EXPECT_EQ(LeerIni(ini(), "GENERAL", "profesor"), "abc");
    EXPECT_EQ(LeerIni(ini(), "otra", "PROFESOR"), "x");
    EXPECT_EQ(LeerIni(ini(), "General", "Falta", "defecto"), "defecto");
    EXPECT_EQ(LeerIni(ini(), "Falta", "Profesor", "defecto"), "defecto");
}

TEST_F(IniTest, ArchivoAusenteDaElValorPorDefecto) {
    EXPECT_EQ(LeerIni(ini(), "General", "Profesor", "d"), "d");
}

TEST_F(IniTest, EscribirUnaClaveDejaLasDemasLineasIgualesByteAByte) {
    const QByteArray antes =
        "; hecho a mano\r\n[Opciones]\r\nTipoDumet=AULA\r\n\r\n[General]\r\nprofesor=old\r\nOtro=\xe9\r\n";
    carpeta.escribir("prueba.ini", antes);
    EscribirIni(ini(), "GENERAL", "Profesor", "nuevo");
    QByteArray esperado = antes;
    esperado.replace("profesor=old", "profesor=nuevo");
    EXPECT_EQ(carpeta.leer("prueba.ini"), esperado);
}

TEST_F(IniTest, ClaveNuevaEnSeccionExistenteYSeccionNueva) {
    carpeta.escribir("prueba.ini", "[Opciones]\nA=1\n\n[Colores]\nB=2\n");
    EscribirIni(ini(), "opciones", "Nueva", "3");
    EscribirIni(ini(), "General", "Profesor", "x");
    EXPECT_EQ(carpeta.leer("prueba.ini"),
              QByteArray("[Opciones]\nA=1\nNueva=3\n\n[Colores]\nB=2\n[General]\nProfesor=x\n"));
    EXPECT_EQ(LeerIni(ini(), "OPCIONES", "nueva"), "3");
}

TEST_F(IniTest, EscribirCreaElArchivo) {
    EscribirIni(ini(), "General", "Profesor", "x");
    EXPECT_EQ(LeerIni(ini(), "General", "Profesor"), "x");
}

TEST_F(IniTest, UnArchivoDeWindowsConservaSuCodificacion) {
    // A Windows-1252 file keeps single-byte text when a key with accents is written.
    carpeta.escribir("prueba.ini", "[General]\r\nNombre=Jos\xe9\r\n");
    EXPECT_EQ(LeerIni(ini(), "General", "Nombre"), QString::fromUtf8("José"));
    EscribirIni(ini(), "General", "Otro", QString::fromUtf8("Íñigo"));
    EXPECT_EQ(carpeta.leer("prueba.ini"), QByteArray("[General]\r\nNombre=Jos\xe9\r\nOtro=\xcd\xf1igo\r\n"));
}

TEST_F(IniTest, UnArchivoUtf8SeLeeYSeEscribeEnUtf8) {
    carpeta.escribir("prueba.ini", QString::fromUtf8("[General]\nNombre=José\n").toUtf8());
    EXPECT_EQ(LeerIni(ini(), "General", "Nombre"), QString::fromUtf8("José"));
    EscribirIni(ini(), "General", "Otro", QString::fromUtf8("Ñu"));
    EXPECT_EQ(LeerIni(ini(), "General", "Otro"), QString::fromUtf8("Ñu"));
    EXPECT_TRUE(carpeta.leer("prueba.ini").contains(QString::fromUtf8("Otro=Ñu").toUtf8()));
}

// The scrambled teacher password is stored as bytes that are no UTF-8. A file saved with a
// byte-order mark (as Windows' Notepad saves UTF-8), or two such files put together, keep
// their sections and accents after it.
TEST_F(IniTest, LaMarcaDeOrdenDeBytesNoConfundeTrasUnaClaveEnBytes) {
    const QByteArray contenidos[] = {
        "\xEF\xBB\xBF[Averias]\r\nNombre=Jos\xC3\xA9\r\n[Puertos]\r\nCOM1=/dev/ttyS0\r\n",
        "[Puertos]\r\nCOM1=/dev/ttyS0\r\n\xEF\xBB\xBF[Averias]\r\nNombre=Jos\xC3\xA9\r\n",
    };
    for (const QByteArray& contenido : contenidos) {
        carpeta.escribir("prueba.ini", contenido);
        const QByteArray clave("\x01\x8F\xFE", 3);
        EscribirIniBytes(ini(), "Averias", "Password", clave);
        EXPECT_EQ(LeerIniBytes(ini(), "Averias", "Password"), clave) << contenido.toStdString();
        EXPECT_EQ(LeerIni(ini(), "Averias", "Nombre"), QString::fromUtf8("José")) << contenido.toStdString();
        EXPECT_EQ(LeerIni(ini(), "Puertos", "COM1"), "/dev/ttyS0") << contenido.toStdString();
        EXPECT_EQ(carpeta.leer("prueba.ini").count("[Averias]"), 1) << "no second section";
    }
}

TEST_F(IniTest, EscribirEnUnaCarpetaInexistenteFallaConError) {
    EXPECT_THROW(EscribirIni(carpeta.archivo("no/existe/prueba.ini"), "A", "B", "C"), ErrorIni);
}

}  // namespace
