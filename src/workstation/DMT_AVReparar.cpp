#include "DMT_AVReparar.h"

#include <QCollator>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "Cadenas.h"
#include "Colores.h"
#include "Configuracion.h"
#include "DMT_AVReparacion.h"
#include "DMT_Brd415.h"
#include "EstadoCursor.h"
#include "EstadoPractica.h"
#include "FechaHora.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Mensajes.h"
#include "RotulosPanel.h"
#include "dmCDS.h"

namespace {

QPointer<TFDMT_AVReparar>& panel() {
    static QPointer<TFDMT_AVReparar> p;
    return p;
}

// Pale green of a level already confirmed (15532012 as stored).
const QColor kVerdeConfirmado = ColorDesdeAlmacenado(15532012);

QLabel* etiqueta(QWidget* padre, const char* nombre, const QString& texto) {
    QLabel* l = Etiqueta(padre, nombre, texto);
    Negrita(l);
    return l;
}

QListWidget* lista(QWidget* padre, const char* nombre) {
    auto* l = new QListWidget(padre);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setCursor(Qt::PointingHandCursor);
    l->setWordWrap(true);
    l->setMinimumHeight(160);
    return l;
}

QPushButton* boton(QWidget* padre, const char* nombre, const QString& texto) {
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setMinimumHeight(34);
    return b;
}

// The code of the entry chosen in a list; -1 when none is. The current entry is the
// choice: a click makes it current before it selects it.
int codigoElegido(const QListWidget* lista) {
    const QListWidgetItem* item = lista->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void quitarEleccion(QListWidget* lista) {
    const QSignalBlocker silencio(lista);
    lista->clearSelection();
    lista->setCurrentRow(-1, QItemSelectionModel::Clear);
}

void pintarLista(QListWidget* lista, const QColor& fondo) {
    QPalette p = lista->palette();
    p.setColor(QPalette::Base, fondo);
    lista->setPalette(p);
}

}  // namespace

std::vector<EntradaDiagnostico> EntradasDiagnostico(TClientDataSet* tabla, TField* descripcion,
                                                    TField* codigo, int codigoAveria) {
    std::vector<EntradaDiagnostico> entradas;
    if (!tabla->Active()) return entradas;
    const EstadoCursor posicion(tabla, false);
    for (tabla->First(); !tabla->Eof(); tabla->Next()) {
        const QString texto = descripcion->AsString();
        const int valor = codigo->AsInteger();
        auto igual = std::find_if(entradas.begin(), entradas.end(),
                                  [&](const EntradaDiagnostico& e) { return e.descripcion == texto; });
        if (igual == entradas.end())
            entradas.push_back({texto, valor});
        else if (igual->codigo != codigoAveria && valor == codigoAveria)
            igual->codigo = valor;
    }
    QCollator orden;
    orden.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entradas.begin(), entradas.end(),
                     [&](const EntradaDiagnostico& a, const EntradaDiagnostico& b) {
                         return orden.compare(a.descripcion, b.descripcion) < 0;
                     });
    return entradas;
}

