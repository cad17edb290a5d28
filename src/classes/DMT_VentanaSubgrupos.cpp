#include "DMT_VentanaSubgrupos.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ControlesDatos.h"
#include "DMT_GestAlumnado.h"
#include "DMT_NuevoAlumno.h"
#include "ErroresTablas.h"
#include "EstadoCursor.h"
#include "Idioma.h"
#include "ListaCodigos.h"
#include "Mensajes.h"
#include "RotulosPanel.h"
#include "dmCDS.h"

namespace {

constexpr int kTagSubgrupos = 4;
constexpr int kTextoFaltaNombre = 151;
constexpr int kTextoNoEsDelGrupo = 128;
constexpr int kTextoSubgrupo = 216;
constexpr int kTextoYaExiste = 217;
constexpr int kTextoQuitarAlumno = 218;
constexpr int kTextoDelSubgrupo = 219;
constexpr int kTextoEliminarSubgrupo = 223;

}  // namespace

TFDMT_VentanaSubgrupos::TFDMT_VentanaSubgrupos(TFDMT_GestAlumnado* gestion, QWidget* parent)
    : TPaginaGestion(gestion, "FDMT_VentanaSubgrupos", kTagSubgrupos, parent) {
    TdmCDS& dm = *dmCDS;
    constexpr bool TFDMT_GestAlumnado::*bandera = &TFDMT_GestAlumnado::PaginaSubgrupo;
    setWindowTitle(QStringLiteral("Subgrupos"));
    LabelTitulo = Titulo("LabelTitulo", QStringLiteral("SUBGRUPOS"));
    ShapeLinea = Linea("ShapeLinea");
    DBTextNombreGrp = new TDBText(this);
    DBTextNombreGrp->setObjectName(QStringLiteral("DBTextNombreGrp"));
    DBTextNombreGrp->SetDataSource(dm.dsSubgrupo, QStringLiteral("cdsSubFNombre"));
    Negrita(DBTextNombreGrp);

    SpeedBAddSubgrupo = Boton("SpeedBAddSubgrupo", QStringLiteral("&Nuevo subgrupo"), "Nuevo");
    SpeedBDelSubgrupo = Boton("SpeedBDelSubgrupo", QStringLiteral("&Eliminar subgrupo"), "Eliminar");
    LabelNombre = Etiqueta(this, "LabelNombre", QStringLiteral("Nombre"));
    DBEditNombre = CampoDatos("DBEditNombre", dm.dsSubgrupo, QStringLiteral("cdsSubFNombre"), bandera);
    LabelCurso = Etiqueta(this, "LabelCurso", QStringLiteral("Curso"));
    DBEditGrupo = CampoMostrado("DBEditGrupo", dm.dsSubgrupo, QStringLiteral("CalcNGrupo"));
    LabelAsignatura = Etiqueta(this, "LabelAsignatura", QStringLiteral("Asignatura"));
    DBEditAsignatura = CampoMostrado("DBEditAsignatura", dm.dsSubgrupo, QStringLiteral("cdsSubFAsignatura"));
    LabelPassword = Etiqueta(this, "LabelPassword", QStringLiteral("Contraseña"));
    DBEditPassword = CampoMostrado("DBEditPassword", dm.dsSubgrupo, QStringLiteral("cdsSubFPassword"));
    SpeedButtonImpPassword = BotonContrasenas();
    LabelObserv = Etiqueta(this, "LabelObserv", QStringLiteral("Observaciones"));
    DBMemoObserv = MemoDatos("DBMemoObserv", dm.dsSubgrupo, QStringLiteral("cdsSubFObservacion"), bandera);

    PanelAlumno = new QGroupBox(QStringLiteral("Alumnos"), this);
    PanelAlumno->setObjectName(QStringLiteral("PanelAlumno"));
    SGridAlumno = new TListaCodigos("SGridAlumno", PanelAlumno);
    SpeedBAddAlumno = Boton("SpeedBAddAlumno", QStringLiteral("&Añadir alumnos"), "AnadirAlumno");
    SpeedBDelAlumno = Boton("SpeedBDelAlumno", QStringLiteral("E&liminar alumno"), "Eliminar");
    SpeedBVerAlumno = Boton("SpeedBVerAlumno", QStringLiteral("&Ver propiedades alumno"), "Datos");
    SpeedBVerAlumno->hide();
    auto* botonesAlumno = new QHBoxLayout;
    botonesAlumno->addWidget(SpeedBAddAlumno);
    botonesAlumno->addWidget(SpeedBDelAlumno);
    botonesAlumno->addStretch();
    auto* alumnos = new QVBoxLayout(PanelAlumno);
    alumnos->addWidget(SGridAlumno, 1);
    alumnos->addLayout(botonesAlumno);
    BitBtnVerHistorico = Boton("BitBtnVerHistorico", QStringLiteral("Ver &históricos subgrupo"), "Historico");
    BitBtnAceptar = Boton("BitBtnAceptar", QStringLiteral("&Guardar cambios"), "Guardar");
    BitBtnCancel = Boton("BitBtnCancel", QStringLiteral("&Deshacer cambios"), "Deshacer");

    Ficha ficha;
    ficha.acciones = {SpeedBAddSubgrupo, SpeedBDelSubgrupo};
    ficha.campos = {
        {LabelNombre, DBEditNombre}, {LabelCurso, DBEditGrupo}, {LabelAsignatura, DBEditAsignatura}};
    ficha.etiquetaPassword = LabelPassword;
    ficha.password = DBEditPassword;
    ficha.imprimir = SpeedButtonImpPassword;
    ficha.etiquetaObservaciones = LabelObserv;
    ficha.observaciones = DBMemoObserv;
    ficha.lista = PanelAlumno;
    ficha.historico = BitBtnVerHistorico;
    QLayout* contenido = DisponerFicha(ficha);
    Disponer(LabelTitulo, ShapeLinea, DBTextNombreGrp, contenido, BitBtnAceptar, BitBtnCancel, true);

    connect(SpeedBAddSubgrupo, &QPushButton::clicked, this, &TFDMT_VentanaSubgrupos::NuevoSubgrupo);
    connect(SpeedBDelSubgrupo, &QPushButton::clicked, this, &TFDMT_VentanaSubgrupos::EliminarSubgrupo);
    connect(SpeedBAddAlumno, &QPushButton::clicked, this, &TFDMT_VentanaSubgrupos::AnadirAlumnosSubgrupo);
    connect(SpeedBDelAlumno, &QPushButton::clicked, this, &TFDMT_VentanaSubgrupos::QuitarAlumnoSubgrupo);
    connect(BitBtnVerHistorico, &QPushButton::clicked, this, &TFDMT_VentanaSubgrupos::VerHistoricoSubgrupo);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TFDMT_VentanaSubgrupos::BitBtnAceptarClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TFDMT_VentanaSubgrupos::BitBtnCancelClick);
    AspectoVacio();
}

