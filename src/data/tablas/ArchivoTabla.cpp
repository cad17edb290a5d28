#include "ArchivoTabla.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>
#include <chrono>
#include <cstring>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "Diario.h"
#include "SistemaArchivos.h"
#include "Valores.h"

namespace tablas {

namespace {

constexpr int kAplicacion = 0x41564453;  // "AVDS"
constexpr int kEsperaBloqueoMs = 5000;   // how long a save waits for another program's lock
// Format 2: every row carries the version of the save that wrote it, and the file names its
// lineage. Format 1 files (neither) are read and written anew as format 2.
constexpr int kFormato = 2;
constexpr int kFormatoSinVersiones = 1;

// An SQLite failure, classified when it reaches the file's caller.
struct ErrorSqlite {
    int codigo;
    QString mensaje;
};

class Conexion {
public:
    Conexion(const QString& ruta, int flags) {
        const int rc = sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db_, flags, nullptr);
        if (rc != SQLITE_OK) {
            ErrorSqlite e{rc, db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString("cannot open")};
            sqlite3_close_v2(db_);
            db_ = nullptr;
            throw e;
        }
        sqlite3_extended_result_codes(db_, 1);
        // A double-quoted name that is no column must fail, not read as a string.
        sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
        sqlite3_busy_handler(db_, &Conexion::Esperar, this);
    }
    ~Conexion() { sqlite3_close_v2(db_); }
    Conexion(const Conexion&) = delete;
    Conexion& operator=(const Conexion&) = delete;

    sqlite3* db() const { return db_; }
    // Another program's lock is waited for up to 5 s, looking again every millisecond or
    // two (at random, so that two waiting programs do not keep meeting): SQLite's own
    // wait looks ever more seldom and loses the file to a program that saves often.
    static int Esperar(void* conexion, int intentos) {
        auto& inicio = static_cast<Conexion*>(conexion)->inicioEspera_;
        const auto ahora = std::chrono::steady_clock::now();
        if (intentos == 0) inicio = ahora;
        if (ahora - inicio >= std::chrono::milliseconds(kEsperaBloqueoMs)) return 0;
        std::this_thread::sleep_for(
            std::chrono::microseconds(500 + QRandomGenerator::global()->bounded(1500)));
        return 1;
    }
    void Ejecutar(const QString& sql) {
        if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) Fallo();
    }
    [[noreturn]] void Fallo() const {
        throw ErrorSqlite{sqlite3_extended_errcode(db_), QString::fromUtf8(sqlite3_errmsg(db_))};
    }

private:
    sqlite3* db_ = nullptr;
    std::chrono::steady_clock::time_point inicioEspera_;
};

class Sentencia {
public:
    Sentencia(Conexion& c, const QString& sql) : c_(c) {
        if (sqlite3_prepare_v2(c.db(), sql.toUtf8().constData(), -1, &st_, nullptr) != SQLITE_OK) c.Fallo();
    }
    ~Sentencia() { sqlite3_finalize(st_); }
    Sentencia(const Sentencia&) = delete;
    Sentencia& operator=(const Sentencia&) = delete;

