#include "ClientDataSet.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <map>

#include "ArchivoTabla.h"
#include "Expresion.h"
#include "Tabla.h"
#include "Valores.h"

using tablas::FilaP;

namespace {

// Runs a handler on a copy: a handler may detach or replace itself while it runs.
// An abort in it gives false.
bool Disparar(const TDataSetNotifyEvent& evento, TClientDataSet* ds) {
    if (!evento) return true;
    const TDataSetNotifyEvent copia = evento;
    try {
        copia(ds);
    } catch (const EAbort&) {
        return false;
    }
    return true;
}

QStringList Nombres(const QString& lista) {
    QStringList nombres;
    for (const QString& n : lista.split(';', Qt::SkipEmptyParts))
        if (!n.trimmed().isEmpty()) nombres << n.trimmed();
    return nombres;
}

QVariantList Valores(const QVariant& valores, int cuantos) {
    if (valores.typeId() == QMetaType::QVariantList) return valores.toList();
    if (cuantos == 1) return {valores};
    return valores.toList();
}

}  // namespace

// ---------------------------------------------------------------- cursor

// Position, order, filter and master range of one dataset over its shared rows, and the
// buffer of the row it shows.
struct TClientDataSet::Cursor {
    struct Clave {
        int columna;
        TFieldType tipo;
        bool descendente;
        bool sinMayusculas;
    };

    explicit Cursor(TClientDataSet* d) : ds(d) {}

    TClientDataSet* ds;
    std::vector<FilaP> vista;
    int pos = -1;
    std::vector<QVariant> buffer;
    FilaP filaBuffer;
    quint64 versionBuffer = 0;
    std::vector<QVariant>* activo = &buffer;  // the row being read: the current one or a grid's
    std::vector<Clave> claves;
    std::shared_ptr<tablas::Expresion> filtro;
    std::vector<int> columnasMaestro;
    std::vector<QVariant> valoresMaestro;
    bool rango = false, rangoVacio = false;
    FilaP ancla;  // Insert: the row the new one goes before
    // Edit: the fields given a value since the edit began. The others are taken from the
    // row as it is at the post, which another program's save may have changed meanwhile.
    std::vector<bool> tocados;
    bool enOperacion = false;
    quint64 versionVista = 0;
    // Hashes of the visible rows by searched fields, valid while versionBusqueda is current.
    struct IndiceBusqueda {
        std::vector<int> columnas;
        bool ci;
        QHash<QString, int> primero;   // key -> first visible row with it
        std::vector<QString> claveDe;  // row -> its key
    };
    std::map<QString, IndiceBusqueda> indicesBusqueda;
    quint64 versionBusqueda = ~0ull;
    std::vector<int> campoDeColumna;  // column -> field index, -1 when no field shows it

    tablas::Tabla& tabla() const { return *ds->tabla_; }

    // ------------------------------------------------ order and visibility

    bool Menor(const FilaP& a, const FilaP& b) const {
        for (const Clave& k : claves) {
            int c = tablas::Comparar(a->v[k.columna], b->v[k.columna], k.tipo, k.sinMayusculas);
            if (k.descendente) c = -c;
            if (c != 0) return c < 0;
        }
        return a->orden < b->orden;
    }

    bool Visible(const tablas::Fila& f) const {
        if (rangoVacio) return false;
        if (rango)
            for (size_t k = 0; k < columnasMaestro.size(); ++k) {
                const int c = columnasMaestro[k];
                if (tablas::Comparar(f.v[c], valoresMaestro[k], tabla().columnas[c].DataType) != 0)
                    return false;
            }
        return !(ds->filtrado_ && filtro) || filtro->Cumple(f.v);
    }

    void Reconstruir() {
        const FilaP actual = Actual();
        vista.clear();
        for (const FilaP& f : tabla().filas)
            if (Visible(*f)) vista.push_back(f);
        if (!claves.empty())
            std::sort(vista.begin(), vista.end(),
                      [this](const FilaP& a, const FilaP& b) { return Menor(a, b); });
        ++versionVista;
        Recolocar(actual);
    }

    void ActualizarFila(const FilaP& f, bool nueva) {
        const FilaP actual = Actual();
        const int i = nueva ? -1 : IndiceDe(f);  // a new row is in no view yet
        const bool visible = f->viva && Visible(*f);
        if (i >= 0 && visible && EnSuSitio(i))
            return ActualizarBusquedas(i);  // an edit that keeps the row's place
        ++versionVista;
        if (i >= 0) vista.erase(vista.begin() + i);
        if (visible) {
            auto donde = std::upper_bound(vista.begin(), vista.end(), f,
                                          [this](const FilaP& a, const FilaP& b) { return Menor(a, b); });
            vista.insert(donde, f);
        }
        Recolocar(actual);
    }

    bool EnSuSitio(int i) const {
        if (claves.empty()) return true;
        if (i > 0 && Menor(vista[i], vista[i - 1])) return false;
        return !(i + 1 < static_cast<int>(vista.size()) && Menor(vista[i + 1], vista[i]));
    }

    FilaP Actual() const { return pos >= 0 && pos < static_cast<int>(vista.size()) ? vista[pos] : nullptr; }

    int IndiceDe(const FilaP& f) const {
        if (pos >= 0 && pos < static_cast<int>(vista.size()) && vista[pos] == f) return pos;
        auto it = std::find(vista.begin(), vista.end(), f);
        return it == vista.end() ? -1 : static_cast<int>(it - vista.begin());
    }

    // Back on the same row when it is still visible, else on the row now at its place.
    void Recolocar(const FilaP& actual) {
        const int n = static_cast<int>(vista.size());
        const int i = actual ? IndiceDe(actual) : -1;
        if (i >= 0)
            pos = i;
        else
            pos = n == 0 ? -1 : std::clamp(pos, 0, n - 1);
        if (n == 0) ds->eof_ = ds->bof_ = true;
    }

    // ------------------------------------------------ configuration

    void ConfigurarOrden() {
        claves.clear();
        QString campos = ds->camposIndice_;
        TIndexOptions opciones = 0;
        if (!ds->nombreIndice_.isEmpty()) {
            const TIndexDef* d = ds->IndexDefs.Find(ds->nombreIndice_);
            if (!d)
                throw EDatabaseError(QString("%1: index '%2' not found").arg(ds->Name, ds->nombreIndice_));
            campos = d->Fields;
            opciones = d->Options;
        }
        for (const QString& nombre : Nombres(campos)) {
            const int c = tabla().Columna(nombre);
            if (c < 0) throw EDatabaseError(QString("%1: field '%2' not found").arg(ds->Name, nombre));
            claves.push_back({c, tabla().columnas[c].DataType, (opciones & ixDescending) != 0,
                              (opciones & ixCaseInsensitive) != 0});
        }
    }

