#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>

#include "AccesoLoginDatos.h"
#include "CarpetaTemporal.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "dmCDS.h"

namespace {

// The login window over the real data module of a demo installation; the personal data
// dialog is answered at once and the workstation only recorded.
class LoginDemoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        plantilla = new CarpetaTemporal;
        QProcess p;
        p.start(carpetaProgramas() + "/averias-datos", {"demo", plantilla->ruta() + "/demo"});
        p.waitForFinished(60000);
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }
    static void TearDownTestSuite() { delete plantilla; }

    void SetUp() override {
        // Each test logs in on its own copy: a login writes the student's history.
        ASSERT_EQ(QProcess::execute("cp", {"-r", plantilla->ruta() + "/demo", carpeta.ruta() + "/demo"}), 0);
        instalacion = std::make_unique<InstalacionTemporal>(carpeta.ruta() + "/demo");
        idioma = std::make_unique<IdiomaTemporal>(Instalacion::Ruta("idioma.lng"));
        datos = std::make_unique<TdmCDS>();
        ASSERT_TRUE(datos->AbrirTablas());
        AccesoLogin acceso = AccesoLoginDatos(*datos);
        acceso.confirmarDatosPersonales = [this](int tipo) {
            abiertas.append(QString("datos%1").arg(tipo));
            return true;
        };
        acceso.abrirPuesto = [this](int tipo) { abiertas.append(QString("puesto%1").arg(tipo)); };
        acceso.abrirGestionAlumnado = [this] { abiertas.append("gestion"); };
        ventana = std::make_unique<TFDMT_Password>(acceso);
        ventana->show();
    }

    void entrar(const QString& grupo, const QString& password) {
        auto* lista = ventana->findChild<QComboBox*>("DBLookupComboBoxGrupos");
        lista->setCurrentIndex(lista->findText(grupo));
        if (lista->currentIndex() >= 0) emit lista->activated(lista->currentIndex());
        ventana->findChild<QLineEdit*>("TEditContrasena")->setText(password);
        ventana->findChild<QPushButton*>("SelButtonAceptar")->click();
    }

    static inline CarpetaTemporal* plantilla = nullptr;
    CarpetaTemporal carpeta;
    std::unique_ptr<InstalacionTemporal> instalacion;
    std::unique_ptr<IdiomaTemporal> idioma;
    MensajesGrabados mensajes;
    std::unique_ptr<TdmCDS> datos;
    std::unique_ptr<TFDMT_Password> ventana;
    QStringList abiertas;
};

TEST_F(LoginDemoTest, ElProfesorConContrasenaVaciaYUnAlumnoDelGrupoEntran) {
    entrar("", "");
    entrar("1º Electromecánica", "al001");
    EXPECT_EQ(abiertas, (QStringList{"gestion", "datos1", "puesto1"}));
    EXPECT_EQ(datos->cdsAFCodAlumno->AsInteger(), 1);
    EXPECT_TRUE(mensajes.mensajes().empty());
}

TEST_F(LoginDemoTest, ElSubgrupoEntraConSuContrasena) {
    entrar("1º Electromecánica", "sub001");
    EXPECT_EQ(abiertas, (QStringList{"datos2", "puesto2"}));
}

TEST_F(LoginDemoTest, ContrasenaErroneaDa107YSinGrupo197) {
    entrar("1º Electromecánica", "AL999");
    entrar("", "AL001");
    ASSERT_EQ(mensajes.mensajes().size(), 2u);
    EXPECT_EQ(mensajes.textos()[0], Texto(107));
    EXPECT_EQ(mensajes.textos()[1], Texto(197));
    EXPECT_TRUE(abiertas.isEmpty());
}

}  // namespace
