#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "FichaPersonalDatos.h"
#include "Idioma.h"
#include "dmCDS.h"

namespace {

// A data module without files, with one student.
class FichaPersonalDatosTest : public ::testing::Test {
protected:
    FichaPersonalDatosTest() {
        datos.CrearTablasVacias();
        datos.cdsAlumno->Append();
        datos.cdsAFCodAlumno->SetAsInteger(7);
        datos.cdsAFNombre->SetAsString("Ana");
        datos.cdsAFPassword->SetAsString("AL007");
        datos.cdsAlumno->Post();
        datos.cdsAlumno->Locate("cdsAFCodAlumno", 7);
    }

    CarpetaTemporal carpeta;
    IdiomaTemporal idioma{carpeta.escribir("idioma.lng", "1 x\n")};
    TdmCDS datos;
};

TEST_F(FichaPersonalDatosTest, LosNombresDelAlumnoSeGuardanYDeshacerLosDeja) {
    FichaPersonalDatos ficha(datos, 1);
    EXPECT_EQ(ficha.Nombre(), "Ana");
    EXPECT_EQ(ficha.Password(), "AL007");
    ficha.Editar();
    ficha.FijarNombres("Ana", "García", "");
    ASSERT_TRUE(ficha.Guardar());
    EXPECT_EQ(datos.cdsAFApellido1->AsString(), "García");
    ficha.Editar();
    ficha.FijarNombres("Otra", "García", "");
    ficha.Deshacer();
    EXPECT_EQ(datos.cdsAFNombre->AsString(), "Ana");
    EXPECT_EQ(datos.cdsAlumno->State(), dsBrowse);
}

}  // namespace
