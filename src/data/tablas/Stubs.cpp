#include "ClientDataSet.h"
#include "FechaHora.h"

namespace tablas {
class Tabla {};
struct Fila {};
class Expresion {};
}  // namespace tablas
struct TClientDataSet::Cursor {};

EDatabaseError::EDatabaseError(const QString& m) : std::runtime_error(m.toStdString()), mensaje_(m) {}
EArchivoTabla::EArchivoTabla(const QString& a, const QString& m) : EDatabaseError(m), archivo_(a) {}
void Abort() {
    throw EAbort();
}
void TFieldDefs::Add(const QString& n, TFieldType t, int s, bool r) {
    defs_.push_back({n, t, s, r, false});
}
int TFieldDefs::IndexOf(const QString&) const {
    return -1;
}
void TIndexDefs::Add(const QString& n, const QString& f, TIndexOptions o) {
    defs_.push_back({n, f, o});
}
const TIndexDef* TIndexDefs::Find(const QString&) const {
    return nullptr;
}
TField::TField(TClientDataSet* d, const QString& n, TFieldType t, int a, TFieldKind c)
    : dataSet_(d), nombre_(n), tipo_(t), ancho_(a), clase_(c) {}
QVariant TField::Value() const {
    return {};
}
void TField::SetValue(const QVariant&) {}
QVariant TField::OldValue() const {
    return {};
}
bool TField::IsNull() const {
    return true;
}
void TField::Clear() {}
int TField::AsInteger() const {
    return 0;
}
void TField::SetAsInteger(int) {}
QString TField::AsString() const {
    return {};
}
void TField::SetAsString(const QString&) {}
bool TField::AsBoolean() const {
    return false;
}
void TField::SetAsBoolean(bool) {}
double TField::AsDateTime() const {
    return 0;
}
void TField::SetAsDateTime(double) {}
double TField::AsFloat() const {
    return 0;
}
void TField::SetAsFloat(double) {}
QString TField::DisplayText() const {
    return {};
}
QString TField::Text() const {
    return {};
}
TAggregate::TAggregate(TClientDataSet* d, const QString& n, const QString& e)
    : dataSet_(d), nombre_(n), expresion_(e) {}
QVariant TAggregate::Value() const {
    return {};
}
TDataSource::TDataSource(TClientDataSet* d) : dataSet_(d) {}
TDataSource::~TDataSource() {}
void TDataSource::SetDataSet(TClientDataSet* d) {
    dataSet_ = d;
}
TDataSetState TDataSource::State() const {
    return dsInactive;
}
int TDataSource::Conectar(TDataListener) {
    return 0;
}
void TDataSource::Desconectar(int) {}
void TDataSource::Notificar(TDataEvent, TField*) {}
TClientDataSet::TClientDataSet(const QString& n) : Name(n) {}
TClientDataSet::~TClientDataSet() {}
TField* TClientDataSet::AddField(const QString&, TFieldType, int, TFieldKind) {
    return nullptr;
}
TField* TClientDataSet::AddLookupField(const QString&, TFieldType, int, const QString&, TClientDataSet*,
                                       const QString&, const QString&) {
    return nullptr;
}
TField* TClientDataSet::FieldByName(const QString&) const {
    return nullptr;
}
TField* TClientDataSet::FindField(const QString&) const {
    return nullptr;
}
void TClientDataSet::CreateDataSet() {}
bool TClientDataSet::Open() {
    return false;
}
bool TClientDataSet::Close() {
    return false;
}
void TClientDataSet::SetActive(bool) {}
void TClientDataSet::LoadFromFile(const QString&) {}
void TClientDataSet::SaveToFile(const QString&) {}
bool TClientDataSet::HayCambiosSinGuardar() const {
    return false;
}
void TClientDataSet::CloneCursor(TClientDataSet*, bool, bool) {}
void TClientDataSet::First() {}
void TClientDataSet::Last() {}
void TClientDataSet::Next() {}
void TClientDataSet::Prior() {}
int TClientDataSet::MoveBy(int) {
    return 0;
}
bool TClientDataSet::IsEmpty() const {
    return true;
}
int TClientDataSet::RecordCount() const {
    return 0;
}
int TClientDataSet::RecNo() const {
    return -1;
}
void TClientDataSet::SetRecNo(int) {}
TBookmark TClientDataSet::GetBookmark() const {
    return {};
}
bool TClientDataSet::GotoBookmark(const TBookmark&) {
    return false;
}
bool TClientDataSet::BookmarkValid(const TBookmark&) const {
    return false;
}
bool TClientDataSet::Locate(const QString&, const QVariant&, TLocateOptions) {
    return false;
}
QVariant TClientDataSet::Lookup(const QString&, const QVariant&, const QString&) {
    return {};
}
QVariant TClientDataSet::ValueAt(int, const TField*) {
    return {};
}
QString TClientDataSet::DisplayTextAt(int, const TField*) {
    return {};
}
bool TClientDataSet::Edit() {
    return false;
}
bool TClientDataSet::Insert() {
    return false;
}
bool TClientDataSet::Append() {
    return false;
}
bool TClientDataSet::Post() {
    return false;
}
bool TClientDataSet::Cancel() {
    return false;
}
bool TClientDataSet::Delete() {
    return false;
}
void TClientDataSet::EmptyDataSet() {}
void TClientDataSet::SetReadOnly(bool v) {
    soloLectura_ = v;
}
int TClientDataSet::ChangeCount() const {
    return 0;
}
void TClientDataSet::MergeChangeLog() {}
void TClientDataSet::CancelUpdates() {}
int TClientDataSet::SavePoint() const {
    return 0;
}
void TClientDataSet::SetSavePoint(int) {}
void TClientDataSet::SetIndexFieldNames(const QString& c) {
    camposIndice_ = c;
}
void TClientDataSet::SetIndexName(const QString& n) {
    nombreIndice_ = n;
}
void TClientDataSet::SetFilter(const QString& t) {
    filtro_ = t;
}
void TClientDataSet::SetFiltered(bool v) {
    filtrado_ = v;
}
void TClientDataSet::SetMasterSource(TDataSource* f) {
    maestro_ = f;
}
void TClientDataSet::SetMasterFields(const QString& c) {
    camposMaestro_ = c;
}
TAggregate* TClientDataSet::AddAggregate(const QString&, const QString&) {
    return nullptr;
}
TAggregate* TClientDataSet::FindAggregate(const QString&) const {
    return nullptr;
}
void TClientDataSet::DisableControls() {}
void TClientDataSet::EnableControls() {}
double DiasDesdeFechaHora(const QDateTime&) {
    return 0;
}
QDateTime FechaHoraDesdeDias(double) {
    return {};
}
double Ahora() {
    return 0;
}
