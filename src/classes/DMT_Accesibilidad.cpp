#include "DMT_Accesibilidad.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Colores.h"
#include "Configuracion.h"
#include "DMT_GestAlumnado.h"
#include "Idioma.h"
#include "Mensajes.h"
#include "NivelesGrupo.h"
#include "RotulosPanel.h"
#include "dmCDS.h"

namespace {

constexpr int kTagAcceso = 2;
constexpr int kTextoNoGuardado = 117;

QString filtroEquipo(const QVariant& equipo) {
    return QStringLiteral("cdsSemFPtrEquipo = ") + QString::number(equipo.toInt());
}

QString filtroModo(bool tutorizada) {
    return tutorizada ? QStringLiteral(" and cdsSemFTutorizada = True")
                      : QStringLiteral(" and cdsSemFTutorizada = False");
}

}  // namespace

TFDMT_Accesibilidad::TFDMT_Accesibilidad(TFDMT_GestAlumnado* gestion, QWidget* parent)
    : TPaginaGestion(gestion, "FDMT_Accesibilidad", kTagAcceso, parent) {
    TdmCDS& dm = *dmCDS;
    setWindowTitle(QStringLiteral("Nivel de dificultad"));
    LabelTitulo = Titulo("LabelTitulo", QStringLiteral("NIVEL DE DIFICULTAD"));
    ShapeLinea = Linea("ShapeLinea");
    DBTextNombreGrp = new TDBText(this);
    DBTextNombreGrp->setObjectName(QStringLiteral("DBTextNombreGrp"));
    DBTextNombreGrp->SetDataSource(dm.dsGrupo, QStringLiteral("cdsGrpFNombre"));
    Negrita(DBTextNombreGrp);

    LabelNReparacion = Etiqueta(this, "LabelNReparacion", QStringLiteral("Nivel de reparación"));
    Negrita(LabelNReparacion);
    GroupBoxNRep = new QGroupBox(this);
    GroupBoxNRep->setObjectName(QStringLiteral("GroupBoxNRep"));
    RadioButtonBL = opcion(GroupBoxNRep, "RadioButtonBL", QStringLiteral("Bloque"));
    RadioButtonCI = opcion(GroupBoxNRep, "RadioButtonCI", QStringLiteral("Circuito"));
    RadioButtonCO = opcion(GroupBoxNRep, "RadioButtonCO", QStringLiteral("Componente"));
    LabelSintomas = Etiqueta(this, "LabelSintomas", QStringLiteral("Nivel de síntomas"));
    Negrita(LabelSintomas);
    GroupBoxSintomas = new QGroupBox(this);
    GroupBoxSintomas->setObjectName(QStringLiteral("GroupBoxSintomas"));
    RadioButtonJ = opcion(GroupBoxSintomas, "RadioButtonJ", QStringLiteral("Jefe de taller"));
    RadioButtonC = opcion(GroupBoxSintomas, "RadioButtonC", QStringLiteral("Cliente"));
    CBTutorizada = new QCheckBox(QStringLiteral("Reparación tutorizada"), this);
    CBTutorizada->setObjectName(QStringLiteral("CBTutorizada"));
    CBDisfuncion = new QCheckBox(QStringLiteral("Trabajar en modo disfunción"), this);
    CBDisfuncion->setObjectName(QStringLiteral("CBDisfuncion"));

    auto* resumen = new QGroupBox(this);
    resumen->setObjectName(QStringLiteral("GroupBoxResumen"));
    LabelDificultad = Etiqueta(this, "LabelDificultad", QStringLiteral("Dificultad actual del grupo"));
    Negrita(LabelDificultad);
    LabelNRepar = Etiqueta(resumen, "LabelNRepar", QStringLiteral("Reparación:"));
    DBTextNReparacion = ValorPanel(resumen, "DBTextNReparacion");
    LabelSinto = Etiqueta(resumen, "LabelSinto", QStringLiteral("Síntomas:"));
    DBTextSintomas = ValorPanel(resumen, "DBTextSintomas");
    LabelTutor = Etiqueta(resumen, "LabelTutor", QStringLiteral("Tutorizada:"));
    DBTextTutorizada = ValorPanel(resumen, "DBTextTutorizada");
    LabelDisf = Etiqueta(resumen, "LabelDisf", QStringLiteral("Disfunción:"));
    DBTextDisfuncion = ValorPanel(resumen, "DBTextDisfuncion");
    auto* filasResumen = new QGridLayout(resumen);
    int fila = 0;
    for (auto [etiqueta, valor] : {std::pair{LabelNRepar, DBTextNReparacion},
                                   {LabelSinto, DBTextSintomas},
                                   {LabelTutor, DBTextTutorizada},
                                   {LabelDisf, DBTextDisfuncion}}) {
        filasResumen->addWidget(etiqueta, fila, 0);
        filasResumen->addWidget(valor, fila, 1);
        ++fila;
    }
    filasResumen->setColumnStretch(1, 1);

    LabelTabla = Etiqueta(this, "LabelTabla", QStringLiteral("Tabla de averías del grupo"));
    Negrita(LabelTabla);
    LabelEquipo = Etiqueta(this, "LabelEquipo", QStringLiteral("Entrenador"));
    DBLookupComboBoxEquipo = new TDBLookupComboBox(this);
    DBLookupComboBoxEquipo->setObjectName(QStringLiteral("DBLookupComboBoxEquipo"));
    DBLookupComboBoxEquipo->SetListSource(dm.dsEquipo, QStringLiteral("cdsEFCodEquipo"),
                                          QStringLiteral("cdsEFDescripcion"));
    DBLookupComboBoxEquipo->setMinimumWidth(180);
    DBLookupComboBoxEquipo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    DBGridSemilla = new TDBGrid(this);
    DBGridSemilla->setObjectName(QStringLiteral("DBGridSemilla"));
    DBGridSemilla->SetDataSource(dm.dsSemilla,
                                 {QStringLiteral("PtrAvReal"), QStringLiteral("cdsSemFCodVirtual")});
    DBGridSemilla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGridSemilla->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    DBGridSemilla->horizontalHeader()->setMinimumSectionSize(110);
    DBGridSemilla->verticalHeader()->hide();
    DBGridSemilla->setAlternatingRowColors(true);
    DBGridSemilla->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBGridSemilla->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBGridSemilla->setMinimumWidth(200);
    RxSpeedButtonImprimir = Boton("RxSpeedButtonImprimir", QStringLiteral("Imprimir tabla"), "Imprimir");
    RxSpeedButtonImprimir->setEnabled(false);
    BitBtnAceptar = Boton("BitBtnAceptar", QStringLiteral("&Guardar cambios"), "Guardar");
    BitBtnCancel = Boton("BitBtnCancel", QStringLiteral("&Deshacer cambios"), "Deshacer");

    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(LabelNReparacion);
    izquierda->addWidget(GroupBoxNRep);
    izquierda->addSpacing(8);
    izquierda->addWidget(LabelSintomas);
    izquierda->addWidget(GroupBoxSintomas);
    izquierda->addSpacing(8);
    izquierda->addWidget(CBTutorizada);
    izquierda->addWidget(CBDisfuncion);
    izquierda->addSpacing(16);
    izquierda->addWidget(LabelDificultad);
    izquierda->addWidget(resumen);
    izquierda->addStretch();
    auto* selector = new QHBoxLayout;
    selector->addWidget(LabelEquipo);
    selector->addWidget(DBLookupComboBoxEquipo, 1);
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(LabelTabla);
    derecha->addLayout(selector);
    derecha->addWidget(DBGridSemilla, 1);
    auto* imprimir = new QHBoxLayout;
    imprimir->addStretch();
    imprimir->addWidget(RxSpeedButtonImprimir);
    derecha->addLayout(imprimir);
    auto* columnas = new QHBoxLayout;
    columnas->addLayout(izquierda, 0);
    columnas->addSpacing(24);
    columnas->addLayout(derecha, 1);
    Disponer(LabelTitulo, ShapeLinea, DBTextNombreGrp, columnas, BitBtnAceptar, BitBtnCancel, true);

    for (QRadioButton* r : {RadioButtonBL, RadioButtonCI, RadioButtonCO})
        connect(r, &QRadioButton::toggled, this, [this](bool marcada) {
            if (marcada && manejadores_) RadioButtonBLClick();
        });
    for (QRadioButton* r : {RadioButtonJ, RadioButtonC})
        connect(r, &QRadioButton::toggled, this, [this](bool marcada) {
            if (marcada && manejadores_) RadioButtonJClick();
        });
    connect(CBTutorizada, &QCheckBox::toggled, this, [this] {
        if (manejadores_) CBTutorizadaClick();
    });
    connect(CBDisfuncion, &QCheckBox::toggled, this, [this] {
        if (manejadores_) CBDisfuncionClick();
    });
    connect(DBLookupComboBoxEquipo, &TDBLookupComboBox::Elegido, this,
            &TFDMT_Accesibilidad::DBLookupComboBoxEquipoCloseUp);
    connect(DBLookupComboBoxEquipo, &QComboBox::currentIndexChanged, this,
            &TFDMT_Accesibilidad::habilitarImprimir);
    connect(RxSpeedButtonImprimir, &QPushButton::clicked, this,
            &TFDMT_Accesibilidad::RxSpeedButtonImprimirClick);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TFDMT_Accesibilidad::BitBtnAceptarClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TFDMT_Accesibilidad::BitBtnCancelClick);
    grupo_.Enlazar(dm.dsGrupo, [this](TDataEvent, TField*) { mostrarResumen(); });
}

