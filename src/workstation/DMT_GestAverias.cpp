#include "DMT_GestAverias.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <utility>

#include "Ayuda.h"
#include "Cadenas.h"
#include "Colores.h"
#include "ComBrd415.h"
#include "DMT_AVDetectarEquipo.h"
#include "DMT_AVDisfuncion.h"
#include "DMT_AVFinalizar.h"
#include "DMT_AVProvocar.h"
#include "DMT_AVReparacion.h"
#include "DMT_AVReparar.h"
#include "DMT_Brd415.h"
#include "EnlaceDatosEntrenador.h"
#include "EnlaceEntrenador.h"
#include "FechaHora.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "Mensajes.h"
#include "PanelesIncrustados.h"
#include "dmCDS.h"

namespace {

// "The practice could not be recorded: the fault was not provoked".
constexpr int kTextoPracticaNoRegistrada = 232;

// Colour of the state box (13559037 as stored).
const QColor kColorMotor = ColorDesdeAlmacenado(13559037);

const char* const kImagenesEstado[] = {"Reparando",         "Disfuncion", "Diagnosticando",
                                       "ReparacionEnCurso", "Pausada",    "EntrenadorPresente",
                                       "SinEntrenador"};

QIcon iconoBarra(const char* nombre) {
    const QString base = QStringLiteral("images\\toolbar\\") + QString::fromLatin1(nombre);
    QIcon icono;
    icono.addPixmap(QPixmap(Instalacion::Ruta(base + QStringLiteral(".png"))), QIcon::Normal);
    const QPixmap apagado(Instalacion::Ruta(base + QStringLiteral("_des.png")));
    if (!apagado.isNull()) icono.addPixmap(apagado, QIcon::Disabled);
    return icono;
}

// A status memo that breaks its lines between words only: a word wider than the memo (a
// state text in a narrow window) makes the letters smaller instead.
class MemoEstado : public QPlainTextEdit {
public:
    explicit MemoEstado(QWidget* parent) : QPlainTextEdit(parent) {
        setWordWrapMode(QTextOption::WordWrap);
        connect(this, &QPlainTextEdit::textChanged, this, &MemoEstado::Ajustar);
    }
    void FijarLetra(const QFont& letra) {
        letraBase_ = letra;
        setFont(letra);
        Ajustar();
    }

protected:
    void resizeEvent(QResizeEvent* evento) override {
        QPlainTextEdit::resizeEvent(evento);
        Ajustar();
    }

private:
    void Ajustar() {
        const int ancho = viewport()->width() - 2 * static_cast<int>(document()->documentMargin()) - 2;
        QFont letra = letraBase_;
        while (letra.pointSizeF() > kLetraMinima && PalabraMasAncha(letra) > ancho)
            letra.setPointSizeF(letra.pointSizeF() - 0.5);
        if (letra != font()) setFont(letra);
    }
    int PalabraMasAncha(const QFont& letra) const {
        const QFontMetrics medida(letra);
        int ancho = 0;
        for (const QString& palabra : toPlainText().split(QRegularExpression(QStringLiteral("\\s+"))))
            ancho = std::max(ancho, medida.horizontalAdvance(palabra));
        return ancho;
    }

    static constexpr qreal kLetraMinima = 6;
    QFont letraBase_;
};

// The client area: the product's logo on a card while no practice panel is shown.
class PanelFormsConLogo : public QWidget {
public:
    explicit PanelFormsConLogo(QWidget* parent)
        : QWidget(parent),
          logo(Instalacion::Ruta(QStringLiteral("images\\Logo.bmp"))),
          texto(Instalacion::Ruta(QStringLiteral("images\\TextoLogo.bmp"))) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (FormEnPanel(this) || (logo.isNull() && texto.isNull())) return;
        const int margen = 28;
        const QSize tarjeta(std::max(logo.width(), texto.width()) + 2 * margen,
                            logo.height() + texto.height() + 2 * margen);
        QRect caja(QPoint(0, 0), tarjeta);
        caja.moveCenter(rect().center());
        QPainter pintor(this);
        pintor.setRenderHint(QPainter::Antialiasing);
        pintor.setPen(Qt::NoPen);
        pintor.setBrush(Qt::white);
        pintor.drawRoundedRect(caja, 18, 18);
        pintor.drawPixmap(caja.center().x() - logo.width() / 2, caja.top() + margen, logo);
        pintor.drawPixmap(caja.center().x() - texto.width() / 2, caja.top() + margen + logo.height(), texto);
    }

private:
    const QPixmap logo;
    const QPixmap texto;
};

}  // namespace

QPixmap ImagenEstado(int imagen) {
    if (imagen < 0 || imagen > 6) return {};
    return QPixmap(Instalacion::Ruta(QStringLiteral("images\\estado\\") +
                                     QString::fromLatin1(kImagenesEstado[imagen]) + QStringLiteral(".png")));
}

