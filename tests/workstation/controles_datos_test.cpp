#include <gtest/gtest.h>

#include "ClientDataSet.h"
#include "ControlesDatos.h"

namespace {

// Three groups in memory, with a calculated field and a counter of scroll events.
class ControlesDatosTest : public ::testing::Test {
protected:
    ControlesDatosTest() {
        grupos.AddField("Cod", ftInteger);
        nombre = grupos.AddField("Nombre", ftString, 20);
        nombre->DisplayLabel = "Nombre del grupo";
        grupos.AddField("Mayusculas", ftString, 20, fkCalculated);
        grupos.OnCalcFields = [](TClientDataSet* ds) {
            ds->FieldByName("Mayusculas")->SetAsString(ds->FieldByName("Nombre")->AsString().toUpper());
        };
        grupos.AfterScroll = [this](TClientDataSet*) { ++desplazamientos; };
        grupos.CreateDataSet();
        for (auto [cod, n] : {std::pair{1, "primero"}, {2, "segundo"}, {3, "tercero"}}) {
            grupos.Append();
            grupos.FieldByName("Cod")->SetAsInteger(cod);
            nombre->SetAsString(n);
            grupos.Post();
        }
        grupos.First();
        desplazamientos = 0;
    }

    TClientDataSet grupos{"cdsGrupo"};
    TDataSource dsGrupo{&grupos};
    TField* nombre = nullptr;
    int desplazamientos = 0;
};

TEST_F(ControlesDatosTest, LaRejillaMuestraEtiquetasYCalculadosSinMoverElCursor) {
    ModeloDatos modelo(&dsGrupo);
    ASSERT_EQ(modelo.columnCount(), 3);
    EXPECT_EQ(modelo.headerData(1, Qt::Horizontal).toString(), "Nombre del grupo");
    ASSERT_EQ(modelo.rowCount(), 3);
    EXPECT_EQ(modelo.data(modelo.index(2, 2)).toString(), "TERCERO");
    EXPECT_EQ(modelo.data(modelo.index(1, 1)).toString(), "segundo");
    EXPECT_EQ(grupos.RecNo(), 1);
    EXPECT_EQ(desplazamientos, 0);
}

TEST_F(ControlesDatosTest, LaRejillaSigueAlFiltroYAlCursor) {
    TDBGrid rejilla;
    rejilla.SetDataSource(&dsGrupo, {"Nombre"});
    EXPECT_EQ(rejilla.Modelo()->columnCount(), 1);
    grupos.SetFilter("Cod <> 2");
    grupos.SetFiltered(true);
    EXPECT_EQ(rejilla.Modelo()->rowCount(), 2);
    grupos.Last();
    EXPECT_EQ(rejilla.currentIndex().row(), 1);
    rejilla.selectRow(0);
    EXPECT_EQ(grupos.RecNo(), 1);
    EXPECT_EQ(nombre->AsString(), "primero");
}

TEST_F(ControlesDatosTest, LaListaSinCampoDeDatosMueveSuTablaAlElegir) {
    TDBLookupComboBox lista;
    lista.SetListSource(&dsGrupo, "Cod", "Nombre");
    ASSERT_EQ(lista.count(), 3);
    EXPECT_EQ(lista.currentIndex(), -1);
    lista.setCurrentIndex(2);
    emit lista.activated(2);
    EXPECT_EQ(grupos.FieldByName("Cod")->AsInteger(), 3);
    EXPECT_EQ(lista.KeyValue().toInt(), 3);
}

TEST_F(ControlesDatosTest, LaListaDeDosCamposMuestraAmbos) {
    TDBLookupComboBox lista;
    lista.SetListSource(&dsGrupo, "Cod", "Nombre;Mayusculas");
    ASSERT_EQ(lista.count(), 3);
    EXPECT_EQ(lista.itemText(1), "segundo - SEGUNDO");
    EXPECT_EQ(lista.itemData(1).toInt(), 2);
}

TEST_F(ControlesDatosTest, LaListaConCampoDeDatosEscribeLaClave) {
    TClientDataSet alumno("cdsAlumno");
    alumno.AddField("Grupo", ftInteger);
    alumno.CreateDataSet();
    alumno.Append();
    alumno.Post();
    TDataSource dsAlumno(&alumno);
    TDBLookupComboBox lista;
    lista.SetListSource(&dsGrupo, "Cod", "Nombre");
    lista.SetDataSource(&dsAlumno, "Grupo");
    lista.setCurrentIndex(1);
    emit lista.activated(1);
    EXPECT_EQ(alumno.State(), dsEdit);
    EXPECT_EQ(alumno.FieldByName("Grupo")->AsInteger(), 2);
    EXPECT_EQ(grupos.RecNo(), 1);  // the list's own cursor stays where it was
    alumno.Cancel();
    EXPECT_EQ(lista.currentIndex(), -1);
}

TEST_F(ControlesDatosTest, ElCampoDeTextoSigueLaFilaYEditaAlTeclear) {
    TDBEdit edicion;
    edicion.SetDataSource(&dsGrupo, "Nombre");
    EXPECT_EQ(edicion.text(), "primero");
    EXPECT_EQ(edicion.maxLength(), 20);
    grupos.Next();
    EXPECT_EQ(edicion.text(), "segundo");
    edicion.setText("");
    edicion.insert("nuevo");  // as typed: textEdited fires
    EXPECT_EQ(grupos.State(), dsEdit);
    EXPECT_EQ(nombre->AsString(), "nuevo");
    grupos.Post();
    TDBText etiqueta;
    etiqueta.SetDataSource(&dsGrupo, "Mayusculas");
    EXPECT_EQ(etiqueta.text(), "NUEVO");
}

TEST_F(ControlesDatosTest, UnaTablaDeSoloLecturaNoSeEditaDesdeElCampo) {
    grupos.SetReadOnly(true);
    TDBEdit edicion;
    edicion.SetDataSource(&dsGrupo, "Nombre");
    edicion.insert("x");
    EXPECT_EQ(grupos.State(), dsBrowse);
    EXPECT_EQ(edicion.text(), "primero");
}

}  // namespace
