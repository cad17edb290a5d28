#include "ControlesDatos.h"

#include <QHeaderView>
#include <QTimer>

namespace {

TField* campoDe(TClientDataSet* ds, const QString& nombre) {
    return ds && ds->Active() ? ds->FindField(nombre) : nullptr;
}

// Puts the current row in edit state so a typed value can be kept; false when the
// dataset cannot take it (read-only, closed, an aborted edit).
bool prepararEdicion(TClientDataSet* ds) {
    if (!ds || !ds->CanModify()) return false;
    if (ds->State() == dsEdit || ds->State() == dsInsert) return true;
    if (ds->IsEmpty()) return false;
    try {
        return ds->Edit();
    } catch (const EDatabaseError&) {
        return false;
    }
}

bool escribir(TClientDataSet* ds, const QString& nombre, const QVariant& valor) {
    TField* campo = campoDe(ds, nombre);
    if (!campo || campo->ReadOnly || !prepararEdicion(ds)) return false;
    try {
        campo->SetValue(valor);
        return true;
    } catch (const EDatabaseError&) {
        return false;
    }
}

}  // namespace

// ---------------------------------------------------------------- EnlaceDatos

void EnlaceDatos::Enlazar(TDataSource* fuente, TDataListener oyente) {
    Soltar();
    fuente_ = fuente;
    if (fuente_) id_ = fuente_->Conectar(std::move(oyente));
}

void EnlaceDatos::Soltar() {
    if (fuente_) fuente_->Desconectar(id_);
    fuente_ = nullptr;
    id_ = 0;
}

// ---------------------------------------------------------------- ModeloDatos

ModeloDatos::ModeloDatos(TDataSource* fuente, QStringList campos, QObject* parent)
    : QAbstractTableModel(parent), nombres_(std::move(campos)) {
    enlace_.Enlazar(fuente, [this](TDataEvent evento, TField*) { alCambiar(evento); });
    recolectarCampos();
}

void ModeloDatos::recolectarCampos() {
    campos_.clear();
    TClientDataSet* ds = enlace_.DataSet();
    if (!ds || !ds->Active()) return;
    if (nombres_.isEmpty()) {
        for (TField* f : ds->Fields())
            if (f->Visible) campos_.push_back(f);
        return;
    }
    for (const QString& n : nombres_)
        if (TField* f = ds->FindField(n)) campos_.push_back(f);
}

void ModeloDatos::alCambiar(TDataEvent evento) {
    switch (evento) {
        case deLayoutChange:
        case deDataSetChange:
            beginResetModel();
            recolectarCampos();
            endResetModel();
            break;
        case deRecordChange:
        case deFieldChange:
            if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
            break;
        default:
            break;
    }
    if (evento == deDataSetScroll || evento == deDataSetChange || evento == deLayoutChange) {
        TClientDataSet* ds = enlace_.DataSet();
        emit FilaActual(ds && ds->Active() && ds->RecNo() > 0 ? ds->RecNo() - 1 : -1);
    }
}

int ModeloDatos::rowCount(const QModelIndex& padre) const {
    TClientDataSet* ds = enlace_.DataSet();
    if (padre.isValid() || !ds || !ds->Active()) return 0;
    return ds->RecordCount();
}

int ModeloDatos::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(campos_.size());
}

QVariant ModeloDatos::data(const QModelIndex& indice, int rol) const {
    if (rol != Qt::DisplayRole || !indice.isValid()) return {};
    TClientDataSet* ds = enlace_.DataSet();
    if (!ds || !ds->Active() || indice.column() >= columnCount()) return {};
    return ds->DisplayTextAt(indice.row() + 1, campos_[indice.column()]);
}

QVariant ModeloDatos::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (rol != Qt::DisplayRole || orientacion != Qt::Horizontal || seccion < 0 || seccion >= columnCount())
        return {};
    const auto titulo = titulos_.find(seccion);
    return titulo != titulos_.end() ? titulo->second : campos_[seccion]->DisplayName();
}