TFDMT_GestAverias::TFDMT_GestAverias(int tipoUsuario, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("FDMT_GestAverias"));
    setProperty("Tag", 10);
    setWindowTitle(QStringLiteral("Sistema interáctivo de reparación de averías"));
    DatosPractica.TipoUsuario = tipoUsuario;
    crearBarra();
    crearMenu();
    PanelForms_ = new PanelFormsConLogo(this);
    PanelForms_->setObjectName(QStringLiteral("PanelForms"));
    setCentralWidget(PanelForms_);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TFDMT_GestAverias::Timer1Timer);
    Brd415 = std::make_unique<TComBrd415>();
    EnlazarEntrenador(Brd415.get(), dmCDS ? dmCDS->cdsAveria : nullptr, &DatosPractica);
    resize(1024, 720);
}

TFDMT_GestAverias::~TFDMT_GestAverias() {
    FijarEnlaceEntrenador({});
}

void TFDMT_GestAverias::Timer1Timer() {
    Timer1->stop();
    DetectarEntrenador(DatosPractica, this);
    MostrarEntrenador();
    ActualizarEstado();
    RecuperarReparacionPausada();
}

// The running repair is found by its code: after a pause closes and a resume reopens the
// tables, the current row is the oldest practice.
bool TFDMT_GestAverias::LocalizarReparacion() {
    return dmCDS->cdsReparacion->Locate(QStringLiteral("cdsRepFCodReparacion"), DatosPractica.CodReparacion);
}

void TFDMT_GestAverias::RecuperarReparacionPausada() {
    if (!dmCDS || DatosPractica.EsProfesor() || !dmCDS->cdsReparacion->Active()) return;
    TClientDataSet* reparaciones = dmCDS->cdsReparacion;
    const bool tutorizada = dmCDS->cdsGrpFTutorizada->AsBoolean();
    bool encontrada = false;
    for (reparaciones->First(); !reparaciones->Eof() && !encontrada; reparaciones->Next()) {
        encontrada = dmCDS->cdsRepFEstado->AsString() == QLatin1String("P") &&
                     dmCDS->cdsRepFPtrAlumno->AsInteger() == DatosPractica.CodAlumno &&
                     dmCDS->cdsRepFPtrGrupo->AsInteger() == DatosPractica.CodGrupo &&
                     dmCDS->cdsRepFPtrSubgrupo->AsInteger() == DatosPractica.CodSubgrupo &&
                     dmCDS->cdsRepFPtrEquipo->AsInteger() == DatosPractica.CodEquipo &&
                     dmCDS->cdsRepFTutorizada->AsBoolean() == tutorizada;
        if (encontrada) break;
    }
    if (!encontrada) return;
    DatosPractica.Estado = Pausada;
    DatosPractica.IdAveria = dmCDS->cdsRepFPtrIdAveria->AsInteger();
    DatosPractica.CodReparacion = dmCDS->cdsRepFCodReparacion->AsInteger();
    DatosPractica.Inicio = dmCDS->cdsRepFInicio->AsDateTime();
    TdmCDS::AplicarFiltro(
        dmCDS->cdsSemilla,
        QStringLiteral("cdsSemFPtrIdAveria =") + QString::number(DatosPractica.IdAveria) +
            QStringLiteral(" and cdsSemFTutorizada = ") +
            (dmCDS->cdsRepFTutorizada->AsBoolean() ? QStringLiteral("True") : QStringLiteral("False")));
    DatosPractica.CodVirtual = dmCDS->cdsSemFCodVirtual->AsInteger();
    TClientDataSet* lineas = dmCDS->cdsLineaReparacion;
    lineas->Last();
    if (!lineas->IsEmpty())
        DatosPractica.NumDiagnostico = std::max(1, dmCDS->cdsLRepFNumDiagnostico->AsInteger());
    MostrarBotonPausa(true);
    TFDMT_AVReparacion* panel =
        CrearPanelReparacion(PanelForms_, DatosPractica, DatosPractica.CodVirtual,
                             dmCDS->cdsGrpFNSintomas->AsString(), DatosPractica.Inicio);
    MostrarFormEnPanel(panel, PanelForms_);
    panel->AspectoPausado();
    ActualizarEstado();
}

