#include "Tabla.h"

#include <algorithm>
#include <unordered_set>

#include "Valores.h"

namespace tablas {

namespace {
// Merged history kept for save points read long ago; unmerged history is never dropped.
constexpr size_t kHistorialFusionado = 20000;
}  // namespace

int Tabla::Columna(const QString& nombre) const {
    for (size_t i = 0; i < columnas.size(); ++i)
        if (columnas[i].Name.compare(nombre, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

bool Tabla::CargarFila(FilaP fila) {
    bool renumerada = false;
    if (!filas.empty() && fila->orden <= filas.back()->orden) {
        fila->orden = filas.back()->orden + 1;
        renumerada = true;
    }
    fila->version = ++contadorVersion_;
    fila->enArchivo = true;
    ultimoId_ = std::max(ultimoId_, fila->id);
    filas.push_back(std::move(fila));
    return renumerada;
}

size_t Tabla::Posicion(const Fila* fila) const {
    auto it = std::lower_bound(filas.begin(), filas.end(), fila->orden,
                               [](const FilaP& f, double orden) { return f->orden < orden; });
    return static_cast<size_t>(it - filas.begin());
}

void Tabla::Insertar(const FilaP& fila) {
    filas.insert(filas.begin() + Posicion(fila.get()), fila);
}

FilaP Tabla::Alta(std::vector<QVariant> valores, const Fila* antesDe) {
    auto fila = std::make_shared<Fila>();
    fila->v = std::move(valores);
    fila->id = ++ultimoId_;
    if (!antesDe || filas.empty()) {
        fila->orden = filas.empty() ? 1 : filas.back()->orden + 1;
    } else {
        const size_t pos = Posicion(antesDe);
        double previo = pos > 0 ? filas[pos - 1]->orden : antesDe->orden - 2;
        fila->orden = (previo + antesDe->orden) / 2;
        if (fila->orden <= previo || fila->orden >= antesDe->orden) {
            // Worn-out gap: number the natural order again.
            for (size_t i = 0; i < filas.size(); ++i) filas[i]->orden = static_cast<double>(2 * (i + 1));
            fila->orden = antesDe->orden - 1;
            // Every row's place changed: the next save writes them all.
            reescribir_ = true;
        }
    }
    fila->version = ++contadorVersion_;
    Ensuciar(fila);
    Insertar(fila);
    Registrar({Operacion::Alta, fila, {}, {}});
    Avisar(Cambio::Alta, fila);
    return fila;
}

void Tabla::Modificar(const FilaP& fila, std::vector<QVariant> valores) {
    Operacion op{Operacion::Modificacion, fila, {}, {}};
    for (size_t i = 0; i < valores.size(); ++i) {
        const QVariant& anterior = fila->v[i];
        if (anterior.isValid() != valores[i].isValid() ||
            (anterior.isValid() && Comparar(anterior, valores[i], columnas[i].DataType) != 0) ||
            anterior.typeId() != valores[i].typeId())
            op.anteriores.emplace_back(static_cast<int>(i), anterior);
    }
    if (op.anteriores.empty()) return;
    Ensuciar(fila);
    fila->v = std::move(valores);
    fila->version = ++contadorVersion_;
    Registrar(std::move(op));
    Avisar(Cambio::Modificacion, fila);
}

void Tabla::Baja(const FilaP& fila) {
    filas.erase(filas.begin() + Posicion(fila.get()));
    fila->viva = false;
    fila->version = ++contadorVersion_;
    Ensuciar(fila);
    Registrar({Operacion::Baja, fila, {}, {}});
    Avisar(Cambio::Baja, fila);
}

void Tabla::Vaciar() {
    if (filas.empty()) return;
    Operacion op{Operacion::Vaciado, nullptr, {}, std::move(filas)};
    filas.clear();
    for (const FilaP& f : op.filas) {
        f->viva = false;
        f->version = ++contadorVersion_;
        Ensuciar(f);
    }
    Registrar(std::move(op));
    Avisar(Cambio::Todo, {});
}

void Tabla::ComprobarUnicos(const std::vector<QVariant>& valores, const Fila* propia,
                            const std::vector<TIndexDef>& otrosIndices) const {
    auto comprobar = [&](const TIndexDef& indice) {
        if (!(indice.Options & (ixUnique | ixPrimary))) return;
        std::vector<int> cols;
        for (const QString& nombre : indice.Fields.split(';', Qt::SkipEmptyParts)) {
            const int c = Columna(nombre.trimmed());
            if (c < 0) return;
            cols.push_back(c);
        }
        if (cols.empty()) return;
        const bool ci = indice.Options & ixCaseInsensitive;
        for (const FilaP& f : filas) {
            if (f.get() == propia) continue;
            bool igual = true;
            for (int c : cols)
                if (Comparar(f->v[c], valores[c], columnas[c].DataType, ci) != 0) {
                    igual = false;
                    break;
                }
            if (igual)
                throw EDatabaseError(
                    QString("Key violation: index '%1' (%2)").arg(indice.Name, indice.Fields));
        }
    };
    for (const TIndexDef& i : indices) comprobar(i);
    for (const TIndexDef& i : otrosIndices) {
        const bool yaVisto = std::any_of(indices.begin(), indices.end(), [&](const TIndexDef& j) {
            return j.Name.compare(i.Name, Qt::CaseInsensitive) == 0;
        });
        if (!yaVisto) comprobar(i);
    }
}

void Tabla::Registrar(Operacion op) {
    diario_.push_back(std::move(op));
    while (diario_.size() > kHistorialFusionado && base_ < fusionado_) {
        diario_.pop_front();
        ++base_;
    }
}

void Tabla::Ensuciar(const FilaP& fila) {
    auto [it, nueva] = sucias_.try_emplace(fila.get());
    if (nueva) {
        it->second.fila = fila;
        if (fila->enArchivo) it->second.base = fila->v;
    }
    ++versionDatos_;
}

void Tabla::Deshacer(Operacion& op) {
    switch (op.clase) {
        case Operacion::Alta:
            filas.erase(filas.begin() + Posicion(op.fila.get()));
            op.fila->viva = false;
            break;
        case Operacion::Modificacion:
            Ensuciar(op.fila);
            for (auto& [col, valor] : op.anteriores) op.fila->v[col] = valor;
            break;
        case Operacion::Baja:
            op.fila->viva = true;
            Insertar(op.fila);
            break;
        case Operacion::Vaciado:
            filas = op.filas;
            for (const FilaP& f : filas) {
                f->viva = true;
                f->version = ++contadorVersion_;
                Ensuciar(f);
            }
            return;
    }
    op.fila->version = ++contadorVersion_;
    Ensuciar(op.fila);
}

void Tabla::Restaurar(int marca) {
    if (marca < base_) throw EDatabaseError("Save point is no longer available");
    if (marca > Marca()) throw EDatabaseError("Invalid save point");
    if (marca == Marca()) return;
    while (Marca() > marca) {
        Deshacer(diario_.back());
        diario_.pop_back();
    }
    fusionado_ = std::min(fusionado_, marca);
    Avisar(Cambio::Todo, {});
}

void Tabla::Fusionar() {
    fusionado_ = Marca();
    while (diario_.size() > kHistorialFusionado && base_ < fusionado_) {
        diario_.pop_front();
        ++base_;
    }
}

bool Tabla::CambiadaDesde(const QString& archivo) const {
    auto it = versionArchivo_.constFind(archivo);
    return it == versionArchivo_.constEnd() || *it != versionDatos_;
}

void Tabla::MarcarGuardada(const QString& archivo, qint64 version, const QByteArray& linaje) {
    for (auto& [puntero, sucia] : sucias_) {
        sucia.fila->enArchivo = sucia.fila->viva;
        sucia.fila->versionArchivo = version;
    }
    MarcarCargada(archivo, version, linaje);
}

void Tabla::MarcarCargada(const QString& archivo, qint64 version, const QByteArray& linaje) {
    sucias_.clear();
    versionArchivo_[archivo] = versionDatos_;
    archivoEscrito_ = archivo;
    version_ = version;
    linaje_ = linaje;
    reescribir_ = false;
}

void Tabla::Sincronizada(qint64 version, const QByteArray& linaje) {
    version_ = version;
    linaje_ = linaje;
    if (sucias_.empty()) versionArchivo_[archivoEscrito_] = versionDatos_;
}

FilaP Tabla::AltaAjena(qint64 id, double orden, std::vector<QVariant> valores, qint64 version) {
    auto fila = std::make_shared<Fila>();
    fila->v = std::move(valores);
    fila->id = id;
    fila->orden = orden;
    fila->version = ++contadorVersion_;
    fila->enArchivo = true;
    fila->versionArchivo = version;
    UsarId(id);
    Insertar(fila);
    ++versionDatos_;
    return fila;
}

void Tabla::ModificacionAjena(const FilaP& fila, std::vector<QVariant> valores, double orden,
                              qint64 version) {
    fila->v = std::move(valores);
    fila->versionArchivo = version;
    fila->version = ++contadorVersion_;
    if (orden != fila->orden) Recolocar(fila, orden);
    ++versionDatos_;
}

void Tabla::BajaAjena(const FilaP& fila) {
    if (fila->viva) filas.erase(filas.begin() + Posicion(fila.get()));
    fila->viva = false;
    fila->enArchivo = false;
    fila->version = ++contadorVersion_;
    sucias_.erase(fila.get());
    ++versionDatos_;
}

void Tabla::Recolocar(const FilaP& fila, double orden) {
    if (fila->viva) filas.erase(filas.begin() + Posicion(fila.get()));
    fila->orden = orden;
    if (fila->viva) Insertar(fila);
}

void Tabla::Sustituir(Tabla& leida) {
    // Rows the history still points at are no longer the table's.
    for (const FilaP& f : filas) f->viva = false;
    filas = std::move(leida.filas);
    leida.filas.clear();
    diario_.clear();
    base_ = fusionado_ = 0;
    sucias_.clear();
    ultimoId_ = 0;
    for (const FilaP& f : filas) {
        f->version = ++contadorVersion_;
        UsarId(f->id);
    }
    ++versionDatos_;
    versionArchivo_.clear();
    reescribir_ = leida.reescribir_;
}

void Tabla::QuitarCursor(TClientDataSet* cursor) {
    cursores_.erase(std::remove(cursores_.begin(), cursores_.end(), cursor), cursores_.end());
}

void Tabla::Avisar(Cambio::Clase clase, const FilaP& fila) {
    const std::vector<TClientDataSet*> copia = cursores_;
    for (TClientDataSet* c : copia)
        if (std::find(cursores_.begin(), cursores_.end(), c) != cursores_.end())
            c->AlCambiarTabla({clase, fila});
}

void Tabla::AnadirColumna(const TFieldDef& definicion) {
    columnas.push_back(definicion);
    ++estructura_;
    auto extender = [](const FilaP& f) {
        if (f) f->v.emplace_back();
    };
    std::unordered_set<Fila*> vistas;
    auto una = [&](const FilaP& f) {
        if (f && vistas.insert(f.get()).second) extender(f);
    };
    for (const FilaP& f : filas) una(f);
    for (const Operacion& op : diario_) {
        una(op.fila);
        for (const FilaP& f : op.filas) una(f);
    }
    for (auto& [p, sucia] : sucias_) {
        una(sucia.fila);
        if (!sucia.base.empty()) sucia.base.emplace_back();
    }
    reescribir_ = true;
}

}  // namespace tablas
