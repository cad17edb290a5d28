#include "HojaHistorial.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "FechaHora.h"
#include "ResultadosGrupo.h"

namespace {

// Who a row is of, and where that owner's rows go.
struct Dueno {
    int orden = 0;
    QString nombre;
};

struct FilaPractica {
    const Dueno* dueno;
    const Practica* practica;
};

// Students by name first, then subgroups by name; a subgroup that is gone keeps its code.
class Duenos {
public:
    explicit Duenos(const HistorialGrupo& h) {
        for (const MiembroGrupo& m : h.alumnos) alumnos_[m.codigo] = {siguiente_++, m.nombre};
        std::vector<const SubgrupoGrupo*> subgrupos;
        for (const SubgrupoGrupo& s : h.subgrupos) subgrupos.push_back(&s);
        std::stable_sort(subgrupos.begin(), subgrupos.end(), [](const auto* a, const auto* b) {
            return a->nombre.localeAwareCompare(b->nombre) < 0;
        });
        for (const SubgrupoGrupo* s : subgrupos) subgrupos_[s->codigo] = {siguiente_++, s->nombre};
    }

    const Dueno* De(const Practica& p) {
        if (p.subgrupo < 0) return &alumnos_[p.alumno];
        auto it = subgrupos_.find(p.subgrupo);
        if (it == subgrupos_.end())
            it = subgrupos_
                     .emplace(p.subgrupo, Dueno{siguiente_++, QStringLiteral("Subgrupo %1").arg(p.subgrupo)})
                     .first;
        return &it->second;
    }

private:
    std::map<int, Dueno> alumnos_, subgrupos_;
    int siguiente_ = 0;
};

// The number the group sees each fault under, by trainer, fault and mode; the first seed
// wins, as when the browser looks one up.
class CodigosVirtuales {
public:
    explicit CodigosVirtuales(const std::vector<SemillaGrupo>& semillas) {
        for (const SemillaGrupo& s : semillas)
            if (s.codigoVirtual)
                codigos_.emplace(std::tuple{s.equipo, s.averia, s.tutorizada}, *s.codigoVirtual);
    }
    std::optional<int> De(const Practica& p) const {
        const auto it = codigos_.find({p.equipo, p.averia, p.tutorizada});
        if (it == codigos_.end()) return std::nullopt;
        return it->second;
    }

private:
    std::map<std::tuple<int, int, bool>, int> codigos_;
};

CeldaResultado Texto(const QString& texto) {
    return {texto, texto};
}

CeldaResultado Entero(const std::optional<int>& n) {
    if (!n) return {};
    return {QString::number(*n), *n};
}

CeldaResultado Momento(const std::optional<double>& dias) {
    if (!dias) return {};
    // To the nearest second: stored times carry the rounding of a fraction of a day.
    const QDateTime momento = FechaHoraDesdeDias(std::round(*dias * 86400) / 86400);
    return {momento.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), momento};
}

CeldaResultado Minutos(const std::optional<int>& segundos) {
    if (!segundos) return {};
    static const QLocale espanol(QLocale::Spanish, QLocale::Spain);
    const double minutos = *segundos / 60.0;
    return {espanol.toString(minutos, 'f', 2), minutos};
}

QString SiNo(bool si) {
    return si ? QStringLiteral("Sí") : QStringLiteral("No");
}

// The verdict, with the student's own answer when it says otherwise.
QString Veredicto(const Practica& p) {
    if (!p.terminada) return QStringLiteral("Sin finalizar");
    if (p.correcta)
        return p.respuesta ? QStringLiteral("Reparada")
                           : QStringLiteral("Reparada (finalizada como no reparada)");
    return p.respuesta ? QStringLiteral("No reparada (finalizada como reparada)")
                       : QStringLiteral("No reparada");
}

std::vector<FilaPractica> Filas(const HistorialGrupo& h, std::optional<int> equipo, Duenos& duenos) {
    std::vector<const Practica*> elegidas;
    for (const Practica& p : h.practicas)
        if (!equipo || p.equipo == *equipo) elegidas.push_back(&p);
    std::vector<FilaPractica> filas;
    for (const Practica* p : UnaVezCadaUna(elegidas)) filas.push_back({duenos.De(*p), p});
    std::stable_sort(filas.begin(), filas.end(), [](const FilaPractica& a, const FilaPractica& b) {
        if (a.dueno->orden != b.dueno->orden) return a.dueno->orden < b.dueno->orden;
        return a.practica->inicio < b.practica->inicio;
    });
    return filas;
}

}  // namespace

const QStringList& ColumnasHojaHistorial() {
    static const QStringList columnas = {
        QStringLiteral("Grupo"),          QStringLiteral("Entrenador"),  QStringLiteral("Alumno o subgrupo"),
        QStringLiteral("Código virtual"), QStringLiteral("Número real"), QStringLiteral("Descripción"),
        QStringLiteral("Inicio"),         QStringLiteral("Fin"),         QStringLiteral("Duración (min)"),
        QStringLiteral("Modo"),           QStringLiteral("Intentos"),    QStringLiteral("Pasos erróneos"),
        QStringLiteral("Terminada"),      QStringLiteral("Veredicto"),
    };
    return columnas;
}

TablaResultados TablaHistorial(const HistorialGrupo& h, std::optional<int> equipo) {
    TablaResultados t;
    t.columnas = ColumnasHojaHistorial();
    Duenos duenos(h);
    const CodigosVirtuales virtuales(h.semillas);
    for (const auto& [dueno, p] : Filas(h, equipo, duenos)) {
        const FilaAveria averia = FilaDeAveria(h, p->equipo, p->averia);
        const auto entrenador = h.equipos.find(p->equipo);
        t.filas.push_back({
            Texto(h.nombre),
            Texto(entrenador != h.equipos.end() ? entrenador->second.nombre : QString::number(p->equipo)),
            Texto(dueno->nombre),
            Entero(virtuales.De(*p)),
            {TextoAveria(averia), averia.numero},
            Texto(averia.descripcion),
            Momento(p->inicio),
            Momento(p->fin),
            Minutos(p->segundos),
            Texto(p->tutorizada ? QStringLiteral("Tutorizada") : QStringLiteral("Libre")),
            Entero(p->intentos),
            Entero(p->pasosErroneos),
            Texto(SiNo(p->terminada)),
            Texto(Veredicto(*p)),
        });
    }
    return t;
}

QByteArray HojaCalculo(const TablaResultados& tabla) {
    return QByteArrayLiteral("\xEF\xBB\xBF") + TextoCsv(tabla, QByteArrayLiteral("\r\n"));
}
