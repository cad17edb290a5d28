#include "DMT_VentanaAlumnos.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ControlesDatos.h"
#include "DMT_GestAlumnado.h"
#include "ErroresTablas.h"
#include "EstadoCursor.h"
#include "Idioma.h"
#include "ListaCodigos.h"
#include "Mensajes.h"
#include "RotulosPanel.h"
#include "TextosCampos.h"
#include "dmCDS.h"

namespace {

constexpr int kTagAlumnos = 3;
constexpr int kTextoEliminarAlumno = 122;

// The name a member's node shows: "Apellido1 Apellido2, Nombre" of the student record.
QString nombreNodo(const TdmCDS& dm) {
    return TextosCampos::NombreCompleto(dm.cdsAFApellido1->AsString(), dm.cdsAFApellido2->AsString(),
                                        dm.cdsAFNombre->AsString());
}

}  // namespace

TFDMT_VentanaAlumnos::TFDMT_VentanaAlumnos(TFDMT_GestAlumnado* gestion, QWidget* parent)
    : TPaginaGestion(gestion, "FDMT_VentanaAlumnos", kTagAlumnos, parent) {
    TdmCDS& dm = *dmCDS;
    constexpr bool TFDMT_GestAlumnado::*bandera = &TFDMT_GestAlumnado::PaginaAlumno;
    setWindowTitle(QStringLiteral("Alumnos"));
    LabelTitulo = Titulo("LabelTitulo", QStringLiteral("ALUMNOS"));
    ShapeLinea = Linea("ShapeLinea");
    DBTextNombreGrp = new TDBText(this);
    DBTextNombreGrp->setObjectName(QStringLiteral("DBTextNombreGrp"));
    DBTextNombreGrp->SetDataSource(dm.dsGrupo, QStringLiteral("cdsGrpFNombre"));
    Negrita(DBTextNombreGrp);

    SpeedButtonNewAlumno = Boton("SpeedButtonNewAlumno", QStringLiteral("&Nuevo  alumno"), "Nuevo");
    SpeedButtonAddAlumno = Boton("SpeedButtonAddAlumno", QStringLiteral("&Añadir alumno"), "AnadirAlumno");
    SpeedButtonAddAlumno->hide();
    SpeedButtonDelAlumno = Boton("SpeedButtonDelAlumno", QStringLiteral("&Eliminar  alumno"), "Eliminar");
    BitBtnImportarLista = Boton("BitBtnImportarLista", QStringLiteral("Importar lista…"), "Importar");

    LabelSubTitulo = Etiqueta(this, "LabelSubTitulo", QStringLiteral("Datos Personales"));
    Negrita(LabelSubTitulo);
    LabelNombre = Etiqueta(this, "LabelNombre", QStringLiteral("Nombre"));
    DBEditNombre = CampoDatos("DBEditNombre", dm.dsAlumno, QStringLiteral("cdsAFNombre"), bandera);
    LabelApellido1 = Etiqueta(this, "LabelApellido1", QStringLiteral("Primer apellido"));
    DBEditApellido1 = CampoDatos("DBEditApellido1", dm.dsAlumno, QStringLiteral("cdsAFApellido1"), bandera);
    LabelApellido2 = Etiqueta(this, "LabelApellido2", QStringLiteral("Segundo apellido"));
    DBEditApellido2 = CampoDatos("DBEditApellido2", dm.dsAlumno, QStringLiteral("cdsAFApellido2"), bandera);
    LabelCurso = Etiqueta(this, "LabelCurso", QStringLiteral("Curso"));
    DBEditGrupo = CampoMostrado("DBEditGrupo", dm.dsGrupoAlumno, QStringLiteral("CalcNGrupo"));
    LabelAsignatura = Etiqueta(this, "LabelAsignatura", QStringLiteral("Asignatura"));
    DBEditAsignatura =
        CampoMostrado("DBEditAsignatura", dm.dsGrupoAlumno, QStringLiteral("cdsGrpAlFAsignatura"));
    LabelContrasena = Etiqueta(this, "LabelContrasena", QStringLiteral("Contraseña"));
    DBEditPassword = CampoMostrado("DBEditPassword", dm.dsGrupoAlumno, QStringLiteral("CalcPassword"));
    SpeedButtonImpPassword = BotonContrasenas();
    LabelObserv = Etiqueta(this, "LabelObserv", QStringLiteral("Observaciones"));
    DBMemoObserv =
        MemoDatos("DBMemoObserv", dm.dsGrupoAlumno, QStringLiteral("cdsGrpAlFObservaciones"), bandera);

    PanelSubgrupos = new QGroupBox(QStringLiteral("Subgrupos a los que pertenece"), this);
    PanelSubgrupos->setObjectName(QStringLiteral("PanelSubgrupos"));
    SGridSubgrupo = new TListaCodigos("SGridSubgrupo", PanelSubgrupos);
    SpeedButtonSubgrupos =
        Boton("SpeedButtonSubgrupos", QStringLiteral("&Ver propiedades subgrupo"), "Datos");
    SpeedButtonSubgrupos->hide();
    BitBtnVerHistorico = Boton("BitBtnVerHistorico", QStringLiteral("Ver &histórico alumno"), "Historico");
    auto* subgrupos = new QVBoxLayout(PanelSubgrupos);
    subgrupos->addWidget(SGridSubgrupo);
    BitBtnAceptar = Boton("BitBtnAceptar", QStringLiteral("&Guardar cambios"), "Guardar");
    BitBtnCancel = Boton("BitBtnCancel", QStringLiteral("&Deshacer cambios"), "Deshacer");

    Ficha ficha;
    ficha.acciones = {SpeedButtonNewAlumno, SpeedButtonDelAlumno, BitBtnImportarLista};
    ficha.subtitulo = LabelSubTitulo;
    ficha.campos = {{LabelNombre, DBEditNombre},
                    {LabelApellido1, DBEditApellido1},
                    {LabelApellido2, DBEditApellido2},
                    {LabelCurso, DBEditGrupo},
                    {LabelAsignatura, DBEditAsignatura}};
    ficha.etiquetaPassword = LabelContrasena;
    ficha.password = DBEditPassword;
    ficha.imprimir = SpeedButtonImpPassword;
    ficha.etiquetaObservaciones = LabelObserv;
    ficha.observaciones = DBMemoObserv;
    ficha.lista = PanelSubgrupos;
    ficha.historico = BitBtnVerHistorico;
    QLayout* contenido = DisponerFicha(ficha);
    Disponer(LabelTitulo, ShapeLinea, DBTextNombreGrp, contenido, BitBtnAceptar, BitBtnCancel, true);

    connect(SpeedButtonNewAlumno, &QPushButton::clicked, this, &TFDMT_VentanaAlumnos::AltaAlumno);
    connect(SpeedButtonDelAlumno, &QPushButton::clicked, this, &TFDMT_VentanaAlumnos::QuitarAlumnoGrupo);
    connect(BitBtnImportarLista, &QPushButton::clicked, this, [this] {
        if (ImportarLista) ImportarLista(this);
    });
    connect(BitBtnVerHistorico, &QPushButton::clicked, this, &TFDMT_VentanaAlumnos::VerHistoricoAlumno);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TFDMT_VentanaAlumnos::BitBtnAceptarClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TFDMT_VentanaAlumnos::BitBtnCancelClick);
    AspectoVacio();
}

