#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QListView>

#include "CarpetaTemporal.h"
#include "ControlesDatos.h"
#include "DMT_AVReparacion.h"
#include "EstadoPractica.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "dmCDS.h"

namespace {

struct CasoNivel {
    const char* nivel;
    const char* filtro;
};

class FiltroSintomasTest : public ::testing::TestWithParam<CasoNivel> {};

TEST_P(FiltroSintomasTest, ElSegundoNivelMandaCuandoHayDos) {
    EXPECT_EQ(FiltroSintomas(GetParam().nivel), GetParam().filtro);
}

INSTANTIATE_TEST_SUITE_P(Niveles, FiltroSintomasTest,
                         ::testing::Values(CasoNivel{"J#", "cdsSinFNivel ='J'"},
                                           CasoNivel{"J#C#", "cdsSinFNivel ='C'"},
                                           CasoNivel{"C#", "cdsSinFNivel ='C'"}, CasoNivel{"", ""},
                                           CasoNivel{"X#", ""}));

TEST(TextoTiempoTest, HorasMinutosYSegundosAunqueSePasenLas24) {
    EXPECT_EQ(TextoTiempo(45000.0, 45000.0 + (12 * 60 + 34) / 86400.0), "00:12:34");
    EXPECT_EQ(TextoTiempo(45000.0, 45001.0 + 2 / 24.0), "26:00:00");
    EXPECT_EQ(TextoTiempo(45001.0, 45000.0), "00:00:00");
}

// A trainer's fault with a workshop chief's and a customer's symptom, in a module without files.
class PanelReparacionTest : public ::testing::Test {
protected:
    PanelReparacionTest() {
        datos.CrearTablasVacias();
        datos.cdsEquipo->Append();
        datos.cdsEFCodEquipo->SetAsInteger(1);
        datos.cdsEFDescripcion->SetAsString("Motor");
        datos.cdsEquipo->Post();
        datos.cdsAveria->Append();
        datos.cdsAvFIdAveria->SetAsInteger(101);
        datos.cdsAvFPtrEquipo->SetAsInteger(1);
        datos.cdsAveria->Post();
        for (auto [nivel, texto] :
             {std::pair{"J", "Sin tensión en el borne 30"}, {"C", "No arranca en frío"}}) {
            datos.cdsSintomas->Append();
            datos.cdsSinFPtrIdAveria->SetAsInteger(101);
            datos.cdsSinFNivel->SetAsString(nivel);
            datos.cdsSinFDescripcion->SetAsString(QString::fromUtf8(texto));
            datos.cdsSintomas->Post();
        }
        practica.IdAveria = 101;
        practica.CodEquipo = 1;
        practica.Estado = Reparando;
    }

    QStringList sintomasVisibles(const QString& nivel) {
        TFDMT_AVReparacion panel(practica);
        panel.Preparar(17, nivel, 45000.0);
        panel.show();
        QStringList textos;
        auto* lista = panel.findChild<QListView*>("DBLookupListBoxSintomas");
        for (int i = 0; i < lista->model()->rowCount(); ++i)
            textos.append(lista->model()->index(i, 0).data().toString());
        EXPECT_EQ(panel.findChild<QLabel*>("FadeLCodAveria")->text(), "17");
        return textos;
    }

    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
    IdiomaTemporal idioma{
        carpeta.escribir("idioma.lng", "106 a las\n192 REPARANDO\n19010 Acción\n19016 Datos\n")};
    MensajesGrabados mensajes;
    TdmCDS datos;
    TDatosPractica practica;
};

TEST_F(PanelReparacionTest, LosSintomasSonLosDelNivelDelGrupo) {
    EXPECT_EQ(sintomasVisibles("J#"), QStringList{"Sin tensión en el borne 30"});
    EXPECT_EQ(sintomasVisibles("J#C#"), QStringList{"No arranca en frío"});
    EXPECT_EQ(sintomasVisibles("").size(), 2);
}

TEST_F(PanelReparacionTest, LosTitulosSalenDelIdioma) {
    TFDMT_AVReparacion panel(practica);
    panel.show();
    auto* rejilla = panel.findChild<TDBGrid*>("DBGridReparacion");
    EXPECT_EQ(rejilla->model()->headerData(rejilla->Modelo()->ColumnaDe("cdsLRepFAccion"), Qt::Horizontal),
              "Acción");
    EXPECT_EQ(panel.findChild<QGroupBox*>("GroupBoxDatos")->title(), "Datos");
}

TEST_F(PanelReparacionTest, LasColumnasDeBloqueYCircuitoSiguenAlNivelDeReparacion) {
    for (auto [nivel, bloque, circuito] : {std::tuple{1, false, false}, {2, false, true}, {3, true, true}}) {
        carpeta.escribir("averias.ini",
                         QByteArray("[Opciones]\nNivelReparacion=") + QByteArray::number(nivel) + "\n");
        TFDMT_AVReparacion panel(practica);
        panel.show();
        auto* rejilla = panel.findChild<TDBGrid*>("DBGridReparacion");
        EXPECT_EQ(!rejilla->isColumnHidden(rejilla->Modelo()->ColumnaDe("CalcBloque")), bloque) << nivel;
        EXPECT_EQ(!rejilla->isColumnHidden(rejilla->Modelo()->ColumnaDe("CalcCircuito")), circuito) << nivel;
        EXPECT_FALSE(rejilla->isColumnHidden(rejilla->Modelo()->ColumnaDe("cdsLRepFAccion")));
    }
}

}  // namespace
