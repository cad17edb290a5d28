#pragma once

// In-memory tables kept in SQLite table files ("….cds").
//
// A TClientDataSet is a cursor over a table: its rows live in memory, shared with every
// clone (CloneCursor); the cursor has its own position, order, filter and master link.
// Field components (TField) are owned by their dataset and stay valid for its lifetime,
// so a data module can keep them as members (TField* cdsGrpFNombre).
//
// Conventions of this interface:
// - Properties without side effects are plain public members (events, field labels,
//   Required ...). Properties whose change acts on the cursor are Get/Set pairs named as
//   the property (Filter() / SetFilter()).
// - Values are QVariant: invalid QVariant is Null; integers are int, strings QString,
//   booleans bool, date-times double (days since 1899-12-30, see FechaHora.h).
//   Assigning an empty string to a string or memo field makes it Null.
// - Operations that run before-events (Open, Insert, Append, Edit, Post, Cancel, Delete)
//   return false when a before-event called Abort(): the operation is not done and
//   nothing is raised. Navigation that a BeforeScroll aborts simply does not move.
//   Engine errors (key violation, required field, closed dataset, bad filter, file
//   errors) raise EDatabaseError.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class TClientDataSet;
class TDataSource;
class TField;

namespace tablas {
class Tabla;
struct Fila;
struct Cambio;
class Expresion;
}  // namespace tablas

// ---------------------------------------------------------------- errors and abort

// Error of the engine (the message names the table, field, filter or file involved).
class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const QString& mensaje);
    QString Message() const { return mensaje_; }

private:
    QString mensaje_;
};

// A table file that is missing, damaged, not one of ours or cannot be written.
class EArchivoTabla : public EDatabaseError {
public:
    EArchivoTabla(const QString& archivo, const QString& mensaje);
    QString FileName() const { return archivo_; }

private:
    QString archivo_;
};

// A table file that another program kept locked for longer than a save waits (5 s).
class EArchivoOcupado : public EArchivoTabla {
public:
    using EArchivoTabla::EArchivoTabla;
};

// Silent exception: raised by Abort() in a handler to cancel the operation that fired it.
class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};
[[noreturn]] void Abort();

// ---------------------------------------------------------------- enumerations

enum TFieldType { ftUnknown, ftInteger, ftString, ftBoolean, ftDateTime, ftFloat, ftMemo, ftFmtMemo };

enum TFieldKind {
    fkData,          // stored in the row
    fkCalculated,    // computed by OnCalcFields every time a row is shown; never stored
    fkInternalCalc,  // computed by OnCalcFields but kept in the row: stored, indexable, filterable
    fkLookup         // taken from LookupDataSet by key; never stored
};

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsCalcFields };

// What a post-error handler decides: raise the error, abandon silently, or try again.
enum TDataAction { daFail, daAbort, daRetry };

// What a data source tells its listeners.
enum TDataEvent {
    deFieldChange,    // a field of the current row changed while editing (field given)
    deRecordChange,   // the current row's values changed (post, cancel, another cursor's post)
    deDataSetChange,  // rows appeared, disappeared or were reordered (filter, order, load)
    deDataSetScroll,  // the cursor moved to another row
    deLayoutChange,   // the dataset opened or closed
    deUpdateState     // State() changed
};

enum TIndexOption { ixPrimary = 1, ixUnique = 2, ixDescending = 4, ixCaseInsensitive = 8 };
using TIndexOptions = int;  // TIndexOption flags

