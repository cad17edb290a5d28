#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>
#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

#include "ClientDataSet.h"

namespace tablas {

// One stored row, shared by every cursor of its table.
struct Fila {
    std::vector<QVariant> v;  // one value per column
    qint64 id = 0;            // row id in the table file
    double orden = 0;         // physical (natural) order
    quint64 version = 0;      // changes whenever the row does
    bool viva = true;
    bool enArchivo = false;  // the last written file holds a row with this id
};
using FilaP = std::shared_ptr<Fila>;

// What changed, as the cursors are told.
struct Cambio {
    enum Clase { Alta, Modificacion, Baja, Todo } clase = Todo;
    FilaP fila;
};

// One entry of the history that save points and the change log undo.
struct Operacion {
    enum Clase { Alta, Modificacion, Baja, Vaciado } clase = Alta;
    FilaP fila;
    std::vector<std::pair<int, QVariant>> anteriores;  // Modificacion: old values
    std::vector<FilaP> filas;                          // Vaciado: every row, in order
};

// The rows, definitions and history of one table, shared by the cursors that show it.
class Tabla {
public:
    std::vector<TFieldDef> columnas;
    std::vector<TIndexDef> indices;
    std::vector<FilaP> filas;  // live rows in natural order

    // A row read from a file, in file order; true when its place had to be renumbered.
    bool CargarFila(FilaP fila);

    int Columna(const QString& nombre) const;  // -1 when none

    // Editing; each change is logged and every cursor is told.
    FilaP Alta(std::vector<QVariant> valores, const Fila* antesDe);
    void Modificar(const FilaP& fila, std::vector<QVariant> valores);
    void Baja(const FilaP& fila);
    void Vaciar();
    // Raises EDatabaseError when `valores` repeat another live row's key in a unique index.
    void ComprobarUnicos(const std::vector<QVariant>& valores, const Fila* propia,
                         const std::vector<TIndexDef>& otrosIndices) const;

    // History.
    int Marca() const { return base_ + static_cast<int>(diario_.size()); }
    void Restaurar(int marca);
    void Fusionar();
    void DescartarSinFusionar() { Restaurar(fusionado_); }
    // A column for a stored field that the file lacks: Null in every row.
    void AnadirColumna(const TFieldDef& definicion);
    int CambiosSinFusionar() const { return Marca() - fusionado_; }

    // Saving.
    bool CambiadaDesde(const QString& archivo) const;
    void MarcarGuardada(const QString& archivo, const QByteArray& sello);
    void MarcarCargada(const QString& archivo, const QByteArray& sello);
    const QString& archivoEscrito() const { return archivoEscrito_; }
    const QByteArray& sello() const { return sello_; }
    bool reescribir() const { return reescribir_; }
    void PedirReescritura() { reescribir_ = true; }
    // Rows changed since the last write (deleted ones included).
    const std::unordered_map<Fila*, FilaP>& sucias() const { return sucias_; }

    // Changes whenever the columns do, so that statements prepared for them are dropped.
    quint64 estructura() const { return estructura_; }

    // The open link to the file last written (kept between saves by the file layer).
    std::shared_ptr<void> enlace;

    void AnadirCursor(TClientDataSet* cursor) { cursores_.push_back(cursor); }
    void QuitarCursor(TClientDataSet* cursor);

private:
    void Registrar(Operacion op);
    void Ensuciar(const FilaP& fila);
    void Avisar(Cambio::Clase clase, const FilaP& fila);
    void Deshacer(Operacion& op);
    size_t Posicion(const Fila* fila) const;
    void Insertar(const FilaP& fila);

    std::deque<Operacion> diario_;
    int base_ = 0;  // mark of the history's first entry
    int fusionado_ = 0;
    quint64 contadorVersion_ = 0;
    qint64 ultimoId_ = 0;
    quint64 versionDatos_ = 1;
    QHash<QString, quint64> versionArchivo_;  // file -> data version it holds
    QString archivoEscrito_;
    QByteArray sello_;
    bool reescribir_ = true;
    quint64 estructura_ = 0;
    std::unordered_map<Fila*, FilaP> sucias_;
    std::vector<TClientDataSet*> cursores_;

    friend std::shared_ptr<Tabla> CargarTabla(const QString&);
};

}  // namespace tablas
