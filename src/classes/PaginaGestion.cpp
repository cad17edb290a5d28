#include "PaginaGestion.h"

#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include "Colores.h"
#include "ControlesDatos.h"
#include "DMT_GestAlumnado.h"
#include "Instalacion.h"
#include "RotulosPanel.h"
#include "dmCDS.h"

TPaginaGestion::TPaginaGestion(TFDMT_GestAlumnado* gestion, const char* nombre, int tag, QWidget* parent)
    : QWidget(parent), gestion_(gestion) {
    setObjectName(QString::fromLatin1(nombre));
    setProperty("Tag", tag);
}

void TPaginaGestion::hideEvent(QHideEvent* evento) {
    QWidget::hideEvent(evento);
    FormHide();
}

QLabel* TPaginaGestion::Titulo(const char* nombre, const QString& texto) {
    QLabel* titulo = Etiqueta(this, nombre, texto);
    FuenteTitulo(titulo);
    return titulo;
}

QWidget* TPaginaGestion::Linea(const char* nombre) {
    auto* linea = new QFrame(this);
    linea->setObjectName(QString::fromLatin1(nombre));
    linea->setFixedHeight(3);
    linea->setFrameShape(QFrame::NoFrame);
    return linea;
}

QPushButton* TPaginaGestion::Boton(const char* nombre, const QString& texto, const char* glifo) {
    auto* boton = new QPushButton(Glifo(glifo), texto, this);
    boton->setObjectName(QString::fromLatin1(nombre));
    boton->setIconSize(QSize(20, 20));
    boton->setMinimumHeight(32);
    return boton;
}

void TPaginaGestion::Disponer(QLabel* titulo, QWidget* linea, QWidget* encabezado, QLayout* contenido,
                              QPushButton* aceptar, QPushButton* cancelar, bool contenidoCrece) {
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(24, 18, 24, 18);
    todo->addWidget(titulo);
    todo->addWidget(linea);
    todo->addSpacing(6);
    todo->addWidget(encabezado);
    todo->addSpacing(12);
    todo->addLayout(contenido, contenidoCrece ? 1 : 0);
    if (!contenidoCrece) todo->addStretch();
    todo->addSpacing(10);
    todo->addLayout(botones);
}

void TPaginaGestion::PintarCampo(QWidget* campo, const QColor& color) {
    QPalette paleta = campo->palette();
    paleta.setColor(QPalette::Base, color);
    paleta.setColor(QPalette::Window, color);
    campo->setPalette(paleta);
}

void TPaginaGestion::PintarAspecto(const QList<QWidget*>& editables, const QList<QWidget*>& soloLectura,
                                   bool vacio) {
    for (QWidget* campo : editables) {
        PintarCampo(campo, vacio ? GrisVacio() : QColor(Qt::white));
        campo->setEnabled(!vacio);
    }
    // Shown, never typed in: enabled, so that they read as easily as the rest.
    for (QWidget* campo : soloLectura) {
        PintarCampo(campo, vacio ? GrisVacio() : palette().color(QPalette::Button));
        campo->setEnabled(true);
    }
}

TDBEdit* TPaginaGestion::CampoDatos(const char* nombre, TDataSource* fuente, const QString& campo,
                                    bool TFDMT_GestAlumnado::*bandera) {
    auto* edicion = new TDBEdit(this);
    edicion->setObjectName(QString::fromLatin1(nombre));
    edicion->SetDataSource(fuente, campo);
    connect(edicion, &QLineEdit::textEdited, this, [this, bandera] {
        if (gestion_->*bandera) dmCDS->Modificado = true;
    });
    return edicion;
}

TDBEdit* TPaginaGestion::CampoMostrado(const char* nombre, TDataSource* fuente, const QString& campo) {
    auto* edicion = new TDBEdit(this);
    edicion->setObjectName(QString::fromLatin1(nombre));
    edicion->SetDataSource(fuente, campo);
    edicion->setReadOnly(true);
    return edicion;
}

