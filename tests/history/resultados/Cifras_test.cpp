// The figures on practices given in memory: score, medians, lines, weeks, the CSV text.
#include <gtest/gtest.h>

#include <QDateTime>

#include "FechaHora.h"
#include "HistorialGrupo.h"
#include "ResultadosGrupo.h"
#include "TablasResultados.h"

namespace {

Practica Terminada(bool correcta, int intentos, std::optional<int> pasos) {
    Practica p;
    p.terminada = true;
    p.correcta = correcta;
    p.intentos = intentos;
    p.pasosErroneos = pasos;
    return p;
}

TEST(Puntuacion, CienALaPrimeraMenosIntentosYPasosSinBajarDeCero) {
    struct Caso {
        Practica practica;
        std::optional<int> puntos;
    };
    Practica enCurso = Terminada(true, 1, 0);
    enCurso.terminada = false;
    const Caso casos[] = {
        {enCurso, std::nullopt},
        {Terminada(false, 1, 0), 0},
        {Terminada(true, 1, 0), 100},
        {Terminada(true, 0, 0), 100},  // judged at the finish without pressing Reparar
        {Terminada(true, 3, 1), 100 - 2 * kPenalizacionIntento - kPenalizacionPaso},
        {Terminada(true, 2, std::nullopt), 100 - kPenalizacionIntento},
        {Terminada(true, 4, 20), 0},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(Puntuacion(c.practica), c.puntos)
            << c.practica.terminada << c.practica.correcta << c.practica.intentos;
}

TEST(Mediana, ValorCentralYPercentil90PorRango) {
    struct Caso {
        std::vector<double> valores;
        std::optional<double> mediana, p90;
    };
    const Caso casos[] = {
        {{}, std::nullopt, std::nullopt},          {{5}, 5, 5}, {{3, 1, 2}, 2, 3}, {{4, 1, 3, 2}, 2.5, 4},
        {{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 5.5, 9},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(Mediana(c.valores), c.mediana) << c.valores.size();
        EXPECT_EQ(Percentil90(c.valores), c.p90) << c.valores.size();
    }
}

TEST(Duracion, TextoDelHistorialEnSegundos) {
    EXPECT_EQ(SegundosDeDuracion("0d 00:12:34"), 754);
    EXPECT_EQ(SegundosDeDuracion("1d 02:00:05"), 26 * 3600 + 5);
    EXPECT_EQ(SegundosDeDuracion(""), std::nullopt);
    EXPECT_EQ(SegundosDeDuracion("12:34"), std::nullopt);
}

// Fault 1: element 200, placed in block 1 circuit 10 and block 2 circuit 20; element 100
// sits in circuit 10 too.
CatalogoEquipo Catalogo() {
    CatalogoEquipo c;
    c.averias[1] = {1, 4, "Fusible", 2, 20, 200};
    c.elementoEnBloque = {{1, 200}, {2, 200}, {1, 100}};
    c.elementoEnCircuito = {{10, 200}, {20, 200}, {10, 100}};
    return c;
}

TEST(ResumirLineas, IntentosYPasosQueNombranOtroSitio) {
    const std::vector<LineaPractica> lineas = {
        {"A"},
        {" ", 1},           // a block where the element is placed too: not wrong
        {" ", 1, 10, 100},  // another element
        {" ", 3},           // a block without the element
        {" ", 2, 21},       // a circuit without it
        {"R", 1, 10, 100},
        {"P"},
        {" ", 2, 20, 200},
        {"", 2, 20, 200},  // a refused tutored attempt
        {"R", 2, 20, 200},
        {"F"},
    };
    const CatalogoEquipo catalogo = Catalogo();
    Practica p;
    p.averia = 1;
    ResumirLineas(lineas, &catalogo, p);
    EXPECT_EQ(p.intentos, 3);
    EXPECT_EQ(p.pasosErroneos, 3);

    // Without the fault in the catalogue the wrong steps are not known.
    p.averia = 2;
    ResumirLineas(lineas, &catalogo, p);
    EXPECT_EQ(p.intentos, 3);
    EXPECT_EQ(p.pasosErroneos, std::nullopt);
    ResumirLineas(lineas, nullptr, p);
    EXPECT_EQ(p.pasosErroneos, std::nullopt);
}

double Dia(int anio, int mes, int dia, int hora = 9) {
    return DiasDesdeFechaHora(QDateTime(QDate(anio, mes, dia), QTime(hora, 0)));
}

TEST(Semanas, UnaFilaPorSemanaDeLunesADomingo) {
    HistorialGrupo h;
    h.alumnos = {{1, "Ana"}};
    const auto en = [](double inicio, bool correcta) {
        Practica p = Terminada(correcta, 1, 0);
        p.alumno = 1;
        p.codigo = static_cast<int>(inicio);
        p.inicio = inicio;
        return p;
    };
    // Sunday 13 October 2024 closes one week; Monday 14 opens the next.
    h.practicas = {en(Dia(2024, 10, 7), true), en(Dia(2024, 10, 13, 23), false),
                   en(Dia(2024, 10, 14, 0), true), en(Dia(2024, 10, 30), true)};
    const ResultadosGrupo r = CalcularResultados(h, {});
    ASSERT_EQ(r.semanas.size(), 3u);
    EXPECT_EQ(r.semanas[0].lunes, QDate(2024, 10, 7));
    EXPECT_EQ(r.semanas[0].cifras.practicas, 2);
    EXPECT_EQ(r.semanas[0].cifras.reparadas, 0.5);
    EXPECT_EQ(r.semanas[1].lunes, QDate(2024, 10, 14));
    EXPECT_EQ(r.semanas[1].cifras.practicas, 1);
    EXPECT_EQ(r.semanas[2].lunes, QDate(2024, 10, 28));
}

TEST(Csv, CabeceraYValoresConSeparadorEntreComillas) {
    TablaResultados t;
    t.columnas = {"Nombre", "Nota"};
    t.filas = {{{"Pérez; Ana", {}}, {"7,5", {}}}, {{"El \"Rayo\"", {}}, {"", {}}}};
    EXPECT_EQ(QString::fromUtf8(TextoCsv(t)), "Nombre;Nota\n\"Pérez; Ana\";7,5\n\"El \"\"Rayo\"\"\";\n");
}

}  // namespace
