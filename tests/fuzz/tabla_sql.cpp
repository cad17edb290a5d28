// A well-formed SQLite file with any tables in it: the input is SQL run on a new file that
// already carries the table files' application id, so that the reader goes past its first
// check and meets odd definitions, missing tables, wrong types and strange rows.
#include <sqlite3.h>

#include <QFile>
#include <cstdint>

#include "ApoyoFuzz.h"
#include "LecturaTabla.h"

namespace {

constexpr int kAplicacionTablas = 0x41564453;  // the id every table file carries

// The SQL may build tables, rows and indices in this one file, and nothing else: no other
// file is attached or written.
int SoloEsteArchivo(void*, int accion, const char*, const char*, const char*, const char*) {
    return accion == SQLITE_ATTACH || accion == SQLITE_DETACH ? SQLITE_DENY : SQLITE_OK;
}

// Ends runaway statements (a recursive query without end) after a fixed amount of work.
int Demasiado(void* pasos) {
    return ++*static_cast<int*>(pasos) > 1000;
}

bool CrearArchivo(const QString& ruta, const QByteArray& sql) {
    QFile::remove(ruta);
    QFile::remove(ruta + QStringLiteral("-journal"));
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, 1 << 20);
    int pasos = 0;
    sqlite3_progress_handler(db, 1000, Demasiado, &pasos);
    sqlite3_exec(db, QByteArray("PRAGMA application_id=" + QByteArray::number(kAplicacionTablas)).constData(),
                 nullptr, nullptr, nullptr);
    sqlite3_set_authorizer(db, SoloEsteArchivo, nullptr);
    sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);  // what does not run is left out
    sqlite3_close(db);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    const QString ruta = ArchivoDeEntrada(nullptr, 0, QStringLiteral("tabla.cds"));
    if (CrearArchivo(ruta, QByteArray(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(tamano))))
        LeerTablaFuzz(ruta);
    return 0;
}
