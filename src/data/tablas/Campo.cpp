// Fields, definitions, aggregates and data sources: the small pieces around the dataset.
#include <algorithm>

#include "ClientDataSet.h"
#include "Expresion.h"
#include "FechaHora.h"
#include "Valores.h"

EDatabaseError::EDatabaseError(const QString& mensaje)
    : std::runtime_error(mensaje.toStdString()), mensaje_(mensaje) {}

EArchivoTabla::EArchivoTabla(const QString& archivo, const QString& mensaje)
    : EDatabaseError(mensaje), archivo_(archivo) {}

void Abort() {
    throw EAbort();
}

// ---------------------------------------------------------------- definitions

void TFieldDefs::Add(const QString& Name, TFieldType DataType, int Size, bool Required) {
    defs_.push_back({Name, DataType, Size, Required, false});
}

int TFieldDefs::IndexOf(const QString& Name) const {
    for (size_t i = 0; i < defs_.size(); ++i)
        if (defs_[i].Name.compare(Name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

void TIndexDefs::Add(const QString& Name, const QString& Fields, TIndexOptions Options) {
    defs_.push_back({Name, Fields, Options});
}

const TIndexDef* TIndexDefs::Find(const QString& Name) const {
    for (const TIndexDef& d : defs_)
        if (d.Name.compare(Name, Qt::CaseInsensitive) == 0) return &d;
    return nullptr;
}

// ---------------------------------------------------------------- fields

TField::TField(TClientDataSet* dataSet, const QString& nombre, TFieldType tipo, int ancho, TFieldKind clase)
    : dataSet_(dataSet),
      nombre_(nombre),
      tipo_(tipo),
      ancho_(tablas::EsTexto(tipo) ? ancho : 0),
      clase_(clase) {}

QVariant TField::Value() const {
    return dataSet_->LeerCampo(this);
}
void TField::SetValue(const QVariant& valor) {
    dataSet_->EscribirCampo(this, valor);
}
QVariant TField::OldValue() const {
    return dataSet_->LeerValorAnterior(this);
}
bool TField::IsNull() const {
    return !Value().isValid();
}
void TField::Clear() {
    SetValue(QVariant());
}

int TField::AsInteger() const {
    const QVariant v = Value();
    if (!v.isValid()) return 0;
    if (tipo_ == ftBoolean) return v.toBool() ? 1 : 0;
    bool ok = false;
    const int n = tablas::EsTexto(tipo_) ? v.toString().trimmed().toInt(&ok) : v.toInt(&ok);
    if (!ok)
        throw EDatabaseError(
            QString("'%1' is not a valid integer value for field '%2'").arg(v.toString(), nombre_));
    return n;
}
void TField::SetAsInteger(int valor) {
    SetValue(QVariant(valor));
}

QString TField::AsString() const {
    const QVariant v = Value();
    if (!v.isValid()) return {};
    switch (tipo_) {
        case ftBoolean:
            return v.toBool() ? "True" : "False";
        case ftDateTime:
            return tablas::TextoFechaHora(v.toDouble());
        case ftFloat:
            return QString::number(v.toDouble(), 'g', 15);
        default:
            return v.toString();
    }
}

void TField::SetAsString(const QString& valor) {
    if (tipo_ == ftBoolean && !DisplayValues.isEmpty()) {
        const QStringList textos = DisplayValues.split(';');
        if (!textos.value(0).isEmpty() && valor.compare(textos.value(0), Qt::CaseInsensitive) == 0)
            return SetValue(true);
        if (!textos.value(1).isEmpty() && valor.compare(textos.value(1), Qt::CaseInsensitive) == 0)
            return SetValue(false);
    }
    if (tipo_ == ftDateTime && !valor.trimmed().isEmpty()) {
        for (const char* formato : {"dd/MM/yyyy hh:mm:ss", "dd/MM/yyyy hh:mm", "dd/MM/yyyy"}) {
            const QDateTime f = QDateTime::fromString(valor.trimmed(), formato);
            if (f.isValid()) return SetValue(DiasDesdeFechaHora(f));
        }
        const QDateTime iso = QDateTime::fromString(valor.trimmed(), Qt::ISODate);
        if (iso.isValid()) return SetValue(DiasDesdeFechaHora(iso));
        throw EDatabaseError(QString("'%1' is not a valid date and time for field '%2'").arg(valor, nombre_));
    }
    SetValue(valor.isEmpty() ? QVariant() : QVariant(valor));
}

bool TField::AsBoolean() const {
    const QVariant v = Value();
    if (!v.isValid()) return false;
    if (tablas::EsTexto(tipo_)) {
        bool valido = false;
        const QVariant b = tablas::ConvertirSinError(v, ftBoolean, valido);
        if (!valido)
            throw EDatabaseError(
                QString("'%1' is not a valid boolean value for field '%2'").arg(v.toString(), nombre_));
        return b.toBool();
    }
    return tipo_ == ftBoolean ? v.toBool() : v.toDouble() != 0;
}
void TField::SetAsBoolean(bool valor) {
    SetValue(QVariant(valor));
}

double TField::AsDateTime() const {
    const QVariant v = Value();
    return v.isValid() ? v.toDouble() : 0;
}
void TField::SetAsDateTime(double dias) {
    SetValue(QVariant(dias));
}

double TField::AsFloat() const {
    const QVariant v = Value();
    return v.isValid() ? v.toDouble() : 0;
}
void TField::SetAsFloat(double valor) {
    SetValue(QVariant(valor));
}

QString TField::DisplayText() const {
    if (OnGetText) {
        QString texto;
        const TFieldGetTextEvent manejador = OnGetText;
        manejador(const_cast<TField*>(this), texto, true);
        return texto;
    }
    const QVariant v = Value();
    if (!v.isValid()) return {};
    if (tipo_ == ftBoolean && !DisplayValues.isEmpty()) {
        const QStringList textos = DisplayValues.split(';');
        return v.toBool() ? textos.value(0) : textos.value(1);
    }
    return AsString();
}

QString TField::Text() const {
    if (OnGetText) {
        QString texto;
        const TFieldGetTextEvent manejador = OnGetText;
        manejador(const_cast<TField*>(this), texto, false);
        return texto;
    }
    return AsString();
}

// ---------------------------------------------------------------- aggregates

TAggregate::TAggregate(TClientDataSet* dataSet, const QString& nombre, const QString& expresion)
    : dataSet_(dataSet),
      nombre_(nombre),
      expresion_(expresion),
      arbol_(tablas::Expresion::Agregado(expresion)) {}

QVariant TAggregate::Value() const {
    return Active ? dataSet_->CalcularAgregado(*this) : QVariant();
}

// ---------------------------------------------------------------- data source

TDataSource::TDataSource(TClientDataSet* DataSet) {
    SetDataSet(DataSet);
}

TDataSource::~TDataSource() {
    SetDataSet(nullptr);
    // The details keep the rows they show; they just stop following.
    for (TClientDataSet* d : detalles_) d->maestro_ = nullptr;
}

void TDataSource::SetDataSet(TClientDataSet* DataSet) {
    if (dataSet_ == DataSet) return;
    if (dataSet_) dataSet_->QuitarFuente(this);
    dataSet_ = DataSet;
    if (dataSet_) dataSet_->fuentes_.push_back(this);
}

TDataSetState TDataSource::State() const {
    return dataSet_ ? dataSet_->State() : dsInactive;
}

int TDataSource::Conectar(TDataListener oyente) {
    oyentes_.emplace_back(siguienteId_, std::move(oyente));
    return siguienteId_++;
}

void TDataSource::Desconectar(int id) {
    oyentes_.erase(
        std::remove_if(oyentes_.begin(), oyentes_.end(), [id](const auto& o) { return o.first == id; }),
        oyentes_.end());
}

void TDataSource::Notificar(TDataEvent evento, TField* campo) {
    if (!Enabled) return;
    // Copies: a listener may connect or disconnect others while it runs.
    const auto oyentes = oyentes_;
    for (const auto& [id, oyente] : oyentes) oyente(evento, campo);
    if (evento == deUpdateState || evento == deLayoutChange) {
        if (const TNotifyEvent e = OnStateChange) e(this);
    }
    if (evento != deUpdateState) {
        if (const TDataChangeEvent e = OnDataChange) e(this, evento == deFieldChange ? campo : nullptr);
    }
    for (TClientDataSet* d : std::vector<TClientDataSet*>(detalles_))
        if (std::find(detalles_.begin(), detalles_.end(), d) != detalles_.end()) d->AlCambiarMaestro(evento);
}