bool TFDMT_GestAverias::FinalizarPractica() {
    if (!dmCDS) return false;
    const int estado = DatosPractica.Estado;
    if (estado == Reparando || estado == Diagnosticando) {
        bool cerrada = false;
        if (dmCDS->cdsGrpFTutorizada->AsBoolean()) {
            cerrada = CerrarReparacion(true);
        } else {
            const int respuesta = FinalizarDialogo(this);
            if (respuesta == mrCancel) return false;
            cerrada = CerrarReparacion(respuesta == mrYes);
        }
        DesactivarAveria(false);
        // Members get a copy of a finished practice only.
        if (cerrada && DatosPractica.TipoUsuario == UsuarioSubgrupo) dmCDS->CopiarReparacionSubgrupo();
        if (TFDMT_AVReparacion* panel = PanelReparacion()) panel->Finalizada();
        // The next practice is judged on a diagnosis of its own.
        if (TFDMT_AVReparar* diagnostico = PanelDiagnostico()) diagnostico->OlvidarEleccion();
        DatosPractica.OlvidarPractica();
    } else if (estado == Disfuncion) {
        DesactivarAveria(false);
        if (TFDMT_AVDisfuncion* panel = PanelDisfuncion()) panel->hide();
        DatosPractica.OlvidarPractica();
    }
    DatosPractica.Estado = Libre;
    dmCDS->cdsReparacion->Close();
    dmCDS->cdsLineaReparacion->Close();
    ActualizarEstado();
    VolverAReparacionEnPausa();
    return true;
}

// A dysfunction watched while a repair was paused gives the repair back, still paused.
void TFDMT_GestAverias::VolverAReparacionEnPausa() {
    if (!std::exchange(reparacionEnEspera_, false)) return;
    dmCDS->cdsReparacion->Open();
    dmCDS->cdsLineaReparacion->Open();
    RecuperarReparacionPausada();
}

bool TFDMT_GestAverias::CerrarReparacion(bool reparada) {
    TClientDataSet* reparaciones = dmCDS->cdsReparacion;
    TClientDataSet* lineas = dmCDS->cdsLineaReparacion;
    const int marcaReparaciones = reparaciones->SavePoint();
    const int marcaLineas = lineas->SavePoint();
    TFDMT_AVReparacion* panel = PanelReparacion();
    try {
        if (!LocalizarReparacion() || !reparaciones->Edit())
            throw EDatabaseError(QStringLiteral("no repair"));
        dmCDS->cdsRepFEstado->SetAsString(QStringLiteral("F"));
        dmCDS->cdsRepFFin->SetAsDateTime(Ahora());
        lineas->Last();
        dmCDS->cdsRepFResp->SetAsBoolean(reparada);
        dmCDS->cdsRepFCorrecta->SetAsBoolean(DiagnosticoCorrecto());
        dmCDS->cdsRepFDuracion->SetAsString(dmCDS->CalcularDuracion());
        if (panel) dmCDS->cdsRepFObservacion->SetAsString(panel->Observaciones());
        if (!reparaciones->Post()) throw EDatabaseError(QStringLiteral("finish not stored"));
        const double ahora = Ahora();
        if (!dmCDS->NuevaLineaReparacion(
                DatosPractica.CodReparacion, DatosPractica.NumDiagnostico,
                panel && panel->Comentarios() ? panel->Comentarios()->toPlainText() : QString(),
                QStringLiteral("F"), ahora, ahora, {}, {}, {}))
            throw EDatabaseError(QStringLiteral("finish line not stored"));
        const bool correcta = dmCDS->cdsRepFCorrecta->AsBoolean();
        MostrarMensaje(Texto(correcta ? 157 : 175), BotonesAceptar, correcta ? DibujoExito : DibujoError);
        return true;
    } catch (const std::exception&) {
        // The practice still ends; what was half written goes back.
        if (reparaciones->State() != dsBrowse) reparaciones->Cancel();
        reparaciones->SetSavePoint(marcaReparaciones);
        lineas->SetSavePoint(marcaLineas);
        return false;
    }
}

bool TFDMT_GestAverias::DiagnosticoCorrecto() const {
    const TFDMT_AVReparar* diagnostico = PanelDiagnostico();
    return diagnostico && diagnostico->DiagnosticoCorrecto();
}

void TFDMT_GestAverias::ItemRepararaveriaClick() {
    if (!dmCDS || DatosPractica.Estado != Reparando) return;
    DatosPractica.Estado = Diagnosticando;
    ActualizarEstado();
    TFDMT_AVReparar* diagnostico = CrearPanelDiagnostico(PanelForms_, DatosPractica, DatosPractica.Inicio);
    diagnostico->FijarPuesto({[this] { VolverAReparacion(); }, [this] { return FinalizarPractica(); },
                              [this] { ActualizarEstado(); }});
    if (TFDMT_AVReparacion* reparacion = PanelReparacion()) reparacion->hide();
    MostrarFormEnPanel(diagnostico, PanelForms_);
}

void TFDMT_GestAverias::VolverAReparacion() {
    DatosPractica.Estado = Reparando;
    if (TFDMT_AVReparacion* reparacion = PanelReparacion()) MostrarFormEnPanel(reparacion, PanelForms_);
    ActualizarEstado();
}

