// resultados: the results of a group as CSV, one table per run.
#include <QDate>

#include "ArgumentosGrupo.h"
#include "Ordenes.h"
#include "TablasResultados.h"

namespace {

struct PeticionResultados {
    ArgumentosGrupo grupo;
    FiltroResultados filtro;
    PorResultados por = PorResultados::Averia;
};

// The arguments as a request; the reason when they are not one.
std::optional<QString> LeerPeticion(const QStringList& argumentos, PeticionResultados& p) {
    if (const std::optional<QString> fallo = LeerArgumentosGrupo(argumentos, p.grupo)) return fallo;
    for (const auto& [a, valor] : p.grupo.opciones) {
        if (a == QLatin1String("--equipo")) {
            if (const std::optional<QString> fallo = LeerEquipo(valor, p.filtro.equipo)) return fallo;
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
    return ConHistorialGrupo(p.grupo, errores, [&](const HistorialGrupo& historial) {
        salida << QString::fromUtf8(TextoCsv(TablaDe(CalcularResultados(historial, p.filtro), p.por)));
    });
}