void TFDMT_VentanaSubgrupos::ponerTextos() {
    setWindowTitle(TextoCatalogo(28000));
    LabelTitulo->setText(TextoCatalogo(28001));
    LabelNombre->setText(TextoCatalogo(28002));
    LabelAsignatura->setText(TextoCatalogo(28003));
    LabelCurso->setText(TextoCatalogo(28004));
    LabelObserv->setText(TextoCatalogo(28005));
    LabelPassword->setText(TextoCatalogo(28006));
    SpeedBVerAlumno->setText(TextoCatalogo(28007));
    SpeedBAddAlumno->setText(TextoCatalogo(28008));
    SpeedBDelAlumno->setText(TextoCatalogo(28009));
    SpeedButtonImpPassword->setText(TextoCatalogo(28010));
    SpeedBAddSubgrupo->setText(TextoCatalogo(28011));
    SpeedBDelSubgrupo->setText(TextoCatalogo(28012));
    SpeedButtonImpPassword->setToolTip(TextoCatalogo(28013));
    PanelAlumno->setTitle(TextoCatalogo(28014));
    BitBtnVerHistorico->setText(TextoCatalogo(28015));
    BitBtnAceptar->setText(TextoCatalogo(28016));
    BitBtnCancel->setText(TextoCatalogo(28017));
}

bool TFDMT_VentanaSubgrupos::hayFilas() const {
    const TClientDataSet* subgrupos = dmCDS->cdsSubgrupo;
    return subgrupos->Active() && (!subgrupos->IsEmpty() || TdmCDS::EnInsercion(subgrupos));
}

