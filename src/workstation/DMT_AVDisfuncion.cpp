#include "DMT_AVDisfuncion.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QVBoxLayout>

#include "Colores.h"
#include "Configuracion.h"
#include "DMT_AVDetectarEquipo.h"
#include "EstadoCursor.h"
#include "EstadoPractica.h"
#include "FechaHora.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "RotulosPanel.h"
#include "dmCDS.h"

namespace {

QPointer<TFDMT_AVDisfuncion>& panel() {
    static QPointer<TFDMT_AVDisfuncion> p;
    return p;
}

// A symptom memo is given this many pixels per line it holds.
constexpr int kAltoLinea = 18;
// Room for two lines before a memo has to grow.
constexpr int kAltoInicialMemo = 2 * kAltoLinea + 4;
// The level column: its head and the block labels share it so that they line up.
constexpr int kAnchoNivel = 130;
// Value labels below 801 pixels of panel; wider panels give them all but 173 pixels.
constexpr int kAnchoValorMinimo = 627;
constexpr int kAnchoPanelMinimo = 801;
constexpr int kMargenValores = 173;

// The values keep one width, which the panel's width sets.
QLabel* valorFijo(QWidget* padre, const char* nombre, const QString& texto = {}) {
    QLabel* l = ValorPanel(padre, nombre, texto);
    l->setFixedWidth(kAnchoValorMinimo);
    return l;
}

QFrame* forma(QWidget* padre, const char* nombre) {
    auto* f = new QFrame(padre);
    f->setObjectName(QString::fromLatin1(nombre));
    return f;
}

QPlainTextEdit* memo(QWidget* padre, const char* nombre) {
    auto* m = new QPlainTextEdit(padre);
    m->setObjectName(QString::fromLatin1(nombre));
    m->setReadOnly(true);
    m->setFixedHeight(kAltoInicialMemo);
    return m;
}

// The level label and the memo of one speaker (workshop chief or customer), in its frame.
void montarBloque(QFrame* marco, QLabel* nivel, QPlainTextEdit* texto) {
    marco->setFrameShape(QFrame::StyledPanel);
    marco->setAutoFillBackground(true);
    nivel->setFixedWidth(kAnchoNivel);
    Negrita(nivel);
    auto* fila = new QHBoxLayout(marco);
    fila->setContentsMargins(6, 4, 6, 4);
    fila->addWidget(nivel, 0, Qt::AlignTop);
    fila->addWidget(texto, 1);
}

// The group is disabled only so that nothing in it takes the focus: its texts must read
// as clearly as when enabled.
void LegibleDeshabilitado(QWidget* w) {
    QPalette p = w->palette();
    for (QPalette::ColorRole rol :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::Base})
        p.setColor(QPalette::Disabled, rol, p.color(QPalette::Active, rol));
    w->setPalette(p);
}

void CrecerMemo(QPlainTextEdit* m) {
    const int alto = m->document()->blockCount() * kAltoLinea;
    if (m->height() < alto) m->setFixedHeight(alto);
}

void Vaciar(QLabel* nivel, QPlainTextEdit* texto) {
    nivel->clear();
    texto->clear();
    texto->setFixedHeight(kAltoInicialMemo);
}

}  // namespace

