#include "DMT_ImportarLista.h"

#include <QBrush>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "DMT_VentanaAlumnos.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "ImportarAlumnos.h"
#include "Mensajes.h"
#include "PaginaGestion.h"
#include "RotulosPanel.h"
#include "dmCDS.h"

namespace {

constexpr int kTextoTitulo = 72000;
constexpr int kTextoCabecera = 72001;
constexpr int kTextoColumnas = 72002;  // 72002 to 72006
constexpr int kTextoSeAnadira = 72007;
constexpr int kTextoResumen = 72008;
constexpr int kTextoAnadir = 72009;
constexpr int kTextoElegir = 72010;
constexpr int kTextoFiltro = 72011;
constexpr int kTextoAnadidos = 72012;
constexpr int kTextoNingunAlumno = 72032;

enum Columna { ColLinea, ColNombre, ColApellido1, ColApellido2, ColResultado, NumColumnas };

// Names get room enough for a usual name; longer ones widen their column.
constexpr int kAnchoNombres = 150;

// A refused line stands out on a light red, its reason in dark red.
const QColor kFondoRechazada(253, 226, 226);
const QColor kTextoRechazada(160, 20, 20);

QTableWidgetItem* Celda(const QString& texto) {
    auto* celda = new QTableWidgetItem(texto);
    celda->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return celda;
}

}  // namespace

TFDMT_ImportarLista::TFDMT_ImportarLista(const QString& archivo, ListaAlumnos lista, QWidget* parent)
    : QDialog(parent), archivo_(archivo), lista_(std::move(lista)) {
    setObjectName(QStringLiteral("FDMT_ImportarLista"));
    setWindowTitle(QStringLiteral("Importar lista de alumnos"));
    setModal(true);
    LabelTitulo = Etiqueta(this, "LabelTitulo");
    Negrita(LabelTitulo);
    LabelTitulo->setWordWrap(true);
    GridLista = new QTableWidget(0, NumColumnas, this);
    GridLista->setObjectName(QStringLiteral("GridLista"));
    GridLista->verticalHeader()->hide();
    GridLista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridLista->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridLista->setAlternatingRowColors(false);
    GridLista->horizontalHeader()->setStretchLastSection(true);
    LabelResumen = Etiqueta(this, "LabelResumen");
    LabelResumen->setWordWrap(true);
    BitBtnAceptar = new QPushButton(Glifo("AnadirAlumno"), QStringLiteral("&Añadir alumnos"), this);
    BitBtnAceptar->setObjectName(QStringLiteral("BitBtnAceptar"));
    BitBtnAceptar->setDefault(true);
    BitBtnCancelar = new QPushButton(Glifo("Cancelar"), QStringLiteral("&Cancelar"), this);
    BitBtnCancelar->setObjectName(QStringLiteral("BitBtnCancelar"));
    auto* botones = new QHBoxLayout;
    botones->addWidget(LabelResumen, 1);
    botones->addWidget(BitBtnAceptar);
    botones->addWidget(BitBtnCancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(LabelTitulo);
    todo->addWidget(GridLista, 1);
    todo->addLayout(botones);
    resize(900, 540);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TFDMT_ImportarLista::BitBtnAceptarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    cargar();
}

void TFDMT_ImportarLista::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FijarFormActivo(this);
    setWindowTitle(Texto(kTextoTitulo));
    LabelTitulo->setText(
        Texto(kTextoCabecera)
            .arg(dmCDS->cdsGrpFNombre->AsString(), QDir::toNativeSeparators(QFileInfo(archivo_).fileName())));
    QStringList columnas;
    for (int c = 0; c < NumColumnas; ++c) columnas << Texto(kTextoColumnas + c);
    GridLista->setHorizontalHeaderLabels(columnas);
    const int aceptadas = static_cast<int>(lista_.lineas.size()) - lista_.NumRechazadas();
    LabelResumen->setText(Texto(kTextoResumen).arg(aceptadas).arg(lista_.NumRechazadas()));
    BitBtnAceptar->setText(Texto(kTextoAnadir));
    BitBtnCancelar->setText(Texto(1));
    GridLista->resizeColumnsToContents();
    for (int c = ColNombre; c <= ColApellido2; ++c)
        GridLista->setColumnWidth(c, std::max(GridLista->columnWidth(c), kAnchoNombres));
    GridLista->horizontalHeader()->setStretchLastSection(true);
    GridLista->resizeRowsToContents();
    BitBtnAceptar->setFocus();
}

