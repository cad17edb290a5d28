#include "ResultadosGrupo.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace {

// The day of a stored date-time: its whole part counts the days since 30/12/1899 (local time).
QDate Dia(double dias) {
    static const QDate origen(1899, 12, 30);
    return origen.addDays(static_cast<qint64>(std::floor(dias)));
}

bool Entra(const Practica& p, const FiltroResultados& f) {
    if (f.equipo && p.equipo != *f.equipo) return false;
    if (f.tutorizada && p.tutorizada != *f.tutorizada) return false;
    const QDate dia = Dia(p.inicio);
    if (f.desde.isValid() && dia < f.desde) return false;
    if (f.hasta.isValid() && dia > f.hasta) return false;
    return true;
}

std::optional<double> Media(const std::vector<double>& valores) {
    if (valores.empty()) return std::nullopt;
    double suma = 0;
    for (double v : valores) suma += v;
    return suma / static_cast<double>(valores.size());
}

std::optional<double> Parte(int cuantas, int de) {
    if (de == 0) return std::nullopt;
    return static_cast<double>(cuantas) / de;
}

Cifras CalcularCifras(const std::vector<const Practica*>& practicas) {
    Cifras c;
    c.practicas = static_cast<int>(practicas.size());
    int terminadas = 0, primera = 0, reparadas = 0, dadas = 0;
    std::vector<double> segundos, intentos, pasos, puntos;
    for (const Practica* p : practicas) {
        if (!p->terminada) {
            ++c.sinTerminar;
            continue;
        }
        ++terminadas;
        if (p->correcta) ++reparadas;
        if (p->correcta && p->intentos <= 1) ++primera;
        if (p->respuesta) ++dadas;
        if (p->segundos) segundos.push_back(*p->segundos);
        intentos.push_back(p->intentos);
        if (p->pasosErroneos) pasos.push_back(*p->pasosErroneos);
        puntos.push_back(*Puntuacion(*p));
    }
    c.aLaPrimera = Parte(primera, terminadas);
    c.reparadas = Parte(reparadas, terminadas);
    c.dadasPorReparadas = Parte(dadas, terminadas);
    c.medianaSegundos = Mediana(segundos);
    c.p90Segundos = Percentil90(segundos);
    c.mediaIntentos = Media(intentos);
    c.mediaPasosErroneos = Media(pasos);
    c.puntuacion = Media(puntos);
    return c;
}

// Copies of one subgroup practice share the subgroup, the trainer, the fault, the mode
// and the start; an individual practice is its own.
using ClavePractica = std::tuple<int, int, int, int, bool, double>;
ClavePractica Clave(const Practica& p) {
    if (p.subgrupo >= 0) return {p.subgrupo, -1, p.equipo, p.averia, p.tutorizada, p.inicio};
    return {-1, p.alumno, p.codigo, 0, false, 0};
}

// The trainers and numbers of the seeded faults (in the filter's trainer and mode) that none of these
// practices is of.
std::vector<std::pair<int, int>> SinPracticar(const HistorialGrupo& h, const FiltroResultados& filtro,
                                              const std::vector<const Practica*>& practicas) {
    std::set<std::pair<int, int>> hechas;
    for (const Practica* p : practicas) hechas.insert({p->equipo, p->averia});
    std::set<std::pair<int, int>> vistas;
    std::vector<std::pair<int, int>> numeros;
    for (const SemillaGrupo& s : h.semillas) {
        if (filtro.equipo && s.equipo != *filtro.equipo) continue;
        if (filtro.tutorizada && s.tutorizada != *filtro.tutorizada) continue;
        if (hechas.count({s.equipo, s.averia}) || !vistas.insert({s.equipo, s.averia}).second) continue;
        numeros.push_back({s.equipo, FilaDeAveria(h, s.equipo, s.averia).numero});
    }
    std::sort(numeros.begin(), numeros.end());
    return numeros;
}

}  // namespace

std::vector<const Practica*> UnaVezCadaUna(const std::vector<const Practica*>& practicas) {
    std::set<ClavePractica> vistas;
    std::vector<const Practica*> unicas;
    for (const Practica* p : practicas)
        if (vistas.insert(Clave(*p)).second) unicas.push_back(p);
    return unicas;
}

