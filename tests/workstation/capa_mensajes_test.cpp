#include <gtest/gtest.h>

#include "MensajesGrabados.h"

namespace {

TEST(CapaMensajesTest, ElGrabadorVeLosMensajesYResponde) {
    MensajesGrabados grabados;
    grabados.Responder(mrYes);
    EXPECT_EQ(MostrarMensaje("¿Borrar?", BotonesSiNo, 3), mrYes);
    EXPECT_EQ(MostrarMensaje("¿Otra vez?", BotonesSiNoCancelar, 3), mrCancel);
    MostrarEstado("Cargando");
    EXPECT_TRUE(grabados.estadoVisible());
    OcultarEstado();
    EXPECT_FALSE(grabados.estadoVisible());
    EXPECT_EQ(grabados.textos(), (QStringList{"¿Borrar?", "¿Otra vez?"}));
}

TEST(CapaMensajesTest, CerrarSinElegirEsCancelarNuncaCero) {
    EXPECT_EQ(ResultadoAlCancelar(BotonesAceptar), mrOk);
    EXPECT_EQ(ResultadoAlCancelar(BotonesAceptarCancelar), mrCancel);
    EXPECT_EQ(ResultadoAlCancelar(BotonesSiNo), mrNo);
    EXPECT_EQ(ResultadoAlCancelar(BotonesSiNoCancelar), mrCancel);
    EXPECT_EQ(ResultadoAlCancelar(BotonesOpciones), mrCancel);
}

}  // namespace
