#include "ListaCodigos.h"

#include <QHeaderView>

#include "Cadenas.h"

namespace {

constexpr int kColumnaCodigo = 1;

}  // namespace

TListaCodigos::TListaCodigos(const char* nombre, QWidget* parent) : QTableWidget(0, 2, parent) {
    setObjectName(QString::fromLatin1(nombre));
    setColumnHidden(kColumnaCodigo, true);
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(false);
    setAlternatingRowColors(true);
}

void TListaCodigos::Limpiar() {
    setRowCount(0);
}

int TListaCodigos::fila(int codigo) const {
    for (int i = 0; i < rowCount(); ++i)
        if (item(i, kColumnaCodigo) && item(i, kColumnaCodigo)->data(Qt::DisplayRole).toInt() == codigo)
            return i;
    return -1;
}

void TListaCodigos::Anadir(const QString& texto, int codigo) {
    if (fila(codigo) >= 0) return;
    int donde = 0;
    while (donde < rowCount() && AntesAlfabeticamente(item(donde, 0)->text(), texto)) ++donde;
    insertRow(donde);
    setItem(donde, 0, new QTableWidgetItem(texto));
    auto* celdaCodigo = new QTableWidgetItem;
    celdaCodigo->setData(Qt::DisplayRole, codigo);
    setItem(donde, kColumnaCodigo, celdaCodigo);
}

void TListaCodigos::Quitar(int codigo) {
    if (const int i = fila(codigo); i >= 0) removeRow(i);
}

bool TListaCodigos::Contiene(int codigo) const {
    return fila(codigo) >= 0;
}

QList<int> TListaCodigos::Codigos() const {
    QList<int> codigos;
    for (int i = 0; i < rowCount(); ++i) codigos << item(i, kColumnaCodigo)->data(Qt::DisplayRole).toInt();
    return codigos;
}

std::optional<int> TListaCodigos::CodigoActual() const {
    const int i = currentRow();
    if (i < 0 || !item(i, kColumnaCodigo)) return std::nullopt;
    return item(i, kColumnaCodigo)->data(Qt::DisplayRole).toInt();
}

QString TListaCodigos::TextoActual() const {
    const int i = currentRow();
    return i >= 0 && item(i, 0) ? item(i, 0)->text() : QString();
}
