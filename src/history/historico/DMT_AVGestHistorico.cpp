#include "DMT_AVGestHistorico.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "Colores.h"
#include "DMT_AVDisfuncion.h"
#include "DMT_AVReparacion.h"
#include "DMT_AVReparar.h"
#include "DMT_GestAverias.h"
#include "DMT_UtilHistorico.h"
#include "Idioma.h"
#include "PaginaGestion.h"
#include "PanelesIncrustados.h"
#include "RotulosPanel.h"
#include "VistaHistorico.h"
#include "dmCDS.h"

namespace {

constexpr int kTag = 14;

OpcionesVistaHistorico OpcionesPuesto(int tipoUsuario) {
    OpcionesVistaHistorico opciones;
    opciones.textos = {17003, 17015, 17014, 17002, 17011, 17012, 17017,
                       17007, 17004, 17010, 17006, 17005, 17009, 17008};
    opciones.nivelVista = tipoUsuario;
    opciones.profesorEnPuesto = tipoUsuario != UsuarioAlumno && tipoUsuario != UsuarioSubgrupo;
    opciones.numeroReal = false;
    opciones.textoNoReparada = 176;
    opciones.soloLineasConAccion = true;
    return opciones;
}

}  // namespace

TFDMT_AVGestHistorico::TFDMT_AVGestHistorico(TFDMT_GestAverias* puesto, TdmCDS& dm, QWidget* parent)
    : QWidget(parent), puesto_(puesto), dm_(dm) {
    setObjectName(QStringLiteral("FDMT_AVGestHistorico"));
    setProperty("Tag", kTag);
    LabelTitulo = Etiqueta(this, "LabelTitulo", QStringLiteral("HISTÓRICOS"));
    FuenteTitulo(LabelTitulo);
    ShapeLinea = new QWidget(this);
    ShapeLinea->setObjectName(QStringLiteral("ShapeLinea"));
    ShapeLinea->setFixedHeight(3);
    ShapeLinea->setAutoFillBackground(true);
    vista_ = new TVistaHistorico(dm_, OpcionesPuesto(TipoUsuario()), this);
    SpeedBSalir = new QPushButton(Glifo("Salir"), QString(), this);
    SpeedBSalir->setObjectName(QStringLiteral("SpeedBSalir"));
    SpeedBSalir->setIconSize(QSize(20, 20));
    SpeedBSalir->setMinimumHeight(32);

    auto* botones = new QHBoxLayout;
    botones->addWidget(vista_->BotonImprimir());
    botones->addWidget(vista_->BotonExportar());
    botones->addStretch();
    botones->addWidget(SpeedBSalir);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(24, 18, 24, 18);
    todo->addWidget(LabelTitulo);
    todo->addWidget(ShapeLinea);
    todo->addSpacing(10);
    todo->addWidget(vista_, 1);
    todo->addSpacing(10);
    todo->addLayout(botones);

    connect(vista_, &TVistaHistorico::ModoCambiado, this, &TFDMT_AVGestHistorico::AlCambiarModo);
    connect(vista_->BotonImprimir(), &QPushButton::clicked, this,
            &TFDMT_AVGestHistorico::SpeedBImprimirClick);
    connect(SpeedBSalir, &QPushButton::clicked, this, &TFDMT_AVGestHistorico::SpeedBSalirClick);
}

int TFDMT_AVGestHistorico::TipoUsuario() const {
    return puesto_->DatosPractica.TipoUsuario;
}

void TFDMT_AVGestHistorico::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (evento->spontaneous() || mostrado_) return;
    mostrado_ = true;
    FormShow();
}

void TFDMT_AVGestHistorico::hideEvent(QHideEvent* evento) {
    QWidget::hideEvent(evento);
    if (evento->spontaneous() || !std::exchange(mostrado_, false)) return;
    FormHide();
}

