#include "DMT_AVReparacion.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

#include "Cadenas.h"
#include "Colores.h"
#include "Configuracion.h"
#include "ControlesDatos.h"
#include "EstadoPractica.h"
#include "FechaHora.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "RotulosPanel.h"
#include "dmCDS.h"

namespace {

QPointer<TFDMT_AVReparacion>& panel() {
    static QPointer<TFDMT_AVReparacion> p;
    return p;
}

// Light grey of the paused look (14803425 as stored).
const QColor kGrisPausa = ColorDesdeAlmacenado(14803425);

}  // namespace

QString FiltroSintomas(const QString& nivelSintomas) {
    QStringList condiciones;
    for (const QString& nivel : PartirLista(nivelSintomas, QStringLiteral("#"))) {
        if (nivel == QLatin1String("C")) condiciones.append(QStringLiteral("cdsSinFNivel ='C'"));
        if (nivel == QLatin1String("J")) condiciones.append(QStringLiteral("cdsSinFNivel ='J'"));
    }
    if (condiciones.isEmpty()) return {};
    return condiciones.size() == 1 ? condiciones.front() : condiciones[1];
}

QString TextoTiempo(double desdeDias, double hastaDias) {
    const qint64 segundos = std::max<qint64>(0, qRound64((hastaDias - desdeDias) * 86400.0));
    return QStringLiteral("%1:%2:%3")
        .arg(segundos / 3600, 2, 10, QLatin1Char('0'))
        .arg(segundos / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(segundos % 60, 2, 10, QLatin1Char('0'));
}

TFDMT_AVReparacion::TFDMT_AVReparacion(TDatosPractica& practica, QWidget* parent)
    : QWidget(parent), practica_(practica) {
    setObjectName(QStringLiteral("FDMT_AVReparacion"));
    setProperty("Tag", 12);

    LabelTitulo = Etiqueta(this, "LabelTitulo", QStringLiteral("EN REPARACIÓN"));
    FuenteTitulo(LabelTitulo);

    GroupBoxDatos = new QGroupBox(this);
    GroupBoxDatos->setObjectName(QStringLiteral("GroupBoxDatos"));
    FadeLCodAveria = ValorPanel(GroupBoxDatos, "FadeLCodAveria");
    FadeLFecha = ValorPanel(GroupBoxDatos, "FadeLFecha");
    FadeLEstado = ValorPanel(GroupBoxDatos, "FadeLEstado");
    FadeLEstado->setText(QStringLiteral("REPARANDO"));
    DBLookupListBoxSintomas = new QListView(GroupBoxDatos);
    DBLookupListBoxSintomas->setObjectName(QStringLiteral("DBLookupListBoxSintomas"));
    DBLookupListBoxSintomas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBLookupListBoxSintomas->setWordWrap(true);
    auto* datos = new QGridLayout(GroupBoxDatos);
    datos->addWidget(Etiqueta(GroupBoxDatos, "LabelCodAveria", QStringLiteral("Código de avería:")), 0, 0);
    datos->addWidget(FadeLCodAveria, 0, 1);
    datos->addWidget(Etiqueta(GroupBoxDatos, "LabelFecha", QStringLiteral("Provocada el día:")), 1, 0);
    datos->addWidget(FadeLFecha, 1, 1);
    datos->addWidget(Etiqueta(GroupBoxDatos, "LabelEstado", QStringLiteral("Estado:")), 2, 0);
    datos->addWidget(FadeLEstado, 2, 1);
    datos->addWidget(Etiqueta(GroupBoxDatos, "LabelSintomas", QStringLiteral("Síntomas")), 3, 0,
                     Qt::AlignTop);
    datos->addWidget(DBLookupListBoxSintomas, 3, 1);

    GroupBoxTReparacion = new QGroupBox(this);
    GroupBoxTReparacion->setObjectName(QStringLiteral("GroupBoxTReparacion"));
    LabelTReparacion = Etiqueta(GroupBoxTReparacion, "LabelTReparacion",
                                QStringLiteral("Tiempo total de reparación avería 00:00:00"));
    FuenteTitulo(LabelTReparacion);
    (new QVBoxLayout(GroupBoxTReparacion))->addWidget(LabelTReparacion);

    GroupBoxReparacion = new QGroupBox(this);
    GroupBoxReparacion->setObjectName(QStringLiteral("GroupBoxReparacion"));
    DBGridReparacion = new TDBGrid(GroupBoxReparacion);
    DBGridReparacion->setObjectName(QStringLiteral("DBGridReparacion"));
    // A repair has few lines: every column can show its whole text.
    DBGridReparacion->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    MemoObser = new QPlainTextEdit(GroupBoxReparacion);
    MemoObser->setObjectName(QStringLiteral("MemoObser"));
    auto* lineas = new QVBoxLayout(GroupBoxReparacion);
    lineas->addWidget(
        Etiqueta(GroupBoxReparacion, "LabelHistorico", QStringLiteral("Histórico de la avería")));
    lineas->addWidget(DBGridReparacion, 3);
    lineas->addWidget(
        Etiqueta(GroupBoxReparacion, "LabelObserv", QStringLiteral("Comentarios sobre la avería")));
    lineas->addWidget(MemoObser, 2);

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(LabelTitulo);
    auto* arriba = new QHBoxLayout;
    arriba->addWidget(GroupBoxDatos, 3);
    arriba->addWidget(GroupBoxTReparacion, 2);
    todo->addLayout(arriba);
    todo->addWidget(GroupBoxReparacion, 1);

    TimerTTotal = new QTimer(this);
    TimerTTotal->setObjectName(QStringLiteral("TimerTTotal"));
    TimerTTotal->setInterval(1000);
    connect(TimerTTotal, &QTimer::timeout, this, &TFDMT_AVReparacion::TimerTTotalTimer);
    TimerTTotal->start();

    if (dmCDS) {
        DBLookupListBoxSintomas->setModel(new ModeloDatos(
            dmCDS->dsSintomas, {QStringLiteral("cdsSinFDescripcion")}, DBLookupListBoxSintomas));
        DBGridReparacion->SetDataSource(dmCDS->dsLineaReparacion,
                                        {"cdsLRepFAccion", "CalcBloque", "CalcCircuito", "CalcComponente",
                                         "cdsLRepFInicio", "cdsLRepFFin"});
        DBGridReparacion->SeguirUltimaFila();
        if (practica_.Estado == Reparando) MemoObser->setPlainText(dmCDS->cdsRepFObservacion->AsString());
    }
}

TFDMT_AVReparacion::~TFDMT_AVReparacion() = default;

void TFDMT_AVReparacion::Preparar(int codigoMostrado, const QString& nivelSintomas, double inicio) {
    codigoMostrado_ = codigoMostrado;
    nivelSintomas_ = nivelSintomas;
    inicio_ = inicio;
}

void TFDMT_AVReparacion::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    FijarFormActivo(this);
    // One holder per panel: what the diagnosis collects must still be there at the finish.
    if (!comentarios_) {
        comentarios_ = new QPlainTextEdit(this);
        comentarios_->setObjectName(QStringLiteral("MemoComentarios"));
        comentarios_->hide();
    }
    ponerTextos();
    if (dmCDS) {
        dmCDS->cdsEquipo->Locate(QStringLiteral("cdsEFCodEquipo"), practica_.CodEquipo);
        dmCDS->cdsSemilla->Locate(QStringLiteral("cdsSemFPtrIdAveria"), practica_.IdAveria);
        FadeLCodAveria->setText(practica_.EsProfesor() ? dmCDS->cdsSemillaPtrAvReal->AsString()
                                                       : QString::number(codigoMostrado_));
        TdmCDS::AplicarFiltro(dmCDS->cdsSintomas, FiltroSintomas(nivelSintomas_));
        dmCDS->cdsAveria->Locate(QStringLiteral("cdsAvFIdAveria"), practica_.IdAveria);
        if (!practica_.EsProfesor())
            TdmCDS::AplicarFiltro(dmCDS->cdsLineaReparacion, QStringLiteral("cdsLRepFAccion <> ''"));
    }
    FadeLFecha->setText(TextoMomento(inicio_));
    if (practica_.Estado == Reparando) FadeLEstado->setText(Texto(192));
    const int nivel = LeerNivelReparacion();
    DBGridReparacion->MostrarColumna(QStringLiteral("CalcBloque"), nivel > 2);
    DBGridReparacion->MostrarColumna(QStringLiteral("CalcCircuito"), nivel > 1);
    PintarTitulo(LabelTitulo);
    TimerTTotalTimer();
}

