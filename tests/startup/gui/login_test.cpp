#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "CarpetaTemporal.h"
#include "DMT_Password.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "Password.h"

namespace {

// A login window over a fake data module: two groups, one student "ANA001" in group 4
// and a subgroup "SUB012" in group 4; it records which window the login opened.
class LoginTest : public ::testing::Test {
protected:
    LoginTest() {
        AccesoLogin acceso;
        acceso.grupos = [] {
            return QList<AccesoLogin::Grupo>{{4, "1º Electromecánica"}, {5, "2º Electromecánica"}};
        };
        acceso.elegirGrupo = [this](int g) { grupoActual = g; };
        acceso.comprobarPassword = [this](int grupo, const QString& p) {
            comprobadas.append(p);
            if (grupo == 4 && p == "ANA001") return AccesoLogin::Resultado{true, 1};
            if (grupo == 4 && p == "SUB012") return AccesoLogin::Resultado{true, 2};
            return AccesoLogin::Resultado{};
        };
        acceso.abrirGestionAlumnado = [this] { abiertas.append("gestion"); };
        acceso.confirmarDatosPersonales = [this](int tipo) {
            abiertas.append(QString("datos%1").arg(tipo));
            return datosAceptados;
        };
        acceso.abrirPuesto = [this](int tipo) { abiertas.append(QString("puesto%1").arg(tipo)); };
        acceso.cerrarTablas = [this] { abiertas.append("cerrarTablas"); };
        ventana = std::make_unique<TFDMT_Password>(acceso);
        ventana->show();
    }

    void entrar(int indiceGrupo, const QString& password) {
        lista()->setCurrentIndex(indiceGrupo);
        campo()->setText(password);
        ventana->findChild<QPushButton*>("SelButtonAceptar")->click();
    }
    QComboBox* lista() { return ventana->findChild<QComboBox*>("DBLookupComboBoxGrupos"); }
    QLineEdit* campo() { return ventana->findChild<QLineEdit*>("TEditContrasena"); }

    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
    IdiomaTemporal idioma{carpeta.escribir(
        "idioma.lng",
        "107 Contraseña incorrecta\n197 Elija un grupo\n24000 Introducir contraseña\n24001 Grupo\n")};
    MensajesGrabados mensajes;
    int grupoActual = -1;
    bool datosAceptados = true;
    QStringList abiertas;
    QStringList comprobadas;
    std::unique_ptr<TFDMT_Password> ventana;
};

TEST_F(LoginTest, AlMostrarseListaLosGruposYPoneElFocoEnLaContrasena) {
    EXPECT_EQ(lista()->count(), 2);
    EXPECT_EQ(lista()->currentIndex(), -1);
    EXPECT_EQ(ventana->windowTitle(), "Introducir contraseña");
    EXPECT_EQ(ventana->focusWidget(), campo());
}

TEST_F(LoginTest, SinContrasenaDeProfesorElCampoVacioEntraComoProfesorConOSinGrupo) {
    entrar(-1, "");
    entrar(1, "");
    EXPECT_EQ(abiertas, (QStringList{"gestion", "gestion"}));
    EXPECT_TRUE(comprobadas.isEmpty());
}

TEST_F(LoginTest, LaContrasenaDelProfesorValeEnMayusculasOMinusculas) {
    GuardarPasswordProfesor("Taller");
    entrar(-1, "tALLER");
    EXPECT_EQ(abiertas, QStringList{"gestion"});
    EXPECT_TRUE(mensajes.mensajes().empty());
}

TEST_F(LoginTest, UnAlumnoEntraConSuContrasenaEnMayusculasYConfirmaSusDatos) {
    GuardarPasswordProfesor("Taller");
    entrar(0, "ana001");
    EXPECT_EQ(comprobadas, QStringList{"ANA001"});
    EXPECT_EQ(abiertas, (QStringList{"datos1", "puesto1"}));
    EXPECT_EQ(campo()->text(), "");
    EXPECT_EQ(lista()->currentIndex(), -1);
}

TEST_F(LoginTest, UnSubgrupoVaAlPuestoComoSubgrupo) {
    GuardarPasswordProfesor("Taller");
    entrar(0, "Sub012");
    EXPECT_EQ(abiertas, (QStringList{"datos2", "puesto2"}));
}

TEST_F(LoginTest, SiLosDatosPersonalesSeCancelanNoSeAbreElPuesto) {
    GuardarPasswordProfesor("Taller");
    datosAceptados = false;
    entrar(0, "ANA001");
    EXPECT_EQ(abiertas, QStringList{"datos1"});
    EXPECT_EQ(campo()->text(), "");
}

TEST_F(LoginTest, ContrasenaErroneaConGrupoAvisa107YLimpia) {
    GuardarPasswordProfesor("Taller");
    entrar(1, "nada");
    EXPECT_EQ(mensajes.textos(), QStringList{"Contraseña incorrecta"});
    EXPECT_EQ(campo()->text(), "");
    EXPECT_EQ(lista()->currentIndex(), -1);
    EXPECT_TRUE(abiertas.isEmpty());
}

TEST_F(LoginTest, ContrasenaErroneaSinGrupoAvisa197YNoLimpia) {
    GuardarPasswordProfesor("Taller");
    entrar(-1, "ana001");
    EXPECT_EQ(mensajes.textos(), QStringList{"Elija un grupo"});
    EXPECT_EQ(campo()->text(), "ana001");
    EXPECT_TRUE(comprobadas.isEmpty());
}

TEST_F(LoginTest, AltATeclaAceptarDesdeElCampo) {
    campo()->setText("");
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_A, Qt::AltModifier, "a");
    QCoreApplication::sendEvent(campo(), &alt);
    EXPECT_EQ(abiertas, QStringList{"gestion"});
}

TEST_F(LoginTest, CerrarLaVentanaCierraLasTablas) {
    ventana->close();
    EXPECT_EQ(abiertas, QStringList{"cerrarTablas"});
}

TEST_F(LoginTest, LosControlesSiguenEnSuSitioHastaElTamanoDeDisenoYLuegoCrecen) {
    ventana->resize(1122, 545);  // right-hand panel exactly 561 x 545
    const QRect diseno = campo()->geometry();
    ventana->resize(1000, 500);
    EXPECT_EQ(campo()->geometry(), diseno);
    ventana->resize(2244, 1090);
    EXPECT_EQ(campo()->geometry().x(), 2 * diseno.x());
    EXPECT_EQ(campo()->geometry().width(), 2 * diseno.width());
}

}  // namespace
