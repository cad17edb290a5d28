#include "TextosCampos.h"

#include <gtest/gtest.h>

#include <functional>

#include "IdiomaPrueba.h"

namespace {

struct CasoTexto {
    const char* nombre;
    std::function<QString(const QVariant&)> funcion;
    QVariant valor;
    QString esperado;
};

class TextoDeCampo : public ::testing::TestWithParam<CasoTexto> {
protected:
    IdiomaPrueba idioma_{TextosDelModulo()};
};

TEST_P(TextoDeCampo, DaElTextoDeSuNumero) {
    EXPECT_EQ(GetParam().funcion(GetParam().valor), GetParam().esperado);
}

const QVariant kNulo;

INSTANTIATE_TEST_SUITE_P(
    Campos, TextoDeCampo,
    ::testing::Values(CasoTexto{"AccionA", TextosCampos::Accion, "A", "T189"},
                      CasoTexto{"AccionR", TextosCampos::Accion, "R", "T195"},
                      CasoTexto{"AccionP", TextosCampos::Accion, "P", "T184"},
                      CasoTexto{"AccionF", TextosCampos::Accion, "F", "T155"},
                      CasoTexto{"AccionVacia", TextosCampos::Accion, "", "T163"},
                      CasoTexto{"AccionNula", TextosCampos::Accion, kNulo, "T163"},
                      CasoTexto{"AccionX", TextosCampos::Accion, "X", ""},
                      CasoTexto{"AccionEspacio", TextosCampos::Accion, " ", ""},
                      CasoTexto{"NivelJefe", TextosCampos::NivelSintoma, "J", "T165"},
                      CasoTexto{"NivelCliente", TextosCampos::NivelSintoma, "C", "T113"},
                      CasoTexto{"EstadoNulo", TextosCampos::EstadoReparacion, kNulo, ""},
                      CasoTexto{"EstadoFinalizada", TextosCampos::EstadoReparacion, "F", "T5"},
                      CasoTexto{"EstadoEnCurso", TextosCampos::EstadoReparacion, "R", "T6"},
                      CasoTexto{"EstadoPausada", TextosCampos::EstadoReparacion, "P", "T6"},
                      CasoTexto{"NSintomasNulo", TextosCampos::NSintomas, kNulo, ""},
                      CasoTexto{"NSintomasCliente", TextosCampos::NSintomas, "J#C#", "T113"},
                      CasoTexto{"NSintomasJefe", TextosCampos::NSintomas, "J#", "T165"},
                      CasoTexto{"NSintomasOtro", TextosCampos::NSintomas, "", "T165"},
                      CasoTexto{"NReparacionNulo", TextosCampos::NReparacion, kNulo, ""},
                      CasoTexto{"NReparacionElemento", TextosCampos::NReparacion, "BL#CI#CO#", "T140"},
                      CasoTexto{"NReparacionCircuito", TextosCampos::NReparacion, "BL#CI#", "T112"},
                      CasoTexto{"NReparacionBloque", TextosCampos::NReparacion, "BL#", "T111"},
                      CasoTexto{"NReparacionOtro", TextosCampos::NReparacion, "??", "T111"},
                      CasoTexto{"TutorizadaNula", TextosCampos::Tutorizada, kNulo, ""},
                      CasoTexto{"TutorizadaSi", TextosCampos::Tutorizada, true, "T5"},
                      CasoTexto{"TutorizadaNo", TextosCampos::Tutorizada, false, "T6"},
                      CasoTexto{"DisfuncionNula", TextosCampos::Disfuncion, kNulo, ""},
                      CasoTexto{"DisfuncionSi", TextosCampos::Disfuncion, true, "T156"},
                      CasoTexto{"DisfuncionNo", TextosCampos::Disfuncion, false, "T174"}),
    [](const auto& caso) { return std::string(caso.param.nombre); });

TEST(NombresDeAlumno, ListaDeAlumnos) {
    EXPECT_EQ(TextosCampos::NombreAlumno("Garcia", "Lopez", "Ana"), "Garcia Lopez Ana");
}

TEST(NombresDeAlumno, ListaDeMiembros) {
    EXPECT_EQ(TextosCampos::NombreCompleto("Garcia", "Lopez", "Ana"), "Garcia Lopez, Ana");
}

TEST(NombresDeAlumno, MiembroDeSubgrupoLlevaElEspacioAntesDeLaComa) {
    EXPECT_EQ(TextosCampos::NombreMiembroSubgrupo("Garcia", "Lopez", "Ana"), "Garcia Lopez ,Ana");
}

TEST(NombresDeAlumno, MiembroDeSubgrupoSinPrimerApellido) {
    EXPECT_EQ(TextosCampos::NombreMiembroSubgrupo("", "Lopez", "Ana"), "Lopez ,Ana");
}

}  // namespace
