#include "VistaPreviaInforme.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "Ayuda.h"
#include "DibujoInforme.h"
#include "FormActivo.h"
#include "HojasInforme.h"
#include "Idioma.h"
#include "ImpresionInforme.h"
#include "Instalacion.h"
#include "Mensajes.h"

namespace {

// Entries of the zoom box after the two fits: percentages.
const QList<int> kPorcentajes = {25, 50, 75, 100, 125, 150, 200, 300, 400};
constexpr int kAjustes = 2;

QToolButton* Boton(QWidget* padre, const QString& nombre, const QString& icono, QList<QToolButton*>& lista) {
    auto* b = new QToolButton(padre);
    b->setObjectName(nombre);
    if (!icono.isEmpty()) b->setIcon(QIcon(Instalacion::Ruta("images\\botones\\" + icono + ".png")));
    b->setIconSize(QSize(20, 20));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    lista << b;
    return b;
}

}  // namespace

VistaPreviaInforme::VistaPreviaInforme(const informes::InformePreparado& informe, int libroAyuda,
                                       QWidget* padre)
    : QDialog(padre), informe_(informe), libroAyuda_(libroAyuda) {
    setObjectName("VistaPreviaInforme");
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    CrearControles();
    PonerTextos();
    const QRect pantalla = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 900);
    resize(std::min(1000, pantalla.width() - 40), std::min(1000, pantalla.height() - 60));
}

void VistaPreviaInforme::CrearControles() {
    auto* barra = new QHBoxLayout;
    barra->setContentsMargins(6, 4, 6, 4);
    barra->setSpacing(2);

    zoom_ = new QComboBox(this);
    zoom_->setObjectName("ComboZoom");
    zoom_->addItems({QString(), QString()});
    for (int p : kPorcentajes) zoom_->addItem(QString("%1 %").arg(p));
    zoom_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* alejar = Boton(this, "BtnAlejar", {}, botones_);
    alejar->setText("−");
    auto* acercar = Boton(this, "BtnAcercar", {}, botones_);
    acercar->setText("+");
    auto* primera = Boton(this, "BtnPrimera", "Primero", botones_);
    auto* anterior = Boton(this, "BtnAnterior", "Anterior", botones_);
    pagina_ = new QSpinBox(this);
    pagina_->setObjectName("SpinPagina");
    pagina_->setRange(1, std::max(1, informe_.Paginas()));
    pagina_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    pagina_->setAlignment(Qt::AlignRight);
    pagina_->setKeyboardTracking(false);
    dePaginas_ = new QLabel(this);
    dePaginas_->setObjectName("LabelPaginas");
    auto* siguiente = Boton(this, "BtnSiguiente", "Siguiente", botones_);
    auto* ultima = Boton(this, "BtnUltima", "Ultimo", botones_);
    buscar_ = new QLineEdit(this);
    buscar_->setObjectName("EditBuscar");
    buscar_->setClearButtonEnabled(true);
    buscar_->setMinimumWidth(180);
    auto* buscar = Boton(this, "BtnBuscar", "VistaPrevia", botones_);
    auto* imprimir = Boton(this, "BtnImprimir", "Imprimir", botones_);
    auto* pdf = Boton(this, "BtnPdf", "Exportar", botones_);
    auto* ayuda = Boton(this, "BtnAyuda", "Ayuda", botones_);
    auto* salir = Boton(this, "BtnSalir", "Salir", botones_);
    for (QToolButton* b : {imprimir, pdf, ayuda, salir}) b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    auto separador = [&] { barra->addSpacing(14); };
    barra->addWidget(zoom_);
    barra->addWidget(alejar);
    barra->addWidget(acercar);
    separador();
    barra->addWidget(primera);
    barra->addWidget(anterior);
    barra->addWidget(pagina_);
    barra->addWidget(dePaginas_);
    barra->addWidget(siguiente);
    barra->addWidget(ultima);
    separador();
    barra->addWidget(buscar_);
    barra->addWidget(buscar);
    barra->addStretch();
    barra->addWidget(imprimir);
    barra->addWidget(pdf);
    barra->addWidget(ayuda);
    barra->addWidget(salir);

    hojas_ = new HojasInforme(informe_, this);
    estado_ = new QLabel(this);
    estado_->setObjectName("LabelEstado");
    estado_->setContentsMargins(8, 2, 8, 2);

    auto* columna = new QVBoxLayout(this);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->setSpacing(0);
    columna->addLayout(barra);
    columna->addWidget(hojas_, 1);
    columna->addWidget(estado_);

    connect(zoom_, &QComboBox::activated, this, &VistaPreviaInforme::ElegirZoom);
    connect(acercar, &QToolButton::clicked, hojas_, &HojasInforme::Acercar);
    connect(alejar, &QToolButton::clicked, hojas_, &HojasInforme::Alejar);
    connect(primera, &QToolButton::clicked, this, &VistaPreviaInforme::Primera);
    connect(anterior, &QToolButton::clicked, this, &VistaPreviaInforme::Anterior);
    connect(siguiente, &QToolButton::clicked, this, &VistaPreviaInforme::Siguiente);
    connect(ultima, &QToolButton::clicked, this, &VistaPreviaInforme::Ultima);
    connect(pagina_, &QSpinBox::valueChanged, this, [this](int n) {
        if (n - 1 != hojas_->PaginaActual()) hojas_->IrAPagina(n - 1);
    });
    connect(buscar, &QToolButton::clicked, this, [this] { BuscarSiguiente(buscar_->text()); });
    connect(buscar_, &QLineEdit::returnPressed, this, [this] { BuscarSiguiente(buscar_->text()); });
    connect(imprimir, &QToolButton::clicked, this, &VistaPreviaInforme::Imprimir);
    connect(pdf, &QToolButton::clicked, this, &VistaPreviaInforme::GuardarComoPdf);
    connect(ayuda, &QToolButton::clicked, this, [this] { AbrirAyuda(libroAyuda_); });
    connect(salir, &QToolButton::clicked, this, &QDialog::accept);
    connect(hojas_, &HojasInforme::PaginaCambiada, this, &VistaPreviaInforme::ActualizarPagina);
    connect(hojas_, &HojasInforme::ZoomCambiado, this, &VistaPreviaInforme::ActualizarZoom);

    auto atajo = [this](const QKeySequence& teclas, auto accion) {
        auto* s = new QShortcut(teclas, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, accion);
    };
    atajo(QKeySequence::Find, [this] {
        buscar_->setFocus();
        buscar_->selectAll();
    });
    atajo(QKeySequence(Qt::Key_F3), [this] { BuscarSiguiente(buscar_->text()); });
    atajo(QKeySequence::Print, [this] { Imprimir(); });
    atajo(QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { hojas_->Acercar(); });
    atajo(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { hojas_->Acercar(); });
    atajo(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { hojas_->Alejar(); });
    atajo(QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { Primera(); });
    atajo(QKeySequence(Qt::CTRL | Qt::Key_End), [this] { Ultima(); });
    atajo(QKeySequence(Qt::Key_F1), [this] { AbrirAyuda(libroAyuda_); });
}

