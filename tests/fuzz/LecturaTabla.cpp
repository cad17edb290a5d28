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
    // A table that loaded must save: a file whose stored columns do not match its fields is
    // refused when it is opened, so nothing that loads can fail here.
    tabla.SaveToFile(copia);
    TClientDataSet releida;
    releida.LoadFromFile(copia);
    Exigir(releida.RecordCount() == tabla.RecordCount(), "a table saved reads back with every row");
    Exigir(releida.FieldCount() == tabla.FieldCount(), "a table saved reads back with every field");
}
