#include "Valores.h"

#include "FechaHora.h"

namespace tablas {

bool EsTexto(TFieldType tipo) {
    return tipo == ftString || tipo == ftMemo || tipo == ftFmtMemo;
}

namespace {

bool BooleanoDesdeTexto(const QString& texto, bool& valido) {
    const QString t = texto.trimmed().toLower();
    valido = true;
    if (t == "true" || t == "-1" || t == "1" || t == "si" || t == "sí" || t == "yes") return true;
    if (t == "false" || t == "0" || t == "no") return false;
    valido = false;
    return false;
}

QVariant ConvertirNoNulo(const QVariant& valor, TFieldType tipo, bool& valido) {
    valido = true;
    const int origen = valor.typeId();
    switch (tipo) {
        case ftInteger: {
            if (origen == QMetaType::Double || origen == QMetaType::Float) {
                const double d = valor.toDouble();
                if (d < -2147483648.0 || d > 2147483647.0) break;
                return QVariant(static_cast<int>(d));
            }
            if (origen == QMetaType::Bool) return QVariant(valor.toBool() ? -1 : 0);
            bool ok = false;
            const qlonglong n = origen == QMetaType::QString ? valor.toString().trimmed().toLongLong(&ok)
                                                             : valor.toLongLong(&ok);
            if (!ok || n < INT32_MIN || n > INT32_MAX) break;
            return QVariant(static_cast<int>(n));
        }
        case ftBoolean: {
            if (origen == QMetaType::QString) {
                const bool b = BooleanoDesdeTexto(valor.toString(), valido);
                return valido ? QVariant(b) : QVariant();
            }
            bool ok = false;
            const qlonglong n = valor.toLongLong(&ok);
            if (origen == QMetaType::Bool) return QVariant(valor.toBool());
            if (!ok) break;
            return QVariant(n != 0);
        }
        case ftDateTime:
            if (origen == QMetaType::QDateTime) return QVariant(DiasDesdeFechaHora(valor.toDateTime()));
            if (origen == QMetaType::QDate) return QVariant(DiasDesdeFechaHora(valor.toDate().startOfDay()));
            [[fallthrough]];
        case ftFloat: {
            bool ok = false;
            const double d =
                origen == QMetaType::QString ? valor.toString().trimmed().toDouble(&ok) : valor.toDouble(&ok);
            if (!ok) break;
            return QVariant(d);
        }
        case ftString:
        case ftMemo:
        case ftFmtMemo: {
            if (origen == QMetaType::Bool) return QVariant(QString(valor.toBool() ? "True" : "False"));
            const QString s = valor.toString();
            if (s.isEmpty()) return QVariant();
            return QVariant(s);
        }
        case ftUnknown:
            return valor;
    }
    valido = false;
    return QVariant();
}

}  // namespace

QVariant ConvertirSinError(const QVariant& valor, TFieldType tipo, bool& valido) {
    valido = true;
    if (!valor.isValid() || valor.isNull()) return QVariant();
    return ConvertirNoNulo(valor, tipo, valido);
}

QVariant Convertir(const QVariant& valor, TFieldType tipo, int ancho, const QString& campo) {
    bool valido = true;
    QVariant v = ConvertirSinError(valor, tipo, valido);
    if (!valido)
        throw EDatabaseError(
            QString("'%1' is not a valid value for field '%2'").arg(valor.toString(), campo));
    if (tipo == ftString && ancho > 0 && v.isValid()) {
        const QString s = v.toString();
        if (s.size() > ancho) v = QVariant(s.left(ancho));
    }
    return v;
}

int Comparar(const QVariant& a, const QVariant& b, TFieldType tipo, bool sinMayusculas) {
    const bool na = !a.isValid(), nb = !b.isValid();
    if (na || nb) return na == nb ? 0 : (na ? -1 : 1);
    switch (tipo) {
        case ftInteger: {
            const int x = a.toInt(), y = b.toInt();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        case ftBoolean: {
            // False sorts before true.
            const int x = a.toBool() ? 1 : 0, y = b.toBool() ? 1 : 0;
            return x - y;
        }
        case ftDateTime:
        case ftFloat: {
            const double x = a.toDouble(), y = b.toDouble();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        default: {
            const int c = QString::compare(a.toString(), b.toString(),
                                           sinMayusculas ? Qt::CaseInsensitive : Qt::CaseSensitive);
            return c < 0 ? -1 : (c > 0 ? 1 : 0);
        }
    }
}

QString NombreTipo(TFieldType tipo) {
    switch (tipo) {
        case ftInteger:
            return "integer";
        case ftString:
            return "string";
        case ftBoolean:
            return "boolean";
        case ftDateTime:
            return "datetime";
        case ftFloat:
            return "float";
        case ftMemo:
            return "memo";
        case ftFmtMemo:
            return "fmtmemo";
        case ftUnknown:
            break;
    }
    return "unknown";
}

TFieldType TipoDesdeNombre(const QString& nombre) {
    for (TFieldType t : {ftInteger, ftString, ftBoolean, ftDateTime, ftFloat, ftMemo, ftFmtMemo})
        if (NombreTipo(t) == nombre) return t;
    return ftUnknown;
}

QString TextoFechaHora(double dias) {
    const QDateTime f = FechaHoraDesdeDias(dias);
    if (f.time() == QTime(0, 0)) return f.toString("dd/MM/yyyy");
    return f.toString("dd/MM/yyyy hh:mm:ss");
}

}  // namespace tablas