enum TLocateOption { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = int;  // TLocateOption flags

// ---------------------------------------------------------------- event types

using TDataSetNotifyEvent = std::function<void(TClientDataSet* DataSet)>;
using TDataSetErrorEvent =
    std::function<void(TClientDataSet* DataSet, EDatabaseError& E, TDataAction& Action)>;
using TFieldNotifyEvent = std::function<void(TField* Sender)>;
// DisplayText is true when the text is for display, false when it is for editing.
using TFieldGetTextEvent = std::function<void(TField* Sender, QString& Text, bool DisplayText)>;
using TDataChangeEvent = std::function<void(TDataSource* Sender, TField* Field)>;
using TNotifyEvent = std::function<void(TDataSource* Sender)>;
using TDataListener = std::function<void(TDataEvent Event, TField* Field)>;

// ---------------------------------------------------------------- definitions

// A stored column: name, type, width (strings) and whether a post needs a value.
struct TFieldDef {
    QString Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    bool Required = false;
    bool InternalCalcField = false;  // column of an fkInternalCalc field
};

class TFieldDefs {
public:
    void Add(const QString& Name, TFieldType DataType, int Size = 0, bool Required = false);
    void Clear() { defs_.clear(); }
    int Count() const { return static_cast<int>(defs_.size()); }
    const TFieldDef& operator[](int i) const { return defs_[i]; }
    TFieldDef& operator[](int i) { return defs_[i]; }
    // Index of the definition named so (case-insensitive), -1 when none.
    int IndexOf(const QString& Name) const;
    std::vector<TFieldDef>::const_iterator begin() const { return defs_.begin(); }
    std::vector<TFieldDef>::const_iterator end() const { return defs_.end(); }

private:
    friend class TClientDataSet;
    std::vector<TFieldDef> defs_;
};

// A named order: ";"-separated field names and options (unique, primary, descending ...).
struct TIndexDef {
    QString Name;
    QString Fields;
    TIndexOptions Options = 0;
};

class TIndexDefs {
public:
    void Add(const QString& Name, const QString& Fields, TIndexOptions Options = 0);
    void Clear() { defs_.clear(); }
    int Count() const { return static_cast<int>(defs_.size()); }
    const TIndexDef& operator[](int i) const { return defs_[i]; }
    // The definition named so (case-insensitive), nullptr when none.
    const TIndexDef* Find(const QString& Name) const;
    std::vector<TIndexDef>::const_iterator begin() const { return defs_.begin(); }
    std::vector<TIndexDef>::const_iterator end() const { return defs_.end(); }

private:
    friend class TClientDataSet;
    std::vector<TIndexDef> defs_;
};

// ---------------------------------------------------------------- fields

// A field of the dataset's current row (or of the row being computed for a grid).
class TField {
public:
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    const QString& FieldName() const { return nombre_; }
    TFieldType DataType() const { return tipo_; }
    TFieldKind FieldKind() const { return clase_; }
    // Stored width of a string field: longer values are cut to it. 0 for other types.
    int Size() const { return ancho_; }
    TClientDataSet* DataSet() const { return dataSet_; }
    // Position among the dataset's fields.
    int Index() const { return indice_; }
    // DisplayLabel, or the field name when it has none.
    QString DisplayName() const { return DisplayLabel.isEmpty() ? nombre_ : DisplayLabel; }
    bool IsCalculated() const { return clase_ == fkCalculated || clase_ == fkInternalCalc; }

    // --- attributes (no side effects)
    bool Required = false;         // a post with this field Null fails with EDatabaseError
    QString DisplayLabel;          // column caption
    QString DisplayValues;         // booleans: "true text;false text", as "Si;No"
    bool Visible = true;           // shown in grids
    bool ReadOnly = false;         // setting the value raises EDatabaseError
    TFieldGetTextEvent OnGetText;  // replaces DisplayText/Text when assigned
    TFieldNotifyEvent OnValidate;  // before a new value is kept; Abort() rejects it
    TFieldNotifyEvent OnChange;    // after a new value is kept

    // --- lookup definition (fkLookup): the value is LookupDataSet's LookupResultField
    // in the row whose LookupKeyFields equal this dataset's KeyFields (";"-separated).
    // The lookup dataset's cursor does not move.
    TClientDataSet* LookupDataSet = nullptr;
    QString KeyFields;
    QString LookupKeyFields;
    QString LookupResultField;

    // --- value of the current row
    QVariant Value() const;
    void SetValue(const QVariant& valor);  // converted to the field's type; invalid -> Null
    QVariant OldValue() const;             // stored value before the current edit
    bool IsNull() const;
    void Clear();  // Null

    int AsInteger() const;  // Null -> 0; a string that is no number raises EDatabaseError
    void SetAsInteger(int valor);
    QString AsString() const;  // Null -> ""; booleans "True"/"False"; dates as text
    void SetAsString(const QString& valor);
    bool AsBoolean() const;  // Null -> false
    void SetAsBoolean(bool valor);
    double AsDateTime() const;  // Null -> 0
    void SetAsDateTime(double dias);
    double AsFloat() const;
    void SetAsFloat(double valor);

    // Text for display: OnGetText(DisplayText=true) when assigned; else booleans by
    // DisplayValues, date-times "dd/MM/yyyy hh:mm:ss" (date alone at midnight), Null "".
    QString DisplayText() const;
    // Text for editing: OnGetText(DisplayText=false) when assigned; else AsString.
    QString Text() const;

private:
    friend class TClientDataSet;
    TField(TClientDataSet* dataSet, const QString& nombre, TFieldType tipo, int ancho, TFieldKind clase);