    // A new order keeps the current row; an order that names no field leaves the old one.
    void CambiarOrden(const QString& campos, const QString& nombre) {
        const QString antes = ds->camposIndice_, antesNombre = ds->nombreIndice_;
        ds->camposIndice_ = campos;
        ds->nombreIndice_ = nombre;
        if (!ds->activo_) return;
        try {
            ConfigurarOrden();
            ConfigurarMaestro();
        } catch (...) {
            ds->camposIndice_ = antes;
            ds->nombreIndice_ = antesNombre;
            ConfigurarOrden();
            throw;
        }
        Reconstruir();
        ds->Avisar(deDataSetChange);
    }

    void ConfigurarFiltro() {
        filtro.reset();
        if (ds->filtro_.trimmed().isEmpty()) return;
        auto e = tablas::Expresion::Filtro(ds->filtro_);
        e->Vincular(tabla().columnas);
        filtro = e;
    }

    void ConfigurarMaestro() {
        columnasMaestro.clear();
        valoresMaestro.clear();
        rango = rangoVacio = false;
        if (!ds->maestro_ || ds->camposMaestro_.trimmed().isEmpty()) return;
        const QStringList nombres = Nombres(ds->camposMaestro_);
        for (int k = 0; k < nombres.size(); ++k) {
            const int c =
                k < static_cast<int>(claves.size()) ? claves[k].columna : tabla().Columna(nombres[k]);
            if (c < 0)
                throw EDatabaseError(
                    QString("%1: no field matches master field '%2'").arg(ds->Name, nombres[k]));
            columnasMaestro.push_back(c);
        }
        TClientDataSet* m = ds->maestro_->DataSet();
        if (!m || !m->activo_) return;
        rango = true;
        if (m->estado_ != dsInsert && m->IsEmpty()) {
            rangoVacio = true;
            return;
        }
        for (int k = 0; k < nombres.size(); ++k) {
            const TField* f = m->FieldByName(nombres[k]);
            bool valido = true;
            valoresMaestro.push_back(
                tablas::ConvertirSinError(f->Value(), tabla().columnas[columnasMaestro[k]].DataType, valido));
        }
    }

    // ------------------------------------------------ buffers and calculated fields

    // Fills the calculated and lookup fields of `fila` (State() is dsCalcFields meanwhile).
    void Calcular(std::vector<QVariant>& fila) {
        std::vector<QVariant>* anterior = activo;
        const TDataSetState estado = ds->estado_;
        activo = &fila;
        ds->estado_ = dsCalcFields;
        struct Restaurar {
            Cursor* c;
            std::vector<QVariant>* a;
            TDataSetState e;
            ~Restaurar() {
                c->activo = a;
                c->ds->estado_ = e;
            }
        } restaurar{this, anterior, estado};
        for (TField* f : ds->campos_) {
            if (f->clase_ == fkCalculated || f->clase_ == fkLookup) fila[f->indice_] = QVariant();
        }
        for (TField* f : ds->campos_)
            if (f->clase_ == fkLookup) fila[f->indice_] = ValorBuscado(*f);
        Disparar(ds->OnCalcFields, ds);
    }

    QVariant ValorBuscado(const TField& f) {
        if (!f.LookupDataSet || !f.LookupDataSet->Active()) return {};
        QVariantList llave;
        for (const QString& n : Nombres(f.KeyFields)) llave << ds->FieldByName(n)->Value();
        const QVariant v = f.LookupDataSet->Lookup(
            f.LookupKeyFields, llave.size() == 1 ? llave.first() : QVariant(llave), f.LookupResultField);
        bool valido = true;
        return tablas::ConvertirSinError(v, f.tipo_, valido);
    }

    void Llenar(std::vector<QVariant>& fila, const tablas::Fila* origen) {
        fila.assign(ds->campos_.size(), QVariant());
        if (!origen) return;
        for (TField* f : ds->campos_)
            if (f->columna_ >= 0) fila[f->indice_] = origen->v[f->columna_];
    }

    void CargarBuffer() {
        filaBuffer = Actual();
        versionBuffer = filaBuffer ? filaBuffer->version : 0;
        Llenar(buffer, filaBuffer.get());
        if (filaBuffer) Calcular(buffer);
    }

    // The row the fields read: a grid's, or the current one, reloaded when it changed.
    std::vector<QVariant>& Leido() {
        if (activo != &buffer) return *activo;
        if (ds->estado_ == dsBrowse) {
            const FilaP f = Actual();
            if (f != filaBuffer || (f && f->version != versionBuffer)) CargarBuffer();
        }
        return buffer;
    }

    // Shows `fila` to the fields (calculated fields included) while `leer` runs.
    template <typename F>
    auto ConFila(const FilaP& fila, F leer) {
        std::vector<QVariant> temporal;
        Llenar(temporal, fila.get());
        std::vector<QVariant>* anterior = activo;
        struct Restaurar {
            Cursor* c;
            std::vector<QVariant>* a;
            ~Restaurar() { c->activo = a; }
        } restaurar{this, anterior};
        Calcular(temporal);
        activo = &temporal;
        return leer();
    }

    // ------------------------------------------------ search

    QString ClaveBusqueda(const std::vector<QVariant>& valores, const std::vector<int>& columnas,
                          bool ci) const {
        QString clave;
        for (size_t i = 0; i < columnas.size(); ++i) {
            const QVariant& v = valores[i];
            if (!v.isValid()) {
                clave += QChar(1);
            } else {
                const TFieldType t = tabla().columnas[columnas[i]].DataType;
                QString s =
                    t == ftDateTime || t == ftFloat ? QString::number(v.toDouble(), 'g', 17) : v.toString();
                clave += ci ? s.toLower() : s;
            }
            clave += QChar(0x1f);
        }
        return clave;
    }