QRadioButton* TFDMT_Accesibilidad::opcion(QGroupBox* caja, const char* nombre, const QString& texto) {
    auto* r = new QRadioButton(texto, caja);
    r->setObjectName(QString::fromLatin1(nombre));
    if (!caja->layout()) new QVBoxLayout(caja);
    caja->layout()->addWidget(r);
    return r;
}

void TFDMT_Accesibilidad::ponerTextos() {
    setWindowTitle(TextoCatalogo(12000));
    LabelTitulo->setText(TextoCatalogo(12001));
    LabelNReparacion->setText(TextoCatalogo(12002));
    LabelSintomas->setText(TextoCatalogo(12003));
    LabelTabla->setText(TextoCatalogo(12004));
    LabelEquipo->setText(TextoCatalogo(12005));
    LabelDificultad->setText(TextoCatalogo(12006));
    LabelNRepar->setText(TextoCatalogo(12007));
    LabelSinto->setText(TextoCatalogo(12008));
    LabelTutor->setText(TextoCatalogo(12009));
    LabelDisf->setText(TextoCatalogo(12010));
    RadioButtonBL->setText(TextoCatalogo(12011));
    RadioButtonCI->setText(TextoCatalogo(12012));
    RadioButtonCO->setText(TextoCatalogo(12013));
    RadioButtonJ->setText(TextoCatalogo(12014));
    RadioButtonC->setText(TextoCatalogo(12015));
    CBTutorizada->setText(TextoCatalogo(12016));
    CBDisfuncion->setText(TextoCatalogo(12017));
    BitBtnAceptar->setText(TextoCatalogo(12018));
    BitBtnCancel->setText(TextoCatalogo(12019));
    RxSpeedButtonImprimir->setText(TextoCatalogo(12020));
    DBGridSemilla->TituloColumna(QStringLiteral("PtrAvReal"), TextoCatalogo(12021));
    DBGridSemilla->TituloColumna(QStringLiteral("cdsSemFCodVirtual"), TextoCatalogo(12022));
}