TFDMT_AVDisfuncion::TFDMT_AVDisfuncion(TDatosPractica& practica, QWidget* parent)
    : QWidget(parent), practica_(practica) {
    setObjectName(QStringLiteral("FDMT_AVDisfuncion"));
    setProperty("Tag", 16);

    LabelTitulo = Etiqueta(this, "LabelTitulo", QStringLiteral("DISFUNCIÓN"));
    FuenteTitulo(LabelTitulo);
    ShapeLine = forma(this, "ShapeLine1");
    ShapeLine->setFixedHeight(3);

    GroupBoxDatos = new QGroupBox(this);
    GroupBoxDatos->setObjectName(QStringLiteral("GroupBoxDatos"));
    LabelFecha = Etiqueta(GroupBoxDatos, "LabelFecha", QStringLiteral("Provocada el día:"));
    FadeLFecha = valorFijo(GroupBoxDatos, "FadeLFecha");
    LabelEstado = Etiqueta(GroupBoxDatos, "LabelEstado", QStringLiteral("Estado:"));
    FadeLEstado = valorFijo(GroupBoxDatos, "FadeLEstado", QStringLiteral("DISFUNCIÓN"));
    LabelBloque = Etiqueta(GroupBoxDatos, "LabelBloque", QStringLiteral("Bloque:"));
    FadeLabelBloque = valorFijo(GroupBoxDatos, "FadeLabelBloque");
    LabelCircuito = Etiqueta(GroupBoxDatos, "LabelCircuito", QStringLiteral("Circuito:"));
    FadeLabelCircuito = valorFijo(GroupBoxDatos, "FadeLabelCircuito");
    LabelElemento = Etiqueta(GroupBoxDatos, "LabelElemento", QStringLiteral("Elemento:"));
    FadeLabelElemento = valorFijo(GroupBoxDatos, "FadeLabelElemento");
    auto* datos = new QGridLayout(GroupBoxDatos);
    datos->setContentsMargins(10, 10, 10, 10);
    datos->setHorizontalSpacing(8);
    int fila = 0;
    for (auto [rotulo, texto] : {std::pair{LabelFecha, FadeLFecha},
                                 {LabelEstado, FadeLEstado},
                                 {LabelBloque, FadeLabelBloque},
                                 {LabelCircuito, FadeLabelCircuito},
                                 {LabelElemento, FadeLabelElemento}}) {
        datos->addWidget(rotulo, fila, 0);
        datos->addWidget(texto, fila++, 1, Qt::AlignLeft);
    }
    datos->setColumnStretch(1, 1);

    GroupBoxSintomas = new QGroupBox(this);
    GroupBoxSintomas->setObjectName(QStringLiteral("GroupBoxSintomas"));
    LabelDisfSintom = Etiqueta(GroupBoxSintomas, "LabelDisfSintom", QStringLiteral("Sintomas"));
    Negrita(LabelDisfSintom);
    ShapeCabecera = forma(GroupBoxSintomas, "ShapeCabecera");
    LabelNivel = Etiqueta(ShapeCabecera, "LabelNivel", QStringLiteral("Nivel"));
    LabelNivel->setFixedWidth(kAnchoNivel);
    Negrita(LabelNivel);
    LabelDescripcion = Etiqueta(ShapeCabecera, "LabelDescripcion", QStringLiteral("Descripción"));
    Negrita(LabelDescripcion);
    auto* cabecera = new QHBoxLayout(ShapeCabecera);
    cabecera->setContentsMargins(6, 3, 6, 3);
    cabecera->addWidget(LabelNivel);
    cabecera->addWidget(LabelDescripcion, 1);

    auto* zona = new QWidget(GroupBoxSintomas);
    ShapeJTaller = forma(zona, "ShapeJTaller");
    LabelJefeTaller = Etiqueta(ShapeJTaller, "LabelJefeTaller", QStringLiteral("Jefe de taller"));
    MemoJefeTaller = memo(ShapeJTaller, "MemoJefeTaller");
    montarBloque(ShapeJTaller, LabelJefeTaller, MemoJefeTaller);
    ShapeCliente = forma(zona, "ShapeCliente");
    LabelCliente = Etiqueta(ShapeCliente, "LabelCliente", QStringLiteral("Cliente"));
    MemoCliente = memo(ShapeCliente, "MemoCliente");
    montarBloque(ShapeCliente, LabelCliente, MemoCliente);
    for (QWidget* w : std::initializer_list<QWidget*>{ShapeCliente, LabelCliente, MemoCliente}) w->hide();
    // Both blocks in one grid so that the customer's can take the chief's cell and lie over it.
    bloques_ = new QGridLayout(zona);
    bloques_->setContentsMargins(0, 0, 0, 0);
    bloques_->addWidget(ShapeJTaller, 0, 0, Qt::AlignTop);
    bloques_->addWidget(ShapeCliente, 1, 0, Qt::AlignTop);

    auto* sintomas = new QVBoxLayout(GroupBoxSintomas);
    sintomas->setContentsMargins(10, 10, 10, 10);
    sintomas->addWidget(LabelDisfSintom);
    sintomas->addWidget(ShapeCabecera);
    sintomas->addWidget(zona);
    sintomas->addStretch(1);
    GroupBoxSintomas->setEnabled(false);
    LegibleDeshabilitado(GroupBoxSintomas);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(12, 12, 12, 12);
    todo->addWidget(LabelTitulo);
    todo->addWidget(ShapeLine);
    todo->addWidget(GroupBoxDatos);
    todo->addWidget(GroupBoxSintomas, 1);
}