    // Index of the first visible row whose fields equal the values, -1 when none.
    int Buscar(const QString& camposTexto, const QVariant& valoresDados, TLocateOptions opciones) {
        const QStringList nombres = Nombres(camposTexto);
        const QVariantList dados = Valores(valoresDados, static_cast<int>(nombres.size()));
        if (nombres.isEmpty() || dados.size() != nombres.size())
            throw EDatabaseError(
                QString("%1: %2 values for fields '%3'").arg(ds->Name).arg(dados.size()).arg(camposTexto));
        std::vector<TField*> campos;
        std::vector<QVariant> buscados;
        bool almacenados = true;
        for (int i = 0; i < nombres.size(); ++i) {
            TField* f = ds->FieldByName(nombres[i]);
            bool valido = true;
            QVariant v = tablas::ConvertirSinError(dados[i], f->tipo_, valido);
            if (!valido) return -1;
            campos.push_back(f);
            buscados.push_back(v);
            almacenados = almacenados && f->columna_ >= 0;
        }
        const bool ci = opciones & loCaseInsensitive;
        if (almacenados && !(opciones & loPartialKey)) return BuscarIndexado(campos, buscados, ci);
        for (int i = 0; i < static_cast<int>(vista.size()); ++i) {
            bool igual = true;
            for (size_t k = 0; k < campos.size() && igual; ++k) {
                const QVariant v = campos[k]->columna_ >= 0
                                       ? vista[i]->v[campos[k]->columna_]
                                       : ConFila(vista[i], [&] { return campos[k]->Value(); });
                igual = Coincide(v, buscados[k], campos[k]->tipo_, opciones);
            }
            if (igual) return i;
        }
        return -1;
    }

    static bool Coincide(const QVariant& v, const QVariant& buscado, TFieldType tipo,
                         TLocateOptions opciones) {
        const bool ci = opciones & loCaseInsensitive;
        if ((opciones & loPartialKey) && tablas::EsTexto(tipo))
            return v.toString().startsWith(buscado.toString(), ci ? Qt::CaseInsensitive : Qt::CaseSensitive);
        return tablas::Comparar(v, buscado, tipo, ci) == 0;
    }

    QString ClaveDeFila(const tablas::Fila& f, const IndiceBusqueda& indice) const {
        std::vector<QVariant> valores(indice.columnas.size());
        for (size_t k = 0; k < indice.columnas.size(); ++k) valores[k] = f.v[indice.columnas[k]];
        return ClaveBusqueda(valores, indice.columnas, indice.ci);
    }

    int BuscarIndexado(const std::vector<TField*>& campos, const std::vector<QVariant>& buscados, bool ci) {
        std::vector<int> columnas;
        QString firma = ci ? "i" : "s";
        for (TField* f : campos) {
            columnas.push_back(f->columna_);
            firma += QString::number(f->columna_) + ',';
        }
        if (versionBusqueda != versionVista) {
            indicesBusqueda.clear();
            versionBusqueda = versionVista;
        }
        auto it = indicesBusqueda.find(firma);
        if (it == indicesBusqueda.end()) {
            IndiceBusqueda indice{columnas, ci, {}, {}};
            const int n = static_cast<int>(vista.size());
            indice.primero.reserve(n);
            indice.claveDe.resize(n);
            // Walking backwards, the first row of each key is the one kept.
            for (int i = n - 1; i >= 0; --i) {
                indice.claveDe[i] = ClaveDeFila(*vista[i], indice);
                indice.primero.insert(indice.claveDe[i], i);
            }
            it = indicesBusqueda.emplace(firma, std::move(indice)).first;
        }
        return it->second.primero.value(ClaveBusqueda(buscados, columnas, ci), -1);
    }

    // A row edited in place: the search hashes follow it instead of being rebuilt.
    void ActualizarBusquedas(int i) {
        const bool vigentes = versionBusqueda == versionVista;
        ++versionVista;
        if (!vigentes) return;
        versionBusqueda = versionVista;
        for (auto& [firma, indice] : indicesBusqueda) {
            const QString nueva = ClaveDeFila(*vista[i], indice);
            const QString vieja = indice.claveDe[i];
            if (nueva == vieja) continue;
            indice.claveDe[i] = nueva;
            if (indice.primero.value(vieja, -1) == i) {
                auto siguiente = std::find(indice.claveDe.begin() + i + 1, indice.claveDe.end(), vieja);
                if (siguiente == indice.claveDe.end())
                    indice.primero.remove(vieja);
                else
                    indice.primero[vieja] = static_cast<int>(siguiente - indice.claveDe.begin());
            }
            auto actual = indice.primero.find(nueva);
            if (actual == indice.primero.end() || *actual > i) indice.primero[nueva] = i;
        }
    }

    // ------------------------------------------------ changes of the shared rows

    void AlCambiarTabla(const tablas::Cambio& cambio) {
        if (cambio.clase == tablas::Cambio::Todo)
            Reconstruir();
        else
            ActualizarFila(cambio.fila, cambio.clase == tablas::Cambio::Alta);
        if (!enOperacion) ds->Avisar(deDataSetChange);
    }
};

// ---------------------------------------------------------------- construction

TClientDataSet::TClientDataSet(const QString& Name_) : Name(Name_), cursor_(std::make_unique<Cursor>(this)) {}

TClientDataSet::~TClientDataSet() {
    if (tabla_) tabla_->QuitarCursor(this);
    if (tabla_ && tabla_->recodificador == this) {
        tabla_->recodificador = nullptr;
        tabla_->recodificar = nullptr;
    }
    if (maestro_) {
        auto& d = maestro_->detalles_;
        d.erase(std::remove(d.begin(), d.end(), this), d.end());
    }
    for (TDataSource* f : fuentes_) f->dataSet_ = nullptr;
}

TField* TClientDataSet::AddField(const QString& FieldName, TFieldType DataType, int Size, TFieldKind Kind) {
    if (activo_) throw EDatabaseError(QString("%1: cannot add fields to an open dataset").arg(Name));
    if (FindField(FieldName))
        throw EDatabaseError(QString("%1: field '%2' already exists").arg(Name, FieldName));
    // Fields made for an earlier table give way to the persistent ones.
    if (std::any_of(propios_.begin(), propios_.end(), [](const auto& f) { return f->porDefecto_; }))
        campos_.clear();
    propios_.push_back(std::unique_ptr<TField>(new TField(this, FieldName, DataType, Size, Kind)));
    TField* f = propios_.back().get();
    f->indice_ = static_cast<int>(campos_.size());
    campos_.push_back(f);
    return f;
}

TField* TClientDataSet::AddLookupField(const QString& FieldName, TFieldType DataType, int Size,
                                       const QString& KeyFields, TClientDataSet* LookupDataSet,
                                       const QString& LookupKeyFields, const QString& LookupResultField) {
    TField* f = AddField(FieldName, DataType, Size, fkLookup);
    f->KeyFields = KeyFields;
    f->LookupDataSet = LookupDataSet;
    f->LookupKeyFields = LookupKeyFields;
    f->LookupResultField = LookupResultField;
    return f;
}