void TFDMT_AVGestHistorico::PonerTextos() {
    setWindowTitle(Texto(17000));
    LabelTitulo->setText(Texto(17001));
    SpeedBSalir->setText(Texto(17018));
    vista_->PonerTextos();
}

TFDMT_AVGestHistorico::Guardado TFDMT_AVGestHistorico::Tomar(TClientDataSet* tabla) {
    return {tabla->Filter(), tabla->Filtered(), tabla->GetBookmark()};
}

void TFDMT_AVGestHistorico::Devolver(TClientDataSet* tabla, const Guardado& guardado) {
    tabla->SetFilter(guardado.filtro);
    tabla->SetFiltered(guardado.filtrado);
    try {
        tabla->GotoBookmark(guardado.fila);
    } catch (const std::exception&) {
        // The row is gone with the filter it was found under: the first one stays current.
    }
}

void TFDMT_AVGestHistorico::FormShow() {
    PonerTextos();
    PintarTitulo(LabelTitulo);
    PintarFondo(ShapeLinea, ColorAcento());
    vista_->Repintar();
    reparaciones_ = Tomar(dm_.cdsReparacion);
    semillas_ = Tomar(dm_.cdsSemilla);
    TdmCDS::QuitarFiltro(dm_.cdsSemilla);
    // A subgroup sees only what it practised as that subgroup.
    const QString filtroSubgrupo =
        TipoUsuario() == UsuarioSubgrupo
            ? QStringLiteral("cdsRepFPtrSubgrupo = ") + QString::number(puesto_->DatosPractica.CodSubgrupo)
            : QString();
    TdmCDS::QuitarFiltro(dm_.cdsReparacion);
    vista_->Abrir(filtroSubgrupo);
}

void TFDMT_AVGestHistorico::FormHide() {
    for (TClientDataSet* tabla : {dm_.cdsReparacion, dm_.cdsLineaReparacion}) TdmCDS::QuitarFiltro(tabla);
    Devolver(dm_.cdsReparacion, reparaciones_);
    Devolver(dm_.cdsSemilla, semillas_);
    // The practice goes on with the activated trainers and the detected one's tables.
    dm_.FiltrarEquiposActivos();
    if (puesto_->DatosPractica.CodEquipo > 0)
        dm_.cdsEquipo->Locate(QStringLiteral("cdsEFCodEquipo"), puesto_->DatosPractica.CodEquipo);
}

void TFDMT_AVGestHistorico::AlCambiarModo(int modo) {
    vista_->BotonExportar()->setVisible(modo == DMT_UtilHistorico::ListaGeneral &&
                                        TipoUsuario() == UsuarioAlumno);
}

void TFDMT_AVGestHistorico::SpeedBImprimirClick() {
    ContextoInformes contexto;
    contexto.origen = ContextoInformes::Origen::Puesto;
    contexto.tipoUsuario = TipoUsuario();
    vista_->SpeedBImprimirClick(contexto);
}

void TFDMT_AVGestHistorico::SpeedBSalirClick() {
    TdmCDS::QuitarFiltro(dm_.cdsSemilla);
    hide();
    QWidget* panel = nullptr;
    switch (puesto_->DatosPractica.Estado) {
        case Disfuncion:
            panel = PanelDisfuncion();
            break;
        case Reparando:
        case Pausada:
            panel = PanelReparacion();
            break;
        case Diagnosticando:
            panel = PanelDiagnostico();
            break;
        default:
            break;
    }
    if (panel) MostrarFormEnPanel(panel, puesto_->PanelForms());
}

void MostrarHistoricoPuesto(TFDMT_GestAverias* puesto) {
    if (!dmCDS || !puesto) return;
    static QPointer<TFDMT_AVGestHistorico> panel;
    if (!panel || panel->parentWidget() != puesto->PanelForms())
        panel = new TFDMT_AVGestHistorico(puesto, *dmCDS, puesto->PanelForms());
    MostrarFormEnPanel(panel, puesto->PanelForms());
}
