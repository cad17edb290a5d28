#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "CarpetaTemporal.h"
#include "DMT_AVDatosPersonales.h"
#include "FichaPersonal.h"
#include "Idioma.h"
#include "MensajesGrabados.h"

namespace {

// A record in memory that says what the dialog did with it.
class FichaEnMemoria : public FichaPersonal {
public:
    QString nombre = "Ana", apellido1, apellido2, asignatura = "Motores", password = "AL007";
    QString subgrupo = "Equipo A";
    QStringList miembros;
    bool editando = false, guardada = false, deshecha = false, falloAlGuardar = false;

    QString Nombre() const override { return nombre; }
    QString Apellido1() const override { return apellido1; }
    QString Apellido2() const override { return apellido2; }
    QString Asignatura() const override { return asignatura; }
    void FijarNombres(const QString& n, const QString& a1, const QString& a2) override {
        nombre = n;
        apellido1 = a1;
        apellido2 = a2;
    }
    QString NombreSubgrupo() const override { return subgrupo; }
    QStringList Miembros() const override { return miembros; }
    QString Password() const override { return password; }
    void Editar() override { editando = true; }
    bool Guardar() override {
        guardada = !falloAlGuardar;
        return guardada;
    }
    void Deshacer() override { deshecha = true; }
};

class DatosPersonalesTest : public ::testing::Test {
protected:
    void abrir(int tipo) {
        dialogo = std::make_unique<TFDMT_AVDatosPersonales>(tipo, ficha);
        dialogo->show();
    }
    QLineEdit* edit(const char* n) { return dialogo->findChild<QLineEdit*>(n); }
    void aceptar() { dialogo->findChild<QPushButton*>("BitBtnAceptar")->click(); }

    CarpetaTemporal carpeta;
    IdiomaTemporal idioma{
        carpeta.escribir("idioma.lng", "117 Faltan datos\n138 Subgrupo sin alumnos\n13000 Datos\n")};
    MensajesGrabados mensajes;
    FichaEnMemoria ficha;
    std::unique_ptr<TFDMT_AVDatosPersonales> dialogo;
};

TEST_F(DatosPersonalesTest, UnAlumnoSinPrimerApellidoNoPasaHastaRellenarlo) {
    abrir(1);
    EXPECT_TRUE(ficha.editando);
    EXPECT_TRUE(dialogo->findChild<QWidget*>("PanelDatosSubgrupo")->isHidden());
    EXPECT_EQ(edit("DBEditPassword")->text(), "AL007");
    EXPECT_TRUE(edit("DBEditPassword")->isReadOnly());
    aceptar();
    EXPECT_EQ(mensajes.textos(), QStringList{"Faltan datos"});
    EXPECT_FALSE(ficha.guardada);
    edit("DBEditApellido1")->setText("García");  // the second surname may stay empty
    aceptar();
    EXPECT_TRUE(ficha.guardada);
    EXPECT_EQ(ficha.apellido1, "García");
    EXPECT_EQ(dialogo->result(), QDialog::Accepted);
}

TEST_F(DatosPersonalesTest, SalirDeshaceYCancela) {
    abrir(1);
    edit("DBEditNombre")->setText("Otro");
    dialogo->findChild<QPushButton*>("BitBtnSalir")->click();
    EXPECT_TRUE(ficha.deshecha);
    EXPECT_FALSE(ficha.guardada);
    EXPECT_EQ(dialogo->result(), QDialog::Rejected);
}

TEST_F(DatosPersonalesTest, SiElGuardadoFallaAvisaYSeQueda) {
    ficha.apellido1 = "Ruiz";
    ficha.falloAlGuardar = true;
    abrir(1);
    aceptar();
    EXPECT_EQ(mensajes.textos(), QStringList{"Faltan datos"});
    EXPECT_TRUE(dialogo->isVisible());
}

TEST_F(DatosPersonalesTest, UnSubgrupoMuestraSusMiembrosDesdeLaFilaUno) {
    ficha.miembros = {"García López ,Ana", "", "Pérez ,Luis"};
    abrir(2);
    EXPECT_TRUE(dialogo->findChild<QWidget*>("PanelDatosPersonales")->isHidden());
    EXPECT_EQ(dialogo->findChild<QLabel*>("LabelNSubgrupo")->text(), "Equipo A");
    auto* rejilla = dialogo->findChild<QTableWidget*>("StringGridAlumnos");
    ASSERT_EQ(rejilla->rowCount(), 4);
    EXPECT_EQ(rejilla->item(1, 0)->text(), "García López ,Ana");
    EXPECT_EQ(rejilla->item(2, 0)->text(), "");
    EXPECT_EQ(rejilla->item(3, 0)->text(), "Pérez ,Luis");
    aceptar();
    EXPECT_TRUE(ficha.guardada);
}

TEST_F(DatosPersonalesTest, UnSubgrupoSinAlumnosAvisa138) {
    ficha.miembros = {""};
    abrir(2);
    aceptar();
    EXPECT_EQ(mensajes.textos(), QStringList{"Subgrupo sin alumnos"});
    EXPECT_FALSE(ficha.guardada);
}

TEST_F(DatosPersonalesTest, UnSubgrupoSinContrasenaAvisa117) {
    ficha.miembros = {"Pérez ,Luis"};
    ficha.password = "";
    abrir(2);
    aceptar();
    EXPECT_EQ(mensajes.textos(), QStringList{"Faltan datos"});
}

}  // namespace