void TFDMT_VentanaSubgrupos::FormShow() {
    TFDMT_GestAlumnado* gestion = Gestion();
    gestion->PaginaSubgrupo = false;
    ponerTextos();
    if (hayFilas())
        AspectoEditable();
    else
        AspectoVacio();
    CargarAlumnosSubgrupo();
    gestion->PaginaSubgrupo = true;
    PintarTituloYLinea(LabelTitulo, ShapeLinea);
}

void TFDMT_VentanaSubgrupos::FormHide() {
    if (Gestion()) Gestion()->PaginaSubgrupo = false;
}

void TFDMT_VentanaSubgrupos::AspectoEditable() {
    vacia_ = false;
    PintarAspecto({DBEditNombre, DBMemoObserv}, {DBEditGrupo, DBEditAsignatura, DBEditPassword}, false);
    habilitarBotones(true);
}

void TFDMT_VentanaSubgrupos::AspectoVacio() {
    vacia_ = true;
    PintarAspecto({DBEditNombre, DBMemoObserv, DBEditGrupo, DBEditAsignatura, DBEditPassword}, {}, true);
    habilitarBotones(true);
}

void TFDMT_VentanaSubgrupos::habilitarBotones(bool habilitados) {
    const bool insertando = TdmCDS::EnInsercion(dmCDS->cdsSubgrupo);
    const bool conSubgrupo = habilitados && !vacia_ && !insertando;
    SpeedBAddSubgrupo->setEnabled(habilitados && !insertando);
    SpeedBDelSubgrupo->setEnabled(conSubgrupo);
    // A new subgroup, once named, may take its members before it is saved.
    SpeedBAddAlumno->setEnabled(habilitados && !vacia_);
    SpeedBDelAlumno->setEnabled(conSubgrupo);
    SpeedBVerAlumno->setEnabled(conSubgrupo);
    HabilitarConAccion(SpeedButtonImpPassword, conSubgrupo,
                       TFDMT_GestAlumnado::ImprimirContrasenas != nullptr);
    HabilitarConAccion(BitBtnVerHistorico, conSubgrupo, TFDMT_GestAlumnado::VerHistorico != nullptr);
    BitBtnAceptar->setEnabled(!vacia_);
    BitBtnCancel->setEnabled(!vacia_);
}

void TFDMT_VentanaSubgrupos::CargarAlumnosSubgrupo() {
    TdmCDS& dm = *dmCDS;
    SGridAlumno->Limpiar();
    TClientDataSet* subgrupos = dm.cdsSubgrupo;
    if (!subgrupos->Active() || !TdmCDS::EnConsulta(subgrupos)) return;
    EstadoCursor posicion(subgrupos, false);
    for (subgrupos->First(); !subgrupos->Eof(); subgrupos->Next()) {
        if (dm.cdsSubFPtrAlumno->IsNull()) continue;
        const int alumno = dm.cdsSubFPtrAlumno->AsInteger();
        SGridAlumno->Anadir(dm.NombreCompletoAlumno(alumno), alumno);
    }
}

bool TFDMT_VentanaSubgrupos::SubgrupoIncompleto() const {
    return isVisible() && hayFilas() && !TdmCDS::EnInsercion(dmCDS->cdsSubgrupo) &&
           SGridAlumno->rowCount() < 2;
}

QTreeWidgetItem* TFDMT_VentanaSubgrupos::carpetaSubgrupos() const {
    QTreeWidgetItem* grupo = TFDMT_GestAlumnado::NodoGrupo(Gestion()->TreeViewGrupos()->currentItem());
    return grupo ? grupo->child(TFDMT_GestAlumnado::CarpetaSubgrupos) : nullptr;
}

void TFDMT_VentanaSubgrupos::volverAlNodo() {
    if (QTreeWidgetItem* nodo = Gestion()->TreeViewGrupos()->currentItem()) Gestion()->MostrarNodo(nodo);
}

void TFDMT_VentanaSubgrupos::anadirNodo() {
    TdmCDS& dm = *dmCDS;
    if (QTreeWidgetItem* carpeta = carpetaSubgrupos())
        Gestion()->AnadirNodoHijo(carpeta, dm.cdsSubFNombre->AsString(), TFDMT_GestAlumnado::ImagenSubgrupo,
                                  dm.cdsSubFCodSubgrupo->AsInteger());
}

