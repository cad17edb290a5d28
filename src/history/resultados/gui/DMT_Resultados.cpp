#include "DMT_Resultados.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <set>

#include "ClientDataSet.h"
#include "FechaHora.h"
#include "GraficosResultados.h"
#include "Idioma.h"
#include "Mensajes.h"

namespace {

constexpr PorResultados kPor[] = {PorResultados::Averia, PorResultados::Alumno, PorResultados::Semana};
// The role that holds each cell's sort value.
constexpr int kRolOrden = Qt::UserRole + 1;

int Indice(PorResultados por) {
    return static_cast<int>(por);
}

QPushButton* BotonPequeno(QWidget* padre, const char* nombre) {
    auto* b = new QPushButton(padre);
    b->setObjectName(QLatin1String(nombre));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TFDMT_Resultados::TFDMT_Resultados(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TFDMT_Resultados"));
    crearControles();
    ponerTextos();
}

void TFDMT_Resultados::crearControles() {
    LabelTitulo = new QLabel(this);
    LabelTitulo->setObjectName(QStringLiteral("LabelTitulo"));
    QFont grande = LabelTitulo->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.6);
    grande.setBold(true);
    LabelTitulo->setFont(grande);

    Paginas = new QStackedWidget(this);
    LabelVacia = new QLabel(Paginas);
    LabelVacia->setObjectName(QStringLiteral("LabelVacia"));
    LabelVacia->setAlignment(Qt::AlignCenter);
    LabelVacia->setWordWrap(true);
    QFont media = LabelVacia->font();
    media.setPointSizeF(media.pointSizeF() * 1.3);
    LabelVacia->setFont(media);
    Paginas->addWidget(LabelVacia);

    auto* contenido = new QWidget(Paginas);
    LabelResumen = new QLabel(contenido);
    LabelResumen->setObjectName(QStringLiteral("LabelResumen"));
    QFont resumen = LabelResumen->font();
    resumen.setPointSizeF(resumen.pointSizeF() * 1.15);
    LabelResumen->setFont(resumen);
    LabelPuntuacion = new QLabel(contenido);
    LabelPuntuacion->setObjectName(QStringLiteral("LabelPuntuacion"));
    LabelPuntuacion->setWordWrap(true);
    auto* partes = new QSplitter(Qt::Vertical, contenido);
    partes->addWidget(crearGraficos());
    partes->addWidget(crearTablas());
    partes->setStretchFactor(0, 3);
    partes->setStretchFactor(1, 2);
    auto* columna = new QVBoxLayout(contenido);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->addWidget(LabelResumen);
    columna->addWidget(partes, 1);
    columna->addWidget(LabelPuntuacion);
    Paginas->addWidget(contenido);

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(LabelTitulo);
    todo->addWidget(crearFiltro());
    todo->addWidget(Paginas, 1);
}

QWidget* TFDMT_Resultados::crearFiltro() {
    PanelFiltro = new QWidget(this);
    PanelFiltro->setObjectName(QStringLiteral("PanelFiltro"));
    ComboBoxEquipo = new QComboBox(PanelFiltro);
    ComboBoxEquipo->setObjectName(QStringLiteral("ComboBoxEquipo"));
    ComboBoxEquipo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ComboBoxModo = new QComboBox(PanelFiltro);
    ComboBoxModo->setObjectName(QStringLiteral("ComboBoxModo"));
    DateEditDesde = new QDateEdit(PanelFiltro);
    DateEditDesde->setObjectName(QStringLiteral("DateEditDesde"));
    DateEditHasta = new QDateEdit(PanelFiltro);
    DateEditHasta->setObjectName(QStringLiteral("DateEditHasta"));
    auto* fila = new QHBoxLayout(PanelFiltro);
    fila->setContentsMargins(0, 0, 0, 0);
    const auto rotulo = [&](const char* nombre, QWidget* control) {
        auto* l = new QLabel(PanelFiltro);
        l->setObjectName(QLatin1String(nombre));
        l->setBuddy(control);
        fila->addWidget(l);
        fila->addWidget(control);
        fila->addSpacing(12);
    };
    rotulo("LabelEquipo", ComboBoxEquipo);
    rotulo("LabelModo", ComboBoxModo);
    for (QDateEdit* fecha : {DateEditDesde, DateEditHasta}) {
        fecha->setCalendarPopup(true);
        fecha->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    }
    rotulo("LabelDesde", DateEditDesde);
    rotulo("LabelHasta", DateEditHasta);
    fila->addStretch(1);
    for (QComboBox* c : {ComboBoxEquipo, ComboBoxModo})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { recalcular(); });
    for (QDateEdit* d : {DateEditDesde, DateEditHasta})
        connect(d, &QDateEdit::dateChanged, this, [this] { recalcular(); });
    return PanelFiltro;
}