void TFDMT_GestAverias::ItemProvocardisfuncionClick() {
    const bool habiaPausada = DatosPractica.Estado == Pausada;
    if (!ElegirAveria(QStringLiteral("Disfuncion"))) return;
    reparacionEnEspera_ = habiaPausada;
    DatosPractica.Estado = Disfuncion;
    ActualizarEstado();
    if (!ActivarAveria(DatosPractica.IdAveria, false)) {
        RelesRechazados();
        DatosPractica.OlvidarPractica();
        ActualizarEstado();
        VolverAReparacionEnPausa();
        return;
    }
    dmCDS->cdsAveria->Locate(QStringLiteral("cdsAvFIdAveria"), DatosPractica.IdAveria);
    TFDMT_AVDisfuncion* panel = CrearPanelDisfuncion(PanelForms_, DatosPractica, DatosPractica.CodVirtual,
                                                     dmCDS->cdsGrpFNSintomas->AsString(), Ahora());
    if (panel) MostrarFormEnPanel(panel, PanelForms_);
}

void TFDMT_GestAverias::MItemVerhistoricoClick() {
    if (!dmCDS) return;
    dmCDS->cdsReparacion->Open();
    dmCDS->cdsLineaReparacion->Open();
    if (dmCDS->cdsReparacion->IsEmpty()) {
        MostrarMensaje(Texto(172), BotonesAceptar, 0);
        return;
    }
    if (MostrarHistorico) MostrarHistorico(this);
}

void TFDMT_GestAverias::ItemPausaReanudaraveriaClick() {
    if (!dmCDS) return;
    if (BtnPausa->text() == Texto(101))
        Pausar();
    else
        Reanudar();
}

void TFDMT_GestAverias::Pausar() {
    try {
        if (LocalizarReparacion() && dmCDS->cdsReparacion->Edit()) {
            dmCDS->cdsRepFEstado->SetAsString(QStringLiteral("P"));
            dmCDS->cdsReparacion->Post();
        }
    } catch (const EDatabaseError&) {
        // The pause line below still records it.
    }
    dmCDS->NuevaLineaReparacion(DatosPractica.CodReparacion, DatosPractica.NumDiagnostico, QString(),
                                QStringLiteral("P"), 0, Ahora(), {}, {}, {});
    MostrarBotonPausa(true);
    DatosPractica.Estado = Pausada;
    DesactivarAveria(false);
    if (TFDMT_AVReparacion* panel = PanelReparacion()) panel->AspectoPausado();
    dmCDS->cdsReparacion->Close();
    dmCDS->cdsLineaReparacion->Close();
    ActualizarEstado();
}

void TFDMT_GestAverias::Reanudar() {
    TClientDataSet* reparaciones = dmCDS->cdsReparacion;
    TClientDataSet* lineas = dmCDS->cdsLineaReparacion;
    reparaciones->Open();
    lineas->Open();
    const int marcaReparaciones = reparaciones->SavePoint();
    const int marcaLineas = lineas->SavePoint();
    bool reles = false;
    bool registrada = true;
    try {
        if (LocalizarReparacion() && reparaciones->Edit()) {
            dmCDS->cdsRepFEstado->SetAsString(QStringLiteral("R"));
            reparaciones->Post();
        }
        for (lineas->First(); !lineas->Eof(); lineas->Next()) {
            if (dmCDS->cdsLRepFPtrReparacion->AsInteger() != DatosPractica.CodReparacion ||
                dmCDS->cdsLRepFAccion->AsString() != QLatin1String("P") || !dmCDS->cdsLRepFFin->IsNull())
                continue;
            lineas->Edit();
            dmCDS->cdsLRepFFin->SetAsDateTime(Ahora());
            lineas->Post();
            break;
        }
        TFDMT_AVReparacion* panel =
            CrearPanelReparacion(PanelForms_, DatosPractica, DatosPractica.CodVirtual,
                                 dmCDS->cdsGrpFNSintomas->AsString(), DatosPractica.Inicio);
        reles = ActivarAveria(DatosPractica.IdAveria, false);
        if (reles) MostrarFormEnPanel(panel, PanelForms_);
    } catch (const EDatabaseError&) {
        registrada = false;
    }
    if (!reles || !registrada) {
        // The repair stays paused, as recorded, and none of its relays stays on (a fault
        // of several relays may have taken some of them).
        DesactivarAveria(false);
        reparaciones->SetSavePoint(marcaReparaciones);
        lineas->SetSavePoint(marcaLineas);
        dmCDS->SalvarTabla(reparaciones);
        dmCDS->SalvarTabla(lineas);
        if (registrada) MostrarMensaje(Texto(146), BotonesAceptar, 2);
        return;
    }
    DatosPractica.Estado = Reparando;
    MostrarBotonPausa(false);
    if (TFDMT_AVReparacion* panel = PanelReparacion()) panel->AspectoActivo();
    ActualizarEstado();
}