void TFDMT_VentanaAlumnos::ponerTextos() {
    setWindowTitle(TextoCatalogo(25000));
    LabelTitulo->setText(TextoCatalogo(25001));
    LabelSubTitulo->setText(TextoCatalogo(25002));
    LabelNombre->setText(TextoCatalogo(25003));
    LabelCurso->setText(TextoCatalogo(25004));
    LabelObserv->setText(TextoCatalogo(25005));
    LabelAsignatura->setText(TextoCatalogo(25006));
    LabelContrasena->setText(TextoCatalogo(25007));
    LabelApellido1->setText(TextoCatalogo(25008));
    LabelApellido2->setText(TextoCatalogo(25009));
    SpeedButtonNewAlumno->setText(TextoCatalogo(25010));
    SpeedButtonAddAlumno->setText(TextoCatalogo(25011));
    SpeedButtonDelAlumno->setText(TextoCatalogo(25012));
    SpeedButtonSubgrupos->setText(TextoCatalogo(25013));
    SpeedButtonImpPassword->setText(TextoCatalogo(25014));
    BitBtnVerHistorico->setText(TextoCatalogo(25015));
    BitBtnAceptar->setText(TextoCatalogo(25016));
    BitBtnCancel->setText(TextoCatalogo(25017));
    SpeedButtonImpPassword->setToolTip(TextoCatalogo(25018));
    PanelSubgrupos->setTitle(TextoCatalogo(25019));
    BitBtnImportarLista->setText(TextoCatalogo(25020));
}

