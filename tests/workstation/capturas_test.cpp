#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "ControlesDatos.h"
#include "DMT_AVReparar.h"
#include "PuestoDemo.h"

namespace {

// Pictures of the workstation through a whole practice, for a person to look at: written
// only when AVERIAS_CAPTURAS names a folder (scripts/capturas runs it on a virtual display).
class Capturas : public PuestoDemo {};

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
    auto v = std::make_unique<TFDMT_GestAverias>(tipoUsuario);
    v->resize(1280, 860);
    v->show();
    v->findChild<QTimer*>("Timer1")->stop();
    pulsarCuandoSeVea("BtnAceptar");
    v->Timer1Timer();
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

}  // namespace