void VistaPreviaInforme::PonerTextos() {
    setWindowTitle(Texto(38050) + " - " + informe_.titulo);
    zoom_->setItemText(0, Texto(38051));
    zoom_->setItemText(1, Texto(38052));
    const QHash<QString, int> ayudas = {
        {"BtnPrimera", 38054}, {"BtnAnterior", 38055}, {"BtnSiguiente", 38056}, {"BtnUltima", 38057},
        {"BtnBuscar", 38060},  {"BtnImprimir", 38061}, {"BtnPdf", 38062},       {"BtnAyuda", 38063},
        {"BtnSalir", 38064},   {"BtnAcercar", 38065},  {"BtnAlejar", 38066}};
    for (QToolButton* b : botones_) b->setToolTip(Texto(ayudas.value(b->objectName())));
    for (const char* nombre : {"BtnImprimir", "BtnPdf", "BtnAyuda", "BtnSalir"}) {
        auto* b = findChild<QToolButton*>(nombre);
        b->setText(b->toolTip().section(" (", 0, 0));
    }
    zoom_->setToolTip(Texto(38053));
    buscar_->setPlaceholderText(Texto(38059));
    dePaginas_->setText(" " + Texto(38058).arg(informe_.Paginas()) + " ");
}

void VistaPreviaInforme::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FijarFormActivo(this);
    ActualizarZoom(hojas_->Zoom());
    ActualizarPagina(hojas_->PaginaActual());
}

void VistaPreviaInforme::ElegirZoom(int indice) {
    if (indice == 0)
        hojas_->FijarAjuste(HojasInforme::Ajuste::AnchoPagina);
    else if (indice == 1)
        hojas_->FijarAjuste(HojasInforme::Ajuste::PaginaEntera);
    else
        hojas_->FijarZoom(kPorcentajes.value(indice - kAjustes, 100) / 100.0);
    ActualizarZoom(hojas_->Zoom());
}