QWidget* TFDMT_Resultados::crearGraficos() {
    auto* fila = new QWidget(this);
    auto* disposicion = new QHBoxLayout(fila);
    disposicion->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        auto* caja = new QWidget(fila);
        graficos_[i] = new QChartView(caja);
        graficos_[i]->setObjectName(QStringLiteral("ChartView%1").arg(i + 1));
        graficos_[i]->setRenderHint(QPainter::Antialiasing);
        graficos_[i]->setMinimumSize(240, 260);
        QPushButton* png = BotonPequeno(caja, "BtnPng");
        QPushButton* pdf = BotonPequeno(caja, "BtnPdf");
        connect(png, &QPushButton::clicked, this, [this, i] { pedirArchivoGrafico(i, false); });
        connect(pdf, &QPushButton::clicked, this, [this, i] { pedirArchivoGrafico(i, true); });
        auto* botones = new QHBoxLayout;
        botones->addStretch(1);
        botones->addWidget(png);
        botones->addWidget(pdf);
        auto* columna = new QVBoxLayout(caja);
        columna->setContentsMargins(0, 0, 0, 0);
        columna->setSpacing(2);
        columna->addWidget(graficos_[i], 1);
        columna->addLayout(botones);
        disposicion->addWidget(caja, 1);
    }
    return fila;
}

QWidget* TFDMT_Resultados::crearTablas() {
    TabTablas = new QTabWidget(this);
    TabTablas->setObjectName(QStringLiteral("TabTablas"));
    for (PorResultados por : kPor) {
        const int i = Indice(por);
        auto* hoja = new QWidget(TabTablas);
        modelos_[i] = new QStandardItemModel(hoja);
        modelos_[i]->setSortRole(kRolOrden);
        tablas_[i] = new QTableView(hoja);
        tablas_[i]->setObjectName(QStringLiteral("TablaResultados%1").arg(i + 1));
        tablas_[i]->setModel(modelos_[i]);
        tablas_[i]->setSortingEnabled(true);
        tablas_[i]->setEditTriggers(QAbstractItemView::NoEditTriggers);
        tablas_[i]->setSelectionBehavior(QAbstractItemView::SelectRows);
        tablas_[i]->setSelectionMode(QAbstractItemView::SingleSelection);
        tablas_[i]->setAlternatingRowColors(true);
        tablas_[i]->setWordWrap(false);
        tablas_[i]->setTextElideMode(Qt::ElideRight);
        tablas_[i]->verticalHeader()->hide();
        tablas_[i]->horizontalHeader()->setSortIndicatorShown(true);
        if (por != PorResultados::Semana)
            connect(tablas_[i], &QTableView::clicked, this,
                    [this, por](const QModelIndex& indice) { elegirFila(por, indice.row()); });
        QPushButton* csv = BotonPequeno(hoja, "BtnCsv");
        connect(csv, &QPushButton::clicked, this, [this, por] { pedirArchivoTabla(por); });
        auto* botones = new QHBoxLayout;
        botones->addStretch(1);
        botones->addWidget(csv);
        auto* columna = new QVBoxLayout(hoja);
        columna->setContentsMargins(2, 2, 2, 2);
        columna->addWidget(tablas_[i], 1);
        columna->addLayout(botones);
        TabTablas->addTab(hoja, QString());
    }
    return TabTablas;
}