TFDMT_AVReparar::TFDMT_AVReparar(TDatosPractica& practica, QWidget* parent)
    : QWidget(parent), practica_(practica) {
    setObjectName(QStringLiteral("FDMT_AVReparar"));
    setProperty("Tag", 11);

    LabelTitulo = etiqueta(this, "LabelTitulo", QStringLiteral("INTENTO DE REPARACIÓN"));
    FuenteTitulo(LabelTitulo);

    GroupBoxTTotal = new QGroupBox(this);
    GroupBoxTTotal->setObjectName(QStringLiteral("GroupBoxTTotal"));
    LabelTTotal =
        etiqueta(GroupBoxTTotal, "LabelTTotal", QStringLiteral("Tiempo total de reparación avería 00:00:00"));
    FuenteTitulo(LabelTTotal);
    (new QVBoxLayout(GroupBoxTTotal))->addWidget(LabelTTotal);

    GroupBoxComps = new QGroupBox(this);
    GroupBoxComps->setObjectName(QStringLiteral("GroupBoxComps"));
    LabelDiagnostico = etiqueta(GroupBoxComps, "LabelDiagnostico", QStringLiteral("Diagnóstico"));
    LabelBloque = etiqueta(GroupBoxComps, "LabelBloque", QStringLiteral("Bloque afectado"));
    ListBoxBloque = lista(GroupBoxComps, "ListBoxBloque");
    BtnBloque = boton(GroupBoxComps, "BtnBloque", QStringLiteral("Confirmar bloque"));
    BtnBloque->setFlat(true);
    LabelCircuito = etiqueta(GroupBoxComps, "LabelCircuito", QStringLiteral("Circuito afectado"));
    ListBoxCircuito = lista(GroupBoxComps, "ListBoxCircuito");
    BtnCircuito = boton(GroupBoxComps, "BtnCircuito", QStringLiteral("Confirmar circuito"));
    BtnCircuito->setFlat(true);
    LabelComponente = etiqueta(GroupBoxComps, "LabelComponente", QStringLiteral("Componente afectado"));
    ListBoxComponente = lista(GroupBoxComps, "ListBoxComponente");
    LabelComentario =
        etiqueta(GroupBoxComps, "LabelComentario", QStringLiteral("Comentario sobre la reparación"));
    MemoObser = new QPlainTextEdit(GroupBoxComps);
    MemoObser->setObjectName(QStringLiteral("MemoObser"));
    MemoObser->setMaximumHeight(110);
    SpeedBReparar = boton(GroupBoxComps, "SpeedBReparar", QStringLiteral("&Reparar"));
    SpeedBCancelar = boton(GroupBoxComps, "SpeedBCancelar", QStringLiteral("&Cancelar"));
    for (QPushButton* b : {SpeedBReparar, SpeedBCancelar}) b->setMinimumWidth(130);
    SpeedBReparar->setDefault(true);

    // Block, circuit and element side by side: the choice reads from left to right.
    auto* rejilla = new QGridLayout(GroupBoxComps);
    rejilla->setHorizontalSpacing(14);
    rejilla->addWidget(LabelDiagnostico, 0, 0, 1, 3);
    rejilla->addWidget(LabelBloque, 1, 0);
    rejilla->addWidget(LabelCircuito, 1, 1);
    rejilla->addWidget(LabelComponente, 1, 2);
    rejilla->addWidget(ListBoxBloque, 2, 0);
    rejilla->addWidget(ListBoxCircuito, 2, 1);
    rejilla->addWidget(ListBoxComponente, 2, 2);
    rejilla->addWidget(BtnBloque, 3, 0, Qt::AlignRight);
    rejilla->addWidget(BtnCircuito, 3, 1, Qt::AlignRight);
    rejilla->addWidget(LabelComentario, 4, 0, 1, 3);
    rejilla->addWidget(MemoObser, 5, 0, 1, 3);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(SpeedBReparar);
    botones->addWidget(SpeedBCancelar);
    rejilla->addLayout(botones, 6, 0, 1, 3);
    for (int columna = 0; columna < 3; ++columna) rejilla->setColumnStretch(columna, 1);
    rejilla->setRowStretch(2, 1);

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(LabelTitulo);
    todo->addWidget(GroupBoxTTotal);
    todo->addWidget(GroupBoxComps, 1);

    TimerTTotal = new QTimer(this);
    TimerTTotal->setObjectName(QStringLiteral("TimerTTotal"));
    TimerTTotal->setInterval(1000);
    connect(TimerTTotal, &QTimer::timeout, this, &TFDMT_AVReparar::TimerTTotalTimer);
    TimerTTotal->start();

    connect(ListBoxBloque, &QListWidget::currentRowChanged, this, &TFDMT_AVReparar::ListBoxBloqueClick);
    connect(ListBoxCircuito, &QListWidget::currentRowChanged, this, &TFDMT_AVReparar::ListBoxCircuitoClick);
    connect(ListBoxComponente, &QListWidget::currentRowChanged, this,
            &TFDMT_AVReparar::ListBoxComponenteClick);
    connect(BtnBloque, &QPushButton::clicked, this, &TFDMT_AVReparar::BtnBloqueClick);
    connect(BtnCircuito, &QPushButton::clicked, this, &TFDMT_AVReparar::BtnCircuitoClick);
    connect(SpeedBReparar, &QPushButton::clicked, this, &TFDMT_AVReparar::SpeedBRepararClick);
    connect(SpeedBCancelar, &QPushButton::clicked, this, &TFDMT_AVReparar::SpeedBCancelarClick);
    connect(MemoObser, &QPlainTextEdit::textChanged, this, &TFDMT_AVReparar::copiarComentarios);
}