void TFDMT_AVReparacion::ponerTextos() {
    setWindowTitle(TextoCatalogo(19000));
    int n = 19001;
    for (const char* nombre : {"LabelTitulo", "LabelCodAveria", "LabelFecha", "LabelEstado", "FadeLEstado",
                               "LabelSintomas", "LabelTReparacion", "LabelHistorico", "LabelObserv"})
        findChild<QLabel*>(QString::fromLatin1(nombre))->setText(TextoCatalogo(n++));
    for (const char* campo :
         {"cdsLRepFAccion", "CalcBloque", "CalcCircuito", "CalcComponente", "cdsLRepFInicio", "cdsLRepFFin"})
        DBGridReparacion->TituloColumna(QString::fromLatin1(campo), TextoCatalogo(n++));
    GroupBoxDatos->setTitle(TextoCatalogo(n++));
    GroupBoxTReparacion->setTitle(TextoCatalogo(n++));
}

void TFDMT_AVReparacion::hideEvent(QHideEvent* evento) {
    QWidget::hideEvent(evento);
    FormHide();
}

QString TFDMT_AVReparacion::Observaciones() const {
    return MemoObser->toPlainText();
}

void TFDMT_AVReparacion::Finalizada() {
    FadeLEstado->setText(Texto(153));
    if (isHidden())
        FormHide();
    else
        hide();
    if (comentarios_) comentarios_->clear();
}