void TFDMT_Resultados::ponerTextos() {
    findChild<QLabel*>(QStringLiteral("LabelEquipo"))->setText(Texto(71001));
    findChild<QLabel*>(QStringLiteral("LabelModo"))->setText(Texto(71003));
    findChild<QLabel*>(QStringLiteral("LabelDesde"))->setText(Texto(71007));
    findChild<QLabel*>(QStringLiteral("LabelHasta"))->setText(Texto(71008));
    for (int i = 0; i < 3; ++i) TabTablas->setTabText(i, Texto(71011 + i));
    for (QPushButton* b : findChildren<QPushButton*>(QStringLiteral("BtnCsv"))) b->setText(Texto(71014));
    for (QPushButton* b : findChildren<QPushButton*>(QStringLiteral("BtnPng"))) b->setText(Texto(71015));
    for (QPushButton* b : findChildren<QPushButton*>(QStringLiteral("BtnPdf"))) b->setText(Texto(71016));
    LabelPuntuacion->setText(Texto(71018));
}

void TFDMT_Resultados::SinTitulo() {
    LabelTitulo->hide();
    layout()->setContentsMargins(0, 0, 0, 0);
}

void TFDMT_Resultados::MostrarGrupo(int grupo) {
    try {
        historial_ = LeerHistorialGrupo(grupo);
    } catch (const EDatabaseError& e) {
        historial_ = HistorialGrupo{};
        historial_.grupo = grupo;
        historial_.avisos << e.Message();
    }
    for (const QString& aviso : historial_.avisos) MostrarMensaje(aviso, BotonesAceptar, DibujoAviso);
    LabelTitulo->setText(Texto(71000).arg(historial_.nombre));
    llenarFiltro();
    recalcular();
}

void TFDMT_Resultados::llenarFiltro() {
    llenando_ = true;
    ComboBoxEquipo->clear();
    std::set<int> practicados;
    QDate primero, ultimo;
    for (const Practica& p : historial_.practicas) {
        practicados.insert(p.equipo);
        const QDate dia = FechaHoraDesdeDias(p.inicio).date();
        if (!primero.isValid() || dia < primero) primero = dia;
        if (!ultimo.isValid() || dia > ultimo) ultimo = dia;
    }
    if (practicados.size() > 1) ComboBoxEquipo->addItem(Texto(71002), -1);
    for (int equipo : practicados) {
        const auto e = historial_.equipos.find(equipo);
        ComboBoxEquipo->addItem(e != historial_.equipos.end() ? e->second.nombre : QString::number(equipo),
                                equipo);
    }
    ComboBoxModo->clear();
    ComboBoxModo->addItem(Texto(71004));
    ComboBoxModo->addItem(Texto(71005));
    ComboBoxModo->addItem(Texto(71006));
    const QDate hoy = QDate::currentDate();
    for (QDateEdit* d : {DateEditDesde, DateEditHasta}) d->setDateRange(QDate(2000, 1, 1), hoy.addYears(1));
    DateEditDesde->setDate(primero.isValid() ? primero : hoy);
    DateEditHasta->setDate(ultimo.isValid() ? ultimo : hoy);
    PanelFiltro->setVisible(!historial_.practicas.empty());
    llenando_ = false;
}

bool TFDMT_Resultados::Vacia() const {
    return Paginas->currentIndex() == 0;
}

void TFDMT_Resultados::recalcular() {
    if (llenando_) return;
    FiltroResultados filtro;
    const int equipo = ComboBoxEquipo->currentData().toInt();
    if (ComboBoxEquipo->count() > 0 && equipo >= 0) filtro.equipo = equipo;
    if (ComboBoxModo->currentIndex() > 0) filtro.tutorizada = ComboBoxModo->currentIndex() == 2;
    filtro.desde = DateEditDesde->date();
    filtro.hasta = DateEditHasta->date();
    resultados_ = CalcularResultados(historial_, filtro);
    if (resultados_.practicas == 0) {
        LabelVacia->setText(historial_.practicas.empty() ? Texto(71009).arg(historial_.nombre)
                                                         : Texto(71010));
        Paginas->setCurrentIndex(0);
        for (QChartView* v : graficos_) v->setChart(new QChart);
        for (QStandardItemModel* m : modelos_) m->clear();
        return;
    }
    Paginas->setCurrentIndex(1);
    const Cifras& total = resultados_.total;
    LabelResumen->setText(Texto(71019)
                              .arg(resultados_.practicas)
                              .arg(total.sinTerminar)
                              .arg(total.reparadas ? QString::number(*total.reparadas * 100, 'f', 0) : "-")
                              .arg(total.puntuacion ? QString::number(*total.puntuacion, 'f', 0) : "-"));
    QChart* nuevos[] = {GraficosResultados::AveriasDificiles(resultados_),
                        GraficosResultados::AlumnosPorPuntuacion(resultados_),
                        GraficosResultados::Tendencia(resultados_)};
    for (int i = 0; i < 3; ++i) {
        QChart* viejo = graficos_[i]->chart();
        graficos_[i]->setChart(nuevos[i]);
        delete viejo;
    }
    for (PorResultados por : kPor) llenarTabla(por);
}

