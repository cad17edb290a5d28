// resultados: the results of a group as CSV, one table per run.
#include <QDate>
#include <QFileInfo>

#include "ClientDataSet.h"
#include "HistorialGrupo.h"
#include "Instalacion.h"
#include "Ordenes.h"
#include "TablasResultados.h"

namespace {

struct PeticionResultados {
    QString instalacion;
    int grupo = 0;
    FiltroResultados filtro;
    PorResultados por = PorResultados::Averia;
};

// The arguments as a request; the reason when they are not one.
std::optional<QString> LeerPeticion(const QStringList& argumentos, PeticionResultados& p) {
    QStringList posicionales;
    for (int i = 0; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (!a.startsWith(QLatin1String("--"))) {
            posicionales << a;
            continue;
        }
        if (i + 1 >= argumentos.size()) return QStringLiteral("falta el valor de %1").arg(a);
        const QString valor = argumentos[++i];
        bool numero = false;
        if (a == QLatin1String("--equipo")) {
            p.filtro.equipo = valor.toInt(&numero);
            if (!numero) return QStringLiteral("el equipo \"%1\" no es un número").arg(valor);
        } else if (a == QLatin1String("--desde") || a == QLatin1String("--hasta")) {
            const QDate dia = QDate::fromString(valor, Qt::ISODate);
            if (!dia.isValid()) return QStringLiteral("la fecha \"%1\" no es AAAA-MM-DD").arg(valor);
            (a == QLatin1String("--desde") ? p.filtro.desde : p.filtro.hasta) = dia;
        } else if (a == QLatin1String("--modo")) {
            if (valor != QLatin1String("libre") && valor != QLatin1String("tutorizada"))
                return QStringLiteral("el modo \"%1\" no es libre ni tutorizada").arg(valor);
            p.filtro.tutorizada = valor == QLatin1String("tutorizada");
        } else if (a == QLatin1String("--por")) {
            if (valor == QLatin1String("averia"))
                p.por = PorResultados::Averia;
            else if (valor == QLatin1String("alumno"))
                p.por = PorResultados::Alumno;
            else if (valor == QLatin1String("semana"))
                p.por = PorResultados::Semana;
            else
                return QStringLiteral("--por admite averia, alumno o semana, no \"%1\"").arg(valor);
        } else {
            return QStringLiteral("opción desconocida %1").arg(a);
        }
    }
    if (posicionales.size() != 2) return QStringLiteral("se esperan INSTALACION y GRUPO");
    p.instalacion = posicionales[0];
    bool numero = false;
    p.grupo = posicionales[1].toInt(&numero);
    if (!numero) return QStringLiteral("el grupo \"%1\" no es un número").arg(posicionales[1]);
    if (p.filtro.desde.isValid() && p.filtro.hasta.isValid() && p.filtro.hasta < p.filtro.desde)
        return QStringLiteral("--hasta es anterior a --desde");
    return std::nullopt;
}

}  // namespace

int OrdenResultados(const QStringList& argumentos, QTextStream& salida, QTextStream& errores) {
    PeticionResultados p;
    if (const std::optional<QString> fallo = LeerPeticion(argumentos, p)) {
        errores << "averias-datos resultados: " << *fallo << "\nUso: averias-datos resultados "
                << kUsoResultados << '\n';
        return kSalidaUso;
    }
    if (!QFileInfo(p.instalacion).isDir()) {
        errores << "averias-datos: no existe la carpeta " << p.instalacion << '\n';
        return kSalidaArchivo;
    }
    const InstalacionTemporal instalacion(p.instalacion);
    try {
        const HistorialGrupo historial = LeerHistorialGrupo(p.grupo);
        for (const QString& aviso : historial.avisos) errores << "averias-datos: " << aviso << '\n';
        const TablaResultados tabla = TablaDe(CalcularResultados(historial, p.filtro), p.por);
        salida << QString::fromUtf8(TextoCsv(tabla));
    } catch (const EDatabaseError& e) {
        errores << "averias-datos: " << e.Message() << '\n';
        return kSalidaArchivo;
    }
    return kSalidaBien;
}
