#include "DMT_AVFinalizar.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Ayuda.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Instalacion.h"

TFDMT_AVFinalizar::TFDMT_AVFinalizar(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FDMT_AVFinalizar"));
    setProperty("Tag", 15);
    setWindowTitle(QStringLiteral("Finalizar reparación"));
    setModal(true);
    FinalF = new QLabel(QStringLiteral("La avería va a darse por finalizada."), this);
    FinalF->setObjectName(QStringLiteral("FinalF"));
    QFont negrita = FinalF->font();
    negrita.setBold(true);
    FinalF->setFont(negrita);
    LabelTexto1 = new QLabel(QStringLiteral("¿Cree usted que la ha reparado correctamente?"), this);
    LabelTexto1->setObjectName(QStringLiteral("LabelTexto1"));
    ImageConfirmacion = new QLabel(this);
    ImageConfirmacion->setObjectName(QStringLiteral("ImageConfirmacion"));
    ImageConfirmacion->setPixmap(
        QPixmap(Instalacion::Ruta(QStringLiteral("images\\paneles\\Confirmacion.png"))));
    BitBtnCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    BitBtnCancelar->setObjectName(QStringLiteral("BitBtnCancelar"));
    BitBtnNo = new QPushButton(QStringLiteral("&No"), this);
    BitBtnNo->setObjectName(QStringLiteral("BitBtnNo"));
    BitBtnSi = new QPushButton(QStringLiteral("&Si"), this);
    BitBtnSi->setObjectName(QStringLiteral("BitBtnSi"));
    BitBtnSi->setDefault(true);

    auto* rejilla = new QGridLayout;
    rejilla->addWidget(ImageConfirmacion, 0, 0, 2, 1);
    rejilla->addWidget(FinalF, 0, 1);
    rejilla->addWidget(LabelTexto1, 1, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    for (QPushButton* b : {BitBtnSi, BitBtnNo, BitBtnCancelar}) botones->addWidget(b);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(rejilla);
    todo->addSpacing(8);
    todo->addLayout(botones);

    connect(BitBtnSi, &QPushButton::clicked, this, [this] { done(6); });
    connect(BitBtnNo, &QPushButton::clicked, this, [this] { done(7); });
    connect(BitBtnCancelar, &QPushButton::clicked, this, [this] { done(2); });
}

void TFDMT_AVFinalizar::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FijarFormActivo(this);
    setWindowTitle(TextoCatalogo(16000));
    FinalF->setText(TextoCatalogo(16001));
    LabelTexto1->setText(TextoCatalogo(16002));
    BitBtnCancelar->setText(TextoCatalogo(16003));
    BitBtnNo->setText(TextoCatalogo(16004));
    BitBtnSi->setText(TextoCatalogo(16005));
}

void TFDMT_AVFinalizar::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_F1) {
        AbrirAyuda(2);
        return;
    }
    QDialog::keyPressEvent(evento);
}

int FinalizarDialogo(QWidget* parent) {
    TFDMT_AVFinalizar dialogo(parent);
    return dialogo.exec();
}