bool ModeloDatos::setHeaderData(int seccion, Qt::Orientation orientacion, const QVariant& valor, int rol) {
    if (orientacion != Qt::Horizontal || seccion < 0 || seccion >= columnCount() ||
        (rol != Qt::EditRole && rol != Qt::DisplayRole))
        return false;
    titulos_[seccion] = valor.toString();
    emit headerDataChanged(orientacion, seccion, seccion);
    return true;
}

TField* ModeloDatos::Campo(int columna) const {
    return columna >= 0 && columna < columnCount() ? campos_[columna] : nullptr;
}

int ModeloDatos::ColumnaDe(const QString& campo) const {
    for (int i = 0; i < columnCount(); ++i)
        if (campos_[i]->FieldName().compare(campo, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

// ---------------------------------------------------------------- TDBGrid

TDBGrid::TDBGrid(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(24);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    setAlternatingRowColors(true);
}

void TDBGrid::SetDataSource(TDataSource* fuente, const QStringList& campos) {
    delete modelo_;
    modelo_ = new ModeloDatos(fuente, campos, this);
    setModel(modelo_);
    connect(modelo_, &ModeloDatos::FilaActual, this, [this](int fila) {
        siguiendo_ = true;
        if (fila < 0)
            clearSelection();
        else
            selectRow(fila);
        siguiendo_ = false;
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) {
                TClientDataSet* ds = modelo_->Fuente() ? modelo_->Fuente()->DataSet() : nullptr;
                if (siguiendo_ || !actual.isValid() || !ds || !ds->Active()) return;
                if (ds->RecNo() != actual.row() + 1) ds->SetRecNo(actual.row() + 1);
            });
    if (seguirUltima_) SeguirUltimaFila();
}

void TDBGrid::SeguirUltimaFila() {
    seguirUltima_ = true;
    if (!modelo_) return;
    connect(modelo_, &QAbstractItemModel::modelReset, this, &TDBGrid::verUltimaFila);
    connect(modelo_, &QAbstractItemModel::layoutChanged, this, &TDBGrid::verUltimaFila);
    connect(modelo_, &QAbstractItemModel::rowsInserted, this, &TDBGrid::verUltimaFila);
}

void TDBGrid::verUltimaFila() {
    // After the selection that follows the cursor has scrolled to its row.
    if (seguirUltima_) QTimer::singleShot(0, this, &QAbstractItemView::scrollToBottom);
}

void TDBGrid::showEvent(QShowEvent* evento) {
    QTableView::showEvent(evento);
    verUltimaFila();
}

void TDBGrid::resizeEvent(QResizeEvent* evento) {
    QTableView::resizeEvent(evento);
    verUltimaFila();
}

void TDBGrid::MostrarColumna(const QString& campo, bool visible) {
    if (!modelo_) return;
    const int columna = modelo_->ColumnaDe(campo);
    if (columna >= 0) setColumnHidden(columna, !visible);
}

void TDBGrid::TituloColumna(const QString& campo, const QString& titulo) {
    if (modelo_) modelo_->setHeaderData(modelo_->ColumnaDe(campo), Qt::Horizontal, titulo);
}

// ---------------------------------------------------------------- TDBLookupComboBox

TDBLookupComboBox::TDBLookupComboBox(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::activated, this, &TDBLookupComboBox::alElegir);
}

void TDBLookupComboBox::SetListSource(TDataSource* fuente, const QString& campoClave,
                                      const QString& campoLista) {
    campoClave_ = campoClave;
    campoLista_ = campoLista;
    lista_.Enlazar(fuente, [this](TDataEvent evento, TField*) {
        if (evento == deDataSetChange || evento == deLayoutChange || evento == deRecordChange) Recargar();
    });
    Recargar();
}

void TDBLookupComboBox::SetListField(const QString& campo) {
    campoLista_ = campo;
    Recargar();
}

void TDBLookupComboBox::SetDataSource(TDataSource* fuente, const QString& campo) {
    campoDatos_ = campo;
    datos_.Enlazar(fuente, [this](TDataEvent evento, TField*) {
        if (evento != deUpdateState) mostrarValorDelCampo();
    });
    mostrarValorDelCampo();
}

void TDBLookupComboBox::Recargar() {
    const QVariant elegida = KeyValue();
    cargando_ = true;
    clear();
    TClientDataSet* ds = lista_.DataSet();
    TField* clave = campoDe(ds, campoClave_);
    // A list field "A;B" shows both fields of each row.
    std::vector<TField*> textos;
    for (const QString& nombre : campoLista_.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (TField* texto = campoDe(ds, nombre.trimmed())) textos.push_back(texto);
    if (clave && !textos.empty()) {
        const int filas = ds->RecordCount();
        for (int fila = 1; fila <= filas; ++fila) {
            QStringList partes;
            for (TField* texto : textos) partes << ds->DisplayTextAt(fila, texto);
            addItem(partes.join(QStringLiteral(" - ")), ds->ValueAt(fila, clave));
        }
    }
    setCurrentIndex(elegida.isValid() ? findData(elegida) : -1);
    cargando_ = false;
    if (datos_.Fuente()) mostrarValorDelCampo();
}

QVariant TDBLookupComboBox::KeyValue() const {
    return currentIndex() < 0 ? QVariant() : currentData();
}

void TDBLookupComboBox::SetKeyValue(const QVariant& clave) {
    setCurrentIndex(clave.isValid() ? findData(clave) : -1);
}

void TDBLookupComboBox::mostrarValorDelCampo() {
    TField* campo = campoDe(datos_.DataSet(), campoDatos_);
    cargando_ = true;
    SetKeyValue(campo && !campo->IsNull() ? campo->Value() : QVariant());
    cargando_ = false;
}

void TDBLookupComboBox::alElegir(int indice) {
    if (cargando_ || indice < 0) return;
    const QVariant clave = itemData(indice);
    if (datos_.Fuente()) {
        if (!escribir(datos_.DataSet(), campoDatos_, clave)) mostrarValorDelCampo();
    } else if (TClientDataSet* ds = lista_.DataSet(); ds && ds->Active()) {
        ds->Locate(campoClave_, clave);
    }
    emit Elegido(clave);
}

// ---------------------------------------------------------------- TDBEdit, TDBMemo, TDBText

TDBEdit::TDBEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this](const QString& texto) {
        if (!mostrando_ && !escribir(enlace_.DataSet(), campo_, texto)) mostrar();
    });
}