    // True while there is a row to read.
    void Reiniciar() {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
    bool Paso() {
        const int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        c_.Fallo();
    }
    void Ejecutar() {
        Paso();
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
    void Entero(int i, qint64 v) { sqlite3_bind_int64(st_, i, v); }
    void Real(int i, double v) { sqlite3_bind_double(st_, i, v); }
    void Texto(int i, const QString& v) {
        const QByteArray b = v.toUtf8();
        sqlite3_bind_text(st_, i, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
    }
    void Valor(int i, const QVariant& v, TFieldType tipo) {
        if (!v.isValid()) {
            sqlite3_bind_null(st_, i);
            return;
        }
        switch (tipo) {
            case ftInteger:
                Entero(i, v.toInt());
                break;
            case ftBoolean:
                Entero(i, v.toBool() ? 1 : 0);
                break;
            case ftDateTime:
            case ftFloat:
                Real(i, v.toDouble());
                break;
            default:
                Texto(i, v.toString());
                break;
        }
    }

    qint64 LeerEntero(int i) const { return sqlite3_column_int64(st_, i); }
    double LeerReal(int i) const { return sqlite3_column_double(st_, i); }
    QString LeerTexto(int i) const {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st_, i));
        return p ? QString::fromUtf8(p, sqlite3_column_bytes(st_, i)) : QString();
    }
    QVariant LeerValor(int i, TFieldType tipo) const {
        if (sqlite3_column_type(st_, i) == SQLITE_NULL) return {};
        switch (tipo) {
            case ftInteger:
                return static_cast<int>(LeerEntero(i));
            case ftBoolean:
                return LeerEntero(i) != 0;
            case ftDateTime:
            case ftFloat:
                return LeerReal(i);
            default: {
                QString s = LeerTexto(i);
                return s.isEmpty() ? QVariant() : QVariant(std::move(s));
            }
        }
    }

private:
    Conexion& c_;
    sqlite3_stmt* st_ = nullptr;
};

// Rolls back unless committed, so that every failure leaves the file as it was.
class Transaccion {
public:
    explicit Transaccion(Conexion& c, const char* inicio = "BEGIN IMMEDIATE") : c_(c) { c_.Ejecutar(inicio); }
    ~Transaccion() {
        if (!hecha_) sqlite3_exec(c_.db(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;
    void Confirmar() {
        c_.Ejecutar("COMMIT");
        hecha_ = true;
    }

private:
    Conexion& c_;
    bool hecha_ = false;
};

QString Identificador(const QString& nombre) {
    return '"' + QString(nombre).replace('"', "\"\"") + '"';
}

QString TipoSql(TFieldType tipo) {
    switch (tipo) {
        case ftInteger:
        case ftBoolean:
            return "INTEGER";
        case ftDateTime:
        case ftFloat:
            return "REAL";
        default:
            return "TEXT";
    }
}

qint64 Pragma(Conexion& c, const char* nombre) {
    Sentencia s(c, QString("PRAGMA %1").arg(nombre));
    return s.Paso() ? s.LeerEntero(0) : 0;
}

// A random name for a new file's history: a copy put in its place later has another one,
// or the same with an older version.
QByteArray NuevoLinaje() {
    return QByteArray::number(QRandomGenerator::global()->generate64(), 16);
}

// Versions live in the header's user version, which every commit rewrites anyway.
qint64 SiguienteVersion(qint64 version) {
    return version > 0 && version < 0x7ffffff0 ? version + 1 : 1;
}

[[noreturn]] void Clasificar(const QString& ruta, const ErrorSqlite& e, bool escribiendo) {
    switch (e.codigo & 0xff) {
        case SQLITE_NOTADB:
            throw EArchivoTabla(ruta, QString("'%1' is not a table file of this program").arg(ruta));
        case SQLITE_CORRUPT:
            throw EArchivoTabla(ruta, QString("'%1' is damaged (%2)").arg(ruta, e.mensaje));
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            throw EArchivoOcupado(ruta, QString("'%1' is busy: another program kept it locked").arg(ruta));
        default:
            throw EArchivoTabla(
                ruta,
                QString(escribiendo ? "Cannot write '%1': %2" : "Cannot read '%1': %2").arg(ruta, e.mensaje));
    }
}

[[noreturn]] void Ajeno(const QString& ruta) {
    throw EArchivoTabla(ruta, QString("'%1' is not a table file of this program").arg(ruta));
}

[[noreturn]] void Danado(const QString& ruta, const QString& motivo) {
    throw EArchivoTabla(ruta, QString("'%1' is damaged (%2)").arg(ruta, motivo));
}

// The file's format; refuses files that are not ours or of a format this program cannot read.
int ComprobarPropio(Conexion& c, const QString& ruta) {
    if (Pragma(c, "application_id") != kAplicacion) Ajeno(ruta);
    Sentencia s(c, "SELECT valor FROM propiedades WHERE clave = 'formato'");
    const int formato = s.Paso() ? s.LeerTexto(0).toInt() : 0;
    if (formato != kFormato && formato != kFormatoSinVersiones)
        throw EArchivoTabla(ruta, QString("'%1' has table file format %2, this program reads format %3")
                                      .arg(ruta)
                                      .arg(formato)
                                      .arg(kFormato));
    return formato;
}

QByteArray LeerLinaje(Conexion& c) {
    Sentencia s(c, "SELECT valor FROM propiedades WHERE clave = 'linaje'");
    return s.Paso() ? s.LeerTexto(0).toLatin1() : QByteArray();
}

std::vector<TFieldDef> LeerColumnas(Conexion& c, const QString& ruta) {
    std::vector<TFieldDef> columnas;
    Sentencia s(c, "SELECT nombre, tipo, ancho, requerido, interno FROM campos ORDER BY orden");
    while (s.Paso()) {
        TFieldDef d{s.LeerTexto(0), TipoDesdeNombre(s.LeerTexto(1)), static_cast<int>(s.LeerEntero(2)),
                    s.LeerEntero(3) != 0, s.LeerEntero(4) != 0};
        if (d.Name.isEmpty() || d.DataType == ftUnknown) Danado(ruta, "bad field definition");
        for (const TFieldDef& otra : columnas)
            if (otra.Name.compare(d.Name, Qt::CaseInsensitive) == 0) Danado(ruta, "repeated field " + d.Name);
        columnas.push_back(d);
    }
    if (columnas.empty()) Danado(ruta, "no field definitions");
    return columnas;
}

// The rows' table must hold a column for every field definition and those of the engine.
void ComprobarFilas(Conexion& c, const QString& ruta, const std::vector<TFieldDef>& columnas, int formato) {
    QStringList guardadas;
    Sentencia s(c, "SELECT name FROM pragma_table_info('filas')");
    while (s.Paso()) guardadas << s.LeerTexto(0);
    if (guardadas.isEmpty()) Danado(ruta, "no rows table");
    QStringList esperadas{"_id", "_orden"};
    if (formato >= kFormato) esperadas << "_version";
    for (const TFieldDef& d : columnas) esperadas << d.Name;
    for (const QString& nombre : esperadas)
        if (!guardadas.contains(nombre, Qt::CaseInsensitive)) Danado(ruta, "missing column " + nombre);
}

std::vector<TIndexDef> LeerIndices(Conexion& c) {
    std::vector<TIndexDef> indices;
    Sentencia s(c, "SELECT nombre, campos, opciones FROM indices ORDER BY orden");
    while (s.Paso()) indices.push_back({s.LeerTexto(0), s.LeerTexto(1), static_cast<int>(s.LeerEntero(2))});
    return indices;
}

// The engine's columns, then the fields; a format 1 file has no versions (read as 0).
QString ListaColumnas(const std::vector<TFieldDef>& columnas, int formato = kFormato) {
    QString lista = formato >= kFormato ? "\"_id\", \"_orden\", \"_version\"" : "\"_id\", \"_orden\", 0";
    for (const TFieldDef& d : columnas) lista += ", " + Identificador(d.Name);
    return lista;
}
constexpr int kPrimerCampo = 3;  // position of the first field in ListaColumnas

bool Igual(const QVariant& a, const QVariant& b, TFieldType tipo) {
    if (a.isValid() != b.isValid()) return false;
    return !a.isValid() || Comparar(a, b, tipo) == 0;
}

class Escritor {
public:
    Escritor(Conexion& c, Tabla& t) : c_(c), t_(t) {}

    void Definiciones() {
        c_.Ejecutar(
            "CREATE TABLE IF NOT EXISTS campos(orden INTEGER PRIMARY KEY, nombre TEXT NOT NULL, tipo TEXT "
            "NOT NULL, "
            "ancho INTEGER NOT NULL, requerido INTEGER NOT NULL, interno INTEGER NOT NULL)");
        c_.Ejecutar("DELETE FROM campos");
        Sentencia s(c_, "INSERT INTO campos VALUES (?, ?, ?, ?, ?, ?)");
        for (size_t i = 0; i < t_.columnas.size(); ++i) {
            const TFieldDef& d = t_.columnas[i];
            s.Entero(1, static_cast<qint64>(i));
            s.Texto(2, d.Name);
            s.Texto(3, NombreTipo(d.DataType));
            s.Entero(4, d.Size);
            s.Entero(5, d.Required);
            s.Entero(6, d.InternalCalcField);
            s.Ejecutar();
        }
    }

    void Indices() {
        c_.Ejecutar(
            "CREATE TABLE IF NOT EXISTS indices(orden INTEGER PRIMARY KEY, nombre TEXT NOT NULL, "
            "campos TEXT NOT NULL, opciones INTEGER NOT NULL)");
        c_.Ejecutar("DELETE FROM indices");
        Sentencia s(c_, "INSERT INTO indices VALUES (?, ?, ?, ?)");
        for (size_t i = 0; i < t_.indices.size(); ++i) {
            s.Entero(1, static_cast<qint64>(i));
            s.Texto(2, t_.indices[i].Name);
            s.Texto(3, t_.indices[i].Fields);
            s.Entero(4, t_.indices[i].Options);
            s.Ejecutar();
        }
    }

    void TodasLasFilas(qint64 version) {
        c_.Ejecutar("DROP TABLE IF EXISTS filas");
        QString crear =
            "CREATE TABLE filas(\"_id\" INTEGER PRIMARY KEY, \"_orden\" REAL NOT NULL, \"_version\" INTEGER "
            "NOT NULL";
        for (const TFieldDef& d : t_.columnas)
            crear += ", " + Identificador(d.Name) + ' ' + TipoSql(d.DataType);
        c_.Ejecutar(crear + ')');
        Sentencia s(c_, Insertar());
        for (const FilaP& f : t_.filas) {
            Fila(s, *f, version);
            f->enArchivo = true;
            f->versionArchivo = version;
        }
    }

    // Rows already in the file are updated in place, so that the file keeps its pages.
    void SoloCambios(Sentencia& insertar, Sentencia& actualizar, Sentencia& borrar, qint64 version) {
        for (const auto& [puntero, sucia] : t_.sucias()) {
            const tablas::Fila& fila = *sucia.fila;
            if (fila.viva) {
                Fila(fila.enArchivo ? actualizar : insertar, fila, version);
            } else if (fila.enArchivo) {
                borrar.Entero(1, fila.id);
                borrar.Ejecutar();
            }
        }
    }

    QString Actualizar() const {
        QString asignaciones = "\"_orden\" = ?2, \"_version\" = ?3";
        for (size_t i = 0; i < t_.columnas.size(); ++i)
            asignaciones +=
                QString(", %1 = ?%2").arg(Identificador(t_.columnas[i].Name)).arg(i + 1 + kPrimerCampo);
        return "UPDATE filas SET " + asignaciones + " WHERE \"_id\" = ?1";
    }

    void Propiedades(qint64 version, const QByteArray& linaje) {
        c_.Ejecutar("CREATE TABLE IF NOT EXISTS propiedades(clave TEXT PRIMARY KEY, valor TEXT)");
        c_.Ejecutar(QString("INSERT OR REPLACE INTO propiedades VALUES ('formato', '%1')").arg(kFormato));
        c_.Ejecutar(QString("INSERT OR REPLACE INTO propiedades VALUES ('linaje', '%1')")
                        .arg(QString::fromLatin1(linaje)));
        c_.Ejecutar(QString("PRAGMA user_version=%1").arg(version));
    }

    QString Insertar() const {
        QString marcas = "?, ?, ?";
        for (size_t i = 0; i < t_.columnas.size(); ++i) marcas += ", ?";
        return "INSERT INTO filas(" + ListaColumnas(t_.columnas) + ") VALUES (" + marcas + ')';
    }

    void Todo(qint64 version, const QByteArray& linaje) {
        Definiciones();
        Indices();
        TodasLasFilas(version);
        Propiedades(version, linaje);
    }

private:
    void Fila(Sentencia& s, const tablas::Fila& f, qint64 version) {
        s.Entero(1, f.id);
        s.Real(2, f.orden);
        s.Entero(3, version);
        for (size_t i = 0; i < t_.columnas.size(); ++i)
            s.Valor(static_cast<int>(i) + 1 + kPrimerCampo, f.v[i], t_.columnas[i].DataType);
        s.Ejecutar();
    }

    Conexion& c_;
    Tabla& t_;
};

void Durabilidad(Conexion& c) {
    c.Ejecutar("PRAGMA journal_mode=DELETE");
    c.Ejecutar("PRAGMA synchronous=FULL");
}

void EscribirNuevo(Tabla& t, const QString& ruta, qint64 version, const QByteArray& linaje) {
    t.enlace.reset();
    const QString temporal = ruta + ".nuevo";
    QFile::remove(temporal);
    QFile::remove(temporal + "-journal");
    try {
        {
            Conexion c(temporal, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
            Durabilidad(c);
            Transaccion tr(c);
            c.Ejecutar(QString("PRAGMA application_id=%1").arg(kAplicacion));
            Escritor(c, t).Todo(version, linaje);
            tr.Confirmar();
        }
        const QString carpeta = QFileInfo(ruta).absolutePath();
        if (const int err = Renombrar(temporal, ruta))
            throw ErrorSqlite{SQLITE_IOERR,
                              QString("rename: %1").arg(QString::fromLocal8Bit(std::strerror(err)))};
        if (const int err = SincronizarCarpeta(carpeta))
            throw ErrorSqlite{SQLITE_IOERR,
                              QString("fsync: %1").arg(QString::fromLocal8Bit(std::strerror(err)))};
    } catch (const ErrorSqlite& e) {
        QFile::remove(temporal);
        QFile::remove(temporal + "-journal");
        for (const FilaP& f : t.filas) f->enArchivo = false;
        Clasificar(ruta, e, true);
    }
}

QString NombreCorto(const QString& ruta) {
    return QFileInfo(ruta).fileName();
}

// How a row is named in the log: by its code when the table has one.
QString NombreFila(const Tabla& t, const Fila& f) {
    if (t.columnaCodigo >= 0)
        return QString("%1=%2").arg(t.columnas[t.columnaCodigo].Name, f.v[t.columnaCodigo].toString());
    return QString("_id=%1").arg(f.id);
}

// Brings into the table what other programs saved in the file since the table last read or
// wrote it: their new rows, their changes and their deletions. This program's own changes
// stay pending, each changed field on top of the other program's row; where both changed
// the same field this program's value stays (it saves later) and the log tells. A new row
// of this program gets an id, a place and, when its code was taken meanwhile, a code that
// are free in the file. Runs inside a transaction on the file.
class Sincronizacion {
public:
    Sincronizacion(Conexion& c, Tabla& t, const QString& ruta) : c_(c), t_(t), ruta_(ruta) {}

    // False when the file is not the one the table knew (another file, or an older copy of
    // it, was put in its place): then nothing changes.
    bool Ejecutar(qint64 versionArchivo) {
        const int formato = ComprobarPropio(c_, ruta_);
        linaje_ = LeerLinaje(c_);
        if (!t_.linaje().isEmpty() && (linaje_ != t_.linaje() || versionArchivo < t_.version())) return false;
        if (!Columnas(formato)) return false;
        Recorrer(formato);
        QuitarBorradas();
        AjustarNuevas();
        TraerCambios(formato);
        Avisar();
        return true;
    }
    const QByteArray& linaje() const { return linaje_; }

private:
    struct EnArchivo {
        qint64 id;
        double orden;
        qint64 version;
        QVariant codigo;
    };

    // Our columns in the file; false when the file has columns this table does not know.
    bool Columnas(int formato) {
        const std::vector<TFieldDef> suyas = LeerColumnas(c_, ruta_);
        ComprobarFilas(c_, ruta_, suyas, formato);
        for (const TFieldDef& d : suyas) {
            const int i = t_.Columna(d.Name);
            if (i < 0 || t_.columnas[i].DataType != d.DataType) return false;
        }
        consulta_.clear();
        for (const TFieldDef& d : t_.columnas) {
            const bool esta = std::any_of(suyas.begin(), suyas.end(), [&](const TFieldDef& s) {
                return s.Name.compare(d.Name, Qt::CaseInsensitive) == 0;
            });
            consulta_ << (esta ? Identificador(d.Name) : QString("NULL"));
        }
        return true;
    }

    // The rows written by others since the table's version (every row of a file without
    // versions), then the rows they deleted, which only a count tells cheaply.
    void Recorrer(int formato) {
        const bool todas = formato < kFormato || t_.linaje().isEmpty();
        const QString codigo = t_.columnaCodigo >= 0 ? consulta_[t_.columnaCodigo] : QString("NULL");
        Sentencia s(c_, QString("SELECT \"_id\", \"_orden\", %1, %2 FROM filas%3")
                            .arg(formato >= kFormato ? "\"_version\"" : "-1", codigo,
                                 todas ? "" : " WHERE \"_version\" > ?1"));
        if (!todas) s.Entero(1, t_.version());
        std::vector<EnArchivo> leidas;
        while (s.Paso()) {
            EnArchivo a{s.LeerEntero(0), s.LeerReal(1), s.LeerEntero(2), {}};
            if (t_.columnaCodigo >= 0) a.codigo = s.LeerValor(3, ftInteger);
            leidas.push_back(a);
        }
        qint64 conocidas = 0;
        for (const FilaP& f : t_.filas) conocidas += f->enArchivo;
        for (const auto& [p, sucia] : t_.sucias()) conocidas += !sucia.fila->viva && sucia.fila->enArchivo;
        if (todas || leidas.size() > 16) Indexar();
        for (const EnArchivo& a : leidas) {
            const FilaP nuestra = Buscar(a.id);
            if (!nuestra) {
                if (a.codigo.isValid()) codigosAjenos_.insert(a.codigo.toInt());
                maxId_ = std::max(maxId_, a.id);
                ordenes_.insert(a.orden);
                ids_.insert(a.id);
                ajenas_.push_back(a);
            } else {
                ordenes_.insert(a.orden);
                if (a.version < 0 || a.version > nuestra->versionArchivo) cambiadas_.push_back({nuestra, a});
            }
        }
        Sentencia cuenta(c_, "SELECT count(*) FROM filas");
        const qint64 enArchivo = cuenta.Paso() ? cuenta.LeerEntero(0) : 0;
        if (enArchivo >= conocidas + static_cast<qint64>(ajenas_.size())) return;
        Indexar();
        std::unordered_set<qint64> vistas;
        Sentencia ids(c_, "SELECT \"_id\" FROM filas");
        while (ids.Paso()) vistas.insert(ids.LeerEntero(0));
        for (const auto& [id, fila] : nuestras_)
            if (!vistas.count(id)) borradas_.push_back(fila);
    }

    // The rows of the table that the file held when it last read or wrote it, by id.
    void Indexar() {
        if (indexadas_) return;
        indexadas_ = true;
        nuestras_.reserve(t_.filas.size());
        for (const FilaP& f : t_.filas)
            if (f->enArchivo) nuestras_.emplace(f->id, f);
        for (const auto& [p, sucia] : t_.sucias())
            if (!sucia.fila->viva && sucia.fila->enArchivo) nuestras_.emplace(sucia.fila->id, sucia.fila);
    }

    FilaP Buscar(qint64 id) const {
        if (indexadas_) {
            auto it = nuestras_.find(id);
            return it == nuestras_.end() ? nullptr : it->second;
        }
        for (const FilaP& f : t_.filas)
            if (f->enArchivo && f->id == id) return f;
        for (const auto& [p, sucia] : t_.sucias())
            if (sucia.fila->enArchivo && sucia.fila->id == id) return sucia.fila;
        return nullptr;
    }

    // Rows another program deleted: gone here too, even if this program changed them.
    void QuitarBorradas() {
        for (const FilaP& f : borradas_) {
            if (f->viva && t_.sucias().count(f.get()))
                Anotar(QString("%1 %2: borrada en otro puesto; se pierden los cambios de este")
                           .arg(NombreCorto(ruta_), NombreFila(t_, *f)));
            if (f->viva) avisos_.push_back({Cambio::Baja, f});
            t_.BajaAjena(f);
        }
    }

    // This program's new rows: an id and a place no row of the file has, and a free code.
    void AjustarNuevas() {
        std::vector<FilaP> nuevas;
        for (const auto& [p, sucia] : t_.sucias())
            if (sucia.fila->viva && !sucia.fila->enArchivo) nuevas.push_back(sucia.fila);
        std::sort(nuevas.begin(), nuevas.end(),
                  [](const FilaP& a, const FilaP& b) { return a->orden < b->orden; });
        double ultimo = 0;
        for (double o : ordenes_) ultimo = std::max(ultimo, o);
        if (!t_.filas.empty()) ultimo = std::max(ultimo, t_.filas.back()->orden);
        std::unordered_map<int, int> recodificados;
        for (const FilaP& f : nuevas) {
            if (ids_.count(f->id)) {
                t_.UsarId(maxId_);
                f->id = t_.ultimoId() + 1;
                t_.UsarId(f->id);
            }
            if (ordenes_.count(f->orden)) t_.Recolocar(f, ultimo += 1);
            if (t_.columnaCodigo < 0) continue;
            const QVariant& valor = f->v[t_.columnaCodigo];
            // Only a code that another program's new row holds was taken meanwhile: rows of
            // one subgroup share theirs.
            if (!valor.isValid() || !codigosAjenos_.count(valor.toInt())) continue;
            const int anterior = valor.toInt();
            auto [it, primera] = recodificados.try_emplace(anterior, 0);
            if (primera) it->second = CodigoLibre();
            f->v[t_.columnaCodigo] = it->second;
            if (t_.recodificar) t_.recodificar(*f, anterior, it->second);
            f->version = f->version + 1;
            Anotar(QString("%1: el código %2 lo tomó otro puesto; la fila nueva recibe el %3")
                       .arg(NombreCorto(ruta_))
                       .arg(anterior)
                       .arg(it->second));
            avisos_.push_back({Cambio::Modificacion, f});
        }
        t_.UsarId(maxId_);
    }

    int CodigoLibre() {
        if (!codigosLeidos_) {
            codigosLeidos_ = true;
            Sentencia s(c_, "SELECT " + consulta_[t_.columnaCodigo] + " FROM filas");
            while (s.Paso()) {
                const QVariant v = s.LeerValor(0, ftInteger);
                if (v.isValid()) codigos_.insert(v.toInt());
            }
        }
        std::unordered_set<int> ocupados = codigos_;
        for (const FilaP& f : t_.filas)
            if (f->v[t_.columnaCodigo].isValid()) ocupados.insert(f->v[t_.columnaCodigo].toInt());
        int codigo = 1;
        if (t_.codigoSinReutilizar) {
            for (int c : ocupados) codigo = std::max(codigo, c + 1);
        } else {
            while (ocupados.count(codigo)) ++codigo;
        }
        codigos_.insert(codigo);
        return codigo;
    }

    std::vector<QVariant> Leer(Sentencia& s, qint64 id) {
        s.Reiniciar();
        s.Entero(1, id);
        std::vector<QVariant> valores;
        if (!s.Paso()) return valores;
        valores.reserve(t_.columnas.size());
        for (size_t i = 0; i < t_.columnas.size(); ++i)
            valores.push_back(s.LeerValor(static_cast<int>(i), t_.columnas[i].DataType));
        return valores;
    }

    void TraerCambios(int formato) {
        if (cambiadas_.empty() && ajenas_.empty()) return;
        Sentencia s(c_, "SELECT " + consulta_.join(", ") + " FROM filas WHERE \"_id\" = ?");
        const auto version = [formato](const EnArchivo& a) { return formato >= kFormato ? a.version : 0; };
        for (const auto& [fila, a] : cambiadas_) {
            std::vector<QVariant> suyos = Leer(s, a.id);
            if (suyos.empty()) continue;
            auto sucia = t_.sucias().find(fila.get());
            if (sucia == t_.sucias().end()) {
                if (a.orden != fila->orden) reordenar_ = true;
                fila->orden = a.orden;
                t_.ModificacionAjena(fila, std::move(suyos), fila->orden, version(a));
                avisos_.push_back({Cambio::Modificacion, fila});
            } else if (!fila->viva) {
                fila->versionArchivo = version(a);  // this program's deletion stands
            } else {
                std::vector<QVariant>& base = sucia->second.base;
                if (base.size() != suyos.size()) base = suyos;  // nothing known of the file: ours stands
                Combinar(*fila, base, suyos);
                fila->versionArchivo = version(a);
                avisos_.push_back({Cambio::Modificacion, fila});
            }
        }
        for (const EnArchivo& a : ajenas_) {
            std::vector<QVariant> suyos = Leer(s, a.id);
            if (suyos.empty()) continue;
            avisos_.push_back({Cambio::Alta, t_.AltaAjena(a.id, a.orden, std::move(suyos), version(a))});
        }
    }

    // Field by field: a field this program did not change takes the file's value.
    void Combinar(Fila& fila, std::vector<QVariant>& base, const std::vector<QVariant>& suyos) {
        for (size_t i = 0; i < suyos.size(); ++i) {
            const TFieldType tipo = t_.columnas[i].DataType;
            if (Igual(fila.v[i], base[i], tipo)) {
                fila.v[i] = suyos[i];
            } else if (!Igual(suyos[i], base[i], tipo) && !Igual(suyos[i], fila.v[i], tipo)) {
                Anotar(QString("%1 %2 campo %3: queda \"%4\" de este puesto; se pierde \"%5\" de otro")
                           .arg(NombreCorto(ruta_), NombreFila(t_, fila), t_.columnas[i].Name,
                                fila.v[i].toString(), suyos[i].toString()));
            }
            base[i] = suyos[i];
        }
        fila.version = fila.version + 1;
    }

    void Avisar() {
        if (reordenar_)
            std::stable_sort(t_.filas.begin(), t_.filas.end(),
                             [](const FilaP& a, const FilaP& b) { return a->orden < b->orden; });
        if (avisos_.empty()) return;
        if (reordenar_ || avisos_.size() > 64) {
            t_.Avisar(Cambio::Todo, {});
            return;
        }
        for (const Cambio& c : avisos_) t_.Avisar(c.clase, c.fila);
    }

    Conexion& c_;
    Tabla& t_;
    QString ruta_;
    QByteArray linaje_;
    QStringList consulta_;
    std::unordered_map<qint64, FilaP> nuestras_;
    std::vector<std::pair<FilaP, EnArchivo>> cambiadas_;
    std::vector<EnArchivo> ajenas_;
    std::vector<FilaP> borradas_;
    std::unordered_set<qint64> ids_;
    std::unordered_set<double> ordenes_;
    std::unordered_set<int> codigos_, codigosAjenos_;
    qint64 maxId_ = 0;
    bool indexadas_ = false, codigosLeidos_ = false;
    bool reordenar_ = false;
    std::vector<Cambio> avisos_;
};

// An open connection to a table file with its prepared statements, kept between saves
// while the name still points at the same file and the table keeps its columns.
class Enlace {
public:
    Enlace(const QString& ruta, const Tabla& t)
        : ruta_(ruta), estructura_(t.estructura()), c_(ruta, SQLITE_OPEN_READWRITE) {
        Durabilidad(c_);
        Identificar(ruta, id_);
    }
    bool Vigente(const QString& ruta, const Tabla& t) const {
        IdArchivo ahora;
        return ruta == ruta_ && t.estructura() == estructura_ && Identificar(ruta, ahora) == 0 &&
               ahora == id_;
    }
    Conexion& conexion() { return c_; }

    void Empezar() { Paso(empezar_, "BEGIN IMMEDIATE"); }
    void Confirmar() { Paso(confirmar_, "COMMIT"); }
    int Aplicacion() { return static_cast<int>(Entero(aplicacion_, "PRAGMA application_id")); }
    qint64 Version() { return Entero(leerVersion_, "PRAGMA user_version"); }
    void EscribirVersion(qint64 version) { c_.Ejecutar(QString("PRAGMA user_version=%1").arg(version)); }
    Sentencia& Insertar(const Escritor& e) {
        return Preparada(insertar_, [&] { return e.Insertar(); });
    }
    Sentencia& Actualizar(const Escritor& e) {
        return Preparada(actualizar_, [&] { return e.Actualizar(); });
    }
    Sentencia& Borrar() {
        return Preparada(borrar_, [] { return QStringLiteral("DELETE FROM filas WHERE \"_id\" = ?"); });
    }

private:
    template <typename F>
    Sentencia& Preparada(std::unique_ptr<Sentencia>& s, F sql) {
        if (!s) s = std::make_unique<Sentencia>(c_, sql());
        return *s;
    }
    qint64 Entero(std::unique_ptr<Sentencia>& s, const char* sql) {
        Sentencia& p = Preparada(s, [sql] { return QString::fromLatin1(sql); });
        const qint64 v = p.Paso() ? p.LeerEntero(0) : 0;
        p.Reiniciar();
        return v;
    }
    void Paso(std::unique_ptr<Sentencia>& s, const char* sql) {
        Preparada(s, [sql] { return QString::fromLatin1(sql); }).Ejecutar();
    }
    QString ruta_;
    quint64 estructura_;
    IdArchivo id_;
    Conexion c_;
    std::unique_ptr<Sentencia> empezar_, confirmar_, aplicacion_, leerVersion_, insertar_, actualizar_,
        borrar_;
};

// Rolls back unless committed, on a kept link.
class TransaccionEnlace {
public:
    explicit TransaccionEnlace(Enlace& e) : e_(e) { e_.Empezar(); }
    ~TransaccionEnlace() {
        if (!hecha_) sqlite3_exec(e_.conexion().db(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
    TransaccionEnlace(const TransaccionEnlace&) = delete;
    TransaccionEnlace& operator=(const TransaccionEnlace&) = delete;
    void Confirmar() {
        e_.Confirmar();
        hecha_ = true;
    }

private:
    Enlace& e_;
    bool hecha_ = false;
};

Enlace& EnlaceDe(Tabla& t, const QString& ruta) {
    auto enlace = std::static_pointer_cast<Enlace>(t.enlace);
    if (!enlace || !enlace->Vigente(ruta, t)) {
        t.enlace.reset();
        enlace = std::make_shared<Enlace>(ruta, t);
        t.enlace = enlace;
    }
    return *enlace;
}

// Takes the file's rows as they are, in place of the table's own, and tells the log.
void Recargar(Tabla& t, const QString& ruta) {
    t.enlace.reset();
    std::shared_ptr<Tabla> leida = CargarTabla(ruta);
    // The file's values in this table's columns; a column the file lacks stays Null.
    std::vector<int> desde;
    for (const TFieldDef& d : t.columnas) desde.push_back(leida->Columna(d.Name));
    for (const FilaP& f : leida->filas) {
        std::vector<QVariant> v(t.columnas.size());
        for (size_t i = 0; i < desde.size(); ++i)
            if (desde[i] >= 0) v[i] = f->v[desde[i]];
        f->v = std::move(v);
    }
    const int perdidos = static_cast<int>(t.sucias().size());
    t.Sustituir(*leida);
    t.MarcarCargada(ruta, leida->version(), leida->linaje());
    if (perdidos > 0 || std::any_of(desde.begin(), desde.end(), [](int i) { return i < 0; }))
        t.PedirReescritura();
    Anotar(QString("%1: el archivo se ha sustituido (por ejemplo, al recuperar una copia); se recarga tal "
                   "como está y se descartan %2 cambios sin guardar de este puesto")
               .arg(NombreCorto(ruta))
               .arg(perdidos));
    t.Avisar(Cambio::Todo, {});
}

enum class Escritura { Hecha, Sustituido };

Escritura EscribirExistente(Tabla& t, const QString& ruta) {
    try {
        Enlace& enlace = EnlaceDe(t, ruta);
        TransaccionEnlace tr(enlace);
        if (enlace.Aplicacion() != kAplicacion) Ajeno(ruta);
        const qint64 enArchivo = enlace.Version();
        const qint64 nueva = SiguienteVersion(enArchivo);
        QByteArray linaje = t.linaje();
        bool todo = true;
        if (t.archivoEscrito() != ruta) {
            // Another table's rows written over this file: a file of its own history.
            linaje = NuevoLinaje();
        } else if (enArchivo == t.version() && !linaje.isEmpty()) {
            todo = t.reescribir();
        } else {
            Sincronizacion s(enlace.conexion(), t, ruta);
            if (!s.Ejecutar(enArchivo)) return Escritura::Sustituido;
            if (linaje.isEmpty()) linaje = s.linaje().isEmpty() ? NuevoLinaje() : s.linaje();
            todo = t.reescribir() || t.linaje().isEmpty();
        }
        Escritor e(enlace.conexion(), t);
        if (todo) {
            e.Todo(nueva, linaje);
        } else {
            e.SoloCambios(enlace.Insertar(e), enlace.Actualizar(e), enlace.Borrar(), nueva);
            enlace.EscribirVersion(nueva);
        }
        tr.Confirmar();
        t.MarcarGuardada(ruta, nueva, linaje);
        return Escritura::Hecha;
    } catch (const ErrorSqlite& e) {
        t.enlace.reset();
        Clasificar(ruta, e, true);
    } catch (...) {
        t.enlace.reset();
        throw;
    }
}

}  // namespace

QString RutaNormal(const QString& ruta) {
    return QDir::cleanPath(QFileInfo(ruta).absoluteFilePath());
}

std::shared_ptr<Tabla> CargarTabla(const QString& rutaDada) {
    const QString ruta = RutaNormal(rutaDada);
    if (!QFileInfo(ruta).isFile())
        throw EArchivoTabla(ruta, QString("Cannot open file '%1': it does not exist").arg(ruta));
    try {
        std::unique_ptr<Conexion> c;
        try {
            // Read-write, so that SQLite can roll back what a crashed save left behind.
            c = std::make_unique<Conexion>(ruta, SQLITE_OPEN_READWRITE);
        } catch (const ErrorSqlite&) {
            c = std::make_unique<Conexion>(ruta, SQLITE_OPEN_READONLY);
        }
        // One read transaction: definitions, version and rows of the same save.
        Transaccion tr(*c, "BEGIN");
        const int formato = ComprobarPropio(*c, ruta);
        auto t = std::make_shared<Tabla>();
        t->columnas = LeerColumnas(*c, ruta);
        ComprobarFilas(*c, ruta, t->columnas, formato);
        t->indices = LeerIndices(*c);
        const qint64 version = Pragma(*c, "user_version");
        const QByteArray linaje = formato >= kFormato ? LeerLinaje(*c) : QByteArray();
        Sentencia s(
            *c, "SELECT " + ListaColumnas(t->columnas, formato) + " FROM filas ORDER BY \"_orden\", \"_id\"");
        const int n = static_cast<int>(t->columnas.size());
        bool renumerada = false;
        while (s.Paso()) {
            auto f = std::make_shared<Fila>();
            f->id = s.LeerEntero(0);
            f->orden = s.LeerReal(1);
            const qint64 versionFila = s.LeerEntero(2);
            f->v.reserve(n);
            for (int i = 0; i < n; ++i)
                f->v.push_back(s.LeerValor(i + kPrimerCampo, t->columnas[i].DataType));
            renumerada |= t->CargarFila(std::move(f));
            t->filas.back()->versionArchivo = versionFila;
        }
        tr.Confirmar();
        t->MarcarCargada(ruta, version, linaje);
        if (renumerada || formato < kFormato) t->PedirReescritura();
        return t;
    } catch (const ErrorSqlite& e) {
        Clasificar(ruta, e, false);
    }
}

void GuardarTabla(Tabla& t, const QString& rutaDada) {
    const QString ruta = RutaNormal(rutaDada);
    const QFileInfo info(ruta);
    if (!info.absoluteDir().exists())
        throw EArchivoTabla(ruta, QString("Cannot write '%1': the folder does not exist").arg(ruta));
    if (!info.exists() || info.size() == 0) {
        const QByteArray linaje = NuevoLinaje();
        EscribirNuevo(t, ruta, 1, linaje);
        t.MarcarGuardada(ruta, 1, linaje);
        return;
    }
    if (EscribirExistente(t, ruta) == Escritura::Sustituido) Recargar(t, ruta);
}

bool RefrescarTabla(Tabla& t, const QString& rutaDada) {
    const QString ruta = RutaNormal(rutaDada);
    if (t.archivoEscrito() != ruta || !QFileInfo(ruta).isFile()) return false;
    try {
        Enlace& enlace = EnlaceDe(t, ruta);
        Transaccion tr(enlace.conexion(), "BEGIN");
        const qint64 enArchivo = enlace.Version();
        if (enArchivo == t.version() && !t.linaje().isEmpty()) {
            tr.Confirmar();
            return false;
        }
        Sincronizacion s(enlace.conexion(), t, ruta);
        if (!s.Ejecutar(enArchivo)) {
            tr.Confirmar();
            Recargar(t, ruta);
            return true;
        }
        tr.Confirmar();
        t.Sincronizada(enArchivo, t.linaje().isEmpty() ? s.linaje() : t.linaje());
        return true;
    } catch (const ErrorSqlite& e) {
        t.enlace.reset();
        Clasificar(ruta, e, false);
    }
}

QVector<int> LeerCodigos(const QString& rutaDada, const QString& campo) {
    const QString ruta = RutaNormal(rutaDada);
    QVector<int> codigos;
    try {
        Conexion c(ruta, SQLITE_OPEN_READONLY);
        ComprobarPropio(c, ruta);
        Sentencia s(c, "SELECT " + Identificador(campo) + " FROM filas WHERE " + Identificador(campo) +
                           " IS NOT NULL");
        while (s.Paso()) codigos.push_back(static_cast<int>(s.LeerEntero(0)));
    } catch (const ErrorSqlite& e) {
        Clasificar(ruta, e, false);
    }
    return codigos;
}

}  // namespace tablas