TFDMT_AVReparar::~TFDMT_AVReparar() = default;

void TFDMT_AVReparar::Preparar(double inicioReparacion) {
    inicioReparacion_ = inicioReparacion;
    inicioIntento_ = Ahora();
}

void TFDMT_AVReparar::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    FijarFormActivo(this);
    if (!evento->spontaneous()) FormShow();
}

void TFDMT_AVReparar::hideEvent(QHideEvent* evento) {
    QWidget::hideEvent(evento);
    if (!evento->spontaneous()) FormHide();
}

void TFDMT_AVReparar::ponerTextos() {
    setWindowTitle(TextoCatalogo(20000));
    int n = 20001;
    for (QLabel* l : {LabelTitulo, LabelTTotal}) l->setText(TextoCatalogo(n++));
    GroupBoxTTotal->setTitle(QString());
    for (QLabel* l : {LabelDiagnostico, LabelBloque, LabelCircuito, LabelComponente})
        l->setText(TextoCatalogo(n++));
    SpeedBReparar->setText(TextoCatalogo(n++));
    SpeedBCancelar->setText(TextoCatalogo(n++));
    LabelComentario->setText(TextoCatalogo(n++));
    BtnBloque->setText(TextoCatalogo(n++));
    BtnCircuito->setText(TextoCatalogo(n++));
}

void TFDMT_AVReparar::FormShow() {
    ponerTextos();
    enVisita_ = true;
    if (!dmCDS) return;
    marcaLineas_ = dmCDS->cdsLineaReparacion->SavePoint();
    LeerNiveles();
    mostrarListas();
    dmCDS->cdsAveria->Locate(QStringLiteral("cdsAvFIdAveria"), practica_.IdAveria);
    LlenarBloques();
    for (QListWidget* l : {ListBoxBloque, ListBoxCircuito, ListBoxComponente}) quitarEleccion(l);

    if (dmCDS->cdsReparacion->Locate(QStringLiteral("cdsRepFCodReparacion"), practica_.CodReparacion) &&
        dmCDS->cdsRepFInicio->IsNull() && dmCDS->cdsReparacion->Edit()) {
        dmCDS->cdsRepFInicio->SetAsDateTime(inicioIntento_);
        dmCDS->cdsReparacion->Post();
    }

    TClientDataSet* elementos = dmCDS->cdsComponenteLoc;
    elementos->SetIndexFieldNames(QStringLiteral("cdsComFPtrCircuito"));
    elementos->SetMasterSource(dmCDS->dsCircuitoLoc);
    elementos->SetMasterFields(QStringLiteral("cdsCFCodCircuito"));

    ListBoxCircuito->clear();
    ListBoxComponente->clear();
    if (!Tutorizada) {
        if (ExigeCircuito) LlenarCircuitos();
        if (ExigeComponente) LlenarComponentes();
    }

    // Levels the installation hides are taken from the fault itself, so that a fault
    // outside the first block or circuit can still be diagnosed.
    nivelReparacion_ = LeerNivelReparacion();
    if (nivelReparacion_ < 3) {
        LabelBloque->hide();
        ListBoxBloque->hide();
        elegirEntradaAveria(ListBoxBloque, campoAveria(dmCDS->cdsAvFPtrBloque));
    }
    if (nivelReparacion_ < 2) {
        LabelCircuito->hide();
        ListBoxCircuito->hide();
        elegirEntradaAveria(ListBoxCircuito, campoAveria(dmCDS->cdsAvFPtrCircuito));
    }

    PintarTitulo(LabelTitulo);
    TimerTTotalTimer();
}

void TFDMT_AVReparar::FormHide() {
    enVisita_ = false;
    // After a finish the holder has been emptied and must stay so.
    if (practica_.Estado == Reparando || practica_.Estado == Diagnosticando) copiarComentarios();
    if (dmCDS) dmCDS->cdsComponenteLoc->SetMasterSource(nullptr);
    if (puesto_.ActualizarEstado) puesto_.ActualizarEstado();
}

