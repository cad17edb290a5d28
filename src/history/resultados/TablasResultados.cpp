#include "TablasResultados.h"

#include <QLocale>
#include <map>

namespace {

const QLocale& Espanol() {
    static const QLocale locale(QLocale::Spanish, QLocale::Spain);
    return locale;
}

CeldaResultado Texto(const QString& texto) {
    return {texto, texto};
}

CeldaResultado Entero(int n) {
    return {QString::number(n), n};
}

CeldaResultado Porcentaje(const std::optional<double>& parte) {
    if (!parte) return {};
    return {Espanol().toString(*parte * 100, 'f', 1), *parte * 100};
}

CeldaResultado Decimal(const std::optional<double>& valor, int decimales) {
    if (!valor) return {};
    return {Espanol().toString(*valor, 'f', decimales), *valor};
}

CeldaResultado Tiempo(const std::optional<double>& segundos) {
    if (!segundos) return {};
    const auto s = static_cast<long long>(*segundos + 0.5);
    return {QStringLiteral("%1:%2:%3")
                .arg(s / 3600, 2, 10, QLatin1Char('0'))
                .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                .arg(s % 60, 2, 10, QLatin1Char('0')),
            *segundos};
}

const QStringList kColumnasCifras = {
    QStringLiteral("Prácticas"),
    QStringLiteral("Sin terminar"),
    QStringLiteral("% a la primera"),
    QStringLiteral("% reparadas"),
    QStringLiteral("% dadas por reparadas"),
    QStringLiteral("Mediana tiempo"),
    QStringLiteral("P90 tiempo"),
    QStringLiteral("Intentos (media)"),
    QStringLiteral("Pasos erróneos (media)"),
    QStringLiteral("Puntuación (media)"),
};

void AnadirCifras(std::vector<CeldaResultado>& fila, const Cifras& c) {
    fila.push_back(Entero(c.practicas));
    fila.push_back(Entero(c.sinTerminar));
    fila.push_back(Porcentaje(c.aLaPrimera));
    fila.push_back(Porcentaje(c.reparadas));
    fila.push_back(Porcentaje(c.dadasPorReparadas));
    fila.push_back(Tiempo(c.medianaSegundos));
    fila.push_back(Tiempo(c.p90Segundos));
    fila.push_back(Decimal(c.mediaIntentos, 2));
    fila.push_back(Decimal(c.mediaPasosErroneos, 2));
    fila.push_back(Decimal(c.puntuacion, 1));
}

// "3 7 12"; with faults of several trainers, each trainer's list after its code:
// "Equipo 1: 3 7 / Equipo 2: 5".
QString ListaAverias(const std::vector<std::pair<int, int>>& averias) {
    std::map<int, QStringList> porEquipo;
    for (const auto& [equipo, numero] : averias) porEquipo[equipo] << QString::number(numero);
    if (porEquipo.size() == 1) return porEquipo.begin()->second.join(QLatin1Char(' '));
    QStringList partes;
    for (const auto& [equipo, numeros] : porEquipo)
        partes << QStringLiteral("Equipo %1: %2").arg(equipo).arg(numeros.join(QLatin1Char(' ')));
    return partes.join(QStringLiteral(" / "));
}

QByteArray ValorCsv(const QString& valor) {
    QByteArray texto = valor.toUtf8();
    if (!texto.contains(';') && !texto.contains('"') && !texto.contains('\n') && !texto.contains('\r'))
        return texto;
    texto.replace("\"", "\"\"");
    return '"' + texto + '"';
}

QByteArray LineaCsv(const QStringList& valores, const QByteArray& finLinea) {
    QByteArrayList partes;
    for (const QString& v : valores) partes << ValorCsv(v);
    return partes.join(';') + finLinea;
}

}  // namespace

QString TextoAveria(const FilaAveria& fila) {
    return fila.eliminada ? QStringLiteral("%1 (eliminada)").arg(fila.numero) : QString::number(fila.numero);
}

TablaResultados TablaDe(const ResultadosGrupo& r, PorResultados por) {
    TablaResultados t;
    switch (por) {
        case PorResultados::Averia:
            t.columnas = QStringList{QStringLiteral("Equipo"), QStringLiteral("Avería"),
                                     QStringLiteral("Descripción")} +
                         kColumnasCifras;
            for (const FilaAveria& f : r.averias) {
                std::vector<CeldaResultado> fila{
                    Entero(f.equipo), {TextoAveria(f), f.numero}, Texto(f.descripcion)};
                AnadirCifras(fila, f.cifras);
                t.filas.push_back(std::move(fila));
            }
            break;
        case PorResultados::Alumno:
            t.columnas =
                QStringList{QStringLiteral("Tipo"), QStringLiteral("Código"), QStringLiteral("Nombre")} +
                kColumnasCifras +
                QStringList{QStringLiteral("Sin practicar"), QStringLiteral("Averías sin practicar")};
            for (const FilaAlumno& f : r.alumnos) {
                std::vector<CeldaResultado> fila{
                    Texto(f.subgrupo ? QStringLiteral("Subgrupo") : QStringLiteral("Alumno")),
                    Entero(f.codigo), Texto(f.nombre)};
                AnadirCifras(fila, f.cifras);
                fila.push_back(Entero(static_cast<int>(f.sinPracticar.size())));
                fila.push_back(Texto(ListaAverias(f.sinPracticar)));
                t.filas.push_back(std::move(fila));
            }
            break;
        case PorResultados::Semana:
            t.columnas = QStringList{QStringLiteral("Semana")} + kColumnasCifras;
            for (const FilaSemana& f : r.semanas) {
                std::vector<CeldaResultado> fila{{f.lunes.toString(Qt::ISODate), f.lunes}};
                AnadirCifras(fila, f.cifras);
                t.filas.push_back(std::move(fila));
            }
            break;
    }
    return t;
}

QByteArray TextoCsv(const TablaResultados& tabla, const QByteArray& finLinea) {
    QByteArray texto = LineaCsv(tabla.columnas, finLinea);
    for (const auto& fila : tabla.filas) {
        QStringList valores;
        for (const CeldaResultado& c : fila) valores << c.texto;
        texto += LineaCsv(valores, finLinea);
    }
    return texto;
}
