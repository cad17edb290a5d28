#include "DMT_VentanaHistorico.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "DMT_GestAlumnado.h"
#include "DMT_UtilHistorico.h"
#include "DMT_VentanaAlumnos.h"
#include "DMT_VentanaSubgrupos.h"
#include "Idioma.h"
#include "Mensajes.h"
#include "RotulosPanel.h"
#include "VistaHistorico.h"
#include "dmCDS.h"

namespace {

constexpr int kTag = 20;
constexpr int kTextoTituloAlumno = 160;
constexpr int kTextoTituloSubgrupo = 161;
constexpr int kTextoDatosAlumno = 203;
constexpr int kTextoDatosSubgrupo = 204;
// "Delete the fault from the history? Code:", and what deleting a subgroup practice does.
constexpr int kTextoBorrar = 220;
constexpr int kTextoBorrarCopiaSubgrupo = 27034;
constexpr int kTextoImportadas = 27033;
constexpr int kTextoHojaCalculo = 27022;

OpcionesVistaHistorico OpcionesNavegador() {
    OpcionesVistaHistorico opciones;
    opciones.textos = {27005, 27020, 27019, 27004, 27003, 27021, 27016,
                       27010, 27006, 27012, 27008, 27007, 27011, 27009};
    opciones.nivelVista = DMT_UtilHistorico::NivelProfesor;
    return opciones;
}

}  // namespace

TFDMT_VentanaHistorico::TFDMT_VentanaHistorico(TFDMT_GestAlumnado* gestion, TdmCDS& dm, QWidget* parent)
    : TPaginaGestion(gestion, "FDMT_VentanaHistorico", kTag, parent), dm_(dm) {
    LabelTitulo = Titulo("LabelTitulo", QStringLiteral("HISTORICO SUBGRUPO"));
    ShapeLinea = Linea("ShapeLinea");
    LabelNombreGrupo = Etiqueta(this, "LabelNombreGrupo");
    Negrita(LabelNombreGrupo);
    vista_ = new TVistaHistorico(dm_, OpcionesNavegador(), this);
    SpeedBDelAveria = Boton("SpeedBDelAveria", QString(), "Eliminar");
    SpeedBImpHistorico = Boton("SpeedBImpHistorico", QString(), "Importar");
    SpeedBTodasAverias = Boton("SpeedBTodasAverias", QString(), "Historico");
    SpeedBTodasAverias->hide();  // kept for the language file's text; it has no action
    SpeedBHojaCalculo = Boton("SpeedBHojaCalculo", QString(), "Exportar");
    BitBtnVerDatos = Boton("BitBtnVerDatos", QString(), "Datos");

    auto* botones = new QHBoxLayout;
    for (QPushButton* b : {SpeedBDelAveria, vista_->BotonImprimir(), vista_->BotonExportar(),
                           SpeedBImpHistorico, SpeedBHojaCalculo})
        botones->addWidget(b);
    botones->addStretch();
    botones->addWidget(BitBtnVerDatos);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(24, 18, 24, 18);
    todo->addWidget(LabelTitulo);
    todo->addWidget(ShapeLinea);
    todo->addSpacing(6);
    todo->addWidget(LabelNombreGrupo);
    todo->addSpacing(10);
    todo->addWidget(vista_, 1);
    todo->addSpacing(10);
    todo->addLayout(botones);

    connect(vista_, &TVistaHistorico::ModoCambiado, this, &TFDMT_VentanaHistorico::AlCambiarModo);
    connect(SpeedBDelAveria, &QPushButton::clicked, this, &TFDMT_VentanaHistorico::SpeedBDelAveriaClick);
    connect(vista_->BotonImprimir(), &QPushButton::clicked, this,
            &TFDMT_VentanaHistorico::SpeedBImprimirClick);
    connect(SpeedBImpHistorico, &QPushButton::clicked, this,
            &TFDMT_VentanaHistorico::SpeedBImpHistoricoClick);
    connect(BitBtnVerDatos, &QPushButton::clicked, this, &TFDMT_VentanaHistorico::BitBtnVerDatosClick);
    connect(SpeedBHojaCalculo, &QPushButton::clicked, this, [this] {
        if (ExportarHojaCalculo) ExportarHojaCalculo(this);
    });
}

const QString& TFDMT_VentanaHistorico::FiltroBase() const {
    return vista_->FiltroBase();
}

int TFDMT_VentanaHistorico::CodigoGrupo() const {
    return dm_.cdsGrpFCodGrupo->AsInteger();
}

int TFDMT_VentanaHistorico::CodigoEquipo() const {
    return vista_->Equipo();
}

void TFDMT_VentanaHistorico::PonerTextos() {
    setWindowTitle(Texto(27000));
    LabelTitulo->setText(Texto(EsAlumno() ? kTextoTituloAlumno : kTextoTituloSubgrupo));
    BitBtnVerDatos->setText(Texto(EsAlumno() ? kTextoDatosAlumno : kTextoDatosSubgrupo));
    SpeedBDelAveria->setText(Texto(27015));
    SpeedBImpHistorico->setText(Texto(27013));
    SpeedBTodasAverias->setText(Texto(27014));
    SpeedBHojaCalculo->setText(Texto(kTextoHojaCalculo));
    vista_->PonerTextos();
}