FilaAveria FilaDeAveria(const HistorialGrupo& h, int equipo, int averia) {
    FilaAveria f;
    f.equipo = equipo;
    f.averia = averia;
    f.numero = averia;
    f.eliminada = true;
    const auto e = h.equipos.find(equipo);
    if (e != h.equipos.end()) {
        const auto a = e->second.averias.find(averia);
        if (a != e->second.averias.end()) {
            f.numero = a->second.numero;
            f.descripcion = a->second.descripcion;
            f.eliminada = false;
        }
    }
    return f;
}

std::optional<int> Puntuacion(const Practica& p) {
    if (!p.terminada) return std::nullopt;
    if (!p.correcta) return 0;
    const int intentosDeMas = std::max(0, p.intentos - 1);
    const int puntos =
        100 - kPenalizacionIntento * intentosDeMas - kPenalizacionPaso * p.pasosErroneos.value_or(0);
    return std::max(0, puntos);
}

std::optional<double> Mediana(std::vector<double> valores) {
    if (valores.empty()) return std::nullopt;
    std::sort(valores.begin(), valores.end());
    const std::size_t n = valores.size();
    return n % 2 ? valores[n / 2] : (valores[n / 2 - 1] + valores[n / 2]) / 2;
}

std::optional<double> Percentil90(std::vector<double> valores) {
    if (valores.empty()) return std::nullopt;
    std::sort(valores.begin(), valores.end());
    const auto rango = static_cast<std::size_t>(std::ceil(0.9 * static_cast<double>(valores.size())));
    return valores[std::max<std::size_t>(rango, 1) - 1];
}

ResultadosGrupo CalcularResultados(const HistorialGrupo& h, const FiltroResultados& filtro) {
    ResultadosGrupo r;
    r.grupo = h.nombre;
    std::vector<const Practica*> elegidas;
    for (const Practica& p : h.practicas)
        if (Entra(p, filtro)) elegidas.push_back(&p);
    const std::vector<const Practica*> unicas = UnaVezCadaUna(elegidas);
    r.practicas = static_cast<int>(unicas.size());
    r.total = CalcularCifras(unicas);

    std::map<std::pair<int, int>, std::vector<const Practica*>> porAveria;
    std::map<QDate, std::vector<const Practica*>> porSemana;
    std::map<int, std::vector<const Practica*>> porSubgrupo;
    for (const Practica* p : unicas) {
        porAveria[{p->equipo, p->averia}].push_back(p);
        const QDate dia = Dia(p->inicio);
        porSemana[dia.addDays(1 - dia.dayOfWeek())].push_back(p);
        if (p->subgrupo >= 0) porSubgrupo[p->subgrupo].push_back(p);
    }
    for (const auto& [clave, practicas] : porAveria) {
        FilaAveria f = FilaDeAveria(h, clave.first, clave.second);
        f.cifras = CalcularCifras(practicas);
        r.averias.push_back(f);
    }
    std::stable_sort(r.averias.begin(), r.averias.end(), [](const FilaAveria& a, const FilaAveria& b) {
        const double ra = a.cifras.reparadas.value_or(2), rb = b.cifras.reparadas.value_or(2);
        if (ra != rb) return ra < rb;
        return a.cifras.practicas > b.cifras.practicas;
    });
    for (const auto& [lunes, practicas] : porSemana) r.semanas.push_back({lunes, CalcularCifras(practicas)});

    // A student's figures take every practice in the history, subgroup ones included.
    std::map<int, std::vector<const Practica*>> porAlumno;
    for (const Practica* p : elegidas) porAlumno[p->alumno].push_back(p);
    for (const MiembroGrupo& m : h.alumnos) {
        const std::vector<const Practica*>& suyas = porAlumno[m.codigo];
        r.alumnos.push_back(
            {false, m.codigo, m.nombre, CalcularCifras(suyas), SinPracticar(h, filtro, suyas)});
    }
    std::vector<FilaAlumno> subgrupos;
    for (const SubgrupoGrupo& s : h.subgrupos) {
        const std::vector<const Practica*>& suyas = porSubgrupo[s.codigo];
        subgrupos.push_back(
            {true, s.codigo, s.nombre, CalcularCifras(suyas), SinPracticar(h, filtro, suyas)});
    }
    std::sort(subgrupos.begin(), subgrupos.end(), [](const FilaAlumno& a, const FilaAlumno& b) {
        return a.nombre.localeAwareCompare(b.nombre) < 0;
    });
    r.alumnos.insert(r.alumnos.end(), subgrupos.begin(), subgrupos.end());
    return r;
}