    TClientDataSet* dataSet_;
    QString nombre_;
    TFieldType tipo_;
    int ancho_;
    TFieldKind clase_;
    int indice_ = -1;
    int columna_ = -1;         // column of the shared rows (stored kinds), -1 otherwise
    bool porDefecto_ = false;  // created from the table's definitions, not by AddField
};

// ---------------------------------------------------------------- aggregates

// A value the engine keeps over the cursor's visible rows (filter and master range):
// "Count(field)" (non-Null values), "Count(field is not null)" (every row),
// "MAX(field)", "MIN(field)", "SUM(field)". Null when there are no rows or while
// AggregatesActive is off.
class TAggregate {
public:
    const QString& AggregateName() const { return nombre_; }
    const QString& Expression() const { return expresion_; }
    bool Active = true;
    QVariant Value() const;

private:
    friend class TClientDataSet;
    TAggregate(TClientDataSet* dataSet, const QString& nombre, const QString& expresion);
    TClientDataSet* dataSet_;
    QString nombre_;
    QString expresion_;
    std::shared_ptr<tablas::Expresion> arbol_;
};

// ---------------------------------------------------------------- bookmarks

// A remembered row. Stays usable while the row exists; GotoBookmark tells when it is gone.
class TBookmark {
public:
    TBookmark() = default;
    bool IsEmpty() const { return fila_.expired(); }

private:
    friend class TClientDataSet;
    std::weak_ptr<tablas::Fila> fila_;
};

// ---------------------------------------------------------------- data source

// Links a dataset to whoever follows it: detail datasets (MasterSource), grid models,
// windows. Listeners receive every TDataEvent of the dataset.
class TDataSource {
public:
    explicit TDataSource(TClientDataSet* DataSet = nullptr);
    ~TDataSource();
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    QString Name;
    TClientDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TClientDataSet* DataSet);
    TDataSetState State() const;
    bool Enabled = true;  // while false, listeners and events receive nothing

    TDataChangeEvent OnDataChange;  // row values or position changed (Field set for deFieldChange)
    TNotifyEvent OnStateChange;     // State() changed

    // Registers a listener; returns an id for Desconectar.
    int Conectar(TDataListener oyente);
    void Desconectar(int id);

private:
    friend class TClientDataSet;
    void Notificar(TDataEvent evento, TField* campo);
    TClientDataSet* dataSet_ = nullptr;
    std::vector<std::pair<int, TDataListener>> oyentes_;
    int siguienteId_ = 1;
    std::vector<TClientDataSet*> detalles_;
};

// ---------------------------------------------------------------- dataset

class TClientDataSet {
public:
    explicit TClientDataSet(const QString& Name = {});
    ~TClientDataSet();
    TClientDataSet(const TClientDataSet&) = delete;
    TClientDataSet& operator=(const TClientDataSet&) = delete;

    // Component name ("cdsGrupo"): names the table in messages and in cdsCodigos.
    QString Name;

    // ------------------------------------------------ structure

    // Adds a persistent field (only while closed). Stored kinds (fkData, fkInternalCalc)
    // become columns of a table created by CreateDataSet and are bound by name to the
    // columns of a loaded file; a stored field missing from the file is added to the
    // table, Null in every row. Returns the field, owned by the dataset.
    TField* AddField(const QString& FieldName, TFieldType DataType, int Size = 0, TFieldKind Kind = fkData);
    // A lookup field: KeyFields of this dataset looked up in LookupDataSet's LookupKeyFields.
    TField* AddLookupField(const QString& FieldName, TFieldType DataType, int Size, const QString& KeyFields,
                           TClientDataSet* LookupDataSet, const QString& LookupKeyFields,
                           const QString& LookupResultField);
    // Every field, in order: persistent fields, or fields made from the table's
    // definitions when the dataset has none.
    const std::vector<TField*>& Fields() const { return campos_; }
    int FieldCount() const { return static_cast<int>(campos_.size()); }
    // The field named so (case-insensitive); raises EDatabaseError naming field and dataset.
    TField* FieldByName(const QString& FieldName) const;
    TField* FindField(const QString& FieldName) const;  // nullptr when none