void VistaPreviaInforme::ActualizarZoom(qreal zoom) {
    QSignalBlocker bloqueo(zoom_);
    switch (hojas_->AjusteActual()) {
        case HojasInforme::Ajuste::AnchoPagina:
            zoom_->setCurrentIndex(0);
            return;
        case HojasInforme::Ajuste::PaginaEntera:
            zoom_->setCurrentIndex(1);
            return;
        case HojasInforme::Ajuste::Ninguno:
            break;
    }
    const QString texto = QString("%1 %").arg(qRound(zoom * 100));
    const int i = zoom_->findText(texto);
    if (i >= 0) {
        zoom_->setCurrentIndex(i);
    } else {
        zoom_->setEditable(false);
        zoom_->setCurrentIndex(-1);
        zoom_->setPlaceholderText(texto);
    }
}

void VistaPreviaInforme::ActualizarPagina(int pagina) {
    QSignalBlocker bloqueo(pagina_);
    pagina_->setValue(pagina + 1);
    estado_->setText(Texto(38071).arg(pagina + 1).arg(informe_.Paginas()));
}

void VistaPreviaInforme::Primera() {
    hojas_->IrAPagina(0);
}
void VistaPreviaInforme::Anterior() {
    hojas_->IrAPagina(hojas_->PaginaActual() - 1);
}
void VistaPreviaInforme::Siguiente() {
    hojas_->IrAPagina(hojas_->PaginaActual() + 1);
}
void VistaPreviaInforme::Ultima() {
    hojas_->IrAPagina(informe_.Paginas() - 1);
}

bool VistaPreviaInforme::BuscarSiguiente(const QString& texto) {
    if (texto.trimmed().isEmpty()) return false;
    if (texto != buscado_) encontrado_ = Sitio{};
    buscado_ = texto;
    // Every line of every text, in page order, starting after the place found last.
    QList<Sitio> sitios;
    for (int p = 0; p < informe_.Paginas(); ++p) {
        const auto& elementos = informe_.paginas[p].elementos;
        for (int e = 0; e < elementos.size(); ++e)
            for (int l = 0; l < elementos[e].lineas.size(); ++l)
                if (elementos[e].lineas[l].contains(texto, Qt::CaseInsensitive)) sitios << Sitio{p, e, l};
    }
    if (sitios.isEmpty()) {
        hojas_->Senalar(-1, {});
        Avisar(Texto(38067).arg(texto));
        return false;
    }
    auto despues = [&](const Sitio& s) {
        return std::tie(s.pagina, s.elemento, s.linea) >
               std::tie(encontrado_.pagina, encontrado_.elemento, encontrado_.linea);
    };
    auto siguiente = std::find_if(sitios.begin(), sitios.end(), despues);
    encontrado_ = siguiente == sitios.end() ? sitios.first() : *siguiente;
    const auto& e = informe_.paginas[encontrado_.pagina].elementos[encontrado_.elemento];
    QRectF linea(e.caja.left(), e.caja.top() + encontrado_.linea * e.altoLinea, e.caja.width(), e.altoLinea);
    if (e.alineacion & Qt::AlignVCenter)
        linea.translate(0, (e.caja.height() - e.lineas.size() * e.altoLinea) / 2);
    if (e.alineacion & Qt::AlignBottom) linea.translate(0, e.caja.height() - e.lineas.size() * e.altoLinea);
    hojas_->Senalar(encontrado_.pagina, linea);
    Avisar(Texto(38072).arg(texto).arg(encontrado_.pagina + 1));
    return true;
}

void VistaPreviaInforme::Avisar(const QString& texto) {
    estado_->setText(texto);
}

QString VistaPreviaInforme::Estado() const {
    return estado_->text();
}

void VistaPreviaInforme::Imprimir() {
    impresion::ImprimirConDialogo(informe_, this, hojas_->PaginaActual());
}

void VistaPreviaInforme::GuardarComoPdf() {
    QString nombre = informe_.titulo.section('.', 0, 0);
    if (nombre.isEmpty()) nombre = "Informe";
    QString ruta = QFileDialog::getSaveFileName(this, Texto(38068), nombre + ".pdf", Texto(38069));
    if (ruta.isEmpty()) return;
    if (!ruta.endsWith(".pdf", Qt::CaseInsensitive)) ruta += ".pdf";
    GuardarPdfEn(ruta);
}

void VistaPreviaInforme::GuardarPdfEn(const QString& ruta) {
    QString error;
    if (informes::GuardarPdf(informe_, ruta, error))
        Avisar(Texto(38070).arg(ruta));
    else
        MostrarMensaje(error, BotonesAceptar, 2);
}

void MostrarVistaPrevia(const informes::InformePreparado& informe, int libroAyuda, QWidget* padre) {
    QWidget* anterior = FormActivo();
    VistaPreviaInforme vista(informe, libroAyuda, padre);
    vista.exec();
    FijarFormActivo(anterior);
}