void TFDMT_Resultados::llenarTabla(PorResultados por) {
    const TablaResultados tabla = TablaDe(resultados_, por);
    QStandardItemModel* modelo = modelos_[Indice(por)];
    modelo->clear();
    modelo->setHorizontalHeaderLabels(tabla.columnas);
    for (std::size_t f = 0; f < tabla.filas.size(); ++f) {
        QList<QStandardItem*> fila;
        for (const CeldaResultado& c : tabla.filas[f]) {
            auto* item = new QStandardItem(c.texto);
            // Rows without a figure sort below every figure.
            item->setData(c.valor.isValid() ? c.valor : QVariant(-1.0), kRolOrden);
            if (c.valor.typeId() == QMetaType::Double || c.valor.typeId() == QMetaType::Int)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            fila << item;
        }
        // Which fault or student the row is, whatever the order shown.
        fila.first()->setData(static_cast<int>(f), Qt::UserRole + 2);
        modelo->appendRow(fila);
    }
    QTableView* vista = tablas_[Indice(por)];
    vista->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    vista->resizeColumnsToContents();
    if (por == PorResultados::Averia) vista->setColumnWidth(2, std::min(vista->columnWidth(2), 360));
}

void TFDMT_Resultados::elegirFila(PorResultados por, int fila) {
    const QStandardItem* primera = modelos_[Indice(por)]->item(fila, 0);
    if (!primera) return;
    const auto f = static_cast<std::size_t>(primera->data(Qt::UserRole + 2).toInt());
    if (por == PorResultados::Averia && f < resultados_.averias.size())
        emit AveriaElegida(resultados_.averias[f].equipo, resultados_.averias[f].averia);
    if (por == PorResultados::Alumno && f < resultados_.alumnos.size())
        emit AlumnoElegido(resultados_.alumnos[f].codigo, resultados_.alumnos[f].subgrupo);
}

bool TFDMT_Resultados::ExportarTabla(PorResultados por, const QString& archivo) {
    // Spreadsheet programs read UTF-8 only after a byte-order mark; the file is written
    // beside and renamed, so a failed write never leaves a cut table in its place.
    QSaveFile f(archivo);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(QByteArray("\xEF\xBB\xBF") + TextoCsv(TablaDe(resultados_, por), "\r\n")) < 0 ||
        !f.commit()) {
        MostrarMensaje(Texto(71017).arg(archivo), BotonesAceptar, DibujoError);
        return false;
    }
    return true;
}

bool TFDMT_Resultados::ExportarGrafico(int grafico, const QString& archivo) {
    if (grafico < 0 || grafico >= 3 || !GraficosResultados::Exportar(graficos_[grafico], archivo)) {
        MostrarMensaje(Texto(71017).arg(archivo), BotonesAceptar, DibujoError);
        return false;
    }
    return true;
}

void TFDMT_Resultados::pedirArchivoTabla(PorResultados por) {
    QString archivo = QFileDialog::getSaveFileName(this, Texto(71014), QString(), Texto(71029));
    if (archivo.isEmpty()) return;
    if (!archivo.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) archivo += QStringLiteral(".csv");
    ExportarTabla(por, archivo);
}

void TFDMT_Resultados::pedirArchivoGrafico(int grafico, bool pdf) {
    QString archivo =
        QFileDialog::getSaveFileName(this, Texto(pdf ? 71016 : 71015), QString(), Texto(pdf ? 71031 : 71030));
    if (archivo.isEmpty()) return;
    const QString extension = pdf ? QStringLiteral(".pdf") : QStringLiteral(".png");
    if (!archivo.endsWith(extension, Qt::CaseInsensitive)) archivo += extension;
    ExportarGrafico(grafico, archivo);
}