bool TFDMT_VentanaAlumnos::hayMiembros() const {
    const TClientDataSet* miembros = dmCDS->cdsGrupoAlumno;
    return miembros->Active() && (!miembros->IsEmpty() || TdmCDS::EnInsercion(miembros));
}

void TFDMT_VentanaAlumnos::FormShow() {
    TFDMT_GestAlumnado* gestion = Gestion();
    gestion->PaginaAlumno = false;
    ponerTextos();
    if (hayMiembros())
        AspectoEditable();
    else
        AspectoVacio();
    filtrarSubgrupos();
    CargarSubgruposAlumno();
    gestion->PaginaAlumno = true;
    PintarTituloYLinea(LabelTitulo, ShapeLinea);
}

void TFDMT_VentanaAlumnos::FormHide() {
    // The subgroup filter is the tree's: it has already set the one of the page coming next.
    SGridSubgrupo->Limpiar();
    if (Gestion()) Gestion()->PaginaAlumno = false;
}

void TFDMT_VentanaAlumnos::AspectoEditable() {
    vacia_ = false;
    PintarAspecto({DBEditNombre, DBEditApellido1, DBEditApellido2, DBMemoObserv},
                  {DBEditGrupo, DBEditAsignatura, DBEditPassword}, false);
    habilitarBotones(!TdmCDS::EnInsercion(dmCDS->cdsGrupoAlumno));
}

void TFDMT_VentanaAlumnos::AspectoVacio() {
    vacia_ = true;
    PintarAspecto({DBEditNombre, DBEditApellido1, DBEditApellido2, DBMemoObserv, DBEditGrupo,
                   DBEditAsignatura, DBEditPassword},
                  {}, true);
    // The student record may be on someone of another group: nothing of him is shown.
    for (TDBEdit* nombre : {DBEditNombre, DBEditApellido1, DBEditApellido2}) nombre->clear();
    habilitarBotones(true);
}

void TFDMT_VentanaAlumnos::habilitarBotones(bool habilitados) {
    const bool conMiembro = habilitados && !vacia_;
    SpeedButtonNewAlumno->setEnabled(habilitados);
    SpeedButtonDelAlumno->setEnabled(conMiembro);
    HabilitarConAccion(SpeedButtonImpPassword, conMiembro,
                       TFDMT_GestAlumnado::ImprimirContrasenas != nullptr);
    HabilitarConAccion(BitBtnVerHistorico, conMiembro, TFDMT_GestAlumnado::VerHistorico != nullptr);
    HabilitarConAccion(BitBtnImportarLista, habilitados, ImportarLista != nullptr);
    BitBtnAceptar->setEnabled(!vacia_);
    BitBtnCancel->setEnabled(!vacia_);
}

