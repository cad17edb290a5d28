#include "FMsg.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QPointer<TForm_MsgEstado>& ventana() {
    static QPointer<TForm_MsgEstado> v;
    return v;
}

bool& cursorDeEspera() {
    static bool puesto = false;
    return puesto;
}

}  // namespace

TForm_MsgEstado::TForm_MsgEstado(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_MsgEstado"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(320, 90);
    auto* marco = new QFrame(this);
    marco->setObjectName(QStringLiteral("Shape1"));
    marco->setFrameShape(QFrame::Box);
    marco->setLineWidth(2);
    auto* disposicion = new QVBoxLayout(this);
    disposicion->setContentsMargins(0, 0, 0, 0);
    disposicion->addWidget(marco);
    auto* interior = new QVBoxLayout(marco);
    LMsg = new QLabel(QStringLiteral("Cargando"), marco);
    LMsg->setObjectName(QStringLiteral("LMsg"));
    LMsg->setAlignment(Qt::AlignCenter);
    LMsg->setWordWrap(true);
    QFont letra = LMsg->font();
    letra.setPointSizeF(letra.pointSizeF() * 1.3);
    letra.setBold(true);
    LMsg->setFont(letra);
    interior->addWidget(LMsg);
    if (QScreen* pantalla = QGuiApplication::primaryScreen())
        move(pantalla->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void TForm_MsgEstado::setTexto(const QString& texto) {
    LMsg->setText(texto);
}

QString TForm_MsgEstado::texto() const {
    return LMsg->text();
}

void MostrarEstadoVentana(const QString& texto) {
    if (!ventana()) ventana() = new TForm_MsgEstado();
    ventana()->setTexto(texto);
    ventana()->show();
    ventana()->raise();
    if (!cursorDeEspera()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorDeEspera() = true;
    }
    // Paint now: the caller is about to block the event loop with its long work.
    ventana()->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void OcultarEstadoVentana() {
    delete ventana().data();
    if (cursorDeEspera()) {
        QApplication::restoreOverrideCursor();
        cursorDeEspera() = false;
    }
}

TForm_MsgEstado* VentanaEstado() {
    return ventana().data();
}