QToolButton* TFDMT_GestAverias::nuevoBoton(const char* nombre, const char* imagen, const QString& texto) {
    auto* b = new QToolButton(BarraHtas);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setIcon(iconoBarra(imagen));
    b->setText(texto);
    b->setIconSize(QSize(60, 60));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setMinimumWidth(84);
    BarraHtas->addWidget(b);
    return b;
}

void TFDMT_GestAverias::crearBarra() {
    BarraHtas = new QToolBar(this);
    BarraHtas->setObjectName(QStringLiteral("BarraHtas"));
    BarraHtas->setMovable(false);
    BarraHtas->setFloatable(false);
    addToolBar(Qt::TopToolBarArea, BarraHtas);
    BtnAveria = nuevoBoton("BtnAveria", "Averia", QStringLiteral("&Avería"));
    BtnDisfuncion = nuevoBoton("BtnDisfuncion", "Disfuncion", QStringLiteral("&Disfunción"));
    BtnReparar = nuevoBoton("BtnReparar", "Reparar", QStringLiteral("&Reparar"));
    BtnPausa = nuevoBoton("BtnPausa", "Pausa", QStringLiteral("&Pausa"));
    BtnFinalizar = nuevoBoton("BtnFinalizar", "Finalizar", QStringLiteral("&Finalizar"));
    BarraHtas->addSeparator();
    BtnHistorico = nuevoBoton("BtnHistorico", "Historico", QStringLiteral("&Histórico"));
    BarraHtas->addSeparator();
    BtnAyuda = nuevoBoton("BtnAyuda", "Ayuda", QStringLiteral("A&yuda"));
    BtnSalir = nuevoBoton("BtnSalir", "Salir", QStringLiteral("&Salir"));
    crearPanelMotor();
    connect(BtnAyuda, &QToolButton::clicked, this, [] { AbrirAyuda(2); });
    connect(BtnAveria, &QToolButton::clicked, this, &TFDMT_GestAverias::ItemProvocaraveriaClick);
    connect(BtnPausa, &QToolButton::clicked, this, &TFDMT_GestAverias::ItemPausaReanudaraveriaClick);
    connect(BtnReparar, &QToolButton::clicked, this, &TFDMT_GestAverias::ItemRepararaveriaClick);
    connect(BtnDisfuncion, &QToolButton::clicked, this, &TFDMT_GestAverias::ItemProvocardisfuncionClick);
    connect(BtnHistorico, &QToolButton::clicked, this, &TFDMT_GestAverias::MItemVerhistoricoClick);
    connect(BtnFinalizar, &QToolButton::clicked, this, &TFDMT_GestAverias::FinalizarPractica);
    connect(BtnSalir, &QToolButton::clicked, this, &QWidget::close);
}

void TFDMT_GestAverias::crearPanelMotor() {
    // The state box fills the rest of the toolbar's width.
    PanelMotor = new QWidget(BarraHtas);
    PanelMotor->setObjectName(QStringLiteral("PanelMotor"));
    PanelMotor->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    PintarFondo(PanelMotor, kColorMotor);
    ImageInfor = new QLabel(PanelMotor);
    ImageInfor->setObjectName(QStringLiteral("ImageInfor"));
    ImageInfor->setFixedSize(64, 64);
    auto nuevoMemo = [this](const char* nombre) {
        auto* m = new MemoEstado(PanelMotor);
        m->setObjectName(QString::fromLatin1(nombre));
        m->setReadOnly(true);
        m->setFrameShape(QFrame::NoFrame);
        m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m->setFixedHeight(52);
        m->setFocusPolicy(Qt::NoFocus);
        QPalette p = m->palette();
        p.setColor(QPalette::Base, kColorMotor);
        m->setPalette(p);
        QFont letra = m->font();
        letra.setBold(true);
        m->FijarLetra(letra);
        return m;
    };
    MemoInfor1 = nuevoMemo("MemoInfor1");
    MemoInfor2 = nuevoMemo("MemoInfor2");
    auto* fila = new QHBoxLayout(PanelMotor);
    fila->setContentsMargins(10, 4, 10, 4);
    fila->addWidget(ImageInfor);
    fila->addWidget(MemoInfor1, 1);
    fila->addWidget(MemoInfor2, 1);
    BarraHtas->addWidget(PanelMotor);
}

