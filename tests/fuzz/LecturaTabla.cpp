#include "LecturaTabla.h"

#include <QFile>

#include "ApoyoFuzz.h"
#include "ClientDataSet.h"

void LeerTablaFuzz(const QString& archivo) {
    TClientDataSet tabla;
    try {
        tabla.LoadFromFile(archivo);
    } catch (const EDatabaseError&) {
        return;
    }
    for (tabla.First(); !tabla.Eof(); tabla.Next())
        for (TField* campo : tabla.Fields()) campo->AsString();

    const QString copia = archivo + QStringLiteral(".copia");
    QFile::remove(copia);
    try {
        tabla.SaveToFile(copia);
    } catch (const EDatabaseError&) {
        // Refused with an error the user reads. (A file whose column names are damaged used
        // to load with the names as values, and the save then failed on the row ids.)
        return;
    }
    TClientDataSet releida;
    releida.LoadFromFile(copia);
    Exigir(releida.RecordCount() == tabla.RecordCount(), "a table saved reads back with every row");
    Exigir(releida.FieldCount() == tabla.FieldCount(), "a table saved reads back with every field");
}