void TFDMT_ImportarLista::cargar() {
    GridLista->setRowCount(static_cast<int>(lista_.lineas.size()));
    int fila = 0;
    for (const LineaLista& l : lista_.lineas) {
        GridLista->setItem(fila, ColLinea, Celda(QString::number(l.linea)));
        GridLista->setItem(fila, ColNombre, Celda(l.alumno.nombre));
        GridLista->setItem(fila, ColApellido1, Celda(l.alumno.apellido1));
        GridLista->setItem(fila, ColApellido2, Celda(l.alumno.apellido2));
        QTableWidgetItem* resultado = Celda(l.Aceptada() ? Texto(kTextoSeAnadira) : l.Motivo());
        GridLista->setItem(fila, ColResultado, resultado);
        if (l.rechazo == MotivoRechazo::Ilegible) {
            // The names could not be told apart: the line itself shows where it is wrong.
            GridLista->item(fila, ColNombre)->setText(l.texto);
            GridLista->setSpan(fila, ColNombre, 1, ColApellido2 - ColNombre + 1);
        }
        if (!l.Aceptada()) {
            for (int c = 0; c < NumColumnas; ++c) GridLista->item(fila, c)->setBackground(kFondoRechazada);
            resultado->setForeground(kTextoRechazada);
            resultado->setToolTip(l.TextoRechazo());
        }
        ++fila;
    }
    BitBtnAceptar->setEnabled(lista_.NumRechazadas() < static_cast<int>(lista_.lineas.size()));
}

void TFDMT_ImportarLista::BitBtnAceptarClick() {
    TdmCDS& dm = *dmCDS;
    const ResultadoImportacion r = ImportarAlumnos(dm, lista_.Aceptados());
    if (!r.correcto) {
        reject();
        return;
    }
    MostrarMensaje(Texto(kTextoAnadidos).arg(r.anadidos.size()).arg(dm.cdsGrpFNombre->AsString()),
                   BotonesAceptar, DibujoExito);
    accept();
}

bool ImportarListaAlumnos(QWidget* padre) {
    // Unsaved edits are refused before the teacher goes looking for a file.
    if (!PuedeImportar(*dmCDS)) return false;
    const QString archivo =
        QFileDialog::getOpenFileName(padre, Texto(kTextoElegir), QString(), Texto(kTextoFiltro));
    return !archivo.isEmpty() && ImportarListaAlumnosDe(padre, archivo);
}

bool ImportarListaAlumnosDe(QWidget* padre, const QString& archivo) {
    TdmCDS& dm = *dmCDS;
    if (!PuedeImportar(dm)) return false;
    ListaAlumnos lista = LeerArchivoListaAlumnos(archivo, MiembrosGrupoActual(dm));
    if (!lista.error.isEmpty()) {
        MostrarMensaje(QDir::toNativeSeparators(archivo) + QStringLiteral(": ") + lista.error, BotonesAceptar,
                       DibujoError);
        return false;
    }
    if (lista.lineas.empty()) {
        MostrarMensaje(Texto(kTextoNingunAlumno), BotonesAceptar, DibujoAviso);
        return false;
    }
    TFDMT_ImportarLista dialogo(archivo, std::move(lista), padre);
    return dialogo.exec() == QDialog::Accepted;
}

void ImportarListaEnPagina(TFDMT_VentanaAlumnos* pagina, const QString& archivo) {
    // Unsaved edits are refused (and told) before anything moves.
    if (!PuedeImportar(*dmCDS)) return;
    if (archivo.isEmpty())
        ImportarListaAlumnos(pagina);
    else
        ImportarListaAlumnosDe(pagina, archivo);
    pagina->RecargarAlumnos();
}