void TFDMT_AVReparar::LeerNiveles() {
    // The teacher practises with the current group's levels, or none without groups.
    const bool hayGrupo = dmCDS->cdsGrupo->Active() && !dmCDS->cdsGrupo->IsEmpty();
    const QStringList niveles =
        hayGrupo ? PartirLista(dmCDS->cdsGrpFNReparacion->AsString(), QStringLiteral("#")) : QStringList();
    ExigeBloque = niveles.contains(QStringLiteral("BL"));
    ExigeCircuito = niveles.contains(QStringLiteral("CI"));
    ExigeComponente = niveles.contains(QStringLiteral("CO"));
    Tutorizada = hayGrupo && dmCDS->cdsGrpFTutorizada->AsBoolean();
}

void TFDMT_AVReparar::mostrarListas() {
    for (QListWidget* l : {ListBoxBloque, ListBoxCircuito}) {
        l->setEnabled(true);
        pintarLista(l, Qt::white);
    }
    pintarLista(ListBoxComponente, Qt::white);
    LabelBloque->setVisible(ExigeBloque);
    ListBoxBloque->setVisible(ExigeBloque);
    LabelCircuito->setVisible(!Tutorizada && ExigeCircuito);
    ListBoxCircuito->setVisible(!Tutorizada && ExigeCircuito);
    LabelComponente->setVisible(!Tutorizada && ExigeComponente);
    ListBoxComponente->setVisible(!Tutorizada && ExigeComponente);
    BtnBloque->hide();
    BtnCircuito->hide();
    MemoObser->clear();  // a new attempt: the holder starts empty too
}

int TFDMT_AVReparar::campoAveria(TField* campo) const {
    return campo->IsNull() ? -1 : campo->AsInteger();
}

void TFDMT_AVReparar::llenar(QListWidget* lista, const std::vector<EntradaDiagnostico>& entradas) {
    const QSignalBlocker silencio(lista);
    lista->setUpdatesEnabled(false);
    lista->clear();
    for (const EntradaDiagnostico& entrada : entradas) {
        auto* item = new QListWidgetItem(entrada.descripcion, lista);
        item->setData(Qt::UserRole, entrada.codigo);
    }
    lista->setUpdatesEnabled(true);
}

void TFDMT_AVReparar::LlenarBloques() {
    llenar(ListBoxBloque,
           EntradasDiagnostico(dmCDS->cdsBloqueLUp, dmCDS->cdsBloqueLUp->FieldByName("cdsBloFDescripcion"),
                               dmCDS->cdsBloqueLUp->FieldByName("cdsBloFCodBloque"),
                               campoAveria(dmCDS->cdsAvFPtrBloque)));
}

void TFDMT_AVReparar::LlenarCircuitos() {
    TClientDataSet* circuitos = dmCDS->cdsCircuitoLUp;
    llenar(ListBoxCircuito, EntradasDiagnostico(circuitos, circuitos->FieldByName("cdsCFDescripcion"),
                                                circuitos->FieldByName("cdsCFCodCircuito"),
                                                campoAveria(dmCDS->cdsAvFPtrCircuito)));
}

void TFDMT_AVReparar::LlenarComponentes() {
    TClientDataSet* elementos = dmCDS->cdsComponenteLoc;
    llenar(ListBoxComponente, EntradasDiagnostico(elementos, elementos->FieldByName("cdsComFDescripcion"),
                                                  elementos->FieldByName("cdsComFCodComponente"),
                                                  campoAveria(dmCDS->cdsAvFPtrComponente)));
}

void TFDMT_AVReparar::elegirEntradaAveria(QListWidget* lista, int codigoAveria) {
    int fila = 0;
    for (int i = 0; i < lista->count(); ++i)
        if (lista->item(i)->data(Qt::UserRole).toInt() == codigoAveria) fila = i;
    if (lista->count() == 0) return;
    lista->setCurrentRow(fila, QItemSelectionModel::ClearAndSelect);
}

void TFDMT_AVReparar::ListBoxBloqueClick() {
    if (!dmCDS) return;
    const int bloque = codigoElegido(ListBoxBloque);
    if (bloque < 0) return;
    dmCDS->cdsBloqueLUp->Locate(QStringLiteral("cdsBloFCodBloque"), bloque);
    LlenarCircuitos();
    if (Tutorizada) {
        if (nivelReparacion_ < 3)
            BtnBloqueClick();
        else
            BtnBloque->setVisible(ExigeCircuito);
        return;
    }
    // The elements shown belonged to a circuit of the block left behind.
    ListBoxComponente->clear();
    quitarEleccion(ListBoxCircuito);
    RegistrarPaso();
}