void TFDMT_Accesibilidad::FormShow() {
    TdmCDS& dm = *dmCDS;
    Gestion()->PaginaAcceso = false;
    editarGrupo();
    dm.cdsEquipo->First();
    SeleccionarEquipoActual();
    FiltrarSemillasSelector();
    ColorModo();
    RadioButtonBL->setVisible(LeerNivelReparacion() > 2);
    RadioButtonCI->setVisible(LeerNivelReparacion() > 1);
    RadioButtonJ->setVisible(LeerNivelSintoma() > 1);
    manejadores_ = false;
    CBTutorizada->setChecked(false);
    CBDisfuncion->setChecked(false);
    manejadores_ = true;
    LeerNiveles();
    Gestion()->PaginaAcceso = true;
    ponerTextos();
    PintarTitulo(LabelTitulo);
    mostrarResumen();
}

void TFDMT_Accesibilidad::FormHide() {
    if (Gestion()) Gestion()->PaginaAcceso = false;
}

bool TFDMT_Accesibilidad::editarGrupo() {
    TClientDataSet* grupos = dmCDS->cdsGrupo;
    if (!grupos->Active() || grupos->IsEmpty()) return TdmCDS::EnInsercion(grupos);
    if (TdmCDS::EnConsulta(grupos)) grupos->Edit();
    return true;
}