void TFDMT_AVDisfuncion::Preparar(int codigo, const QString& nivelSintomas, double momento) {
    codigo_ = codigo;
    nivelSintomas_ = nivelSintomas;
    momento_ = momento;
}

void TFDMT_AVDisfuncion::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    FijarFormActivo(this);
    ponerTextos();
    FadeLFecha->setText(TextoMomento(momento_));
    if (dmCDS) {
        mostrarAveria();
        mostrarSintomas();
    }
    mostrarNivelReparacion();
    colocarCliente(LeerNivelSintoma() == 1);
    pintarAcento();
}

void TFDMT_AVDisfuncion::ponerTextos() {
    // In number order: the catalogue reads forward.
    setWindowTitle(TextoCatalogo(15000));
    LabelTitulo->setText(TextoCatalogo(15001));
    LabelFecha->setText(TextoCatalogo(15002));
    LabelEstado->setText(TextoCatalogo(15003));
    FadeLEstado->setText(TextoCatalogo(15004));
    LabelBloque->setText(TextoCatalogo(15005));
    LabelCircuito->setText(TextoCatalogo(15006));
    LabelElemento->setText(TextoCatalogo(15007));
    LabelDisfSintom->setText(TextoCatalogo(15008));
    LabelNivel->setText(TextoCatalogo(15009));
    LabelDescripcion->setText(TextoCatalogo(15010));
    LabelJefeTaller->setText(TextoCatalogo(15011));
    LabelCliente->setText(TextoCatalogo(15012));
    GroupBoxDatos->setTitle(TextoCatalogo(15013));
    GroupBoxSintomas->setTitle(TextoCatalogo(15014));
}

void TFDMT_AVDisfuncion::mostrarAveria() {
    // The trainer first: the faults and the block list follow it.
    dmCDS->cdsEquipo->Locate(QStringLiteral("cdsEFCodEquipo"), practica_.CodEquipo);
    dmCDS->cdsSemilla->Locate(QStringLiteral("cdsSemFPtrIdAveria"), practica_.IdAveria);
    const EstadoCursor posicion(dmCDS->cdsAveria, false);
    if (!dmCDS->cdsAveria->Locate(QStringLiteral("cdsAvFIdAveria"), practica_.IdAveria)) {
        for (QLabel* l : {FadeLabelBloque, FadeLabelCircuito, FadeLabelElemento}) l->clear();
        return;
    }
    const QVariant circuito = dmCDS->cdsAvFPtrCircuito->Value();
    FadeLabelBloque->setText(dmCDS->cdsBloqueLUp
                                 ->Lookup(QStringLiteral("cdsBloFCodBloque"), dmCDS->cdsAvFPtrBloque->Value(),
                                          QStringLiteral("cdsBloFDescripcion"))
                                 .toString());
    FadeLabelCircuito->setText(
        dmCDS->cdsCircuitoLoc
            ->Lookup(QStringLiteral("cdsCFCodCircuito"), circuito, QStringLiteral("cdsCFDescripcion"))
            .toString());
    FadeLabelElemento->setText(dmCDS->cdsComponenteLoc
                                   ->Lookup(QStringLiteral("cdsComFPtrCircuito;cdsComFCodComponente"),
                                            QVariantList{circuito, dmCDS->cdsAvFPtrComponente->Value()},
                                            QStringLiteral("cdsComFDescripcion"))
                                   .toString());
}