void TFDMT_GestAverias::crearMenu() {
    QMenuBar* barra = menuBar();
    barra->setObjectName(QStringLiteral("MMenuAverias"));
    auto accion = [this](QMenu* menu, const char* nombre, const QString& texto) {
        auto* a = menu->addAction(texto);
        a->setObjectName(QString::fromLatin1(nombre));
        return a;
    };
    auto menu = [barra](const char* nombre, const QString& texto) {
        QMenu* m = barra->addMenu(texto);
        m->setObjectName(QString::fromLatin1(nombre));
        return m;
    };
    MItemAveria = menu("MItemAveria", QStringLiteral("&Avería"));
    ItemProvocaraveria = accion(MItemAveria, "ItemProvocaraveria", QStringLiteral("Provocar avería"));
    ItemPausaReanudaraveria =
        accion(MItemAveria, "ItemPausaReanudaraveria", QStringLiteral("Pausa/Reanudar avería"));
    ItemRepararaveria = accion(MItemAveria, "ItemRepararaveria", QStringLiteral("Reparar avería"));
    ItemFinalizarreparacionaveria =
        accion(MItemAveria, "ItemFinalizarreparacionaveria", QStringLiteral("Finalizar reparación avería"));
    MItemDisfuncion = menu("MItemDisfuncion", QStringLiteral("&Disfunción"));
    ItemProvocardisfuncion =
        accion(MItemDisfuncion, "ItemProvocardisfuncion", QStringLiteral("Provocar disfunción"));
    ItemFinalizardisfuncion =
        accion(MItemDisfuncion, "ItemFinalizardisfuncion", QStringLiteral("Finalizar disfunción"));
    MItemDPersonales = barra->addAction(QStringLiteral("D&atos personales"));
    MItemDPersonales->setObjectName(QStringLiteral("MItemDPersonales"));
    MItemVerhistorico = barra->addAction(QStringLiteral("&Histórico"));
    MItemVerhistorico->setObjectName(QStringLiteral("MItemVerhistorico"));
    MItemSalir = barra->addAction(QStringLiteral("&Salir"));
    MItemSalir->setObjectName(QStringLiteral("MItemSalir"));
    MItemAyuda = menu("MItemAyuda", QStringLiteral("A&yuda"));
    ItemAyuda = accion(MItemAyuda, "ItemAyuda", QStringLiteral("Contenido"));
    connect(ItemAyuda, &QAction::triggered, this, [] { AbrirAyuda(2); });
    connect(ItemProvocaraveria, &QAction::triggered, this, &TFDMT_GestAverias::ItemProvocaraveriaClick);
    connect(ItemPausaReanudaraveria, &QAction::triggered, this,
            &TFDMT_GestAverias::ItemPausaReanudaraveriaClick);
    connect(ItemRepararaveria, &QAction::triggered, this, &TFDMT_GestAverias::ItemRepararaveriaClick);
    connect(ItemProvocardisfuncion, &QAction::triggered, this,
            &TFDMT_GestAverias::ItemProvocardisfuncionClick);
    connect(MItemSalir, &QAction::triggered, this, &QWidget::close);
    connect(MItemVerhistorico, &QAction::triggered, this, &TFDMT_GestAverias::MItemVerhistoricoClick);
    connect(ItemFinalizarreparacionaveria, &QAction::triggered, this, &TFDMT_GestAverias::FinalizarPractica);
    connect(ItemFinalizardisfuncion, &QAction::triggered, this, &TFDMT_GestAverias::FinalizarPractica);
    connect(MItemDPersonales, &QAction::triggered, this, [this] {
        if (MostrarDatosPersonales) MostrarDatosPersonales(DatosPractica.TipoUsuario);
    });
}

void TFDMT_GestAverias::ponerTextos() {
    setWindowTitle(TextoCatalogo(22000));
    int n = 22001;
    for (QToolButton* b :
         {BtnAveria, BtnDisfuncion, BtnReparar, BtnPausa, BtnFinalizar, BtnHistorico, BtnAyuda, BtnSalir})
        b->setText(TextoCatalogo(n++));
    MItemAveria->setTitle(TextoCatalogo(n++));
    for (QAction* a :
         {ItemProvocaraveria, ItemPausaReanudaraveria, ItemRepararaveria, ItemFinalizarreparacionaveria})
        a->setText(TextoCatalogo(n++));
    MItemDisfuncion->setTitle(TextoCatalogo(n++));
    ItemProvocardisfuncion->setText(TextoCatalogo(n++));
    ItemFinalizardisfuncion->setText(TextoCatalogo(n++));
    MItemDPersonales->setText(TextoCatalogo(n++));
    MItemVerhistorico->setText(TextoCatalogo(n++));
    MItemSalir->setText(TextoCatalogo(n++));
    MItemAyuda->setTitle(TextoCatalogo(n++));
    ItemAyuda->setText(TextoCatalogo(n++));
    for (QToolButton* b :
         {BtnAveria, BtnDisfuncion, BtnReparar, BtnPausa, BtnFinalizar, BtnHistorico, BtnSalir})
        b->setToolTip(TextoCatalogo(n++));
}

