// The results of the report tests' small history (HistoriaPrueba.h tells what it holds),
// read back from its files.
#include <gtest/gtest.h>

#include "HistoriaPrueba.h"
#include "HistorialGrupo.h"
#include "ResultadosGrupo.h"
#include "RutasDatos.h"
#include "TablasResultados.h"

namespace {

class ResultadosPrueba : public HistoriaPrueba {
protected:
    ResultadosGrupo Resultados(const FiltroResultados& filtro = {}) {
        return CalcularResultados(LeerHistorialGrupo(1), filtro);
    }
    static const FilaAveria* Averia(const ResultadosGrupo& r, int equipo, int averia) {
        for (const FilaAveria& f : r.averias)
            if (f.equipo == equipo && f.averia == averia) return &f;
        return nullptr;
    }
    static const FilaAlumno* Alumno(const ResultadosGrupo& r, bool subgrupo, int codigo) {
        for (const FilaAlumno& f : r.alumnos)
            if (f.subgrupo == subgrupo && f.codigo == codigo) return &f;
        return nullptr;
    }
};

TEST_F(ResultadosPrueba, PorAveriaLaPracticaDelSubgrupoCuentaUnaVez) {
    const ResultadosGrupo r = Resultados();
    EXPECT_EQ(r.grupo, "1A");
    // A, B, C (in two histories), D and E.
    EXPECT_EQ(r.practicas, 5);
    const FilaAveria* f = Averia(r, 1, 30);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->numero, 4);
    EXPECT_FALSE(f->eliminada);
    const Cifras& c = f->cifras;
    EXPECT_EQ(c.practicas, 3);  // A, C, D
    EXPECT_EQ(c.sinTerminar, 0);
    EXPECT_EQ(c.aLaPrimera, 0.0);  // A and D took two attempts, C failed
    EXPECT_DOUBLE_EQ(*c.reparadas, 2.0 / 3);
    EXPECT_DOUBLE_EQ(*c.dadasPorReparadas, 2.0 / 3);
    // 20 minutes (A, its pause left out), 10 (C), 5 (D).
    EXPECT_EQ(c.medianaSegundos, 600);
    EXPECT_EQ(c.p90Segundos, 1200);
    EXPECT_DOUBLE_EQ(*c.mediaIntentos, 5.0 / 3);
    EXPECT_EQ(c.mediaPasosErroneos, 0.0);
    EXPECT_DOUBLE_EQ(*c.puntuacion, (80 + 0 + 80) / 3.0);
}

TEST_F(ResultadosPrueba, UnaPracticaEnPausaNoEstaTerminadaNiFallada) {
    const FilaAveria* f = Averia(Resultados(), 1, 31);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->cifras.practicas, 1);
    EXPECT_EQ(f->cifras.sinTerminar, 1);
    EXPECT_EQ(f->cifras.reparadas, std::nullopt);
    EXPECT_EQ(f->cifras.puntuacion, std::nullopt);
}

TEST_F(ResultadosPrueba, UnaAveriaFueraDelCatalogoSeMuestraPorSuNumeroEliminada) {
    // E was practised on trainer 2, whose catalogue the installation does not have.
    ResultadosGrupo r = Resultados();
    const FilaAveria* e = Averia(r, 2, 30);
    ASSERT_TRUE(e);
    EXPECT_TRUE(e->eliminada);
    EXPECT_EQ(TextoAveria(*e), "30 (eliminada)");
    EXPECT_EQ(e->cifras.aLaPrimera, 1.0);
    EXPECT_EQ(e->cifras.mediaPasosErroneos, std::nullopt);

    // Fault 31 taken out of trainer 1's catalogue.
    TClientDataSet averias("cdsAveria");
    const QString archivo = RutasDatos::Archivo(RutasDatos::CarpetaEquipo(1), "cdsAveria");
    averias.LoadFromFile(archivo);
    ASSERT_TRUE(averias.Locate("cdsAvFIdAveria", 31));
    averias.Delete();
    averias.MergeChangeLog();
    averias.SaveToFile(archivo);
    r = Resultados();
    const FilaAveria* b = Averia(r, 1, 31);
    ASSERT_TRUE(b);
    EXPECT_EQ(TextoAveria(*b), "31 (eliminada)");
    EXPECT_EQ(TextoAveria(*Averia(r, 1, 30)), "4");
}

TEST_F(ResultadosPrueba, PorAlumnoYSubgrupoConLasAveriasSinPracticar) {
    const ResultadosGrupo r = Resultados({1, std::nullopt, {}, {}});
    struct Caso {
        bool subgrupo;
        int codigo;
        int practicas;
        std::vector<std::pair<int, int>> sinPracticar;
    };
    const Caso casos[] = {
        {false, 7, 3, {}},        // A, B, C (E is on trainer 2)
        {false, 8, 2, {{1, 5}}},  // C and D
        {false, 9, 0, {{1, 4}, {1, 5}}},
        {true, 3, 1, {{1, 5}}},  // C
        {true, 4, 0, {{1, 4}, {1, 5}}},
    };
    for (const Caso& c : casos) {
        const FilaAlumno* f = Alumno(r, c.subgrupo, c.codigo);
        ASSERT_TRUE(f) << c.codigo;
        EXPECT_EQ(f->cifras.practicas, c.practicas) << c.codigo;
        EXPECT_EQ(f->sinPracticar, c.sinPracticar) << c.codigo;
    }
    EXPECT_EQ(Alumno(r, false, 9)->nombre, "Álvarez Ávila, Eva");
    EXPECT_EQ(Alumno(r, true, 3)->nombre, "Equipo #1");
}

TEST_F(ResultadosPrueba, FiltroPorFechasYModo) {
    struct Caso {
        FiltroResultados filtro;
        int practicas;
    };
    const Caso casos[] = {
        {{std::nullopt, std::nullopt, QDate(2023, 3, 17), QDate(2023, 3, 18)}, 2},  // C and D
        {{std::nullopt, std::nullopt, QDate(2023, 3, 18), {}}, 2},                  // D and E
        {{std::nullopt, std::nullopt, {}, QDate(2023, 3, 15)}, 1},                  // A
        {{std::nullopt, true, {}, {}}, 2},                                          // D and E
        {{1, false, {}, {}}, 3},                                                    // A, B, C
        {{std::nullopt, std::nullopt, QDate(2024, 1, 1), {}}, 0},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(Resultados(c.filtro).practicas, c.practicas) << c.filtro.desde.toString().toStdString();
}

TEST_F(ResultadosPrueba, UnHistorialIlegibleSeAvisaYLosDemasCuentan) {
    carpeta_.escribir("Historic/cdsReparacion008.cds", "no es una tabla");
    const HistorialGrupo h = LeerHistorialGrupo(1);
    ASSERT_FALSE(h.avisos.isEmpty());
    EXPECT_TRUE(h.avisos.join('\n').contains("Núñez Peña, José")) << h.avisos.join('\n').toStdString();
    EXPECT_EQ(CalcularResultados(h, {}).practicas, 4);  // A, B, C and E from 7's history
}

TEST_F(ResultadosPrueba, UnGrupoQueNoExisteEsUnError) {
    EXPECT_THROW(LeerHistorialGrupo(77), EDatabaseError);
}

}  // namespace