void TFDMT_AVReparacion::FormHide() {
    if (dmCDS) {
        TdmCDS::QuitarFiltro(dmCDS->cdsLineaReparacion);
        TdmCDS::QuitarFiltro(dmCDS->cdsSintomas);
    }
    if (FadeLEstado->text() == Texto(153)) MemoObser->clear();
}

void TFDMT_AVReparacion::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    const int alto = height() > 805 ? 156 + (height() - 800) / 2 : 156;
    DBGridReparacion->setMinimumHeight(alto);
}

void TFDMT_AVReparacion::TimerTTotalTimer() {
    LabelTReparacion->setText(Texto(202) + TextoTiempo(inicio_, Ahora()));
}

void TFDMT_AVReparacion::pintar(const QColor& fondo, bool activo) {
    for (QWidget* w : std::initializer_list<QWidget*>{FadeLCodAveria, FadeLFecha, FadeLEstado,
                                                      DBLookupListBoxSintomas, MemoObser}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, fondo);
        p.setColor(QPalette::Base, fondo);
        w->setPalette(p);
    }
    GroupBoxReparacion->setEnabled(activo);
}

void TFDMT_AVReparacion::AspectoPausado() {
    pintar(kGrisPausa, false);
}

void TFDMT_AVReparacion::AspectoActivo() {
    pintar(Qt::white, true);
}

TFDMT_AVReparacion* CrearPanelReparacion(QWidget* anfitrion, TDatosPractica& practica, int codigoMostrado,
                                         const QString& nivelSintomas, double inicio) {
    if (!panel()) panel() = new TFDMT_AVReparacion(practica, anfitrion);
    panel()->Preparar(codigoMostrado, nivelSintomas, inicio);
    return panel();
}

TFDMT_AVReparacion* PanelReparacion() {
    return panel().data();
}