void TDBEdit::SetDataSource(TDataSource* fuente, const QString& campo) {
    campo_ = campo;
    enlace_.Enlazar(fuente, [this](TDataEvent evento, TField*) {
        if (evento != deUpdateState) mostrar();
    });
    mostrar();
}

TField* TDBEdit::Campo() const {
    return campoDe(enlace_.DataSet(), campo_);
}

void TDBEdit::mostrar() {
    TField* campo = Campo();
    mostrando_ = true;
    if (campo && campo->Size() > 0) setMaxLength(campo->Size());
    const QString texto = campo ? campo->Text() : QString();
    if (texto != text()) setText(texto);
    mostrando_ = false;
}

TDBMemo::TDBMemo(QWidget* parent) : QPlainTextEdit(parent) {
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (mostrando_) return;
        if (!escribir(enlace_.DataSet(), campo_, toPlainText()))
            mostrar();
        else
            emit Editado();
    });
}

void TDBMemo::SetDataSource(TDataSource* fuente, const QString& campo) {
    campo_ = campo;
    enlace_.Enlazar(fuente, [this](TDataEvent evento, TField*) {
        if (evento != deUpdateState) mostrar();
    });
    mostrar();
}

void TDBMemo::mostrar() {
    TField* campo = campoDe(enlace_.DataSet(), campo_);
    mostrando_ = true;
    const QString texto = campo ? campo->AsString() : QString();
    if (texto != toPlainText()) setPlainText(texto);
    mostrando_ = false;
}

TDBText::TDBText(QWidget* parent) : QLabel(parent) {}

void TDBText::SetDataSource(TDataSource* fuente, const QString& campo) {
    campo_ = campo;
    enlace_.Enlazar(fuente, [this](TDataEvent, TField*) { mostrar(); });
    mostrar();
}

void TDBText::mostrar() {
    TField* campo = campoDe(enlace_.DataSet(), campo_);
    setText(campo ? campo->DisplayText() : QString());
}
