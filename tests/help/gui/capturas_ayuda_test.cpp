#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "AccesoLoginDatos.h"
#include "ControlesDatos.h"
#include "DMT_AVDatosPersonales.h"
#include "DMT_AVReparar.h"
#include "DMT_EscogerCaratula.h"
#include "DMT_ModifPassword.h"
#include "DMT_Password.h"
#include "FichaPersonalDatos.h"
#include "FormActivo.h"
#include "PuestoDemo.h"
#include "VisorAyuda.h"
#include "html_MainHelp.h"

namespace {

// Pictures of the real windows for the help books, written into the books' folders of the
// source tree when AVERIAS_CAPTURAS names a folder (scripts/capturas runs it on a virtual
// display); the help window itself goes to AVERIAS_CAPTURAS.
class CapturasAyuda : public PuestoDemo {
protected:
    static QString libro(const char* carpeta) {
        const QString fuentes = qEnvironmentVariable("AVERIAS_FUENTES", carpetaFuentes());
        return fuentes + "/installation/Help/" + carpeta + "/capturas/";
    }
    static void guardar(QWidget* w, const QString& archivo) {
        QApplication::processEvents();
        QDir().mkpath(QFileInfo(archivo).absolutePath());
        EXPECT_TRUE(w->grab().save(archivo)) << archivo.toStdString();
    }
    // Saves the modal dialog that the next call opens once it shows `boton`, then presses it.
    static void capturarDialogo(const QString& archivo, const char* boton, int clave = -1) {
        auto* espera = new QTimer;
        espera->setInterval(50);
        QObject::connect(espera, &QTimer::timeout, [=] {
            QWidget* d = QApplication::activeModalWidget();
            auto* b = d ? d->findChild<QPushButton*>(boton) : nullptr;
            if (!b || !b->isVisible()) return;
            espera->stop();
            espera->deleteLater();
            if (clave >= 0) d->findChild<TDBLookupComboBox*>("DBLookupComboBoxAverias")->SetKeyValue(clave);
            guardar(d, archivo);
            b->click();
        });
        espera->start();
    }
};

TEST_F(CapturasAyuda, LasVentanasDeLosLibros) {
    if (qEnvironmentVariableIsEmpty("AVERIAS_CAPTURAS")) GTEST_SKIP();
    const QString reparacion = libro("reparacion"), gestion = libro("gestion"), acceso = libro("Acceso");

    TFDMT_Password login(AccesoLoginDatos(*datos));
    login.resize(1100, 720);
    login.show();
    guardar(&login, acceso + "entrada.png");
    login.hide();

    FichaPersonalDatos ficha(*datos, tipoUsuario);
    TFDMT_AVDatosPersonales personales(tipoUsuario, ficha);
    personales.show();
    guardar(&personales, reparacion + "datospersonales.png");
    QFile::remove(acceso + "datospersonales.png");
    QFile::copy(reparacion + "datospersonales.png", acceso + "datospersonales.png");
    personales.reject();

    TDMT_ModifPassword contrasena;
    contrasena.show();
    guardar(&contrasena, gestion + "contrasena.png");
    contrasena.reject();

    auto v = std::make_unique<TFDMT_GestAverias>(tipoUsuario);
    v->resize(1280, 860);
    v->show();
    v->findChild<QTimer*>("Timer1")->stop();
    capturarDialogo(reparacion + "deteccion.png", "BtnAceptar");
    v->Timer1Timer();
    guardar(v.get(), reparacion + "puesto.png");
    capturarDialogo(reparacion + "provocar.png", "BitBtnProvocar", 101);
    v->ItemProvocaraveriaClick();
    v->findChild<QPlainTextEdit*>("MemoObser")
        ->setPlainText("Las bujías no calientan; mido 0 V en la rampa.");
    guardar(v.get(), reparacion + "reparacion.png");
    v->ItemRepararaveriaClick();
    elegir("ListBoxBloque", "Precalentamiento");
    elegir("ListBoxCircuito", "Alimentación de las bujías de incandescencia");
    elegir("ListBoxComponente", "Fusible de cinta F5 de 60 A de las bujías");
    PanelDiagnostico()->findChild<QPlainTextEdit*>("MemoObser")->setPlainText("El fusible F5 está abierto.");
    guardar(v.get(), reparacion + "diagnostico.png");
    PanelDiagnostico()->findChild<QPushButton*>("SpeedBReparar")->click();
    capturarDialogo(reparacion + "finalizar.png", "BitBtnSi");
    v->FinalizarPractica();
    capturarDialogo(reparacion + "provocar_disfuncion.png", "BitBtnProvocar", 104);
    v->ItemProvocardisfuncionClick();
    guardar(v.get(), reparacion + "disfuncion.png");
    v->FinalizarPractica();

    QFile ini(Instalacion::ArchivoConfiguracion());
    ASSERT_TRUE(ini.open(QIODevice::Append));
    ini.write("\r\n[Caratulas]\r\n7=7,12,\r\n");
    ini.close();
    TFDMT_EscogerCaratula modelos;
    modelos.resize(640, 560);
    modelos.PrepararCaratulas(7);
    modelos.show();
    guardar(&modelos, reparacion + "caratulas.png");
}

TEST_F(CapturasAyuda, LaAyudaEnElTemaDeProvocarUnaAveria) {
    if (qEnvironmentVariableIsEmpty("AVERIAS_CAPTURAS")) GTEST_SKIP();
    // The books as they are in the sources, with the pictures just taken.
    InstalacionTemporal fuentes(qEnvironmentVariable("AVERIAS_FUENTES", carpetaFuentes()) + "/installation");
    QWidget provocar;
    provocar.setProperty("Tag", 13);
    FijarFormActivo(&provocar);
    Thtml_FMainHelp ayuda(2);
    ayuda.resize(1180, 820);
    ayuda.show();
    guardar(&ayuda, qEnvironmentVariable("AVERIAS_CAPTURAS") + "/ayuda_provocaraveria.png");
    ayuda.SeguirEnlace(QUrl("conexion.htm"), ayuda.VisorTemas);
    guardar(&ayuda, qEnvironmentVariable("AVERIAS_CAPTURAS") + "/ayuda_conexion.png");
    FijarFormActivo(nullptr);
}

}  // namespace
