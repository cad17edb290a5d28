#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "CarpetaTemporal.h"
#include "DMT_ModifPassword.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "Password.h"

namespace {

class ModifPasswordTest : public ::testing::Test {
protected:
    void SetUp() override { dialogo.show(); }

    void teclear(const char* campo, const QString& texto) {
        auto* e = dialogo.findChild<QLineEdit*>(campo);
        ASSERT_NE(e, nullptr);
        e->setText(texto);
    }
    void aceptar() { dialogo.findChild<QPushButton*>("ButtonAceptar")->click(); }
    QString guardada() const { return LeerPasswordProfesor(); }

    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
    IdiomaTemporal idioma{
        carpeta.escribir("idioma.lng",
                         "114 Repita la nueva contraseña\n115 Las contraseñas no coinciden\n"
                         "164 Escriba la contraseña actual\n183 Escriba la nueva contraseña\n"
                         "230 No se puede guardar\n")};
    MensajesGrabados mensajes;
    TDMT_ModifPassword dialogo;
};

TEST_F(ModifPasswordTest, SinContrasenaLaActualVaciaPasaAlSegundoPaso) {
    EXPECT_EQ(dialogo.windowTitle(), "Escriba la contraseña actual");
    EXPECT_FALSE(dialogo.findChild<QLineEdit*>("EditNewPassword")->isEnabled());
    aceptar();
    EXPECT_EQ(dialogo.Paso(), 2);
    EXPECT_EQ(dialogo.windowTitle(), "Escriba la nueva contraseña");
    EXPECT_FALSE(dialogo.findChild<QLineEdit*>("EditOldPassword")->isEnabled());
    EXPECT_TRUE(dialogo.findChild<QLineEdit*>("EditNewPassword")->isEnabled());
}

TEST_F(ModifPasswordTest, LaActualDistingueMayusculasYNoAvisa) {
    GuardarPasswordProfesor("Clave");
    teclear("EditOldPassword", "CLAVE");
    aceptar();
    EXPECT_EQ(dialogo.Paso(), 1);
    EXPECT_TRUE(mensajes.mensajes().empty());
    teclear("EditOldPassword", "Clave");
    aceptar();
    EXPECT_EQ(dialogo.Paso(), 2);
}

TEST_F(ModifPasswordTest, TresPasosGuardanLaNueva) {
    aceptar();
    teclear("EditNewPassword", "Nueva1");
    aceptar();
    EXPECT_EQ(dialogo.Paso(), 3);
    EXPECT_EQ(dialogo.findChild<QLineEdit*>("EditNewPassword")->text(), "");
    EXPECT_EQ(dialogo.windowTitle(), "Repita la nueva contraseña");
    teclear("EditNewPassword", "Nueva2");
    aceptar();
    EXPECT_EQ(mensajes.textos(), QStringList{"Las contraseñas no coinciden"});
    EXPECT_EQ(dialogo.Paso(), 3);
    EXPECT_EQ(guardada(), "");
    teclear("EditNewPassword", "Nueva1");
    aceptar();
    EXPECT_EQ(dialogo.result(), QDialog::Accepted);
    EXPECT_EQ(guardada(), "Nueva1");
}

TEST_F(ModifPasswordTest, UnaNuevaVaciaDosVecesQuedaVacia) {
    GuardarPasswordProfesor("abc");
    teclear("EditOldPassword", "abc");
    aceptar();
    aceptar();
    aceptar();
    EXPECT_EQ(dialogo.result(), QDialog::Accepted);
    EXPECT_EQ(guardada(), "");
}

TEST_F(ModifPasswordTest, UnaNuevaQueNoSePuedeGuardarSeRechaza) {
    aceptar();
    teclear("EditNewPassword", "a|b");
    aceptar();
    EXPECT_EQ(dialogo.Paso(), 2);
    EXPECT_EQ(mensajes.textos(), QStringList{"No se puede guardar"});
}

TEST_F(ModifPasswordTest, CancelarNoEscribeNada) {
    GuardarPasswordProfesor("abc");
    teclear("EditOldPassword", "abc");
    aceptar();
    teclear("EditNewPassword", "otra");
    aceptar();
    dialogo.findChild<QPushButton*>("ButtonCancelar")->click();
    EXPECT_EQ(dialogo.result(), QDialog::Rejected);
    EXPECT_EQ(guardada(), "abc");
}

}  // namespace