void TFDMT_Accesibilidad::marcarOpcion(const QList<QRadioButton*>& opciones, int marcada) {
    for (int i = 0; i < opciones.size(); ++i) {
        QRadioButton* r = opciones[i];
        if (i == marcada) {
            r->setChecked(true);
        } else if (r->isChecked()) {
            // An exclusive option cannot be unchecked by itself.
            r->setAutoExclusive(false);
            r->setChecked(false);
            r->setAutoExclusive(true);
        }
    }
}

void TFDMT_Accesibilidad::LeerNiveles() {
    const TdmCDS& dm = *dmCDS;
    marcarOpcion(
        {RadioButtonBL, RadioButtonCI, RadioButtonCO},
        NivelesGrupo::Opcion(dm.cdsGrpFNReparacion->AsString(), NivelesGrupo::kItemsReparacion.size()));
    marcarOpcion({RadioButtonJ, RadioButtonC},
                 NivelesGrupo::Opcion(dm.cdsGrpFNSintomas->AsString(), NivelesGrupo::kItemsSintomas.size()));
    CBTutorizada->setChecked(dm.cdsGrpFTutorizada->AsBoolean());
    CBDisfuncion->setChecked(dm.cdsGrpFDisfuncion->AsBoolean());
}

void TFDMT_Accesibilidad::RadioButtonBLClick() {
    TdmCDS& dm = *dmCDS;
    if (Gestion()->PaginaAcceso) dm.Modificado = true;
    const QList<QRadioButton*> opciones{RadioButtonBL, RadioButtonCI, RadioButtonCO};
    for (int i = 0; i < opciones.size(); ++i)
        if (opciones[i]->isChecked() && editarGrupo())
            dm.cdsGrpFNReparacion->SetAsString(NivelesGrupo::Cadena(NivelesGrupo::kItemsReparacion, i));
}

void TFDMT_Accesibilidad::RadioButtonJClick() {
    TdmCDS& dm = *dmCDS;
    if (Gestion()->PaginaAcceso) dm.Modificado = true;
    const QList<QRadioButton*> opciones{RadioButtonJ, RadioButtonC};
    for (int i = 0; i < opciones.size(); ++i)
        if (opciones[i]->isChecked() && editarGrupo())
            dm.cdsGrpFNSintomas->SetAsString(NivelesGrupo::Cadena(NivelesGrupo::kItemsSintomas, i));
}

void TFDMT_Accesibilidad::CBDisfuncionClick() {
    TdmCDS& dm = *dmCDS;
    if (Gestion()->PaginaAcceso) dm.Modificado = true;
    if (editarGrupo()) dm.cdsGrpFDisfuncion->SetAsBoolean(CBDisfuncion->isChecked());
}

void TFDMT_Accesibilidad::generarSiFaltan(bool tutorizada) {
    TdmCDS& dm = *dmCDS;
    if (!dm.cdsSemilla->IsEmpty()) return;
    // The set for this trainer and mode is made the first time it is asked for, and kept.
    const bool modificado = dm.Modificado;
    dm.GenerarSemillas(dm.cdsGrpFCodGrupo->AsInteger(), DBLookupComboBoxEquipo->KeyValue().toInt(),
                       tutorizada);
    dm.Modificado = modificado;
}

void TFDMT_Accesibilidad::CBTutorizadaClick() {
    TdmCDS& dm = *dmCDS;
    if (Gestion()->PaginaAcceso) dm.Modificado = true;
    const bool tutorizada = CBTutorizada->isChecked();
    if (editarGrupo()) dm.cdsGrpFTutorizada->SetAsBoolean(tutorizada);
    if (DBLookupComboBoxEquipo->KeyValue().isValid()) {
        FiltrarSemillasSelector();
        generarSiFaltan(tutorizada);
    }
    ColorModo();
}

