#include "Volcado.h"

#include <QStringList>

#include "FechaHora.h"
#include "Valores.h"

namespace {

QString Celda(const QString& texto) {
    if (!texto.contains(',') && !texto.contains('"') && !texto.contains('\n') && !texto.contains('\r'))
        return texto;
    return '"' + QString(texto).replace('"', "\"\"") + '"';
}

QString Valor(const TField* campo) {
    if (campo->IsNull()) return {};
    if (campo->DataType() == ftDateTime) return FechaHoraDesdeDias(campo->AsDateTime()).toString(Qt::ISODate);
    return campo->AsString();
}

QString Opciones(TIndexOptions opciones) {
    QStringList nombres;
    if (opciones & ixPrimary) nombres << "primary";
    if (opciones & ixUnique) nombres << "unique";
    if (opciones & ixDescending) nombres << "descending";
    if (opciones & ixCaseInsensitive) nombres << "caseinsensitive";
    return nombres.join(',');
}

}  // namespace

void VolcarCsv(TClientDataSet& tabla, QTextStream& salida) {
    QStringList cabecera;
    for (const TField* f : tabla.Fields()) cabecera << Celda(f->FieldName());
    salida << cabecera.join(',') << '\n';
    tabla.First();
    while (!tabla.Eof()) {
        QStringList fila;
        for (const TField* f : tabla.Fields()) fila << Celda(Valor(f));
        salida << fila.join(',') << '\n';
        tabla.Next();
    }
}

void DescribirDefiniciones(const TClientDataSet& tabla, QTextStream& salida) {
    salida << "Fields:\n";
    for (const TFieldDef& d : tabla.FieldDefs) {
        QString tipo = tablas::NombreTipo(d.DataType);
        if (d.DataType == ftString) tipo += QString("(%1)").arg(d.Size);
        salida << "  " << d.Name << ' ' << tipo;
        if (d.Required) salida << " required";
        if (d.InternalCalcField) salida << " internalcalc";
        salida << '\n';
    }
    salida << "Indexes:\n";
    for (const TIndexDef& i : tabla.IndexDefs) {
        salida << "  " << i.Name << " on " << i.Fields;
        const QString opciones = Opciones(i.Options);
        if (!opciones.isEmpty()) salida << ' ' << opciones;
        salida << '\n';
    }
}