void TFDMT_AVReparar::ListBoxCircuitoClick() {
    if (!dmCDS) return;
    const int circuito = codigoElegido(ListBoxCircuito);
    if (circuito < 0) return;
    dmCDS->cdsCircuitoLoc->Locate(QStringLiteral("cdsCFCodCircuito"), circuito);
    LlenarComponentes();
    if (Tutorizada) {
        if (nivelReparacion_ < 2)
            BtnCircuitoClick();
        else
            BtnCircuito->setVisible(ExigeComponente);
        return;
    }
    quitarEleccion(ListBoxComponente);
    RegistrarPaso();
}

void TFDMT_AVReparar::ListBoxComponenteClick() {
    if (dmCDS && codigoElegido(ListBoxComponente) >= 0) RegistrarPaso();
}

void TFDMT_AVReparar::confirmado(QListWidget* lista, QLabel* etiquetaSiguiente, QListWidget* siguiente,
                                 bool mostrar) {
    lista->setEnabled(false);
    pintarLista(lista, kVerdeConfirmado);
    etiquetaSiguiente->setVisible(mostrar);
    siguiente->setVisible(mostrar);
}

void TFDMT_AVReparar::BtnBloqueClick() {
    quitarEleccion(ListBoxCircuito);
    quitarEleccion(ListBoxComponente);
    RegistrarPaso();
    BtnBloque->hide();
    if (contieneElementoAveria(QStringLiteral("cdsComFPtrBloque"), codigoElegido(ListBoxBloque))) {
        confirmado(ListBoxBloque, LabelCircuito, ListBoxCircuito, ExigeCircuito);
        return;
    }
    quitarEleccion(ListBoxBloque);
    MostrarMensaje(Texto(132), BotonesAceptar, 1);
}

void TFDMT_AVReparar::BtnCircuitoClick() {
    quitarEleccion(ListBoxComponente);
    RegistrarPaso();
    BtnCircuito->hide();
    if (contieneElementoAveria(QStringLiteral("cdsComFPtrCircuito"), codigoElegido(ListBoxCircuito))) {
        confirmado(ListBoxCircuito, LabelComponente, ListBoxComponente, ExigeComponente);
        return;
    }
    quitarEleccion(ListBoxCircuito);
    MostrarMensaje(Texto(133), BotonesAceptar, 1);
}

bool TFDMT_AVReparar::contieneElementoAveria(const QString& campo, int codigo) const {
    if (!dmCDS || codigo < 0) return false;
    TClientDataSet* todos = dmCDS->cdsComponenteTodos;
    const EstadoCursor posicion(todos, true);
    TdmCDS::AplicarFiltro(todos, campo + QStringLiteral(" = ") + QString::number(codigo));
    return todos->Locate(QStringLiteral("cdsComFCodComponente"), campoAveria(dmCDS->cdsAvFPtrComponente));
}

bool TFDMT_AVReparar::EleccionCompleta() const {
    const bool bloque = codigoElegido(ListBoxBloque) >= 0;
    const bool circuito = bloque && codigoElegido(ListBoxCircuito) >= 0;
    const bool elemento = circuito && codigoElegido(ListBoxComponente) >= 0;
    return (!ExigeBloque || bloque) && (!ExigeCircuito || circuito) && (!ExigeComponente || elemento);
}

TFDMT_AVReparar::Eleccion TFDMT_AVReparar::EleccionActual() const {
    Eleccion eleccion;
    eleccion.bloque = codigoElegido(ListBoxBloque);
    eleccion.circuito = eleccion.bloque >= 0 ? codigoElegido(ListBoxCircuito) : -1;
    eleccion.elemento = eleccion.circuito >= 0 ? codigoElegido(ListBoxComponente) : -1;
    return eleccion;
}

