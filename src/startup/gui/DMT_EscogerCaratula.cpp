#include "DMT_EscogerCaratula.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "Colores.h"
#include "Configuracion.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "Mensajes.h"

namespace {

QToolButton* botonNavegar(QWidget* padre, const char* nombre, QStyle::StandardPixmap icono) {
    auto* b = new QToolButton(padre);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setIcon(padre->style()->standardIcon(icono));
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true);
    return b;
}

}  // namespace

TFDMT_EscogerCaratula::TFDMT_EscogerCaratula(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FDMT_EscogerCaratula"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    setWindowTitle(QStringLiteral("Modelos del bloque"));
    resize(640, 520);

    LTitulo = new QLabel(QStringLiteral("   Escoger carátula"), this);
    LTitulo->setObjectName(QStringLiteral("LTitulo"));
    QFont letra = LTitulo->font();
    letra.setBold(true);
    letra.setPointSizeF(letra.pointSizeF() * 1.3);
    LTitulo->setFont(letra);
    LTitulo->setMinimumHeight(36);

    WB = new QTextBrowser(this);
    WB->setObjectName(QStringLiteral("WB"));
    WB->setOpenLinks(false);

    SBfirst = botonNavegar(this, "SBfirst", QStyle::SP_MediaSkipBackward);
    SBback = botonNavegar(this, "SBback", QStyle::SP_MediaSeekBackward);
    SBnext = botonNavegar(this, "SBnext", QStyle::SP_MediaSeekForward);
    SBLast = botonNavegar(this, "SBLast", QStyle::SP_MediaSkipForward);
    BtnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    BtnAceptar->setObjectName(QStringLiteral("BtnAceptar"));
    BtnAceptar->setDefault(true);
    BtnCancel = new QPushButton(this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));

    auto* pie = new QHBoxLayout;
    for (QToolButton* b : {SBfirst, SBback, SBnext, SBLast}) pie->addWidget(b);
    pie->addStretch();
    pie->addWidget(BtnAceptar);
    pie->addWidget(BtnCancel);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(0, 0, 0, 8);
    todo->addWidget(LTitulo);
    todo->addWidget(WB, 1);
    auto* margen = new QHBoxLayout;
    margen->setContentsMargins(8, 0, 8, 0);
    margen->addLayout(pie);
    todo->addLayout(margen);

    connect(SBfirst, &QToolButton::clicked, this, [this] { irA(0); });
    connect(SBLast, &QToolButton::clicked, this, [this] { irA(static_cast<int>(candidatos_.size()) - 1); });
    connect(SBback, &QToolButton::clicked, this, [this] {
        if (posicion_ > 0) irA(posicion_ - 1);
    });
    connect(SBnext, &QToolButton::clicked, this, [this] {
        if (posicion_ < candidatos_.size() - 1) irA(posicion_ + 1);
    });
    connect(BtnAceptar, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFDMT_EscogerCaratula::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FijarFormActivo(this);
    BtnAceptar->setText(TextoCatalogo(37000));
    BtnCancel->setText(TextoCatalogo(37001));
    LTitulo->setText(TextoCatalogo(37002));
    SBback->setToolTip(TextoCatalogo(37003));
    SBfirst->setToolTip(TextoCatalogo(37004));
    SBLast->setToolTip(TextoCatalogo(37005));
    SBnext->setToolTip(TextoCatalogo(37006));
    setWindowTitle(TextoCatalogo(37008));
    PintarFondo(LTitulo, ColorAcento());
}

void TFDMT_EscogerCaratula::PrepararCaratulas(int numeroDetectado) {
    numeroDetectado_ = numeroDetectado;
    if (numeroDetectado == 0) return;
    LeerListaCaratulas(numeroDetectado, candidatos_);
    if (candidatos_.isEmpty()) return;
    irA(0);
}

void TFDMT_EscogerCaratula::irA(int posicion) {
    if (posicion < 0 || posicion >= candidatos_.size()) return;
    posicion_ = posicion;
    bool ok = false;
    const int codigo = candidatos_[posicion].trimmed().toInt(&ok);
    MostrarCaratula(ok ? codigo : -1);
}

void TFDMT_EscogerCaratula::MostrarCaratula(int codigo) {
    if (candidatos_.isEmpty()) return;
    codigoMostrado_ = codigo;
    if (codigo == -1) return;
    const QString pagina =
        Instalacion::Ruta(QStringLiteral("caratulas\\") + QString::number(codigo) + QStringLiteral(".htm"));
    if (!QFile::exists(pagina)) {
        MostrarMensaje(Texto(37007), BotonesAceptar, 1);
        return;
    }
    WB->setSearchPaths({QFileInfo(pagina).absolutePath()});
    WB->setSource(QUrl::fromLocalFile(pagina));
}

int ElegirCaratula(int numeroDetectado) {
    TFDMT_EscogerCaratula ventana(QApplication::activeWindow());
    ventana.PrepararCaratulas(numeroDetectado);
    return ventana.exec() == QDialog::Accepted ? ventana.CodigoMostrado() : numeroDetectado;
}
