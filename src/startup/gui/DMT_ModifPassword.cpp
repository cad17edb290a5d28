#include "DMT_ModifPassword.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Ayuda.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Ini.h"
#include "Mensajes.h"
#include "Password.h"

namespace {

// Text shown when a new password cannot be kept in the configuration file.
constexpr int kTextoPasswordNoGuardable = 230;

}  // namespace

TDMT_ModifPassword::TDMT_ModifPassword(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DMT_ModifPassword"));
    setProperty("Tag", 7);
    AyudaConF1(this, 1);
    setWindowTitle(QStringLiteral("Cambio de contraseña"));
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Contraseña actual"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    EditOldPassword = new QLineEdit(this);
    EditOldPassword->setObjectName(QStringLiteral("EditOldPassword"));
    EditOldPassword->setEchoMode(QLineEdit::Password);
    Label2 = new QLabel(QStringLiteral("Nueva contraseña"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    EditNewPassword = new QLineEdit(this);
    EditNewPassword->setObjectName(QStringLiteral("EditNewPassword"));
    EditNewPassword->setEchoMode(QLineEdit::Password);
    ButtonAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    ButtonAceptar->setObjectName(QStringLiteral("ButtonAceptar"));
    ButtonAceptar->setDefault(true);
    ButtonCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    ButtonCancelar->setObjectName(QStringLiteral("ButtonCancelar"));
    BitBtnAyuda = new QPushButton(QStringLiteral("A&yuda"), this);
    BitBtnAyuda->setObjectName(QStringLiteral("BitBtnAyuda"));

    auto* rejilla = new QGridLayout;
    rejilla->addWidget(Label1, 0, 0);
    rejilla->addWidget(EditOldPassword, 0, 1);
    rejilla->addWidget(Label2, 1, 0);
    rejilla->addWidget(EditNewPassword, 1, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(ButtonAceptar);
    botones->addWidget(ButtonCancelar);
    botones->addWidget(BitBtnAyuda);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(rejilla);
    todo->addSpacing(8);
    todo->addLayout(botones);
    setMinimumWidth(420);

    connect(ButtonAceptar, &QPushButton::clicked, this, &TDMT_ModifPassword::ButtonAceptarClick);
    connect(ButtonCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtnAyuda, &QPushButton::clicked, this, [] { AbrirAyuda(1); });
}

void TDMT_ModifPassword::pintarEdicion(QLineEdit* edicion, bool activa) {
    edicion->setEnabled(activa);
    QPalette paleta = edicion->palette();
    paleta.setColor(QPalette::Base,
                    activa ? QApplication::palette().color(QPalette::Base) : QColor(0xE1, 0xE1, 0xE1));
    edicion->setPalette(paleta);
}

void TDMT_ModifPassword::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FijarFormActivo(this);
    setWindowTitle(TextoCatalogo(33000));
    Label2->setText(TextoCatalogo(33001));
    Label1->setText(TextoCatalogo(33002));
    ButtonAceptar->setText(TextoCatalogo(33003));
    ButtonCancelar->setText(TextoCatalogo(33004));
    BitBtnAyuda->setText(TextoCatalogo(33005));
    setWindowTitle(Texto(164));
    pintarEdicion(EditNewPassword, false);
    pintarEdicion(EditOldPassword, true);
    paso_ = 1;
    EditOldPassword->setFocus();
}

void TDMT_ModifPassword::ButtonAceptarClick() {
    switch (paso_) {
        case 1:
            aceptarActual();
            break;
        case 2:
            aceptarNueva();
            break;
        default:
            aceptarConfirmacion();
            break;
    }
}

void TDMT_ModifPassword::aceptarActual() {
    // Exact comparison: here the case of every letter counts.
    if (EditOldPassword->text() != LeerPasswordProfesor()) return;
    setWindowTitle(Texto(183));
    pintarEdicion(EditOldPassword, false);
    pintarEdicion(EditNewPassword, true);
    paso_ = 2;
    EditNewPassword->setFocus();
}

void TDMT_ModifPassword::aceptarNueva() {
    if (!PasswordGuardable(EditNewPassword->text())) {
        MostrarMensaje(Texto(kTextoPasswordNoGuardable), BotonesAceptar, 1);
        EditNewPassword->selectAll();
        return;
    }
    setWindowTitle(Texto(114));
    nueva_ = EditNewPassword->text();
    EditNewPassword->clear();
    paso_ = 3;
}

void TDMT_ModifPassword::aceptarConfirmacion() {
    if (EditNewPassword->text() != nueva_) {
        MostrarMensaje(Texto(115), BotonesAceptar, 0);
        return;
    }
    try {
        GuardarPasswordProfesor(nueva_);
    } catch (const ErrorIni& e) {
        MostrarMensaje(QString::fromStdString(e.what()), BotonesAceptar, 2);
        return;
    }
    accept();
}

bool CambiarPasswordProfesor() {
    TDMT_ModifPassword dialogo(QApplication::activeWindow());
    return dialogo.exec() == QDialog::Accepted;
}