void TFDMT_VentanaSubgrupos::anadirFila() {
    TdmCDS& dm = *dmCDS;
    if (dm.cdsSubFPtrAlumno->IsNull()) return;
    const int alumno = dm.cdsSubFPtrAlumno->AsInteger();
    SGridAlumno->Anadir(dm.NombreCompletoAlumno(alumno), alumno);
}

// ------------------------------------------------ new subgroup, save and undo

void TFDMT_VentanaSubgrupos::NuevoSubgrupo() {
    TdmCDS& dm = *dmCDS;
    TFDMT_GestAlumnado* gestion = Gestion();
    gestion->BloquearPanel();
    try {
        // The new row stays in view once posted, whatever subgroup was shown.
        TdmCDS::QuitarFiltro(dm.cdsSubgrupo);
        if (dm.cdsSubgrupo->ReadOnly()) dm.cdsSubgrupo->SetReadOnly(false);
        if (!dm.cdsSubgrupo->Insert())
            throw EDatabaseError(QStringLiteral("the new subgroup could not be started"));
    } catch (const std::exception& error) {
        if (TdmCDS::EnInsercion(dm.cdsSubgrupo)) dm.cdsSubgrupo->Cancel();
        MostrarMensaje(ErroresTablas::TextoError(error), BotonesAceptar, DibujoError);
        gestion->DesbloquearPanel();
        volverAlNodo();
        return;
    }
    AspectoEditable();
    SGridAlumno->Limpiar();
    DBEditNombre->setFocus();
}

bool TFDMT_VentanaSubgrupos::nombreValido() {
    TdmCDS& dm = *dmCDS;
    const QString nombre = dm.cdsSubFNombre->AsString();
    if (nombre.trimmed().isEmpty() || !TdmCDS::CamposRequeridosLlenos(dm.cdsSubgrupo)) {
        MostrarMensaje(Texto(kTextoFaltaNombre), BotonesAceptar, DibujoAviso);
        return false;
    }
    const QVariant otro = dm.cdsSubgrupoLUp->Active()
                              ? dm.cdsSubgrupoLUp->Lookup(QStringLiteral("cdsSubFNombre"), nombre,
                                                          QStringLiteral("cdsSubFCodSubgrupo"))
                              : QVariant();
    if (!otro.isNull() && otro.toInt() != dm.cdsSubFCodSubgrupo->AsInteger()) {
        MostrarMensaje(
            Texto(kTextoSubgrupo) + QLatin1Char(' ') + nombre + QLatin1Char(' ') + Texto(kTextoYaExiste),
            BotonesAceptar, DibujoAviso);
        return false;
    }
    return true;
}

bool TFDMT_VentanaSubgrupos::GuardarSubgrupo() {
    TdmCDS& dm = *dmCDS;
    if (TdmCDS::EnConsulta(dm.cdsSubgrupo) || !nombreValido() || !dm.GuardarSubgrupo()) return false;
    anadirFila();
    return true;
}

void TFDMT_VentanaSubgrupos::BitBtnAceptarClick() {
    TdmCDS& dm = *dmCDS;
    TFDMT_GestAlumnado* gestion = Gestion();
    const bool insertando = TdmCDS::EnInsercion(dm.cdsSubgrupo);
    if (!TdmCDS::EnConsulta(dm.cdsSubgrupo)) {
        if (!GuardarSubgrupo()) {
            // A refused name leaves the row as typed; a change that could not be written is gone.
            if (TdmCDS::EnConsulta(dm.cdsSubgrupo)) {
                gestion->DesbloquearPanel();
                volverAlNodo();
            }
            return;
        }
        QTreeWidgetItem* seleccionado = gestion->TreeViewGrupos()->currentItem();
        if (insertando)
            anadirNodo();
        else if (seleccionado && seleccionado->parent() == carpetaSubgrupos())
            gestion->RenombrarNodo(seleccionado, dm.cdsSubFNombre->AsString());
    }
    gestion->DesbloquearPanel();
    AspectoEditable();
}