void TFDMT_GestAverias::showEvent(QShowEvent* evento) {
    QMainWindow::showEvent(evento);
    FijarFormActivo(this);
    if (evento->spontaneous()) return;
    if (!historicoAbierto_ && !AbrirHistoricoUsuario()) {
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    InicializarPractica();
    ponerTextos();
    const QColor acento = ColorAcento();
    for (QPlainTextEdit* memo : {MemoInfor1, MemoInfor2}) {
        QPalette p = memo->palette();
        p.setColor(QPalette::Text, acento.darker(160));
        memo->setPalette(p);
    }
    if (dmCDS) dmCDS->FiltrarEquiposActivos();
    // The toolbar stays off until the start timer has looked for the trainer.
    Timer1->start();
}

void TFDMT_GestAverias::ItemProvocaraveriaClick() {
    if (ElegirAveria(QStringLiteral("Reparar"))) EmpezarReparacion();
}

bool TFDMT_GestAverias::ElegirAveria(const QString& modo) {
    if (!dmCDS) return false;
    // A finished practice closed them, and the dialog leaves out what they hold.
    dmCDS->cdsReparacion->Open();
    dmCDS->cdsLineaReparacion->Open();
    // The history panel puts back the filters and the trainer it found as it hides.
    if (QWidget* historico = FormEnPanel(PanelForms_);
        historico && historico->objectName() == kPanelHistorico)
        historico->hide();
    const bool elegida = ProvocarDialogo(modo, DatosPractica, this) == QDialog::Accepted;
    MostrarEntrenador();  // the dialog may have looked for it again
    return elegida;
}

void TFDMT_GestAverias::MostrarEntrenador() {
    hayEntrenador_ = DatosPractica.CodEquipo > 0;
    EscribirMemo(MemoInfor1, Texto(144) + QLatin1Char(':'),
                 hayEntrenador_ ? dmCDS->cdsEFDescripcion->AsString().trimmed() : Texto(171));
}

void TFDMT_GestAverias::RelesRechazados() {
    // No half-provoked fault may stay on the trainer.
    DesactivarAveria(false);
    MostrarMensaje(Texto(146), BotonesAceptar, 2);
}

bool TFDMT_GestAverias::EmpezarReparacion() {
    if (!ActivarAveria(DatosPractica.IdAveria, false)) {
        RelesRechazados();
        return false;
    }
    DatosPractica.Inicio = Ahora();
    DatosPractica.Estado = Reparando;
    ActualizarEstado();
    dmCDS->cdsAveria->Locate(QStringLiteral("cdsAvFIdAveria"), DatosPractica.IdAveria);
    const QString nivelSintomas = dmCDS->cdsGrpFNSintomas->AsString();
    DatosPractica.CodReparacion = dmCDS->NuevaReparacion(
        DatosPractica.CodAlumno, DatosPractica.CodGrupo, dmCDS->cdsGrpFTutorizada->AsBoolean(),
        dmCDS->cdsGrpFNReparacion->AsString(), nivelSintomas, QStringLiteral("R"), DatosPractica.Inicio,
        DatosPractica.CodEquipo, DatosPractica.IdAveria, DatosPractica.CodSubgrupo);
    if (DatosPractica.CodReparacion < 0) {
        // A practice that is not recorded does not run: its lines would land in another one.
        DesactivarAveria(false);
        DatosPractica.OlvidarPractica();
        ActualizarEstado();
        MostrarMensaje(Texto(kTextoPracticaNoRegistrada), BotonesAceptar, 2);
        return false;
    }
    dmCDS->NuevaLineaReparacion(DatosPractica.CodReparacion, DatosPractica.NumDiagnostico, QString(),
                                QStringLiteral("A"), DatosPractica.Inicio, DatosPractica.Inicio, {}, {}, {});
    TFDMT_AVReparacion* panel = CrearPanelReparacion(PanelForms_, DatosPractica, DatosPractica.CodVirtual,
                                                     nivelSintomas, DatosPractica.Inicio);
    MostrarBotonPausa(false);
    MostrarFormEnPanel(panel, PanelForms_);
    panel->AspectoActivo();
    return true;
}

void TFDMT_GestAverias::closeEvent(QCloseEvent* evento) {
    // Decided on the state: the practice tables may be closed at this moment. A paused
    // repair does not keep the window open; it is taken up at the next opening.
    const int estado = DatosPractica.Estado;
    if (estado == Reparando || estado == Diagnosticando || estado == Disfuncion) {
        MostrarMensaje(Texto(estado == Disfuncion ? 182 : 181), BotonesAceptar, 1);
        evento->ignore();
        return;
    }
    LiberarFormsPanel(PanelForms_);
    if (dmCDS) dmCDS->CerrarEdiciones();
    if (DatosPractica.CodEquipo != 0) CerrarEntrenador();
    QMainWindow::closeEvent(evento);
    emit Cerrada();
}

// The teacher practises on the templates, which keep nothing; a student or subgroup on
// the logged student's own history, created at the first practice.
bool TFDMT_GestAverias::AbrirHistoricoUsuario() {
    if (!dmCDS) return true;
    const QString usuario = DatosPractica.EsProfesor() ? QStringLiteral("PROFESOR")
                                                       : FormatoCodigo(dmCDS->cdsAFCodAlumno->AsInteger());
    historicoAbierto_ = dmCDS->AbrirHistoricoUsuario(usuario);
    return historicoAbierto_;
}

void TFDMT_GestAverias::InicializarPractica() {
    // Help stays available in every state; the state table sets the others.
    for (QToolButton* b :
         {BtnAveria, BtnDisfuncion, BtnReparar, BtnPausa, BtnFinalizar, BtnHistorico, BtnSalir})
        b->setEnabled(false);
    const int tipo = DatosPractica.TipoUsuario;
    DatosPractica = TDatosPractica{};
    DatosPractica.TipoUsuario = tipo;
    if (dmCDS && !DatosPractica.EsProfesor()) {
        DatosPractica.CodAlumno = dmCDS->cdsAFCodAlumno->AsInteger();
        DatosPractica.CodGrupo = dmCDS->cdsGrpFCodGrupo->AsInteger();
        if (tipo == UsuarioSubgrupo) DatosPractica.CodSubgrupo = dmCDS->cdsSubFCodSubgrupo->AsInteger();
    }
    EscribirMemo(MemoInfor1, Texto(144) + QLatin1Char(':'), QString());
    EscribirMemo(MemoInfor2, Texto(149), QString());
    MItemDPersonales->setEnabled(!DatosPractica.EsProfesor());
    if (dmCDS) dmCDS->Modulo = QStringLiteral("Averias");
}

bool MostrarGestAverias(int tipoUsuario, const std::function<void()>& alAbrir) {
    TFDMT_GestAverias ventana(tipoUsuario);
    if (!ventana.AbrirHistoricoUsuario()) return false;
    if (alAbrir) alAbrir();
    ventana.setWindowModality(Qt::ApplicationModal);
    QEventLoop bucle;
    QObject::connect(&ventana, &TFDMT_GestAverias::Cerrada, &bucle, &QEventLoop::quit);
    ventana.showMaximized();
    bucle.exec();
    return true;
}

void TFDMT_GestAverias::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_F1) {
        AbrirAyuda(2);
        return;
    }
    QMainWindow::keyPressEvent(evento);
}