TField* TClientDataSet::FindField(const QString& FieldName) const {
    for (TField* f : campos_)
        if (f->nombre_.compare(FieldName, Qt::CaseInsensitive) == 0) return f;
    return nullptr;
}

TField* TClientDataSet::FieldByName(const QString& FieldName) const {
    if (TField* f = FindField(FieldName)) return f;
    throw EDatabaseError(QString("%1: field '%2' not found").arg(Name, FieldName));
}

// ---------------------------------------------------------------- opening and closing

namespace {
bool Almacenado(const TField* f) {
    return f->FieldKind() == fkData || f->FieldKind() == fkInternalCalc;
}
}  // namespace

void TClientDataSet::CreateDataSet() {
    if (activo_ && !Close()) return;
    auto t = std::make_shared<tablas::Tabla>();
    for (const TFieldDef& d : FieldDefs) t->columnas.push_back(d);
    for (const auto& p : propios_) {
        const TField* f = p.get();
        if (f->porDefecto_ || !Almacenado(f) || t->Columna(f->nombre_) >= 0) continue;
        t->columnas.push_back({f->nombre_, f->tipo_, f->ancho_, f->Required, f->clase_ == fkInternalCalc});
    }
    if (t->columnas.empty())
        throw EDatabaseError(QString("%1: no fields to create the dataset with").arg(Name));
    for (size_t i = 0; i < t->columnas.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (t->columnas[i].Name.compare(t->columnas[j].Name, Qt::CaseInsensitive) == 0)
                throw EDatabaseError(QString("%1: field '%2' defined twice").arg(Name, t->columnas[i].Name));
    tabla_ = t;
    Open();
}

bool TClientDataSet::Open() {
    if (activo_) return true;
    if (!Disparar(BeforeOpen, this)) return false;
    if (!tabla_) {
        if (archivo_.isEmpty()) throw EDatabaseError("Missing data provider or data packet");
        if (!QFileInfo(archivo_).isFile()) throw EArchivoTabla(archivo_, "Missing data provider or data packet");
        tabla_ = tablas::CargarTabla(archivo_);
    }
    Cursor& c = *cursor_;
    try {
        tablas::Tabla& t = *tabla_;
        // Stored persistent fields the table lacks become new columns.
        const bool persistentes =
            std::any_of(propios_.begin(), propios_.end(), [](const auto& f) { return !f->porDefecto_; });
        if (persistentes) {
            campos_.clear();
            for (const auto& p : propios_) {
                TField* f = p.get();
                if (f->porDefecto_) continue;
                f->columna_ = -1;
                if (Almacenado(f)) {
                    f->columna_ = t.Columna(f->nombre_);
                    if (f->columna_ < 0) {
                        t.AnadirColumna(
                            {f->nombre_, f->tipo_, f->ancho_, f->Required, f->clase_ == fkInternalCalc});
                        f->columna_ = static_cast<int>(t.columnas.size()) - 1;
                    } else if (t.columnas[f->columna_].DataType != f->tipo_) {
                        throw EDatabaseError(QString("%1: field '%2' is %3 in the table, %4 expected")
                                                 .arg(Name, f->nombre_,
                                                      tablas::NombreTipo(t.columnas[f->columna_].DataType),
                                                      tablas::NombreTipo(f->tipo_)));
                    }
                }
                f->indice_ = static_cast<int>(campos_.size());
                campos_.push_back(f);
            }
        } else {
            campos_.clear();
            for (size_t i = 0; i < t.columnas.size(); ++i) {
                const TFieldDef& d = t.columnas[i];
                TField* f = nullptr;
                for (const auto& p : propios_)
                    if (p->porDefecto_ && p->nombre_ == d.Name && p->tipo_ == d.DataType) f = p.get();
                if (!f) {
                    propios_.push_back(std::unique_ptr<TField>(new TField(
                        this, d.Name, d.DataType, d.Size, d.InternalCalcField ? fkInternalCalc : fkData)));
                    f = propios_.back().get();
                    f->porDefecto_ = true;
                }
                f->ancho_ = tablas::EsTexto(d.DataType) ? d.Size : 0;
                f->Required = d.Required;
                f->columna_ = static_cast<int>(i);
                f->indice_ = static_cast<int>(campos_.size());
                campos_.push_back(f);
            }
        }
        c.campoDeColumna.assign(t.columnas.size(), -1);
        for (TField* f : campos_)
            if (f->columna_ >= 0) c.campoDeColumna[f->columna_] = f->indice_;
        // Index definitions: the file's and this dataset's, both kept in the table.
        for (const TIndexDef& d : t.indices)
            if (!IndexDefs.Find(d.Name)) IndexDefs.defs_.push_back(d);
        for (const TIndexDef& d : IndexDefs) {
            const bool esta = std::any_of(t.indices.begin(), t.indices.end(), [&](const TIndexDef& i) {
                return i.Name.compare(d.Name, Qt::CaseInsensitive) == 0;
            });
            if (!esta) {
                t.indices.push_back(d);
                t.PedirReescritura();  // the file gets the new definition with the next save
            }
        }
        FieldDefs.defs_ = t.columnas;
        if (!CampoCodigo.isEmpty()) {
            TField* codigo = FieldByName(CampoCodigo);
            t.columnaCodigo = codigo->columna_;
            t.codigoSinReutilizar = CodigoSinReutilizar;
            t.recodificador = this;
            t.recodificar = [this](tablas::Fila& fila, int anterior, int nuevo) {
                if (!OnRecodificar) return;
                for (TField* f : campos_)
                    if (f->columna_ >= 0 && f->columna_ != tabla_->columnaCodigo)
                        fila.v[f->columna_] =
                            tablas::Convertir(OnRecodificar(f, fila.v[f->columna_], anterior, nuevo),
                                              f->tipo_, f->ancho_, f->nombre_);
            };
        }
        activo_ = true;
        estado_ = dsBrowse;
        c.ConfigurarOrden();
        c.ConfigurarFiltro();
        c.ConfigurarMaestro();
        t.AnadirCursor(this);
    } catch (...) {
        activo_ = false;
        estado_ = dsInactive;
        tabla_.reset();
        throw;
    }
    c.pos = -1;
    c.Reconstruir();
    c.pos = c.vista.empty() ? -1 : 0;
    bof_ = true;
    eof_ = c.vista.empty();
    c.CargarBuffer();
    Avisar(deLayoutChange);
    Disparar(AfterOpen, this);
    Disparar(AfterScroll, this);
    return true;
}

bool TClientDataSet::Close() {
    if (!activo_) {
        tabla_.reset();
        return true;
    }
    if (!Disparar(BeforeClose, this)) return false;
    if (estado_ == dsEdit || estado_ == dsInsert) estado_ = dsBrowse;
    if (!archivo_.isEmpty() && tabla_->CambiadaDesde(tablas::RutaNormal(archivo_)))
        tablas::GuardarTabla(*tabla_, archivo_);
    tabla_->QuitarCursor(this);
    if (tabla_->recodificador == this) {
        tabla_->recodificador = nullptr;
        tabla_->recodificar = nullptr;
    }
    tabla_.reset();
    Cursor& c = *cursor_;
    c.vista.clear();
    c.pos = -1;
    c.filaBuffer.reset();
    c.ancla.reset();
    c.buffer.assign(campos_.size(), QVariant());
    c.indicesBusqueda.clear();
    activo_ = false;
    estado_ = dsInactive;
    eof_ = bof_ = true;
    modificado_ = false;
    Avisar(deLayoutChange);
    Disparar(AfterClose, this);
    return true;
}

void TClientDataSet::SetActive(bool valor) {
    if (valor)
        Open();
    else
        Close();
}

void TClientDataSet::LoadFromFile(const QString& nombre) {
    const QString ruta = nombre.isEmpty() ? archivo_ : nombre;
    if (ruta.isEmpty()) throw EDatabaseError(QString("%1: no file name").arg(Name));
    if (activo_ && !Close()) return;
    auto t = tablas::CargarTabla(ruta);
    tabla_ = t;
    Open();
}

void TClientDataSet::SaveToFile(const QString& nombre) {
    const QString ruta = nombre.isEmpty() ? archivo_ : nombre;
    if (ruta.isEmpty()) throw EDatabaseError(QString("%1: no file name").arg(Name));
    if (!activo_)
        throw EDatabaseError(QString("%1: cannot perform this operation on a closed dataset").arg(Name));
    if (estado_ == dsEdit || estado_ == dsInsert) {
        if (modificado_ ? !Post() : !Cancel()) return;
    }
    tablas::GuardarTabla(*tabla_, ruta);
}

bool TClientDataSet::Refrescar() {
    if (!activo_ || archivo_.isEmpty()) return false;
    return tablas::RefrescarTabla(*tabla_, archivo_);
}

qint64 TClientDataSet::VersionArchivo() const {
    return tabla_ ? tabla_->version() : 0;
}

bool TClientDataSet::HayCambiosSinGuardar() const {
    if (!tabla_) return false;
    return archivo_.isEmpty() ? !tabla_->sucias().empty()
                              : tabla_->CambiadaDesde(tablas::RutaNormal(archivo_));
}

void TClientDataSet::CloneCursor(TClientDataSet* Source, bool Reset, bool KeepSettings) {
    if (!Source || !Source->activo_)
        throw EDatabaseError(QString("%1: cannot clone a closed dataset").arg(Name));
    if (Source == this) return;
    if (activo_ && !Close()) return;
    if (!KeepSettings) {
        if (Reset) {
            camposIndice_.clear();
            nombreIndice_.clear();
            filtro_.clear();
            filtrado_ = false;
            camposMaestro_.clear();
            SetMasterSource(nullptr);
        } else {
            camposIndice_ = Source->camposIndice_;
            nombreIndice_ = Source->nombreIndice_;
            filtro_ = Source->filtro_;
            filtrado_ = Source->filtrado_;
            camposMaestro_ = Source->camposMaestro_;
            SetMasterSource(Source->maestro_);
            soloLectura_ = Source->soloLectura_;
        }
    }
    IndexDefs = Source->IndexDefs;
    // Fields of a clone without its own take the labels of the source's.
    tabla_ = Source->tabla_;
    Open();
    for (TField* f : campos_) {
        if (!f->porDefecto_) continue;
        if (const TField* o = Source->FindField(f->nombre_)) {
            f->DisplayLabel = o->DisplayLabel;
            f->DisplayValues = o->DisplayValues;
            f->Required = o->Required;
            f->Visible = o->Visible;
        }
    }
}

// ---------------------------------------------------------------- navigation

namespace {
// Posts or drops a pending edit before the cursor moves; false when that was aborted.
bool ModoConsulta(TClientDataSet* ds) {
    if (ds->State() != dsEdit && ds->State() != dsInsert) return true;
    return ds->Modified() ? ds->Post() : ds->Cancel();
}
}  // namespace

void TClientDataSet::First() {
    if (!activo_ || !ModoConsulta(this) || !Disparar(BeforeScroll, this)) return;
    Cursor& c = *cursor_;
    c.pos = c.vista.empty() ? -1 : 0;
    bof_ = true;
    eof_ = c.vista.empty();
    c.CargarBuffer();
    Avisar(deDataSetScroll);
    Disparar(AfterScroll, this);
}

void TClientDataSet::Last() {
    if (!activo_ || !ModoConsulta(this) || !Disparar(BeforeScroll, this)) return;
    Cursor& c = *cursor_;
    c.pos = static_cast<int>(c.vista.size()) - 1;
    eof_ = true;
    bof_ = c.vista.empty();
    c.CargarBuffer();
    Avisar(deDataSetScroll);
    Disparar(AfterScroll, this);
}

int TClientDataSet::MoveBy(int distancia) {
    if (!activo_ || distancia == 0 || !ModoConsulta(this) || !Disparar(BeforeScroll, this)) return 0;
    Cursor& c = *cursor_;
    const int n = static_cast<int>(c.vista.size());
    if (n == 0) {
        eof_ = bof_ = true;
        return 0;
    }
    const int destino = std::clamp(c.pos + distancia, 0, n - 1);
    const int movidas = destino - c.pos;
    eof_ = distancia > 0 && c.pos + distancia > n - 1;
    bof_ = distancia < 0 && c.pos + distancia < 0;
    if (movidas == 0) return 0;
    c.pos = destino;
    c.CargarBuffer();
    Avisar(deDataSetScroll);
    Disparar(AfterScroll, this);
    return movidas;
}

void TClientDataSet::Next() {
    if (!eof_) MoveBy(1);
}

void TClientDataSet::Prior() {
    if (!bof_) MoveBy(-1);
}

bool TClientDataSet::IsEmpty() const {
    return !activo_ || cursor_->vista.empty();
}

int TClientDataSet::RecordCount() const {
    return activo_ ? static_cast<int>(cursor_->vista.size()) : 0;
}

int TClientDataSet::RecNo() const {
    if (!activo_ || estado_ == dsInsert || cursor_->pos < 0) return -1;
    return cursor_->pos + 1;
}

void TClientDataSet::SetRecNo(int n) {
    if (!activo_ || n == RecNo() || n < 1 || n > RecordCount()) return;
    if (!ModoConsulta(this) || !Disparar(BeforeScroll, this)) return;
    Cursor& c = *cursor_;
    c.pos = n - 1;
    eof_ = bof_ = false;
    c.CargarBuffer();
    Avisar(deDataSetScroll);
    Disparar(AfterScroll, this);
}

TBookmark TClientDataSet::GetBookmark() const {
    TBookmark b;
    if (activo_) b.fila_ = cursor_->Actual();
    return b;
}

bool TClientDataSet::BookmarkValid(const TBookmark& marca) const {
    const FilaP f = marca.fila_.lock();
    return activo_ && f && f->viva && cursor_->IndiceDe(f) >= 0;
}

bool TClientDataSet::GotoBookmark(const TBookmark& marca) {
    if (!BookmarkValid(marca) || !ModoConsulta(this)) return false;
    const int i = cursor_->IndiceDe(marca.fila_.lock());
    if (i < 0 || !Disparar(BeforeScroll, this)) return false;
    cursor_->pos = i;
    eof_ = bof_ = false;
    cursor_->CargarBuffer();
    Avisar(deDataSetScroll);
    Disparar(AfterScroll, this);
    return true;
}

bool TClientDataSet::Locate(const QString& KeyFields, const QVariant& KeyValues, TLocateOptions Options) {
    if (!activo_ || !ModoConsulta(this)) return false;
    if (!Disparar(BeforeScroll, this)) return false;
    const int i = cursor_->Buscar(KeyFields, KeyValues, Options);
    if (i < 0) return false;
    cursor_->pos = i;
    eof_ = bof_ = false;
    cursor_->CargarBuffer();
    Avisar(deDataSetScroll);
    Disparar(AfterScroll, this);
    return true;
}

QVariant TClientDataSet::Lookup(const QString& KeyFields, const QVariant& KeyValues,
                                const QString& ResultFields) {
    if (!activo_) return {};
    const int i = cursor_->Buscar(KeyFields, KeyValues, 0);
    if (i < 0) return {};
    const QStringList nombres = Nombres(ResultFields);
    std::vector<TField*> campos;
    for (const QString& n : nombres) campos.push_back(FieldByName(n));
    auto leer = [&] {
        QVariantList valores;
        for (TField* f : campos) valores << f->Value();
        return valores.size() == 1 ? valores.first() : QVariant(valores);
    };
    const bool almacenados =
        std::all_of(campos.begin(), campos.end(), [](TField* f) { return f->columna_ >= 0; });
    if (almacenados) {
        QVariantList valores;
        for (TField* f : campos) valores << cursor_->vista[i]->v[f->columna_];
        return valores.size() == 1 ? valores.first() : QVariant(valores);
    }
    return cursor_->ConFila(cursor_->vista[i], leer);
}

QVariant TClientDataSet::ValueAt(int recNo, const TField* campo) {
    if (!activo_ || !campo || recNo < 1 || recNo > RecordCount()) return {};
    if (recNo == RecNo()) return campo->Value();
    try {
        return cursor_->ConFila(cursor_->vista[recNo - 1], [&] { return campo->Value(); });
    } catch (const EDatabaseError&) {
        return {};
    }
}

QString TClientDataSet::DisplayTextAt(int recNo, const TField* campo) {
    if (!activo_ || !campo || recNo < 1 || recNo > RecordCount()) return {};
    if (recNo == RecNo()) return campo->DisplayText();
    try {
        return cursor_->ConFila(cursor_->vista[recNo - 1], [&] { return campo->DisplayText(); });
    } catch (const EDatabaseError&) {
        return {};
    }
}

// ---------------------------------------------------------------- editing

namespace {
void ComprobarAbierto(const TClientDataSet* ds) {
    if (!ds->Active())
        throw EDatabaseError(QString("%1: cannot perform this operation on a closed dataset").arg(ds->Name));
}
void ComprobarModificable(const TClientDataSet* ds) {
    ComprobarAbierto(ds);
    if (ds->ReadOnly()) throw EDatabaseError(QString("%1: cannot modify a read-only dataset").arg(ds->Name));
}
}  // namespace

bool TClientDataSet::Edit() {
    if (estado_ == dsEdit || estado_ == dsInsert) return true;
    ComprobarModificable(this);
    if (cursor_->vista.empty()) return Insert();
    if (!Disparar(BeforeEdit, this)) return false;
    cursor_->Leido();  // a row another cursor changed is shown afresh before it is edited
    // A value the shown copy carries and the row lacks (put there by OnCalcFields) is stored
    // by the post like a value given.
    Cursor& c = *cursor_;
    c.tocados.assign(campos_.size(), false);
    if (c.filaBuffer)
        for (TField* f : campos_)
            if (f->columna_ >= 0) {
                const QVariant& mostrado = c.buffer[f->indice_];
                const QVariant& guardado = c.filaBuffer->v[f->columna_];
                c.tocados[f->indice_] =
                    mostrado.isValid() != guardado.isValid() ||
                    (mostrado.isValid() && tablas::Comparar(mostrado, guardado, f->tipo_) != 0);
            }
    estado_ = dsEdit;
    modificado_ = false;
    Avisar(deUpdateState);
    Disparar(AfterEdit, this);
    return true;
}

bool TClientDataSet::Insert() {
    ComprobarModificable(this);
    if (!ModoConsulta(this)) return false;
    if (!Disparar(BeforeInsert, this) || !Disparar(BeforeScroll, this)) return false;
    Cursor& c = *cursor_;
    c.ancla = c.Actual();
    c.filaBuffer.reset();
    c.Llenar(c.buffer, nullptr);
    estado_ = dsInsert;
    if (!Disparar(OnNewRecord, this)) {
        estado_ = dsBrowse;
        c.CargarBuffer();
        return false;
    }
    c.Calcular(c.buffer);
    modificado_ = false;
    Avisar(deUpdateState);
    Disparar(AfterInsert, this);
    Disparar(AfterScroll, this);
    return true;
}

bool TClientDataSet::Append() {
    if (!Insert()) return false;
    cursor_->ancla.reset();
    return true;
}

bool TClientDataSet::Post() {
    if (estado_ != dsEdit && estado_ != dsInsert) return true;
    Cursor& c = *cursor_;
    for (;;) {
        if (!Disparar(BeforePost, this)) return false;
        try {
            for (TField* f : campos_)
                if (f->Required && Almacenado(f) && !c.buffer[f->indice_].isValid())
                    throw EDatabaseError(QString("Field '%1' must have a value").arg(f->DisplayName()));
            if (estado_ == dsEdit && (!c.filaBuffer || !c.filaBuffer->viva))
                throw EDatabaseError(QString("%1: the edited row no longer exists").arg(Name));
            std::vector<QVariant> valores(tabla_->columnas.size());
            for (size_t col = 0; col < valores.size(); ++col) {
                const int i = c.campoDeColumna[col];
                const bool propio = i >= 0 && (estado_ == dsInsert || campos_[i]->clase_ == fkInternalCalc ||
                                               (i < static_cast<int>(c.tocados.size()) && c.tocados[i]));
                if (propio)
                    valores[col] = c.buffer[i];
                else if (estado_ == dsEdit)
                    valores[col] = c.filaBuffer->v[col];
            }
            tabla_->ComprobarUnicos(valores, estado_ == dsEdit ? c.filaBuffer.get() : nullptr,
                                    IndexDefs.defs_);
            struct Operando {
                Cursor& c;
                ~Operando() { c.enOperacion = false; }
            } operando{c};
            c.enOperacion = true;
            FilaP fila;
            if (estado_ == dsInsert) {
                const FilaP ancla = c.ancla && c.ancla->viva ? c.ancla : nullptr;
                fila = tabla_->Alta(std::move(valores), ancla.get());
            } else {
                fila = c.filaBuffer;
                tabla_->Modificar(fila, std::move(valores));
            }
            estado_ = dsBrowse;
            const int i = c.IndiceDe(fila);
            if (i >= 0) c.pos = i;
            c.Recolocar(c.Actual());
            if (c.pos >= 0) eof_ = bof_ = false;
            break;
        } catch (EDatabaseError& e) {
            TDataAction accion = daFail;
            if (OnPostError) {
                const TDataSetErrorEvent manejador = OnPostError;
                try {
                    manejador(this, e, accion);
                } catch (const EAbort&) {
                    accion = daAbort;
                }
            }
            if (accion == daAbort) return false;
            if (accion == daFail) throw;
        }
    }
    c.ancla.reset();
    modificado_ = false;
    c.CargarBuffer();
    Avisar(deDataSetChange);
    Avisar(deUpdateState);
    Disparar(AfterPost, this);
    return true;
}

bool TClientDataSet::Cancel() {
    if (estado_ != dsEdit && estado_ != dsInsert) return true;
    if (!Disparar(BeforeCancel, this)) return false;
    const bool insertando = estado_ == dsInsert;
    if (insertando && !Disparar(BeforeScroll, this)) return false;
    estado_ = dsBrowse;
    modificado_ = false;
    cursor_->ancla.reset();
    cursor_->CargarBuffer();
    Avisar(deUpdateState);
    Avisar(deRecordChange);
    Disparar(AfterCancel, this);
    if (insertando) Disparar(AfterScroll, this);
    return true;
}

bool TClientDataSet::Delete() {
    if (estado_ == dsInsert) return Cancel();
    ComprobarModificable(this);
    Cursor& c = *cursor_;
    if (c.vista.empty())
        throw EDatabaseError(QString("%1: cannot perform this operation on an empty dataset").arg(Name));
    if (!Disparar(BeforeDelete, this) || !Disparar(BeforeScroll, this)) return false;
    estado_ = dsBrowse;
    modificado_ = false;
    const int indice = c.pos;
    const FilaP fila = c.Actual();
    {
        struct Operando {
            Cursor& c;
            ~Operando() { c.enOperacion = false; }
        } operando{c};
        c.enOperacion = true;
        tabla_->Baja(fila);
    }
    const int n = static_cast<int>(c.vista.size());
    bof_ = false;
    if (n == 0) {
        c.pos = -1;
        eof_ = bof_ = true;
    } else if (indice >= n) {
        c.pos = n - 1;
        eof_ = true;
    } else {
        c.pos = indice;
        eof_ = false;
    }
    c.CargarBuffer();
    Avisar(deDataSetChange);
    Disparar(AfterDelete, this);
    Disparar(AfterScroll, this);
    return true;
}

void TClientDataSet::EmptyDataSet() {
    ComprobarAbierto(this);
    estado_ = dsBrowse;
    modificado_ = false;
    tabla_->Vaciar();
    cursor_->pos = -1;
    eof_ = bof_ = true;
    cursor_->CargarBuffer();
}

void TClientDataSet::SetReadOnly(bool valor) {
    soloLectura_ = valor;
}

// ---------------------------------------------------------------- change log and save points

int TClientDataSet::ChangeCount() const {
    return tabla_ ? tabla_->CambiosSinFusionar() : 0;
}

void TClientDataSet::MergeChangeLog() {
    if (tabla_) tabla_->Fusionar();
}

void TClientDataSet::CancelUpdates() {
    if (!tabla_) return;
    if (estado_ == dsEdit || estado_ == dsInsert) Cancel();
    tabla_->DescartarSinFusionar();
}

int TClientDataSet::SavePoint() const {
    return tabla_ ? tabla_->Marca() : 0;
}

void TClientDataSet::SetSavePoint(int marca) {
    ComprobarAbierto(this);
    if (estado_ == dsEdit || estado_ == dsInsert) Cancel();
    tabla_->Restaurar(marca);
}

// ---------------------------------------------------------------- order, filter, master

void TClientDataSet::SetIndexFieldNames(const QString& campos) {
    cursor_->CambiarOrden(campos, {});
}

void TClientDataSet::SetIndexName(const QString& nombre) {
    cursor_->CambiarOrden({}, nombre);
}

void TClientDataSet::SetFilter(const QString& texto) {
    // Parsed (and bound) before it is kept, so that a bad text leaves the old filter.
    if (!texto.trimmed().isEmpty()) {
        auto e = tablas::Expresion::Filtro(texto);
        if (activo_) e->Vincular(tabla_->columnas);
    }
    if (activo_ && !ModoConsulta(this)) return;
    filtro_ = texto;
    if (!activo_) return;
    cursor_->ConfigurarFiltro();
    if (filtrado_) {
        cursor_->Reconstruir();
        Avisar(deDataSetChange);
        First();
    }
}

void TClientDataSet::SetFiltered(bool valor) {
    if (filtrado_ == valor) return;
    if (activo_ && !ModoConsulta(this)) return;
    filtrado_ = valor;
    if (!activo_) return;
    cursor_->Reconstruir();
    Avisar(deDataSetChange);
    First();
}

void TClientDataSet::SetMasterSource(TDataSource* fuente) {
    if (maestro_ == fuente) return;
    if (maestro_) {
        auto& d = maestro_->detalles_;
        d.erase(std::remove(d.begin(), d.end(), this), d.end());
    }
    maestro_ = fuente;
    if (maestro_) maestro_->detalles_.push_back(this);
    if (activo_) AlCambiarMaestro(deLayoutChange);
}

void TClientDataSet::SetMasterFields(const QString& campos) {
    camposMaestro_ = campos;
    if (activo_) AlCambiarMaestro(deLayoutChange);
}

void TClientDataSet::AlCambiarMaestro(TDataEvent evento) {
    if (!activo_ || evento == deFieldChange || evento == deUpdateState) return;
    Cursor& c = *cursor_;
    const auto antes = c.valoresMaestro;
    const bool rangoAntes = c.rango, vacioAntes = c.rangoVacio;
    c.ConfigurarMaestro();
    const bool igual = antes.size() == c.valoresMaestro.size() && rangoAntes == c.rango &&
                       vacioAntes == c.rangoVacio &&
                       std::equal(antes.begin(), antes.end(), c.valoresMaestro.begin(),
                                  [](const QVariant& a, const QVariant& b) {
                                      return a.isValid() == b.isValid() && (!a.isValid() || a == b);
                                  });
    if (igual && evento != deDataSetScroll && evento != deLayoutChange) return;
    if (estado_ == dsEdit || estado_ == dsInsert) ModoConsulta(this);
    c.Reconstruir();
    Avisar(deDataSetChange);
    First();
}

// ---------------------------------------------------------------- aggregates

TAggregate* TClientDataSet::AddAggregate(const QString& AggregateName, const QString& Expression) {
    agregados_.push_back(std::unique_ptr<TAggregate>(new TAggregate(this, AggregateName, Expression)));
    return agregados_.back().get();
}

TAggregate* TClientDataSet::FindAggregate(const QString& AggregateName) const {
    for (const auto& a : agregados_)
        if (a->nombre_.compare(AggregateName, Qt::CaseInsensitive) == 0) return a.get();
    return nullptr;
}

QVariant TClientDataSet::CalcularAgregado(const TAggregate& agregado) const {
    if (!activo_ || !agregadosActivos_) return {};
    agregado.arbol_->Vincular(tabla_->columnas);
    std::vector<const std::vector<QVariant>*> filas;
    filas.reserve(cursor_->vista.size());
    for (const FilaP& f : cursor_->vista) filas.push_back(&f->v);
    return tablas::Agregar(*agregado.arbol_, filas);
}

// ---------------------------------------------------------------- field access

QVariant TClientDataSet::LeerCampo(const TField* campo) const {
    if (!activo_ || campo->indice_ < 0) return {};
    const std::vector<QVariant>& fila = cursor_->Leido();
    return campo->indice_ < static_cast<int>(fila.size()) ? fila[campo->indice_] : QVariant();
}

QVariant TClientDataSet::LeerValorAnterior(const TField* campo) const {
    if (!activo_ || campo->columna_ < 0) return LeerCampo(campo);
    if (estado_ == dsInsert) return {};
    const FilaP f = estado_ == dsEdit ? cursor_->filaBuffer : cursor_->Actual();
    return f ? f->v[campo->columna_] : QVariant();
}

void TClientDataSet::EscribirCampo(TField* campo, const QVariant& valor) {
    ComprobarAbierto(this);
    Cursor& c = *cursor_;
    const QVariant nuevo = tablas::Convertir(valor, campo->tipo_, campo->ancho_, campo->nombre_);
    if (estado_ == dsCalcFields) {
        // Only the shown copy of the row changes.
        (*c.activo)[campo->indice_] = nuevo;
        return;
    }
    if (estado_ != dsEdit && estado_ != dsInsert)
        throw EDatabaseError(QString("%1: dataset not in edit or insert mode").arg(Name));
    if (campo->ReadOnly)
        throw EDatabaseError(QString("Field '%1' cannot be modified").arg(campo->DisplayName()));
    const QVariant anterior = c.buffer[campo->indice_];
    c.buffer[campo->indice_] = nuevo;
    if (campo->OnValidate) {
        const TFieldNotifyEvent validar = campo->OnValidate;
        try {
            validar(campo);
        } catch (...) {
            c.buffer[campo->indice_] = anterior;
            throw;
        }
    }
    modificado_ = true;
    if (campo->indice_ < static_cast<int>(c.tocados.size())) c.tocados[campo->indice_] = true;
    if (campo->columna_ >= 0) c.Calcular(c.buffer);
    if (campo->OnChange) {
        const TFieldNotifyEvent cambio = campo->OnChange;
        cambio(campo);
    }
    Avisar(deFieldChange, campo);
}

// ---------------------------------------------------------------- notifications

void TClientDataSet::Avisar(TDataEvent evento, TField* campo) {
    if (controlesOff_ > 0) {
        avisoPendiente_ = true;
        return;
    }
    for (TDataSource* f : std::vector<TDataSource*>(fuentes_))
        if (std::find(fuentes_.begin(), fuentes_.end(), f) != fuentes_.end()) f->Notificar(evento, campo);
}

void TClientDataSet::AlCambiarTabla(const tablas::Cambio& cambio) {
    cursor_->AlCambiarTabla(cambio);
}

void TClientDataSet::QuitarFuente(TDataSource* fuente) {
    fuentes_.erase(std::remove(fuentes_.begin(), fuentes_.end(), fuente), fuentes_.end());
}

void TClientDataSet::DisableControls() {
    ++controlesOff_;
}

void TClientDataSet::EnableControls() {
    if (controlesOff_ == 0 || --controlesOff_ > 0) return;
    if (avisoPendiente_) {
        avisoPendiente_ = false;
        Avisar(deDataSetChange);
    }
}