    // Stored columns. Used by CreateDataSet when filled (else the persistent stored
    // fields are used); after opening it holds the open table's columns.
    TFieldDefs FieldDefs;
    // Named indexes: used by IndexName, and unique/primary ones refuse duplicates on post.
    // Kept in the table file; after opening it holds the definitions in force.
    TIndexDefs IndexDefs;

    // ------------------------------------------------ opening and files

    // Empty table with the structure of FieldDefs / persistent fields; opens it.
    void CreateDataSet();
    // Opens: a clone keeps its rows; otherwise loads FileName (a missing file or no file
    // name raises "Missing data provider or data packet"; damaged or foreign files raise
    // EArchivoTabla naming the file). Fires BeforeOpen, AfterOpen, AfterScroll.
    bool Open();
    // Closes: a pending edit is dropped; with a FileName and unsaved changes the table is
    // written to it first. Fires BeforeClose, AfterClose.
    bool Close();
    bool Active() const { return activo_; }
    void SetActive(bool valor);
    TDataSetState State() const { return estado_; }

    QString FileName() const { return archivo_; }
    void SetFileName(const QString& nombre) { archivo_ = nombre; }
    // Replaces the rows with the file's (FileName when empty) and opens.
    void LoadFromFile(const QString& nombre = {});
    // Writes the table to the file (FileName when empty) in one transaction; when the
    // file is the one last loaded or written and nobody else wrote it, only what changed.
    void SaveToFile(const QString& nombre = {});
    // Rows changed since the table was last loaded or written.
    bool HayCambiosSinGuardar() const;
    // Brings in what other programs saved in FileName since this table read or wrote it,
    // keeping the unsaved changes of this program; cursors keep their current row. A file
    // put in place of the one read (a backup brought back) is read again as it is. True
    // when anything came in.
    bool Refrescar();
    // Version of the file (it counts the file's saves) this table last read, wrote or
    // refreshed from; 0 when none.
    qint64 VersionArchivo() const;

    // The stored integer field that identifies a row among every program writing the file.
    // A row inserted here whose code another program's row took meanwhile is written with
    // a free code instead (the smallest, or one above the highest with
    // CodigoSinReutilizar); OnRecodificar then gives the new value of each other stored
    // field of that row. Set before Open.
    QString CampoCodigo;
    bool CodigoSinReutilizar = false;
    std::function<QVariant(TField* campo, const QVariant& valor, int anterior, int nuevo)> OnRecodificar;

    // Shares Source's rows with its own cursor. Reset=false: takes Source's order,
    // filter, master link and ReadOnly; Reset=true: none of them; KeepSettings=true:
    // keeps this cursor's own. Opens this dataset.
    void CloneCursor(TClientDataSet* Source, bool Reset = false, bool KeepSettings = false);

