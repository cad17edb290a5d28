// The table engine's filter and aggregate expressions (typed by teachers in report layouts
// and stored in files): any text is applied or refused with EDatabaseError, never a crash.
#include <cstdint>

#include "ApoyoFuzz.h"
#include "ClientDataSet.h"

namespace {

// A table with a column of every type, a full row, a row of Nulls and a row of edge values.
void Preparar(TClientDataSet& tabla) {
    tabla.FieldDefs.Add(QStringLiteral("Codigo"), ftInteger);
    tabla.FieldDefs.Add(QStringLiteral("Nombre"), ftString, 20);
    tabla.FieldDefs.Add(QStringLiteral("Activo"), ftBoolean);
    tabla.FieldDefs.Add(QStringLiteral("Fecha"), ftDateTime);
    tabla.FieldDefs.Add(QStringLiteral("Nota"), ftFloat);
    tabla.FieldDefs.Add(QStringLiteral("Texto"), ftMemo);
    tabla.CreateDataSet();
    const QVariant filas[][6] = {
        {1, QStringLiteral("Lucía"), true, 45000.5, 7.25, QStringLiteral("línea\nsegunda")},
        {QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()},
        {-2147483647 - 1, QString(), false, -1.0, 1e308, QStringLiteral("'\"%_*")},
    };
    for (const auto& fila : filas) {
        tabla.Append();
        for (int i = 0; i < 6; ++i) tabla.Fields()[i]->SetValue(fila[i]);
        tabla.Post();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    const QString texto =
        QString::fromUtf8(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(tamano));
    TClientDataSet tabla;
    Preparar(tabla);
    try {
        tabla.SetFilter(texto);
        tabla.SetFiltered(true);
        for (tabla.First(); !tabla.Eof(); tabla.Next())
            tabla.FieldByName(QStringLiteral("Nombre"))->AsString();
        tabla.SetFiltered(false);
    } catch (const EDatabaseError&) {
    }
    try {
        TAggregate* agregado = tabla.AddAggregate(QStringLiteral("Agregado"), texto);
        tabla.SetAggregatesActive(true);
        agregado->Value();
    } catch (const EDatabaseError&) {
    }
    return 0;
}
