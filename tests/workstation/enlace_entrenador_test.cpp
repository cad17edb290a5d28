#include <gtest/gtest.h>

#include "ClientDataSet.h"
#include "EnlaceDatosEntrenador.h"
#include "EnlaceEntrenador.h"
#include "EstadoPractica.h"

namespace {

TEST(EnlaceDatosEntrenadorTest, LosRelesSalenDeLaTablaDeAveriasYElCodigoVaALaPractica) {
    TClientDataSet averias("cdsAveria");
    averias.AddField("cdsAvFIdAveria", ftInteger);
    averias.AddField("cdsAvFReles", ftString, 20);
    averias.CreateDataSet();
    for (auto [id, reles] : {std::pair{101, "3,17"}, {102, ""}}) {
        averias.Append();
        averias.FieldByName("cdsAvFIdAveria")->SetAsInteger(id);
        averias.FieldByName("cdsAvFReles")->SetAsString(reles);
        averias.Post();
    }
    averias.First();
    TDatosPractica practica;
    EnlaceEntrenadorTemporal guarda({});
    EnlazarEntrenador(nullptr, &averias, &practica);
    const EnlaceEntrenador& enlace = EnlaceEntrenadorActual();
    EXPECT_EQ(enlace.relesDeAveria(101), std::optional<QString>("3,17"));
    EXPECT_EQ(enlace.relesDeAveria(102), std::optional<QString>(""));
    EXPECT_EQ(enlace.relesDeAveria(999), std::nullopt);
    EXPECT_EQ(averias.RecNo(), 1);  // looking up does not move the fault table
    enlace.fijarCodigoEquipo(2);
    EXPECT_EQ(practica.CodEquipo, 2);
    averias.Close();
    EXPECT_EQ(enlace.relesDeAveria(101), std::nullopt);
}

}  // namespace
