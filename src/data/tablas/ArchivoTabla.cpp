#include "ArchivoTabla.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>
#include <cstring>

#include "SistemaArchivos.h"
#include "Valores.h"

namespace tablas {

namespace {

constexpr int kAplicacion = 0x41564453;  // "AVDS"
constexpr int kFormato = 1;

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
        sqlite3_busy_timeout(db_, 5000);
    }
    ~Conexion() { sqlite3_close_v2(db_); }
    Conexion(const Conexion&) = delete;
    Conexion& operator=(const Conexion&) = delete;

    sqlite3* db() const { return db_; }
    void Ejecutar(const QString& sql) {
        if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) Fallo();
    }
    [[noreturn]] void Fallo() const {
        throw ErrorSqlite{sqlite3_extended_errcode(db_), QString::fromUtf8(sqlite3_errmsg(db_))};
    }

private:
    sqlite3* db_ = nullptr;
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
    explicit Transaccion(Conexion& c) : c_(c) { c_.Ejecutar("BEGIN IMMEDIATE"); }
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

int Pragma(Conexion& c, const char* nombre) {
    Sentencia s(c, QString("PRAGMA %1").arg(nombre));
    return s.Paso() ? static_cast<int>(s.LeerEntero(0)) : 0;
}

// Always the same length, so that replacing it rewrites its row in place.
// A random positive number kept in the header's user version, which every commit
// rewrites anyway: the seal costs no page of its own.
QByteArray NuevoSello() {
    return QByteArray::number(QRandomGenerator::global()->bounded(1, 0x7fffffff));
}

