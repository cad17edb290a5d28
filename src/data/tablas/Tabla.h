#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>
#include <deque>
#include <functional>
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
    bool enArchivo = false;     // the last written file holds a row with this id
    qint64 versionArchivo = 0;  // version of the file in which that row was last written
};
using FilaP = std::shared_ptr<Fila>;

// A row changed since the table last read or wrote its file, with the values the file
// held when the change began (none for a new row): what this program changed is what
// differs from them.
struct Sucia {
    FilaP fila;
    std::vector<QVariant> base;
};

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

    // Saving. The file's version counts its saves; its lineage names the file's history,
    // so that a file put in its place (a backup brought back) is told from a newer one.
    bool CambiadaDesde(const QString& archivo) const;
    void MarcarGuardada(const QString& archivo, qint64 version, const QByteArray& linaje);
    void MarcarCargada(const QString& archivo, qint64 version, const QByteArray& linaje);
    // The other programs' changes up to that version are in; this program's are still pending.
    void Sincronizada(qint64 version, const QByteArray& linaje);
    const QString& archivoEscrito() const { return archivoEscrito_; }
    qint64 version() const { return version_; }
    const QByteArray& linaje() const { return linaje_; }
    bool reescribir() const { return reescribir_; }
    void PedirReescritura() { reescribir_ = true; }
    // Rows changed since the last write (deleted ones included).
    const std::unordered_map<Fila*, Sucia>& sucias() const { return sucias_; }
    std::unordered_map<Fila*, Sucia>& sucias() { return sucias_; }
    qint64 ultimoId() const { return ultimoId_; }
    void UsarId(qint64 id) { ultimoId_ = std::max(ultimoId_, id); }

    // What another program did to the file, brought into memory; each cursor is told.
    FilaP AltaAjena(qint64 id, double orden, std::vector<QVariant> valores, qint64 version);
    void ModificacionAjena(const FilaP& fila, std::vector<QVariant> valores, double orden, qint64 version);
    void BajaAjena(const FilaP& fila);
    // A row of this program moved to another place or given other values by the merge.
    void Recolocar(const FilaP& fila, double orden);
    void Avisar(Cambio::Clase clase, const FilaP& fila);
    // Replaces rows and history with those of a table read afresh from the file.
    void Sustituir(Tabla& leida);

    // The field that identifies a row among every program writing the file (-1: none),
    // whether freed codes are given again, and who adjusts a row whose code changed.
    int columnaCodigo = -1;
    bool codigoSinReutilizar = false;
    std::function<void(Fila& fila, int anterior, int nuevo)> recodificar;
    TClientDataSet* recodificador = nullptr;

    // Changes whenever the columns do, so that statements prepared for them are dropped.
    quint64 estructura() const { return estructura_; }

    // The open link to the file last written (kept between saves by the file layer).
    std::shared_ptr<void> enlace;

    void AnadirCursor(TClientDataSet* cursor) { cursores_.push_back(cursor); }
    void QuitarCursor(TClientDataSet* cursor);

private:
    void Registrar(Operacion op);
    // Before the row changes: its values then are what the file holds.
    void Ensuciar(const FilaP& fila);
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
    qint64 version_ = 0;
    QByteArray linaje_;
    bool reescribir_ = true;
    quint64 estructura_ = 0;
    std::unordered_map<Fila*, Sucia> sucias_;
    std::vector<TClientDataSet*> cursores_;

    friend std::shared_ptr<Tabla> CargarTabla(const QString&);
};

}  // namespace tablas