TDBMemo* TPaginaGestion::MemoDatos(const char* nombre, TDataSource* fuente, const QString& campo,
                                   bool TFDMT_GestAlumnado::*bandera) {
    auto* memo = new TDBMemo(this);
    memo->setObjectName(QString::fromLatin1(nombre));
    memo->SetDataSource(fuente, campo);
    memo->setMinimumHeight(90);
    connect(memo, &TDBMemo::Editado, this, [this, bandera] {
        if (gestion_->*bandera) dmCDS->Modificado = true;
    });
    return memo;
}

QPushButton* TPaginaGestion::BotonContrasenas() {
    QPushButton* boton = Boton("SpeedButtonImpPassword", QStringLiteral("Contraseñas"), "Imprimir");
    boton->setToolTip(QStringLiteral("Imprimir contraseñas"));
    connect(boton, &QPushButton::clicked, this, &TPaginaGestion::ImprimirHojaContrasenas);
    return boton;
}

QLayout* TPaginaGestion::DisponerFicha(const Ficha& ficha) {
    auto* acciones = new QHBoxLayout;
    for (QPushButton* b : ficha.acciones) acciones->addWidget(b);
    acciones->addStretch();

    auto* campos = new QGridLayout;
    campos->setHorizontalSpacing(14);
    campos->setVerticalSpacing(10);
    int fila = 0;
    for (const auto& [etiqueta, edicion] : ficha.campos) {
        campos->addWidget(etiqueta, fila, 0);
        campos->addWidget(edicion, fila, 1, 1, 2);
        ++fila;
    }
    campos->addWidget(ficha.etiquetaPassword, fila, 0);
    campos->addWidget(ficha.password, fila, 1);
    campos->addWidget(ficha.imprimir, fila, 2);
    ++fila;
    campos->addWidget(ficha.etiquetaObservaciones, fila, 0, Qt::AlignTop);
    campos->addWidget(ficha.observaciones, fila, 1, 1, 2);
    campos->setColumnStretch(1, 1);
    campos->setRowStretch(fila, 1);

    auto* datos = new QVBoxLayout;
    if (ficha.subtitulo) datos->addWidget(ficha.subtitulo);
    datos->addLayout(campos, 1);
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(ficha.lista, 1);
    derecha->addWidget(ficha.historico);
    auto* columnas = new QHBoxLayout;
    columnas->addLayout(datos, 3);
    columnas->addSpacing(24);
    columnas->addLayout(derecha, 2);
    auto* contenido = new QVBoxLayout;
    contenido->addLayout(acciones);
    contenido->addSpacing(14);
    contenido->addLayout(columnas, 1);
    return contenido;
}

void TPaginaGestion::HabilitarConAccion(QPushButton* boton, bool habilitado, bool hayAccion) {
    boton->setEnabled(habilitado && hayAccion);
}

void TPaginaGestion::ImprimirHojaContrasenas() {
    if (!TFDMT_GestAlumnado::ImprimirContrasenas) return;
    const bool modificado = dmCDS->Modificado;
    TFDMT_GestAlumnado::ImprimirContrasenas(this);
    dmCDS->Modificado = modificado;
}

void TPaginaGestion::PintarTituloYLinea(QLabel* titulo, QWidget* linea) {
    PintarTitulo(titulo);
    PintarFondo(linea, ColorAcento());
}

QIcon Glifo(const char* nombre) {
    const QString base = Instalacion::Ruta(QStringLiteral("images\\botones\\") + QString::fromLatin1(nombre));
    QIcon icono;
    if (QFile::exists(base + QStringLiteral(".png")))
        icono.addFile(base + QStringLiteral(".png"), QSize(20, 20));
    if (QFile::exists(base + QStringLiteral("@2x.png")))
        icono.addFile(base + QStringLiteral("@2x.png"), QSize(40, 40));
    return icono;
}