void TFDMT_Accesibilidad::DBLookupComboBoxEquipoCloseUp() {
    TdmCDS& dm = *dmCDS;
    const QVariant equipo = DBLookupComboBoxEquipo->KeyValue();
    if (!equipo.isValid()) return;
    const bool tutorizada = dm.cdsGrpFTutorizada->AsBoolean();
    TdmCDS::QuitarFiltro(dm.cdsSemilla);
    TdmCDS::AplicarFiltro(dm.cdsSemilla, filtroEquipo(equipo) + filtroModo(tutorizada));
    generarSiFaltan(tutorizada);
}

void TFDMT_Accesibilidad::habilitarImprimir() {
    // The table is printed for one trainer, and only when the reports are plugged in.
    RxSpeedButtonImprimir->setEnabled(TFDMT_GestAlumnado::ImprimirAccesos != nullptr &&
                                      DBLookupComboBoxEquipo->KeyValue().isValid());
}

void TFDMT_Accesibilidad::RxSpeedButtonImprimirClick() {
    const QVariant equipo = DBLookupComboBoxEquipo->KeyValue();
    if (!TFDMT_GestAlumnado::ImprimirAccesos || !equipo.isValid()) return;
    TFDMT_GestAlumnado::ImprimirAccesos(this, equipo.toInt());
}

void TFDMT_Accesibilidad::FiltrarSemillasSelector() {
    TdmCDS& dm = *dmCDS;
    TdmCDS::QuitarFiltro(dm.cdsSemilla);
    QString filtro = filtroEquipo(DBLookupComboBoxEquipo->KeyValue());
    if (!dm.cdsGrpFTutorizada->IsNull()) filtro += filtroModo(dm.cdsGrpFTutorizada->AsBoolean());
    TdmCDS::AplicarFiltro(dm.cdsSemilla, filtro);
}

QColor TFDMT_Accesibilidad::ColorDeModo(const QVariant& tutorizada) {
    if (!tutorizada.isValid()) return QColor(206, 231, 255);
    return tutorizada.toBool() ? QColor(255, 255, 217) : QColor(255, 213, 191);
}

void TFDMT_Accesibilidad::ColorModo() {
    const QColor color = ColorDeModo(dmCDS->cdsGrpFTutorizada->Value());
    PintarCampo(DBGridSemilla, color);
    QPalette paleta = DBGridSemilla->palette();
    paleta.setColor(QPalette::AlternateBase, color.darker(106));
    DBGridSemilla->setPalette(paleta);
    PintarFondo(ShapeLinea, color.darker(135));
}

void TFDMT_Accesibilidad::SeleccionarEquipoActual() {
    TdmCDS& dm = *dmCDS;
    DBLookupComboBoxEquipo->Recargar();
    DBLookupComboBoxEquipo->SetKeyValue(dm.cdsEquipo->IsEmpty() ? QVariant() : dm.cdsEFCodEquipo->Value());
    DBLookupComboBoxEquipo->update();
    habilitarImprimir();
}

void TFDMT_Accesibilidad::mostrarResumen() {
    const TdmCDS& dm = *dmCDS;
    DBTextNReparacion->setText(dm.TextoNReparacionGrupo());
    DBTextSintomas->setText(dm.TextoNSintomasGrupo());
    DBTextTutorizada->setText(dm.TextoTutorizadaGrupo());
    DBTextDisfuncion->setText(dm.TextoDisfuncionGrupo());
}

void TFDMT_Accesibilidad::BitBtnAceptarClick() {
    TClientDataSet* grupos = dmCDS->cdsGrupo;
    if (!TdmCDS::EnEdicion(grupos)) return;
    bool guardado = false;
    try {
        guardado = grupos->Post() && !grupos->HayCambiosSinGuardar();
    } catch (const std::exception&) {
    }
    // What could not be written stays on the page, in edit state, for another try.
    if (!guardado) {
        MostrarMensaje(Texto(kTextoNoGuardado), BotonesAceptar, DibujoError);
        dmCDS->Modificado = true;
    }
    editarGrupo();
}

void TFDMT_Accesibilidad::BitBtnCancelClick() {
    TClientDataSet* grupos = dmCDS->cdsGrupo;
    if (TdmCDS::EnEdicion(grupos)) grupos->Cancel();
    dmCDS->Modificado = false;
    manejadores_ = false;
    LeerNiveles();
    manejadores_ = true;
    editarGrupo();
    Gestion()->DesbloquearPanel();
}