void TFDMT_GestAverias::MostrarBotonPausa(bool enPausa) {
    BtnPausa->setText(Texto(enPausa ? 102 : 101));
    BtnPausa->setIcon(iconoBarra(enPausa ? "Reanudar" : "Pausa"));
}

void TFDMT_GestAverias::fijarActivo(const QString& nombre, bool activo) {
    if (auto* boton = findChild<QToolButton*>(nombre))
        boton->setEnabled(activo);
    else if (auto* menu = findChild<QMenu*>(nombre))
        menu->menuAction()->setEnabled(activo);
    else if (auto* accion = findChild<QAction*>(nombre))
        accion->setEnabled(activo);
}

void TFDMT_GestAverias::mostrarImagenInfor(int imagen) {
    // The box is cleared with its colour before the picture is drawn.
    QPixmap lienzo(64, 64);
    lienzo.fill(kColorMotor);
    QPainter pintor(&lienzo);
    pintor.drawPixmap(0, 0, ImagenEstado(imagen));
    pintor.end();
    ImageInfor->setPixmap(lienzo);
}

void TFDMT_GestAverias::EscribirMemo(QPlainTextEdit* memo, const QString& primera, const QString& segunda) {
    memo->setPlainText(primera + QLatin1Char('\n') + segunda);
}

void TFDMT_GestAverias::ActualizarEstado() {
    const bool disfuncion = dmCDS && dmCDS->cdsGrupo->Active() && dmCDS->cdsGrpFDisfuncion->AsBoolean();
    const AspectoEstado aspecto =
        CalcularAspecto(DatosPractica.Estado, disfuncion, DatosPractica.EsProfesor(), hayEntrenador_);
    for (auto it = aspecto.activos.begin(); it != aspecto.activos.end(); ++it)
        fijarActivo(it->first, it->second);
    mostrarImagenInfor(aspecto.imagen);
    ImageInfor->setToolTip(aspecto.textoPista ? Texto(aspecto.textoPista) : QString());
    EscribirMemo(MemoInfor2, Texto(149), aspecto.textoEstado ? Texto(aspecto.textoEstado) : QString());
}
