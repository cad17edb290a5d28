#include "VistaHistorico.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "Colores.h"
#include "ControlesDatos.h"
#include "DMT_UtilHistorico.h"
#include "FechaHora.h"
#include "Idioma.h"
#include "PaginaGestion.h"
#include "RotulosPanel.h"
#include "dmCDS.h"

using namespace DMT_UtilHistorico;

namespace {

// "Yes", "No", "not finished", "repaired".
constexpr int kTextoSi = 5;
constexpr int kTextoNo = 6;
constexpr int kTextoSinFinalizar = 141;
constexpr int kTextoReparada = 191;

const QString kLineasConAccion = QStringLiteral("cdsLRepFAccion <> ''");

// An elapsed time as "hh:mm:ss"; a day or more shows its time of day only.
QString TextoDuracion(double dias) {
    const long long segundos = std::llround(std::max(0.0, dias) * 24 * 60 * 60) % (24 * 60 * 60);
    return QStringLiteral("%1:%2:%3")
        .arg(segundos / 3600, 2, 10, QLatin1Char('0'))
        .arg(segundos / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(segundos % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

// ---------------------------------------------------------------- TDetalleAveria

TDetalleAveria::TDetalleAveria(const OpcionesVistaHistorico& opciones, QWidget* parent)
    : QGroupBox(parent), opciones_(opciones) {
    setObjectName(QStringLiteral("GroupBoxDatos"));
    new QGridLayout(this);
    // The number last in its column: where it is hidden nothing is left empty.
    FadeLCodAveria = valor("LabelCodAveria", "FadeLCodAveria", 0);
    FadeLabelTutorizada = valor("LabelTutorizada", "FadeLabelTutorizada", 1);
    FadeLFecha = valor("LabelFecha", "FadeLFecha", 2);
    FadeLabelNAveria = valor("LabelNAveria", "FadeLabelNAveria", 3);
    FadeLTiempo = valor("LabelTiempo", "FadeLTiempo", 4);
    FadeLabelFinalizada = valor("LabelFinalizada", "FadeLabelFinalizada", 5);
    FadeLabelReparada = valor("LabelReparada", "FadeLabelReparada", 6);
    // The workstation never shows the real number.
    etiquetas_[3]->setVisible(opciones_.numeroReal);
    FadeLabelNAveria->setVisible(opciones_.numeroReal);
}

QLabel* TDetalleAveria::valor(const char* nombreEtiqueta, const char* nombreValor, int fila) {
    auto* rejilla = static_cast<QGridLayout*>(layout());
    // Two columns of label and value pairs.
    const int columna = fila < 4 ? 0 : 2;
    QLabel* etiqueta = Etiqueta(this, nombreEtiqueta);
    QLabel* valor = ValorPanel(this, nombreValor);
    valor->setMinimumWidth(150);
    rejilla->addWidget(etiqueta, fila % 4, columna);
    rejilla->addWidget(valor, fila % 4, columna + 1);
    rejilla->setColumnStretch(columna + 1, 1);
    etiquetas_.append(etiqueta);
    return valor;
}

void TDetalleAveria::PonerTextos() {
    const TextosVistaHistorico& t = opciones_.textos;
    const int textos[] = {t.codigo, t.tutorizada, t.fecha, t.nAveria, t.tiempo, t.finalizada, t.reparada};
    for (int i = 0; i < etiquetas_.size(); ++i) etiquetas_[i]->setText(Texto(textos[i]));
}

void TDetalleAveria::MostrarDatosAveria(TdmCDS& dm, const QString& codigo) {
    FadeLabelNAveria->setText(dm.cdsReparacionCalcAvReal->DisplayText());
    FadeLCodAveria->setText(codigo);
    if (dm.cdsRepFEstado->AsString() != QLatin1String("F")) {
        FadeLabelFinalizada->setText(Texto(kTextoSinFinalizar));
        FadeLabelReparada->setText(Texto(kTextoSinFinalizar));
    } else {
        FadeLabelFinalizada->setText(
            Texto(dm.cdsRepFResp->AsBoolean() ? kTextoReparada : opciones_.textoNoReparada));
        FadeLabelReparada->setText(Texto(dm.cdsRepFCorrecta->AsBoolean() ? kTextoSi : kTextoNo));
    }
    const double inicio = dm.cdsRepFInicio->AsDateTime();
    FadeLFecha->setText(TextoMomento(inicio));
    // A practice not finished counts up to now.
    const double fin = dm.cdsRepFFin->IsNull() ? Ahora() : dm.cdsRepFFin->AsDateTime();
    FadeLTiempo->setText(TextoDuracion(fin - inicio));
    FadeLabelTutorizada->setText(Texto(dm.cdsRepFTutorizada->AsBoolean() ? kTextoSi : kTextoNo));
}

void TDetalleAveria::LimpiarDatosAveria() {
    for (QLabel* valor : {FadeLabelNAveria, FadeLCodAveria, FadeLabelTutorizada, FadeLFecha, FadeLTiempo,
                          FadeLabelFinalizada, FadeLabelReparada})
        valor->clear();
}

// ---------------------------------------------------------------- TVistaHistorico

TVistaHistorico::TVistaHistorico(TdmCDS& dm, OpcionesVistaHistorico opciones, QWidget* parent)
    : QWidget(parent), dm_(dm), opciones_(opciones) {
    setObjectName(QStringLiteral("VistaHistorico"));
    CrearControles();
}

void TVistaHistorico::CrearControles() {
    LabelEquipo = Etiqueta(this, "LabelEquipo");
    DBLookupComboBoxEquipo = new TDBLookupComboBox(this);
    DBLookupComboBoxEquipo->setObjectName(QStringLiteral("DBLookupComboBoxEquipo"));
    DBLookupComboBoxEquipo->setMinimumWidth(260);
    RadioButtonTodasAverias = new QRadioButton(this);
    RadioButtonTodasAverias->setObjectName(QStringLiteral("RadioButtonTodasAverias"));
    RadioButtonUnaAveria = new QRadioButton(this);
    RadioButtonUnaAveria->setObjectName(QStringLiteral("RadioButtonUnaAveria"));
    auto* vistas = new QButtonGroup(this);
    vistas->addButton(RadioButtonTodasAverias);
    vistas->addButton(RadioButtonUnaAveria);
    LabelEscoger = Etiqueta(this, "LabelEscoger");
    DBLookupComboBoxAverias = new TDBLookupComboBox(this);
    DBLookupComboBoxAverias->setObjectName(QStringLiteral("DBLookupComboBoxAverias"));
    DBLookupComboBoxAverias->setMinimumWidth(120);
    LabelReparaciones = Etiqueta(this, "LabelReparaciones");
    Negrita(LabelReparaciones);
    ShapeReparaciones = new QWidget(this);
    ShapeReparaciones->setObjectName(QStringLiteral("ShapeReparaciones"));
    ShapeReparaciones->setFixedHeight(2);
    ShapeReparaciones->setAutoFillBackground(true);
    DBGridHistorico = new TDBGrid(this);
    DBGridHistorico->setObjectName(QStringLiteral("DBGridHistorico"));
    DBGridHistorico->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Columns are sized on the rows in sight: a long history would be calculated whole.
    DBGridHistorico->horizontalHeader()->setResizeContentsPrecision(60);
    DBGridHistorico->horizontalHeader()->setStretchLastSection(true);
    Detalle = new TDetalleAveria(opciones_, this);
    LabelComentarios = Etiqueta(this, "LabelComentarios");
    DBMemoObserv = new TDBMemo(this);
    DBMemoObserv->setObjectName(QStringLiteral("DBMemoObserv"));
    DBMemoObserv->setReadOnly(true);
    DBMemoObserv->setFocusPolicy(Qt::NoFocus);
    DBMemoObserv->setMaximumHeight(110);
    SpeedBImprimir = new QPushButton(Glifo("Imprimir"), QString(), this);
    SpeedBImprimir->setObjectName(QStringLiteral("SpeedBImprimir"));
    SpeedButtonExpHistorico = new QPushButton(Glifo("Exportar"), QString(), this);
    SpeedButtonExpHistorico->setObjectName(QStringLiteral("SpeedButtonExpHistorico"));
    for (QPushButton* b : {SpeedBImprimir, SpeedButtonExpHistorico}) {
        b->setIconSize(QSize(20, 20));
        b->setMinimumHeight(32);
    }

    auto* eleccion = new QHBoxLayout;
    eleccion->addWidget(LabelEquipo);
    eleccion->addWidget(DBLookupComboBoxEquipo);
    eleccion->addSpacing(24);
    eleccion->addWidget(RadioButtonTodasAverias);
    eleccion->addWidget(RadioButtonUnaAveria);
    eleccion->addSpacing(24);
    eleccion->addWidget(LabelEscoger);
    eleccion->addWidget(DBLookupComboBoxAverias);
    eleccion->addStretch();
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(0, 0, 0, 0);
    todo->addLayout(eleccion);
    todo->addSpacing(6);
    todo->addWidget(Detalle);
    todo->addWidget(LabelReparaciones);
    todo->addWidget(ShapeReparaciones);
    todo->addWidget(DBGridHistorico, 1);
    todo->addWidget(LabelComentarios);
    todo->addWidget(DBMemoObserv);

    DBLookupComboBoxEquipo->SetListSource(dm_.dsEquipo, QStringLiteral("cdsEFCodEquipo"),
                                          QStringLiteral("cdsEFDescripcion"));
    EnlazarAverias(true);
    DBMemoObserv->SetDataSource(dm_.dsReparacion, QStringLiteral("cdsRepFObservacion"));
    connect(DBLookupComboBoxEquipo, &TDBLookupComboBox::Elegido, this,
            &TVistaHistorico::DBLookupComboBoxEquipoCloseUp);
    connect(DBLookupComboBoxAverias, &TDBLookupComboBox::Elegido, this,
            &TVistaHistorico::DBLookupComboBoxAveriasCloseUp);
    connect(RadioButtonTodasAverias, &QRadioButton::clicked, this,
            &TVistaHistorico::RadioButtonTodasAveriasClick);
    connect(RadioButtonUnaAveria, &QRadioButton::clicked, this, &TVistaHistorico::RadioButtonUnaAveriaClick);
    connect(SpeedButtonExpHistorico, &QPushButton::clicked, this, &TVistaHistorico::ExportarHistorico);
}

void TVistaHistorico::PonerTextos() {
    const TextosVistaHistorico& t = opciones_.textos;
    LabelEquipo->setText(Texto(t.equipo));
    RadioButtonTodasAverias->setText(Texto(t.todas));
    RadioButtonUnaAveria->setText(Texto(t.una));
    LabelEscoger->setText(Texto(t.averia));
    LabelReparaciones->setText(Texto(t.historico));
    LabelComentarios->setText(Texto(t.comentarios));
    SpeedBImprimir->setText(Texto(t.imprimir));
    SpeedButtonExpHistorico->setText(Texto(27017));
    Detalle->PonerTextos();
}

void TVistaHistorico::Repintar() {
    PintarFondo(ShapeReparaciones, ColorAcento());
}

void TVistaHistorico::Abrir(const QString& filtroBase, const QString& filtroSemillasPrevio) {
    filtroBase_ = filtroBase;
    filtroSemillasPrevio_ = filtroSemillasPrevio;
    // Other PCs may have recorded practices since the history was read.
    dm_.RefrescarTabla(dm_.cdsReparacion);
    dm_.RefrescarTabla(dm_.cdsLineaReparacion);
    FiltrarLineas(opciones_.soloLineasConAccion);
    EnlazarAverias(false);
    const bool hay = dm_.FiltrarEquiposHistorico(filtroBase_);
    DBLookupComboBoxEquipo->setEnabled(hay);
    if (hay) {
        DBLookupComboBoxEquipo->SetKeyValue(dm_.cdsEFCodEquipo->Value());
        FiltrarEquipo();
    } else {
        // Nothing of another owner may show under an empty trainer list.
        TdmCDS::AplicarFiltro(dm_.cdsReparacion, QStringLiteral("cdsRepFCodReparacion = -99"));
        EnlazarAverias(true);
    }
    SpeedBImprimir->setEnabled(HayReparaciones());
    RadioButtonTodasAverias->setChecked(true);
    RadioButtonTodasAveriasClick();
}

int TVistaHistorico::Equipo() const {
    const QVariant clave = DBLookupComboBoxEquipo->KeyValue();
    return clave.isValid() ? clave.toInt() : -1;
}

bool TVistaHistorico::HayReparaciones() const {
    return dm_.cdsReparacion->Active() && !dm_.cdsReparacion->IsEmpty();
}

QString TVistaHistorico::TextoAveria() const {
    return DBLookupComboBoxAverias->currentText();
}

void TVistaHistorico::FiltrarLineas(bool activo) {
    if (activo)
        TdmCDS::AplicarFiltro(dm_.cdsLineaReparacion, kLineasConAccion);
    else
        TdmCDS::QuitarFiltro(dm_.cdsLineaReparacion);
}

void TVistaHistorico::FiltrarEquipo() {
    // The fault box is filled once, when the virtual codes can be calculated from the seeds.
    EnlazarAverias(false);
    dm_.FiltrarReparacionesEquipo(filtroBase_, Equipo());
    dm_.FiltrarSemillasHistorico(Equipo(), filtroSemillasPrevio_);
    EnlazarAverias(true);
}

void TVistaHistorico::EnlazarAverias(bool enlazada) {
    DBLookupComboBoxAverias->SetListSource(
        enlazada ? dm_.dsReparacion : nullptr, QStringLiteral("cdsRepFCodReparacion"),
        opciones_.profesorEnPuesto ? QStringLiteral("CalcAvReal") : QStringLiteral("CalcCVirtual"));
}

void TVistaHistorico::DBLookupComboBoxEquipoCloseUp() {
    if (Equipo() < 0) return;
    FiltrarEquipo();
    if (HayReparaciones() && ModoVista != ListaGeneral) {
        ElegirPrimeraAveria();
    } else {
        DBLookupComboBoxAverias->SetKeyValue(QVariant());
        Detalle->LimpiarDatosAveria();
        DBLookupComboBoxAverias->setEnabled(false);
    }
    SpeedBImprimir->setEnabled(HayReparaciones());
}

void TVistaHistorico::RadioButtonTodasAveriasClick() {
    ModoVista = ListaGeneral;
    Detalle->hide();
    for (QWidget* w : {static_cast<QWidget*>(LabelComentarios), static_cast<QWidget*>(DBMemoObserv)})
        w->hide();
    DBLookupComboBoxAverias->setEnabled(false);
    TPaginaGestion::PintarCampo(DBLookupComboBoxAverias, TPaginaGestion::GrisVacio());
    QPalette paleta = LabelEscoger->palette();
    paleta.setColor(QPalette::WindowText, ColorAcento());
    LabelEscoger->setPalette(paleta);
    Detalle->LimpiarDatosAveria();
    VerListaGeneral(dm_, DBGridHistorico, DBLookupComboBoxAverias, opciones_.nivelVista,
                    opciones_.profesorEnPuesto);
    if (HayReparaciones()) dm_.cdsReparacion->First();
    emit ModoCambiado(ListaGeneral);
}

void TVistaHistorico::RadioButtonUnaAveriaClick() {
    ModoVista = UnaAveria;
    Detalle->show();
    LabelComentarios->show();
    DBMemoObserv->show();
    DBLookupComboBoxAverias->setEnabled(true);
    TPaginaGestion::PintarCampo(DBLookupComboBoxAverias, palette().color(QPalette::Base));
    LabelEscoger->setPalette(palette());
    Detalle->LimpiarDatosAveria();
    emit ModoCambiado(UnaAveria);
    if (!HayReparaciones()) {
        DBLookupComboBoxAverias->setEnabled(false);
        return;
    }
    ElegirPrimeraAveria();
}

void TVistaHistorico::ElegirPrimeraAveria() {
    dm_.cdsReparacion->First();
    DBLookupComboBoxAverias->setEnabled(true);
    DBLookupComboBoxAverias->SetKeyValue(dm_.cdsRepFCodReparacion->Value());
    VistaDeLineas();
}

void TVistaHistorico::DBLookupComboBoxAveriasCloseUp() {
    ModoVista = UnaAveria;
    VistaDeLineas();
}

void TVistaHistorico::VistaDeLineas() {
    FiltrarLineas(opciones_.soloLineasConAccion);
    VerLineasAveria(dm_, DBGridHistorico);
    dm_.cdsLineaReparacion->First();
    Detalle->MostrarDatosAveria(dm_, TextoAveria());
}

void TVistaHistorico::SpeedBImprimirClick(const ContextoInformes& contexto) {
    if (Equipo() < 0) return;
    const QString filtro = dm_.cdsReparacion->Filter();
    const bool filtrado = dm_.cdsReparacion->Filtered();
    ContextoInformes conEquipo = contexto;
    conEquipo.equipo = Equipo();
    MostrarInformes(dm_, conEquipo, window());
    dm_.cdsReparacion->SetFilter(filtro);
    dm_.cdsReparacion->SetFiltered(filtrado);
}

void TVistaHistorico::ExportarHistorico() {
    const QString archivo = ElegirArchivoHistorico(window(), true);
    if (!archivo.isEmpty()) dm_.ExportarHistorico(archivo);
}

QString ElegirArchivoHistorico(QWidget* padre, bool guardar) {
    if (TVistaHistorico::ElegirArchivo) return TVistaHistorico::ElegirArchivo(guardar);
    QFileDialog dialogo(padre, Texto(guardar ? 27017 : 27013).remove(QLatin1Char('&')));
    dialogo.setObjectName(guardar ? QStringLiteral("DlgSaveHistory") : QStringLiteral("DlgImportHistory"));
    dialogo.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogo.setFileMode(guardar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialogo.setDefaultSuffix(QStringLiteral("cds"));
    dialogo.setNameFilter(guardar ? QStringLiteral("(*.cds)") : QStringLiteral("(Reparacion*.cds)"));
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return QString();
    return dialogo.selectedFiles().front();
}