    // ------------------------------------------------ navigation

    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distancia);  // rows actually moved
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    bool IsEmpty() const;
    int RecordCount() const;
    // 1-based position among the visible rows; -1 when empty or inserting.
    int RecNo() const;
    void SetRecNo(int n);
    TBookmark GetBookmark() const;
    // False (and no move) when the row no longer exists or is not visible.
    bool GotoBookmark(const TBookmark& marca);
    bool BookmarkValid(const TBookmark& marca) const;
    // Moves to the first visible row whose KeyFields (";"-separated) equal KeyValues
    // (one value, or a QVariantList with one per field). Fires scroll events when found.
    bool Locate(const QString& KeyFields, const QVariant& KeyValues, TLocateOptions Options = 0);
    // The ResultFields value(s) of the row Locate would find, without moving; Null when none.
    QVariant Lookup(const QString& KeyFields, const QVariant& KeyValues, const QString& ResultFields);

    // Value / display text of a field in the RecNo'th visible row, computing its
    // calculated and lookup fields for that row, without moving the cursor and
    // without scroll events (what a grid needs to paint a row).
    QVariant ValueAt(int recNo, const TField* campo);
    QString DisplayTextAt(int recNo, const TField* campo);

    // ------------------------------------------------ editing

    bool Edit();
    bool Insert();  // new row before the current one (or at its index position)
    bool Append();  // new row at the end (or at its index position)
    // Stores the new or edited row. Required fields and unique indexes are checked; a
    // failure goes to OnPostError, then raises EDatabaseError (daFail) or returns false
    // (daAbort).
    bool Post();
    bool Cancel();
    bool Delete();
    // Removes every row (logged: a save point or CancelUpdates brings them back).
    void EmptyDataSet();
    // Whether the current edit changed a field.
    bool Modified() const { return modificado_; }
    bool ReadOnly() const { return soloLectura_; }
    void SetReadOnly(bool valor);
    bool CanModify() const { return activo_ && !soloLectura_; }

    // ------------------------------------------------ change log and save points

    // Changes since the last MergeChangeLog (whatever cursor made them).
    int ChangeCount() const;
    // Accepts the logged changes: CancelUpdates no longer undoes them.
    void MergeChangeLog();
    // Undoes every change since the last MergeChangeLog.
    void CancelUpdates();
    // A mark in the table's history. SetSavePoint(mark) undoes every insert, edit and
    // delete made since the mark was read, also those already merged and saved; the next
    // save writes the restored state.
    int SavePoint() const;
    void SetSavePoint(int marca);

    // ------------------------------------------------ order, filter, master/detail

    QString IndexFieldNames() const { return camposIndice_; }
    void SetIndexFieldNames(const QString& campos);  // clears IndexName
    QString IndexName() const { return nombreIndice_; }
    void SetIndexName(const QString& nombre);  // clears IndexFieldNames

    QString Filter() const { return filtro_; }
    // Parsed at once: a text that cannot be parsed raises EDatabaseError naming it.
    void SetFilter(const QString& texto);
    bool Filtered() const { return filtrado_; }
    void SetFiltered(bool valor);

    // The detail shows only rows whose first index fields equal the master's MasterFields
    // (";"-separated) and follows every move of the master.
    TDataSource* MasterSource() const { return maestro_; }
    void SetMasterSource(TDataSource* fuente);
    QString MasterFields() const { return camposMaestro_; }
    void SetMasterFields(const QString& campos);

    // ------------------------------------------------ aggregates

    TAggregate* AddAggregate(const QString& AggregateName, const QString& Expression);
    TAggregate* FindAggregate(const QString& AggregateName) const;  // nullptr when none
    bool AggregatesActive() const { return agregadosActivos_; }
    void SetAggregatesActive(bool valor) { agregadosActivos_ = valor; }

    // ------------------------------------------------ notifications

    // While disabled, data sources receive nothing; enabling sends deDataSetChange.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return controlesOff_ > 0; }

    // ------------------------------------------------ events (assign, detach with nullptr)

    TDataSetNotifyEvent BeforeOpen, AfterOpen;
    TDataSetNotifyEvent BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeInsert, AfterInsert;
    TDataSetNotifyEvent BeforeEdit, AfterEdit;
    TDataSetNotifyEvent BeforePost, AfterPost;
    TDataSetNotifyEvent BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete;
    TDataSetNotifyEvent BeforeScroll, AfterScroll;
    // Fills calculated, internally calculated and lookup-like fields of the row being
    // shown (State() is dsCalcFields; assigning a data field changes only the shown copy).
    TDataSetNotifyEvent OnCalcFields;
    // Gives default values to a new row (inside Insert/Append, before AfterInsert).
    TDataSetNotifyEvent OnNewRecord;
    TDataSetErrorEvent OnPostError;
    TDataSetErrorEvent OnDeleteError;

private:
    friend class TField;
    friend class TDataSource;
    friend class TAggregate;
    friend class tablas::Tabla;
    struct Cursor;

    // Field access for TField, notifications for TDataSource and Tabla.
    QVariant LeerCampo(const TField* campo) const;
    QVariant LeerValorAnterior(const TField* campo) const;
    void EscribirCampo(TField* campo, const QVariant& valor);
    QVariant CalcularAgregado(const TAggregate& agregado) const;
    void Avisar(TDataEvent evento, TField* campo = nullptr);
    void AlCambiarMaestro(TDataEvent evento);
    void AlCambiarTabla(const tablas::Cambio& cambio);
    void QuitarFuente(TDataSource* fuente);

    std::vector<TField*> campos_;
    std::vector<std::unique_ptr<TField>> propios_;
    std::shared_ptr<tablas::Tabla> tabla_;
    std::unique_ptr<Cursor> cursor_;
    std::vector<std::unique_ptr<TAggregate>> agregados_;
    std::vector<TDataSource*> fuentes_;
    TDataSource* maestro_ = nullptr;
    QString archivo_, camposIndice_, nombreIndice_, filtro_, camposMaestro_;
    bool activo_ = false, filtrado_ = false, soloLectura_ = false, agregadosActivos_ = false;
    bool eof_ = true, bof_ = true, modificado_ = false;
    TDataSetState estado_ = dsInactive;
    int controlesOff_ = 0;
    bool avisoPendiente_ = false;
};
