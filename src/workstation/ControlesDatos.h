#pragma once

#include <QAbstractTableModel>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <map>
#include <vector>

#include "ClientDataSet.h"

// Controls bound to a dataset through its data source: they follow the cursor's moves
// and state, and write what the user types into the current row.

// Keeps a listener on a data source for the life of its owner.
class EnlaceDatos {
public:
    EnlaceDatos() = default;
    ~EnlaceDatos() { Soltar(); }
    EnlaceDatos(const EnlaceDatos&) = delete;
    EnlaceDatos& operator=(const EnlaceDatos&) = delete;

    void Enlazar(TDataSource* fuente, TDataListener oyente);
    void Soltar();
    TDataSource* Fuente() const { return fuente_; }
    TClientDataSet* DataSet() const { return fuente_ ? fuente_->DataSet() : nullptr; }

private:
    TDataSource* fuente_ = nullptr;
    int id_ = 0;
};

// Rows of a dataset for a grid: the given fields (or every visible one) as columns, their
// display labels as headers, their display texts as cells. Calculated fields are computed
// per row without moving the cursor.
class ModeloDatos : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloDatos(TDataSource* fuente, QStringList campos = {}, QObject* parent = nullptr);

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;
    // A column's own title in place of its field's display label.
    bool setHeaderData(int seccion, Qt::Orientation orientacion, const QVariant& valor,
                       int rol = Qt::EditRole) override;

    TField* Campo(int columna) const;
    int ColumnaDe(const QString& campo) const;
    TDataSource* Fuente() const { return enlace_.Fuente(); }

signals:
    // The dataset's cursor moved to this row (0-based; -1 when there is none).
    void FilaActual(int fila);

private:
    void alCambiar(TDataEvent evento);
    void recolectarCampos();

    EnlaceDatos enlace_;
    QStringList nombres_;
    std::vector<TField*> campos_;
    std::map<int, QString> titulos_;
};

// A grid over a dataset: selecting a row moves the dataset's cursor to it.
class TDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDBGrid(QWidget* parent = nullptr);
    void SetDataSource(TDataSource* fuente, const QStringList& campos = {});
    ModeloDatos* Modelo() const { return modelo_; }
    void MostrarColumna(const QString& campo, bool visible);
    void TituloColumna(const QString& campo, const QString& titulo);
    // The view keeps the newest (last) row in sight: when rows arrive, and when it is
    // shown or resized (rows that arrived while it was hidden are below the visible area).
    void SeguirUltimaFila();

protected:
    void showEvent(QShowEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void verUltimaFila();

    ModeloDatos* modelo_ = nullptr;
    bool siguiendo_ = false;
    bool seguirUltima_ = false;
};

// A list of one dataset's rows (ListSource) showing ListField, keyed by KeyField. With a
// DataSource and DataField the chosen key is written into that field; without one,
// choosing an entry makes its row the list dataset's current row.
class TDBLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TDBLookupComboBox(QWidget* parent = nullptr);

    void SetListSource(TDataSource* fuente, const QString& campoClave, const QString& campoLista);
    void SetDataSource(TDataSource* fuente, const QString& campo);
    QString ListField() const { return campoLista_; }
    void SetListField(const QString& campo);
    // The key of the chosen entry; Null when none is chosen.
    QVariant KeyValue() const;
    void SetKeyValue(const QVariant& clave);
    void Recargar();

signals:
    void Elegido(const QVariant& clave);

private:
    void alElegir(int indice);
    void mostrarValorDelCampo();

    EnlaceDatos lista_;
    EnlaceDatos datos_;
    QString campoClave_, campoLista_, campoDatos_;
    bool cargando_ = false;
};

// A line edit bound to a field of the current row.
class TDBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget* parent = nullptr);
    void SetDataSource(TDataSource* fuente, const QString& campo);
    TField* Campo() const;

private:
    void mostrar();
    EnlaceDatos enlace_;
    QString campo_;
    bool mostrando_ = false;
};

// A multi-line edit bound to a memo field of the current row.
class TDBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TDBMemo(QWidget* parent = nullptr);
    void SetDataSource(TDataSource* fuente, const QString& campo);

signals:
    // The user changed the text (not the memo following its field).
    void Editado();

private:
    void mostrar();
    EnlaceDatos enlace_;
    QString campo_;
    bool mostrando_ = false;
};

// A label showing a field's display text.
class TDBText : public QLabel {
    Q_OBJECT
public:
    explicit TDBText(QWidget* parent = nullptr);
    void SetDataSource(TDataSource* fuente, const QString& campo);

private:
    void mostrar();
    EnlaceDatos enlace_;
    QString campo_;
};
