#include <gtest/gtest.h>

#include "DespachoInformes.h"

namespace {

using DespachoInformes::Caja;

struct Diseno {
    QString nombre;
    std::optional<TipoInforme> tipo;
};

const Diseno kDisenos[] = {
    {"Informe1AL", TipoInforme::TodasAlumno},
    {"Informe1ALPROFE.frf", TipoInforme::TodasAlumno},
    {"Informes\\Informe1SUBPROFE.frf", TipoInforme::TodasSubgrupo},
    {"informe2alprofe", TipoInforme::SimpleAlumno},
    {"Informe2SUB", TipoInforme::SimpleSubgrupo},
    {"Informe3AL", TipoInforme::CompletoAlumno},
    {"Informe3SUB", TipoInforme::CompletoSubgrupo},
    {"Informe4AL", TipoInforme::GrupoAlumnos},
    {"/srv/averias/Informes/Informe4SUB.frf", TipoInforme::GrupoSubgrupos},
    {"Informe5AL", TipoInforme::AveriaAlumnos},
    {"Informe5SUB", TipoInforme::AveriaSubgrupos},
    {"Informe9.FRF", TipoInforme::Accesibilidad},
    {"Informe10", TipoInforme::Contrasenas},
    {"Informe3ALPROFE", std::nullopt},
    {"Informe6AL", std::nullopt},
    {"Informe1", std::nullopt},
    {"Informe4ALX", std::nullopt},
    {"", std::nullopt},
};

class TipoDeDiseno : public ::testing::TestWithParam<Diseno> {};

TEST_P(TipoDeDiseno, SigueAlNombre) {
    EXPECT_EQ(DespachoInformes::TipoDeDiseno(GetParam().nombre), GetParam().tipo)
        << GetParam().nombre.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Despacho, TipoDeDiseno, ::testing::ValuesIn(kDisenos));

struct Eleccion {
    Caja caja;
    int eleccion;
    std::optional<TipoInforme> tipo;
};

const Eleccion kElecciones[] = {
    {Caja::Alumno, 1, TipoInforme::TodasAlumno},
    {Caja::Alumno, 2, TipoInforme::SimpleAlumno},
    {Caja::Alumno, 3, TipoInforme::CompletoAlumno},
    {Caja::Alumno, 4, TipoInforme::GrupoAlumnos},
    {Caja::Alumno, 5, TipoInforme::AveriaAlumnos},
    {Caja::Subgrupo, 1, TipoInforme::TodasSubgrupo},
    {Caja::Subgrupo, 2, TipoInforme::SimpleSubgrupo},
    {Caja::Subgrupo, 3, TipoInforme::CompletoSubgrupo},
    {Caja::Subgrupo, 4, TipoInforme::GrupoSubgrupos},
    {Caja::Subgrupo, 5, TipoInforme::AveriaSubgrupos},
    {Caja::PuestoAlumno, 1, TipoInforme::TodasAlumno},
    {Caja::PuestoAlumno, 2, TipoInforme::SimpleAlumno},
    {Caja::PuestoSubgrupo, 1, TipoInforme::TodasSubgrupo},
    {Caja::PuestoSubgrupo, 2, TipoInforme::SimpleSubgrupo},
    // No choice selected in the box (the window counts 5 then), or none the box has.
    {Caja::Alumno, 6, std::nullopt},
    {Caja::Subgrupo, 0, std::nullopt},
    {Caja::PuestoAlumno, 3, std::nullopt},
};

class TipoDeEleccion : public ::testing::TestWithParam<Eleccion> {};

TEST_P(TipoDeEleccion, ComoLaTablaDelComienzoDelDocumento) {
    EXPECT_EQ(DespachoInformes::TipoDeEleccion(GetParam().caja, GetParam().eleccion), GetParam().tipo);
}

INSTANTIATE_TEST_SUITE_P(Despacho, TipoDeEleccion, ::testing::ValuesIn(kElecciones));

TEST(VariablesDeTipo, NombresEnMayusculasYOrdenados) {
    const VariablesInforme todas = DespachoInformes::VariablesDeTipo(TipoInforme::TodasSubgrupo, {});
    EXPECT_EQ(todas.Nombres(),
              (QStringList{"ALUMNOS", "CVIRTUAL", "DURACION", "FFIN", "FINALIZADA", "FINICIO", "HFIN",
                           "HINICIO", "IDAVERIA", "REPARADA", "TUTORIZADA"}));
    EXPECT_EQ(todas.ValorDeVariable("cvirtual", {"4", "123"}), "123");
    // A column the line does not have reads empty; a name the kind does not know, "#".
    EXPECT_EQ(todas.ValorDeVariable("Reparada", {"4", "123"}), "");
    EXPECT_EQ(todas.ValorDeVariable("PAGINA", {"4", "123"}), "#");
}

}  // namespace
