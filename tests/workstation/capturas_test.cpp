#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <tuple>

#include "ControlesDatos.h"
#include "DMT_AVReparar.h"
#include "DMT_Msg.h"
#include "PuestoDemo.h"

namespace {

// Pictures of the workstation through a whole practice, for a person to look at: written
// only when AVERIAS_CAPTURAS names a folder (scripts/capturas runs it on a virtual display).
class Capturas : public PuestoDemo {
protected:
    // The workstation at a size, its trainer found.
    std::unique_ptr<TFDMT_GestAverias> puesto(int ancho, int alto) {
        auto v = std::make_unique<TFDMT_GestAverias>(tipoUsuario);
        v->resize(ancho, alto);
        v->show();
        v->findChild<QTimer*>("Timer1")->stop();
        pulsarCuandoSeVea("BtnAceptar");
        v->Timer1Timer();
        return v;
    }
};

void guardar(QWidget* w, const char* nombre) {
    QApplication::processEvents();
    w->grab().save(qEnvironmentVariable("AVERIAS_CAPTURAS") + "/" + nombre + ".png");
}

void capturarDialogo(const char* nombre, const char* boton, int clave = -1) {
    QTimer::singleShot(300, [=] {
        QWidget* d = QApplication::activeModalWidget();
        if (clave >= 0) d->findChild<TDBLookupComboBox*>("DBLookupComboBoxAverias")->SetKeyValue(clave);
        guardar(d, nombre);
        d->findChild<QPushButton*>(boton)->click();
    });
}

TEST_F(Capturas, UnaPracticaEntera) {
    if (qEnvironmentVariableIsEmpty("AVERIAS_CAPTURAS")) GTEST_SKIP();
    auto v = puesto(1280, 860);
    guardar(v.get(), "1_puesto");
    capturarDialogo("2_provocar", "BitBtnProvocar", 101);
    v->ItemProvocaraveriaClick();
    v->findChild<QPlainTextEdit*>("MemoObser")
        ->setPlainText("Las bujías no calientan; mido 0 V en la rampa.");
    guardar(v.get(), "3_reparacion");
    v->ItemRepararaveriaClick();
    elegir("ListBoxBloque", "Precalentamiento");
    elegir("ListBoxCircuito", "Alimentación de las bujías de incandescencia");
    elegir("ListBoxComponente", "Fusible de cinta F5 de 60 A de las bujías");
    PanelDiagnostico()->findChild<QPlainTextEdit*>("MemoObser")->setPlainText("El fusible F5 está abierto.");
    guardar(v.get(), "4_diagnostico");
    PanelDiagnostico()->findChild<QPushButton*>("SpeedBReparar")->click();
    guardar(v.get(), "5_tras_intento");
    v->ItemPausaReanudaraveriaClick();
    guardar(v.get(), "6_pausa");
    v->ItemPausaReanudaraveriaClick();
    capturarDialogo("7_finalizar", "BitBtnSi");
    v->FinalizarPractica();
    guardar(v.get(), "8_libre");
    capturarDialogo("9_provocar_disfuncion", "BitBtnProvocar", 104);
    v->ItemProvocardisfuncionClick();
    guardar(v.get(), "10_disfuncion");
    v->FinalizarPractica();
}

TEST_F(Capturas, UnaVentanaDe1024ConVariosIntentos) {
    if (qEnvironmentVariableIsEmpty("AVERIAS_CAPTURAS")) GTEST_SKIP();
    auto v = puesto(1024, 720);
    capturarDialogo("11_provocar_1024", "BitBtnProvocar", 101);
    v->ItemProvocaraveriaClick();
    for (int intento = 0; intento < 3; ++intento) {
        v->ItemRepararaveriaClick();
        elegir("ListBoxBloque", "Precalentamiento");
        elegir("ListBoxCircuito", "Alimentación de las bujías de incandescencia");
        elegir("ListBoxComponente", "Batería de 12 V (borne 30)");
        if (intento == 0) guardar(v.get(), "12_diagnostico_1024");
        PanelDiagnostico()->findChild<QPushButton*>("SpeedBReparar")->click();
    }
    guardar(v.get(), "13_tras_tres_intentos_1024");
    capturarDialogo("14_finalizar_1024", "BitBtnNo");
    v->FinalizarPractica();
}

TEST_F(Capturas, LosVeredictos) {
    if (qEnvironmentVariableIsEmpty("AVERIAS_CAPTURAS")) GTEST_SKIP();
    for (auto [texto, dibujo, nombre] : {std::tuple{157, DibujoExito, "15_veredicto_correcto"},
                                         std::tuple{175, DibujoError, "16_veredicto_incorrecto"}}) {
        TFormMsg ventana;
        ventana.Preparar(Texto(texto), BotonesAceptar, dibujo, -1, -1);
        ventana.show();
        guardar(&ventana, nombre);
    }
}

}  // namespace