void TFDMT_VentanaHistorico::FormShow() {
    PonerTextos();
    const QString propietario =
        EsAlumno() ? dm_.cdsGrupoAlumno->FieldByName(QStringLiteral("CalcNCompleto"))->AsString()
                   : dm_.cdsSubFNombre->AsString();
    LabelNombreGrupo->setText(dm_.cdsGrpFNombre->AsString() + QStringLiteral(" - ") + propietario);
    SpeedBHojaCalculo->setEnabled(static_cast<bool>(ExportarHojaCalculo));
    BitBtnVerDatos->setEnabled(Gestion() != nullptr);
    PintarTituloYLinea(LabelTitulo, ShapeLinea);
    vista_->Repintar();
    // The caller's filter keeps the owner to its own practices in this group, also for a
    // student: without it, subgroup and other groups' practices would be listed and deletable.
    const QString filtroBase = dm_.cdsReparacion->Filtered() ? dm_.cdsReparacion->Filter() : QString();
    vista_->Abrir(filtroBase);
}

void TFDMT_VentanaHistorico::FormHide() {
    for (TClientDataSet* tabla : {dm_.cdsReparacion, dm_.cdsSemilla, dm_.cdsEquipo})
        TdmCDS::QuitarFiltro(tabla);
    // The difficulty page must not offer deactivated trainers afterwards.
    dm_.FiltrarEquiposActivos();
}

void TFDMT_VentanaHistorico::AlCambiarModo(int modo) {
    const bool lista = modo == DMT_UtilHistorico::ListaGeneral;
    SpeedBDelAveria->setEnabled(!lista);
    vista_->BotonExportar()->setVisible(lista && EsAlumno());
    SpeedBImpHistorico->setVisible(lista && EsAlumno());
}

QString TFDMT_VentanaHistorico::PreguntaBorrar() const {
    QString pregunta = Texto(kTextoBorrar) + QLatin1Char(' ') + vista_->TextoAveria();
    const TField* subgrupo = dm_.cdsRepFPtrSubgrupo;
    if (!subgrupo->IsNull() && subgrupo->AsInteger() >= 0) {
        const QString miembro =
            EsAlumno() ? dm_.cdsGrupoAlumno->FieldByName(QStringLiteral("CalcNCompleto"))->AsString()
                       : dm_.cdsSubgrupo->FieldByName(QStringLiteral("CalcNAlumno"))->AsString();
        pregunta += QStringLiteral("\n\n") + Texto(kTextoBorrarCopiaSubgrupo).arg(miembro);
    }
    return pregunta;
}

void TFDMT_VentanaHistorico::SpeedBDelAveriaClick() {
    if (DMT_UtilHistorico::ModoVista != DMT_UtilHistorico::UnaAveria || vista_->TextoAveria().isEmpty() ||
        !vista_->HayReparaciones())
        return;
    if (MostrarMensaje(PreguntaBorrar(), BotonesSiNo, DibujoPregunta) != mrYes) return;
    if (!dm_.BorrarAveriaHistorico()) return;
    const int equipo = vista_->Equipo();
    dm_.FiltrarReparacionesEquipo(vista_->FiltroBase(), equipo);
    if (vista_->HayReparaciones()) {
        vista_->RadioButtonUnaAveriaClick();
        return;
    }
    // That was the trainer's last practice: the trainer list changes.
    vista_->Abrir(vista_->FiltroBase());
}

void TFDMT_VentanaHistorico::SpeedBImprimirClick() {
    ContextoInformes contexto;
    contexto.origen = ContextoInformes::Origen::Historico;
    contexto.historicoSubgrupo = !EsAlumno();
    vista_->SpeedBImprimirClick(contexto);
}

void TFDMT_VentanaHistorico::SpeedBImpHistoricoClick() {
    if (!EsAlumno()) return;
    const QString archivo = ElegirArchivoHistorico(window(), false);
    if (archivo.isEmpty()) return;
    const QString filtroBase = vista_->FiltroBase();
    const int importadas = dm_.ImportarHistorico(archivo, dm_.cdsGrpAlFPtrAlumno->AsInteger(),
                                                 dm_.cdsGrpAlFPtrGrupo->AsInteger());
    vista_->Abrir(filtroBase);
    if (importadas >= 0) MostrarMensaje(Texto(kTextoImportadas).arg(importadas), BotonesAceptar, DibujoExito);
}

void TFDMT_VentanaHistorico::BitBtnVerDatosClick() {
    TFDMT_GestAlumnado* gestion = Gestion();
    if (EsAlumno())
        gestion->MostrarPagina(gestion->PaginaAlumnos());
    else
        gestion->MostrarPagina(gestion->PaginaSubgrupos());
}

void MostrarVentanaHistorico(TFDMT_GestAlumnado* gestion, const QString& tipoHistorico) {
    if (!dmCDS || !gestion) return;
    static QPointer<TFDMT_VentanaHistorico> ventana;
    if (!ventana || ventana->Gestion() != gestion)
        ventana = new TFDMT_VentanaHistorico(gestion, *dmCDS, gestion->PanelPaginas());
    ventana->TipoHistorico = tipoHistorico;
    // Shown already: it shows the history opened now.
    if (gestion->PaginaActual == ventana && ventana->isVisible())
        ventana->FormShow();
    else
        gestion->MostrarPagina(ventana);
}