void TFDMT_AVDisfuncion::mostrarNivelReparacion() {
    const int nivel = LeerNivelReparacion();
    LabelBloque->setVisible(nivel > 2);
    FadeLabelBloque->setVisible(nivel > 2);
    LabelCircuito->setVisible(nivel > 1);
    FadeLabelCircuito->setVisible(nivel > 1);
}

void TFDMT_AVDisfuncion::mostrarSintomas() {
    // Left on the fault: its symptoms are the ones in view.
    dmCDS->cdsAveria->Locate(QStringLiteral("cdsAvFIdAveria"), practica_.IdAveria);
    Vaciar(LabelJefeTaller, MemoJefeTaller);
    Vaciar(LabelCliente, MemoCliente);
    for (QWidget* w : std::initializer_list<QWidget*>{ShapeCliente, LabelCliente, MemoCliente}) w->hide();

    TClientDataSet* sintomas = dmCDS->cdsSintomas;
    // A dysfunction shows every symptom, whatever level a repair left filtered.
    const EstadoCursor posicion(sintomas, true);
    TdmCDS::QuitarFiltro(sintomas);
    for (sintomas->First(); !sintomas->Eof(); sintomas->Next()) {
        if (dmCDS->cdsSinFPtrIdAveria->AsInteger() != practica_.IdAveria) continue;
        const QString nivel = dmCDS->cdsSinFNivel->AsString();
        const QString descripcion = dmCDS->cdsSinFDescripcion->AsString();
        if (nivel == QLatin1String("J")) {
            LabelJefeTaller->setText(Texto(165));
            MemoJefeTaller->appendPlainText(descripcion);
            CrecerMemo(MemoJefeTaller);
        } else if (nivel == QLatin1String("C")) {
            LabelCliente->setText(Texto(113));
            MemoCliente->appendPlainText(descripcion);
            CrecerMemo(MemoCliente);
            for (QWidget* w : std::initializer_list<QWidget*>{ShapeCliente, LabelCliente, MemoCliente})
                w->show();
        }
    }
}

void TFDMT_AVDisfuncion::colocarCliente(bool sobreJefeTaller) {
    bloques_->removeWidget(ShapeCliente);
    bloques_->addWidget(ShapeCliente, sobreJefeTaller ? 0 : 1, 0, Qt::AlignTop);
    if (sobreJefeTaller) ShapeCliente->raise();
}

void TFDMT_AVDisfuncion::pintarAcento() {
    PintarTitulo(LabelTitulo);
    const QColor acento = ColorAcento();
    PintarFondo(ShapeLine, acento);
    PintarFondo(ShapeCabecera, acento);
    // The column heads stay readable on a dark or a light accent.
    const QColor letra = acento.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
    for (QLabel* l : {LabelNivel, LabelDescripcion}) {
        QPalette pl = l->palette();
        pl.setColor(QPalette::Active, QPalette::WindowText, letra);
        pl.setColor(QPalette::Inactive, QPalette::WindowText, letra);
        pl.setColor(QPalette::Disabled, QPalette::WindowText, letra);
        l->setPalette(pl);
    }
}

void TFDMT_AVDisfuncion::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    const int ancho = width() < kAnchoPanelMinimo ? kAnchoValorMinimo : width() - kMargenValores;
    for (QLabel* l : {FadeLFecha, FadeLEstado, FadeLabelBloque, FadeLabelCircuito, FadeLabelElemento})
        l->setFixedWidth(ancho);
}

TFDMT_AVDisfuncion* CrearPanelDisfuncion(QWidget* anfitrion, TDatosPractica& practica, int codigo,
                                         const QString& nivelSintomas, double momento) {
    if (practica.CodEquipo <= 0) DetectarEntrenador(practica, anfitrion);
    if (practica.CodEquipo <= 0) return nullptr;
    if (!panel()) panel() = new TFDMT_AVDisfuncion(practica, anfitrion);
    panel()->Preparar(codigo, nivelSintomas, momento);
    return panel();
}

TFDMT_AVDisfuncion* PanelDisfuncion() {
    return panel().data();
}