void TFDMT_VentanaSubgrupos::BitBtnCancelClick() {
    TdmCDS& dm = *dmCDS;
    if (!TdmCDS::EnConsulta(dm.cdsSubgrupo)) dm.cdsSubgrupo->Cancel();
    dm.Modificado = false;
    Gestion()->DesbloquearPanel();
    volverAlNodo();
}

// ------------------------------------------------ members

void TFDMT_VentanaSubgrupos::AnadirAlumnosSubgrupo() {
    TdmCDS& dm = *dmCDS;
    TFDMT_GestAlumnado* gestion = Gestion();
    if (!hayFilas() || !dm.cdsGrupoAlumno->Active() || dm.cdsGrupoAlumno->IsEmpty()) return;
    // A new subgroup is saved with its first member: its name must do first.
    if (TdmCDS::EnInsercion(dm.cdsSubgrupo) && !nombreValido()) return;
    gestion->BloquearPanel();
    habilitarBotones(false);
    const std::optional<QList<int>> elegidos = ElegirAlumnos(this, SGridAlumno->Codigos());
    bool escrito = true;
    for (int alumno : elegidos.value_or(QList<int>{})) {
        if (!dm.AlumnoEnGrupo(alumno)) {
            MostrarMensaje(Texto(kTextoNoEsDelGrupo) + QLatin1Char(' ') + dm.cdsGrpFNombre->AsString(),
                           BotonesAceptar, DibujoAviso);
            break;
        }
        const bool nuevo = TdmCDS::EnInsercion(dm.cdsSubgrupo);
        escrito = dm.AnadirAlumnoSubgrupo(alumno);
        if (!escrito) break;
        if (nuevo) anadirNodo();
        SGridAlumno->Anadir(dm.NombreCompletoAlumno(alumno), alumno);
    }
    if (TdmCDS::EnInsercion(dm.cdsSubgrupo)) {
        habilitarBotones(true);  // still being inserted: the tree waits
        return;
    }
    gestion->DesbloquearPanel();
    if (escrito)
        AspectoEditable();
    else
        volverAlNodo();  // the members stay as they were saved
}

void TFDMT_VentanaSubgrupos::QuitarAlumnoSubgrupo() {
    TdmCDS& dm = *dmCDS;
    const std::optional<int> alumno = SGridAlumno->CodigoActual();
    if (!hayFilas() || TdmCDS::EnInsercion(dm.cdsSubgrupo) || !alumno) return;
    if (MostrarMensaje(Texto(kTextoQuitarAlumno) + QLatin1Char(' ') + SGridAlumno->TextoActual() +
                           QLatin1Char(' ') + Texto(kTextoDelSubgrupo),
                       BotonesSiNo, DibujoPregunta) != mrYes)
        return;
    if (!dm.QuitarAlumnoSubgrupo(*alumno)) {
        volverAlNodo();
        return;
    }
    SGridAlumno->Quitar(*alumno);
}

void TFDMT_VentanaSubgrupos::EliminarSubgrupo() {
    TdmCDS& dm = *dmCDS;
    TFDMT_GestAlumnado* gestion = Gestion();
    if (!hayFilas() || TdmCDS::EnInsercion(dm.cdsSubgrupo)) return;
    if (MostrarMensaje(Texto(kTextoEliminarSubgrupo), BotonesSiNo, DibujoPregunta) != mrYes) return;
    QTreeWidgetItem* carpeta = carpetaSubgrupos();
    if (!dm.EliminarSubgrupo()) {
        volverAlNodo();
        return;
    }
    QTreeWidgetItem* seleccionado = gestion->TreeViewGrupos()->currentItem();
    if (seleccionado && seleccionado->parent() == carpeta) gestion->BorrarNodoSeleccionado();
    if (carpeta) gestion->SeleccionarNodo(carpeta);
}

void TFDMT_VentanaSubgrupos::VerHistoricoSubgrupo() {
    if (!TFDMT_GestAlumnado::VerHistorico || !hayFilas() || TdmCDS::EnInsercion(dmCDS->cdsSubgrupo)) return;
    if (!dmCDS->PrepararHistoricoSubgrupo()) return;
    TFDMT_GestAlumnado::VerHistorico(Gestion(), QStringLiteral("Subgrupo"));
}