void TFDMT_VentanaAlumnos::filtrarSubgrupos() {
    TdmCDS& dm = *dmCDS;
    if (!dm.cdsSubgrupo->Active()) return;
    // A student being inserted belongs to no subgroup yet.
    const int alumno =
        hayMiembros() && !TdmCDS::EnInsercion(dm.cdsGrupoAlumno) ? dm.cdsGrpAlFPtrAlumno->AsInteger() : -99;
    TdmCDS::AplicarFiltro(dm.cdsSubgrupo, QStringLiteral("cdsSubFPtrAlumno = ") + QString::number(alumno));
}

void TFDMT_VentanaAlumnos::CargarSubgruposAlumno() {
    TdmCDS& dm = *dmCDS;
    SGridSubgrupo->Limpiar();
    TClientDataSet* subgrupos = dm.cdsSubgrupo;
    if (!subgrupos->Active() || !TdmCDS::EnConsulta(subgrupos)) return;
    EstadoCursor posicion(subgrupos, false);
    for (subgrupos->First(); !subgrupos->Eof(); subgrupos->Next())
        if (!dm.cdsSubFCodSubgrupo->IsNull())
            SGridSubgrupo->Anadir(dm.cdsSubFNombre->AsString(), dm.cdsSubFCodSubgrupo->AsInteger());
}

QTreeWidgetItem* TFDMT_VentanaAlumnos::carpetaAlumnos() const {
    QTreeWidgetItem* grupo = TFDMT_GestAlumnado::NodoGrupo(Gestion()->TreeViewGrupos()->currentItem());
    return grupo ? grupo->child(TFDMT_GestAlumnado::CarpetaAlumnos) : nullptr;
}

void TFDMT_VentanaAlumnos::volverAlNodo() {
    if (QTreeWidgetItem* nodo = Gestion()->TreeViewGrupos()->currentItem()) Gestion()->MostrarNodo(nodo);
}

// ------------------------------------------------ new student, save and undo

void TFDMT_VentanaAlumnos::AltaAlumno() {
    TdmCDS& dm = *dmCDS;
    TFDMT_GestAlumnado* gestion = Gestion();
    gestion->BloquearPanel();
    habilitarBotones(false);
    try {
        if (dm.cdsGrupoAlumno->ReadOnly()) dm.cdsGrupoAlumno->SetReadOnly(false);
        // The member first: the student's insertion gives the code the member points to.
        if (!dm.cdsGrupoAlumno->Insert() || !dm.cdsAlumno->Insert())
            throw EDatabaseError(QStringLiteral("the new student could not be started"));
        dm.cdsGrpAlFPtrGrupo->SetValue(dm.cdsGrpFCodGrupo->Value());
        dm.cdsGrpAlFPtrAlumno->SetValue(dm.cdsAFCodAlumno->Value());
    } catch (const std::exception& error) {
        for (TClientDataSet* tabla : {dm.cdsGrupoAlumno, dm.cdsAlumno})
            if (!TdmCDS::EnConsulta(tabla)) tabla->Cancel();
        MostrarMensaje(ErroresTablas::TextoError(error), BotonesAceptar, DibujoError);
        gestion->DesbloquearPanel();
        volverAlNodo();
        return;
    }
    AspectoEditable();
    SGridSubgrupo->Limpiar();
    DBEditNombre->setFocus();
}

bool TFDMT_VentanaAlumnos::GuardarAlumno() {
    return dmCDS->GuardarAlumno(dmCDS->cdsGrpFCodGrupo->AsInteger());
}

void TFDMT_VentanaAlumnos::BitBtnAceptarClick() {
    TdmCDS& dm = *dmCDS;
    TFDMT_GestAlumnado* gestion = Gestion();
    const bool nuevo = TdmCDS::EnInsercion(dm.cdsGrupoAlumno);
    const bool editado = nuevo || !TdmCDS::EnConsulta(dm.cdsAlumno) || !TdmCDS::EnConsulta(dm.cdsGrupoAlumno);
    if (editado && !GuardarAlumno()) {
        // Nothing was kept: the page shows the member of the node again.
        gestion->DesbloquearPanel();
        volverAlNodo();
        return;
    }
    if (editado) {
        const QString texto = nombreNodo(dm);
        const int codigo = dm.cdsAFCodAlumno->AsInteger();
        QTreeWidgetItem* seleccionado = gestion->TreeViewGrupos()->currentItem();
        if (nuevo) {
            if (QTreeWidgetItem* carpeta = carpetaAlumnos())
                gestion->AnadirNodoHijo(carpeta, texto, TFDMT_GestAlumnado::ImagenAlumno, codigo);
        } else if (seleccionado && TFDMT_GestAlumnado::CodigoNodo(seleccionado) == codigo &&
                   seleccionado->parent()) {
            gestion->RenombrarNodo(seleccionado, texto);
        }
    }
    gestion->DesbloquearPanel();
    filtrarSubgrupos();
    CargarSubgruposAlumno();
    AspectoEditable();
}