EArchivoTabla Clasificar(const QString& ruta, const ErrorSqlite& e, bool escribiendo) {
    switch (e.codigo & 0xff) {
        case SQLITE_NOTADB:
            return EArchivoTabla(ruta, QString("'%1' is not a table file of this program").arg(ruta));
        case SQLITE_CORRUPT:
            return EArchivoTabla(ruta, QString("'%1' is damaged (%2)").arg(ruta, e.mensaje));
        default:
            return EArchivoTabla(
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

void ComprobarPropio(Conexion& c, const QString& ruta) {
    if (Pragma(c, "application_id") != kAplicacion) Ajeno(ruta);
    Sentencia s(c, "SELECT valor FROM propiedades WHERE clave = 'formato'");
    const int formato = s.Paso() ? s.LeerTexto(0).toInt() : 0;
    if (formato != kFormato)
        throw EArchivoTabla(ruta, QString("'%1' has table file format %2, this program reads format %3")
                                      .arg(ruta)
                                      .arg(formato)
                                      .arg(kFormato));
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

// The rows' table must hold a column for every field definition and the two of the engine.
void ComprobarFilas(Conexion& c, const QString& ruta, const std::vector<TFieldDef>& columnas) {
    QStringList guardadas;
    Sentencia s(c, "SELECT name FROM pragma_table_info('filas')");
    while (s.Paso()) guardadas << s.LeerTexto(0);
    if (guardadas.isEmpty()) Danado(ruta, "no rows table");
    QStringList esperadas{"_id", "_orden"};
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

QByteArray LeerSello(Conexion& c) {
    return QByteArray::number(Pragma(c, "user_version"));
}

QString ListaColumnas(const std::vector<TFieldDef>& columnas) {
    QString lista = "\"_id\", \"_orden\"";
    for (const TFieldDef& d : columnas) lista += ", " + Identificador(d.Name);
    return lista;
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

    void TodasLasFilas() {
        c_.Ejecutar("DROP TABLE IF EXISTS filas");
        QString crear = "CREATE TABLE filas(\"_id\" INTEGER PRIMARY KEY, \"_orden\" REAL NOT NULL";
        for (const TFieldDef& d : t_.columnas)
            crear += ", " + Identificador(d.Name) + ' ' + TipoSql(d.DataType);
        c_.Ejecutar(crear + ')');
        Sentencia s(c_, Insertar());
        for (const FilaP& f : t_.filas) {
            Fila(s, *f);
            f->enArchivo = true;
        }
    }

    // Rows already in the file are updated in place, so that the file keeps its pages.
    void SoloCambios(Sentencia& insertar, Sentencia& actualizar, Sentencia& borrar) {
        for (const auto& [puntero, fila] : t_.sucias()) {
            if (fila->viva) {
                Fila(fila->enArchivo ? actualizar : insertar, *fila);
            } else if (fila->enArchivo) {
                borrar.Entero(1, fila->id);
                borrar.Ejecutar();
            }
        }
    }

    QString Actualizar() const {
        QString asignaciones = "\"_orden\" = ?2";
        for (size_t i = 0; i < t_.columnas.size(); ++i)
            asignaciones += QString(", %1 = ?%2").arg(Identificador(t_.columnas[i].Name)).arg(i + 3);
        return "UPDATE filas SET " + asignaciones + " WHERE \"_id\" = ?1";
    }

    void Propiedades(const QByteArray& sello) {
        c_.Ejecutar("CREATE TABLE IF NOT EXISTS propiedades(clave TEXT PRIMARY KEY, valor TEXT)");
        c_.Ejecutar(QString("INSERT OR REPLACE INTO propiedades VALUES ('formato', '%1')").arg(kFormato));
        c_.Ejecutar("PRAGMA user_version=" + QString::fromLatin1(sello));
    }

    QString Insertar() const {
        QString marcas = "?, ?";
        for (size_t i = 0; i < t_.columnas.size(); ++i) marcas += ", ?";
        return "INSERT INTO filas(" + ListaColumnas(t_.columnas) + ") VALUES (" + marcas + ')';
    }

private:
    void Fila(Sentencia& s, const tablas::Fila& f) {
        s.Entero(1, f.id);
        s.Real(2, f.orden);
        for (size_t i = 0; i < t_.columnas.size(); ++i)
            s.Valor(static_cast<int>(i) + 3, f.v[i], t_.columnas[i].DataType);
        s.Ejecutar();
    }

    Conexion& c_;
    Tabla& t_;
};

void Durabilidad(Conexion& c) {
    c.Ejecutar("PRAGMA journal_mode=DELETE");
    c.Ejecutar("PRAGMA synchronous=FULL");
}

void EscribirNuevo(Tabla& t, const QString& ruta, const QByteArray& sello) {
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
            Escritor e(c, t);
            e.Definiciones();
            e.Indices();
            e.TodasLasFilas();
            e.Propiedades(sello);
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
        throw Clasificar(ruta, e, true);
    }
}

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
    int Aplicacion() { return Entero(aplicacion_, "PRAGMA application_id"); }
    QByteArray Sello() { return QByteArray::number(Entero(leerSello_, "PRAGMA user_version")); }
    void EscribirSello(const QByteArray& sello) {
        c_.Ejecutar("PRAGMA user_version=" + QString::fromLatin1(sello));
    }
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
    int Entero(std::unique_ptr<Sentencia>& s, const char* sql) {
        Sentencia& p = Preparada(s, [sql] { return QString::fromLatin1(sql); });
        const int v = p.Paso() ? static_cast<int>(p.LeerEntero(0)) : 0;
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
    std::unique_ptr<Sentencia> empezar_, confirmar_, aplicacion_, leerSello_, insertar_, actualizar_, borrar_;
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

void EscribirExistente(Tabla& t, const QString& ruta, const QByteArray& sello) {
    try {
        auto enlace = std::static_pointer_cast<Enlace>(t.enlace);
        if (!enlace || !enlace->Vigente(ruta, t)) {
            t.enlace.reset();
            enlace = std::make_shared<Enlace>(ruta, t);
            t.enlace = enlace;
        }
        TransaccionEnlace tr(*enlace);
        if (enlace->Aplicacion() != kAplicacion) Ajeno(ruta);
        // Every writer leaves a new seal: the same seal means the file is as this table left it.
        const bool soloCambios =
            t.archivoEscrito() == ruta && !t.reescribir() && enlace->Sello() == t.sello();
        Escritor e(enlace->conexion(), t);
        if (soloCambios) {
            e.SoloCambios(enlace->Insertar(e), enlace->Actualizar(e), enlace->Borrar());
            enlace->EscribirSello(sello);
        } else {
            e.Definiciones();
            e.Indices();
            e.TodasLasFilas();
            e.Propiedades(sello);
        }
        tr.Confirmar();
    } catch (const ErrorSqlite& e) {
        t.enlace.reset();
        throw Clasificar(ruta, e, true);
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
        ComprobarPropio(*c, ruta);
        auto t = std::make_shared<Tabla>();
        t->columnas = LeerColumnas(*c, ruta);
        ComprobarFilas(*c, ruta, t->columnas);
        t->indices = LeerIndices(*c);
        const QByteArray sello = LeerSello(*c);
        Sentencia s(*c, "SELECT " + ListaColumnas(t->columnas) + " FROM filas ORDER BY \"_orden\", \"_id\"");
        const int n = static_cast<int>(t->columnas.size());
        bool renumerada = false;
        while (s.Paso()) {
            auto f = std::make_shared<Fila>();
            f->id = s.LeerEntero(0);
            f->orden = s.LeerReal(1);
            f->v.reserve(n);
            for (int i = 0; i < n; ++i) f->v.push_back(s.LeerValor(i + 2, t->columnas[i].DataType));
            renumerada |= t->CargarFila(std::move(f));
        }
        t->MarcarCargada(ruta, sello);
        if (renumerada) t->PedirReescritura();
        return t;
    } catch (const ErrorSqlite& e) {
        throw Clasificar(ruta, e, false);
    }
}

void GuardarTabla(Tabla& t, const QString& rutaDada) {
    const QString ruta = RutaNormal(rutaDada);
    const QFileInfo info(ruta);
    if (!info.absoluteDir().exists())
        throw EArchivoTabla(ruta, QString("Cannot write '%1': the folder does not exist").arg(ruta));
    const QByteArray sello = NuevoSello();
    if (!info.exists() || info.size() == 0)
        EscribirNuevo(t, ruta, sello);
    else
        EscribirExistente(t, ruta, sello);
    t.MarcarGuardada(ruta, sello);
}

}  // namespace tablas
