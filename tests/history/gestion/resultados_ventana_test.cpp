#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>

#include "DMT_Resultados.h"
#include "DMT_VentanaGrupos.h"
#include "GestionHistoria.h"
#include "PaginaResultados.h"

namespace {

// The results button of class management and its page.
class ResultadosVentana : public GestionHistoria {
protected:
    TFDMT_PaginaResultados* pagina() const {
        return dynamic_cast<TFDMT_PaginaResultados*>(ventana->PaginaActual);
    }
    // The demo group's node selected and its results shown.
    TFDMT_PaginaResultados* resultadosDemo() {
        abrir();
        ventana->TreeViewGrupos()->setCurrentItem(nodoGrupo(kGrupoDemo));
        pulsar("BitBtnResultados");
        return pagina();
    }
    // Clicks the row of the student or subgroup table for a code.
    void pulsarFila(int codigo, bool subgrupo) {
        const ResultadosGrupo& r = pagina()->Resultados()->Resultados();
        auto* tabla = pagina()->findChild<QTableView*>("TablaResultados2");
        for (int fila = 0; fila < tabla->model()->rowCount(); ++fila) {
            const auto& alumno = r.alumnos.at(tabla->model()->index(fila, 0).data(Qt::UserRole + 2).toInt());
            if (alumno.codigo != codigo || alumno.subgrupo != subgrupo) continue;
            emit tabla->clicked(tabla->model()->index(fila, 1));
            return;
        }
        ADD_FAILURE() << "no row for " << codigo;
    }
};

TEST_F(ResultadosVentana, ElBotonMuestraLasCifrasDelGrupoYDejaElArbolComoEstaba) {
    TFDMT_PaginaResultados* p = resultadosDemo();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(seleccionado(), nodoGrupo(kGrupoDemo));
    EXPECT_EQ(ventana->TreeViewGrupos()->topLevelItem(0)->childCount(), 3) << "folders as they were";
    EXPECT_FALSE(p->Resultados()->Vacia());
    const ResultadosGrupo esperados =
        CalcularResultados(LeerHistorialGrupo(datos->cdsGrpFCodGrupo->AsInteger()), FiltroResultados{});
    EXPECT_GT(esperados.practicas, 0);
    EXPECT_EQ(p->Resultados()->Resultados().practicas, esperados.practicas);
    EXPECT_EQ(p->Resultados()->Resultados().alumnos.size(), esperados.alumnos.size());
    EXPECT_FALSE(ventana->PaginaGrupo || ventana->PaginaAcceso || ventana->PaginaAlumno ||
                 ventana->PaginaSubgrupo);
    EXPECT_EQ(ventana->findChild<QPushButton*>("BitBtnResultados")->text(), Texto(71032));

    // A click on the selected node brings its page back.
    emit ventana->TreeViewGrupos()->itemClicked(seleccionado(), 0);
    EXPECT_EQ(ventana->PaginaActual, static_cast<TPaginaGestion*>(ventana->PaginaGrupos()));
}

TEST_F(ResultadosVentana, UnGrupoSinPracticasLoDiceEnUnaFrase) {
    abrir();
    ASSERT_GE(crearGrupo("Grupo sin prácticas"), 0);
    pulsar("BitBtnResultados");
    ASSERT_NE(pagina(), nullptr);
    EXPECT_TRUE(pagina()->Resultados()->Vacia());
    EXPECT_EQ(pagina()->findChild<QLabel*>("LabelVacia")->text(), Texto(71009).arg("Grupo sin prácticas"));
    // The demo group then shows its own figures again.
    ventana->TreeViewGrupos()->setCurrentItem(nodoGrupo(kGrupoDemo));
    pulsar("BitBtnResultados");
    EXPECT_FALSE(pagina()->Resultados()->Vacia());
}

TEST_F(ResultadosVentana, LosCambiosSinGuardarSePreguntanAlDejarLaPagina) {
    abrir();
    ventana->TreeViewGrupos()->setCurrentItem(nodoGrupo(kGrupoDemo));
    escribir("DBEditDescripcion", "Sin guardar");
    mensajes.Responder(mrNo);
    pulsar("BitBtnResultados");
    EXPECT_EQ(mensajes.textos(), QStringList{Texto(150)});
    ASSERT_NE(pagina(), nullptr);
    EXPECT_FALSE(datos->Modificado);
    EXPECT_NE(datos->cdsGrpFDescripcion->AsString(), "Sin guardar");
}

TEST_F(ResultadosVentana, SinPaginaDeResultadosElBotonNoHaceNada) {
    TFDMT_GestAlumnado::CrearPaginaResultados = nullptr;
    abrir();
    EXPECT_FALSE(ventana->findChild<QPushButton*>("BitBtnResultados")->isEnabled());
    EXPECT_FALSE(ventana->VerResultados());
}

TEST_F(ResultadosVentana, UnaFilaDeAlumnoOSubgrupoAbreSuHistorico) {
    std::vector<QString> abiertos;
    TFDMT_GestAlumnado::VerHistorico = [&](TFDMT_GestAlumnado* v, const QString& tipo) {
        EXPECT_EQ(v, ventana.get());
        abiertos.push_back(tipo + " " + datos->cdsReparacion->FileName().section('/', -1) + " " +
                           datos->cdsReparacion->Filter());
    };
    resultadosDemo();
    const ResultadosGrupo& r = pagina()->Resultados()->Resultados();
    const auto alumno =
        std::find_if(r.alumnos.begin(), r.alumnos.end(), [](const auto& a) { return !a.subgrupo; });
    const auto subgrupo =
        std::find_if(r.alumnos.begin(), r.alumnos.end(), [](const auto& a) { return a.subgrupo; });
    ASSERT_NE(alumno, r.alumnos.end());
    ASSERT_NE(subgrupo, r.alumnos.end());
    const int grupo = datos->cdsGrpFCodGrupo->AsInteger();

    pulsarFila(alumno->codigo, false);
    ASSERT_EQ(abiertos.size(), 1u);
    EXPECT_EQ(datos->cdsGrpAlFPtrAlumno->AsInteger(), alumno->codigo);
    EXPECT_EQ(abiertos.back(),
              QString("Alumno cdsReparacion%1.cds cdsRepFPtrGrupo = %2 and cdsRepFPtrSubgrupo = -1")
                  .arg(alumno->codigo, 3, 10, QChar('0'))
                  .arg(grupo));

    const int codigo = subgrupo->codigo;
    pulsarFila(codigo, true);
    ASSERT_EQ(abiertos.size(), 2u);
    EXPECT_EQ(datos->cdsSubFCodSubgrupo->AsInteger(), codigo);
    EXPECT_EQ(abiertos.back(), QString("Subgrupo cdsReparacion%1.cds cdsRepFPtrSubgrupo = %2")
                                   .arg(datos->cdsSubFPtrAlumno->AsInteger(), 3, 10, QChar('0'))
                                   .arg(codigo));
    EXPECT_TRUE(mensajes.textos().isEmpty());
}

TEST_F(ResultadosVentana, UnaFilaDeAveriaMuestraSuInformeParaTodosLosAlumnos) {
    resultadosDemo();
    const ResultadosGrupo& r = pagina()->Resultados()->Resultados();
    ASSERT_FALSE(r.averias.empty());
    auto* tabla = pagina()->findChild<QTableView*>("TablaResultados1");
    const auto& averia = r.averias.at(tabla->model()->index(0, 0).data(Qt::UserRole + 2).toInt());
    emit tabla->clicked(tabla->model()->index(0, 1));
    ASSERT_EQ(previas.size(), 1u);
    EXPECT_TRUE(previas[0].contains(QString("Avería %1").arg(averia.averia))) << previas[0].toStdString();
    EXPECT_TRUE(previas[0].contains("Prácticas de los alumnos")) << previas[0].toStdString();
    EXPECT_TRUE(mensajes.textos().isEmpty()) << mensajes.textos().join('|').toStdString();
}

TEST_F(ResultadosVentana, UnAlumnoSinHistoricoLoDiceYNoAbreNada) {
    bool abierto = false;
    TFDMT_GestAlumnado::VerHistorico = [&](TFDMT_GestAlumnado*, const QString&) { abierto = true; };
    abrir();
    ventana->TreeViewGrupos()->setCurrentItem(nodoGrupo(kGrupoDemo));
    EXPECT_FALSE(PrepararHistoricoResultados(*datos, -5, false));
    EXPECT_FALSE(PrepararHistoricoResultados(*datos, -5, true));
    EXPECT_FALSE(abierto);
}

}  // namespace