void TFDMT_VentanaAlumnos::BitBtnCancelClick() {
    TdmCDS& dm = *dmCDS;
    for (TClientDataSet* tabla : {dm.cdsGrupoAlumno, dm.cdsAlumno})
        if (!TdmCDS::EnConsulta(tabla)) tabla->Cancel();
    dm.Modificado = false;
    Gestion()->DesbloquearPanel();
    volverAlNodo();
}

// ------------------------------------------------ removing, history

void TFDMT_VentanaAlumnos::QuitarAlumnoGrupo() {
    TdmCDS& dm = *dmCDS;
    if (!hayMiembros() || TdmCDS::EnInsercion(dm.cdsGrupoAlumno)) return;
    TFDMT_GestAlumnado* gestion = Gestion();
    const int codigo = dm.cdsGrpAlFPtrAlumno->AsInteger();
    const QString nombre = dm.cdsGrupoAlumnoCalcNCompleto->AsString();
    if (MostrarMensaje(Texto(kTextoEliminarAlumno) + QLatin1Char(' ') + nombre + QLatin1Char('?'),
                       BotonesSiNo, DibujoPregunta) != mrYes)
        return;
    QTreeWidgetItem* carpeta = carpetaAlumnos();
    if (!dm.QuitarAlumnoGrupo()) {
        volverAlNodo();
        return;
    }
    QTreeWidgetItem* seleccionado = gestion->TreeViewGrupos()->currentItem();
    if (seleccionado && seleccionado->parent() == carpeta &&
        TFDMT_GestAlumnado::CodigoNodo(seleccionado) == codigo)
        gestion->BorrarNodoSeleccionado();
    // A subgroup whose only member he was is gone with him.
    if (carpeta) gestion->RecargarSubgruposGrupo(carpeta->parent());
    if (carpeta) gestion->SeleccionarNodo(carpeta);
}

void TFDMT_VentanaAlumnos::VerHistoricoAlumno() {
    if (!TFDMT_GestAlumnado::VerHistorico || !hayMiembros() || TdmCDS::EnInsercion(dmCDS->cdsGrupoAlumno))
        return;
    if (!dmCDS->PrepararHistoricoAlumno()) return;
    TFDMT_GestAlumnado::VerHistorico(Gestion(), QStringLiteral("Alumno"));
}

void TFDMT_VentanaAlumnos::RecargarAlumnos() {
    TFDMT_GestAlumnado* gestion = Gestion();
    QTreeWidgetItem* carpeta = carpetaAlumnos();
    if (!carpeta) return;
    // The student selected in the tree: the cursors may have moved with what came in.
    QTreeWidgetItem* seleccionado = gestion->TreeViewGrupos()->currentItem();
    const std::optional<int> antes = seleccionado && seleccionado->parent() == carpeta
                                         ? TFDMT_GestAlumnado::CodigoNodo(seleccionado)
                                         : std::nullopt;
    // The folder read again moves the selection to its first student, if it has any.
    gestion->SeleccionarNodo(carpeta);
    for (int i = 0; antes && i < carpeta->childCount(); ++i)
        if (TFDMT_GestAlumnado::CodigoNodo(carpeta->child(i)) == antes) {
            gestion->SeleccionarNodo(carpeta->child(i));
            return;
        }
}
