#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "DMT_AVProvocar.h"
#include "EstadoPractica.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "dmCDS.h"

namespace {

// Student 1 of group 1 (free mode) has repaired fault 101 on trainer 1 on his own, and
// fault 102 in tutorised mode.
class ProvocarTest : public ::testing::Test {
protected:
    ProvocarTest() {
        datos.CrearTablasVacias();
        datos.cdsGrupo->Append();
        datos.cdsGrpFCodGrupo->SetAsInteger(1);
        datos.cdsGrpFNombre->SetAsString("Grupo");
        datos.cdsGrpFTutorizada->SetAsBoolean(false);
        datos.cdsGrupo->Post();
        datos.cdsAlumno->Append();
        datos.cdsAFCodAlumno->SetAsInteger(1);
        datos.cdsAlumno->Post();
        for (auto [averia, tutorizada, subgrupo] :
             {std::tuple{101, false, -1}, {102, true, -1}, {103, false, 4}}) {
            datos.cdsReparacion->Append();
            datos.cdsRepFCodReparacion->SetAsInteger(averia);
            datos.cdsRepFPtrAlumno->SetAsInteger(1);
            datos.cdsRepFPtrGrupo->SetAsInteger(1);
            datos.cdsRepFPtrEquipo->SetAsInteger(1);
            datos.cdsRepFPtrIdAveria->SetAsInteger(averia);
            datos.cdsRepFTutorizada->SetAsBoolean(tutorizada);
            datos.cdsRepFPtrSubgrupo->SetAsInteger(subgrupo);
            datos.cdsReparacion->Post();
        }
        practica.CodEquipo = 1;
    }

    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
    IdiomaTemporal idioma{carpeta.escribir("idioma.lng", "121 Elija una avería\n")};
    MensajesGrabados mensajes;
    TdmCDS datos;
    TDatosPractica practica;
};

TEST_F(ProvocarTest, UnAlumnoNoVeLoQueYaReparoEnEsteModoNiEnSubgrupo) {
    TFDMT_AVProvocar dialogo("Reparar", practica);
    EXPECT_EQ(dialogo.FiltroSemillas(),
              "(cdsSemFPtrEquipo =1) and (cdsSemFPtrIdAveria <> 101) and cdsSemFTutorizada = False");
    EXPECT_FALSE(datos.cdsReparacion->Filtered());
}

TEST_F(ProvocarTest, ElProfesorYLaDisfuncionVenTodoElJuegoTutorizado) {
    practica.TipoUsuario = UsuarioProfesor;
    EXPECT_EQ(TFDMT_AVProvocar("Reparar", practica).FiltroSemillas(),
              "(cdsSemFPtrEquipo =1) and cdsSemFTutorizada = True");
    practica.TipoUsuario = UsuarioAlumno;
    EXPECT_EQ(TFDMT_AVProvocar("Disfuncion", practica).FiltroSemillas(),
              "(cdsSemFPtrEquipo =1) and cdsSemFTutorizada = True");
}

TEST_F(ProvocarTest, SinElegirNadaAvisa121) {
    TFDMT_AVProvocar dialogo("Reparar", practica);
    dialogo.show();
    dialogo.BitBtnProvocarClick();
    EXPECT_EQ(mensajes.textos(), QStringList{"Elija una avería"});
    EXPECT_TRUE(dialogo.isVisible());
    dialogo.reject();
    EXPECT_TRUE(datos.cdsSemilla->MasterSource() != nullptr);  // the master link is back
}

}  // namespace