bool TFDMT_AVReparar::DiagnosticoCorrecto() const {
    // Outside a visit the diagnosis in force is the last one stated: a cancelled visit
    // took its steps back, and its choice with them.
    const Eleccion eleccion = enVisita_ ? EleccionActual() : eleccionVigente_;
    if (!dmCDS || !dmCDS->cdsAveria->Locate(QStringLiteral("cdsAvFIdAveria"), practica_.IdAveria))
        return false;
    if (ExigeComponente)
        return eleccion.elemento >= 0 && eleccion.elemento == campoAveria(dmCDS->cdsAvFPtrComponente);
    if (ExigeCircuito) return contieneElementoAveria(QStringLiteral("cdsComFPtrCircuito"), eleccion.circuito);
    if (ExigeBloque) return contieneElementoAveria(QStringLiteral("cdsComFPtrBloque"), eleccion.bloque);
    return false;
}

void TFDMT_AVReparar::OlvidarEleccion() {
    for (QListWidget* l : {ListBoxBloque, ListBoxCircuito, ListBoxComponente}) quitarEleccion(l);
    eleccionVigente_ = {};
}

void TFDMT_AVReparar::NuevaLinea(const QString& accion) {
    dmCDS->NuevaLineaReparacion(practica_.CodReparacion, practica_.NumDiagnostico, MemoObser->toPlainText(),
                                accion, Ahora(), inicioIntento_, codigoElegido(ListBoxComponente),
                                codigoElegido(ListBoxCircuito), codigoElegido(ListBoxBloque));
    dmCDS->GuardarTabla(dmCDS->cdsLineaReparacion);
}

void TFDMT_AVReparar::RegistrarPaso() {
    NuevaLinea(QStringLiteral(" "));
}

bool TFDMT_AVReparar::RegistrarIntento(bool reparada) {
    if (ExigeComponente && (codigoElegido(ListBoxBloque) < 0 || codigoElegido(ListBoxCircuito) < 0 ||
                            codigoElegido(ListBoxComponente) < 0)) {
        MostrarMensaje(Texto(152), BotonesAceptar, 1);
        return false;
    }
    NuevaLinea(reparada ? QStringLiteral("R") : QString());
    if (!Tutorizada) ++practica_.NumDiagnostico;
    return true;
}

void TFDMT_AVReparar::SpeedBRepararClick() {
    if (!dmCDS) return;
    if (!EleccionCompleta()) {
        MostrarMensaje(Texto(152), BotonesAceptar, 1);
        return;
    }
    const bool correcto = DiagnosticoCorrecto();
    if (Tutorizada) {
        if (!correcto) {
            RegistrarIntento(false);
            MostrarMensaje(Texto(134), BotonesAceptar, 1);
            return;
        }
        RegistrarIntento(true);
        if (puesto_.FinalizarPractica && puesto_.FinalizarPractica()) hide();
        return;
    }
    // A right diagnosis repairs the trainer; a wrong one puts the fault back.
    const bool reles = correcto ? DesactivarAveria(true) : ActivarAveria(practica_.IdAveria, false);
    RegistrarIntento(true);
    eleccionVigente_ = EleccionActual();
    if (!reles) MostrarMensaje(Texto(146), BotonesAceptar, 2);
    if (puesto_.VolverAReparacion) puesto_.VolverAReparacion();
}

void TFDMT_AVReparar::SpeedBCancelarClick() {
    if (puesto_.VolverAReparacion) puesto_.VolverAReparacion();
    if (!dmCDS) return;
    // The steps of this visit were saved one by one; the save point takes them all back.
    dmCDS->cdsLineaReparacion->SetSavePoint(marcaLineas_);
    dmCDS->GuardarTabla(dmCDS->cdsLineaReparacion);
}

void TFDMT_AVReparar::copiarComentarios() {
    TFDMT_AVReparacion* reparacion = PanelReparacion();
    if (reparacion && reparacion->Comentarios())
        reparacion->Comentarios()->setPlainText(MemoObser->toPlainText());
}

void TFDMT_AVReparar::TimerTTotalTimer() {
    LabelTTotal->setText(Texto(202) + TextoTiempo(inicioReparacion_, Ahora()));
}

TFDMT_AVReparar* CrearPanelDiagnostico(QWidget* anfitrion, TDatosPractica& practica,
                                       double inicioReparacion) {
    if (!panel()) panel() = new TFDMT_AVReparar(practica, anfitrion);
    panel()->Preparar(inicioReparacion);
    return panel();
}

TFDMT_AVReparar* PanelDiagnostico() {
    return panel().data();
}
