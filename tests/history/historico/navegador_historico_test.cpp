// The teacher's history browser in class management, on the demo installation's history.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <set>

#include "Cadenas.h"
#include "ControlesDatos.h"
#include "DMT_UtilHistorico.h"
#include "DMT_VentanaAlumnos.h"
#include "DMT_VentanaGrupos.h"
#include "DMT_VentanaHistorico.h"
#include "DMT_VentanaSubgrupos.h"
#include "FechaHora.h"
#include "GestionDemo.h"
#include "RutasDatos.h"
#include "VistaHistorico.h"

namespace {

constexpr int kGrupo = 1;
constexpr int kSubgrupo = 1;
// Trainer 2's practices the test adds to student 2's history.
constexpr int kPracticasEquipo2 = 3;

class NavegadorHistorico : public GestionDemo {
protected:
    void SetUp() override {
        GestionDemo::SetUp();
        if (HasFatalFailure()) return;
        TFDMT_GestAlumnado::VerHistorico = MostrarVentanaHistorico;
        TVistaHistorico::ElegirArchivo = [this](bool) { return archivoElegido; };
        abrir();
    }
    void TearDown() override {
        TVistaHistorico::ElegirArchivo = nullptr;
        TFDMT_VentanaHistorico::ExportarHojaCalculo = nullptr;
        GestionDemo::TearDown();
    }

    // As the student page does before it shows the browser.
    TFDMT_VentanaHistorico* verAlumno(int alumno) {
        EXPECT_TRUE(datos->cdsGrupoAlumno->Locate("cdsGrpAlFPtrAlumno", alumno));
        EXPECT_TRUE(datos->PrepararHistoricoAlumno());
        TFDMT_GestAlumnado::VerHistorico(ventana.get(), "Alumno");
        return navegador();
    }
    // As the subgroup page does.
    TFDMT_VentanaHistorico* verSubgrupo() {
        EXPECT_TRUE(datos->cdsSubgrupo->Locate("cdsSubFCodSubgrupo", kSubgrupo));
        EXPECT_TRUE(datos->PrepararHistoricoSubgrupo());
        TFDMT_GestAlumnado::VerHistorico(ventana.get(), "Subgrupo");
        return navegador();
    }
    TFDMT_VentanaHistorico* navegador() const {
        return qobject_cast<TFDMT_VentanaHistorico*>(ventana->PaginaActual);
    }
    template <typename T>
    T* control(const char* nombre) const {
        T* c = navegador()->findChild<T*>(nombre);
        EXPECT_NE(c, nullptr) << nombre;
        return c;
    }
    TDBGrid* grid() const { return control<TDBGrid>("DBGridHistorico"); }
    QString etiqueta(const char* nombre) const { return control<QLabel>(nombre)->text(); }
    void elegirEquipo(int equipo) const {
        auto* caja = control<TDBLookupComboBox>("DBLookupComboBoxEquipo");
        const int indice = caja->findData(equipo);
        ASSERT_GE(indice, 0) << equipo;
        caja->setCurrentIndex(indice);
        emit caja->activated(indice);
    }

    // The practices in a history file that pass a test, as another program reads them.
    std::vector<int> practicasEnArchivo(int alumno, const std::function<bool(TClientDataSet&)>& pasa) const {
        auto t = leer(RutasDatos::ArchivoReparacion(FormatoCodigo(alumno)));
        std::vector<int> codigos;
        for (t->First(); !t->Eof(); t->Next())
            if (pasa(*t)) codigos.push_back(t->FieldByName("cdsRepFCodReparacion")->AsInteger());
        return codigos;
    }
    static bool propia(TClientDataSet& t, int equipo) {
        return t.FieldByName("cdsRepFPtrGrupo")->AsInteger() == kGrupo &&
               t.FieldByName("cdsRepFPtrSubgrupo")->AsInteger() == -1 &&
               t.FieldByName("cdsRepFPtrEquipo")->AsInteger() == equipo;
    }
    std::vector<int> lineasDe(int alumno, int practica) const {
        auto t = leer(RutasDatos::ArchivoLineaReparacion(FormatoCodigo(alumno)));
        std::vector<int> codigos;
        for (t->First(); !t->Eof(); t->Next())
            if (t->FieldByName("cdsLRepFPtrReparacion")->AsInteger() == practica)
                codigos.push_back(t->FieldByName("cdsLRepFCodLinea")->AsInteger());
        return codigos;
    }
    // The codes the grid shows, read through the dataset it is bound to.
    std::set<int> codigosEnGrid() const {
        std::set<int> codigos;
        TClientDataSet* ds = datos->cdsReparacion;
        for (ds->First(); !ds->Eof(); ds->Next()) codigos.insert(datos->cdsRepFCodReparacion->AsInteger());
        EXPECT_EQ(grid()->model()->rowCount(), static_cast<int>(codigos.size()));
        return codigos;
    }

    // Practices of student 2 on trainer 2, recorded as the workstation does.
    void practicarEnEquipo2(int alumno) {
        datos->AbrirHistoricoSiExiste(FormatoCodigo(alumno));
        TdmCDS::QuitarFiltro(datos->cdsReparacion);
        auto averias = leer(carpeta.ruta() + "/demo/BDs/EQ002/cdsAveria.cds");
        for (int i = 0; i < kPracticasEquipo2; ++i) {
            averias->First();
            const int codigo =
                datos->NuevaReparacion(alumno, kGrupo, i % 2 == 0, "BL#CI#CO#", "J#C#", "F", 46000.0 + i, 2,
                                       averias->FieldByName("cdsAvFIdAveria")->AsInteger(), -1);
            ASSERT_GE(codigo, 0);
            ASSERT_TRUE(
                datos->NuevaLineaReparacion(codigo, 1, {}, "A", 46000.0 + i, 46000.0 + i, {}, {}, {}));
        }
    }

    QString archivoElegido;
};

TEST_F(NavegadorHistorico, RecorridoDelProfesorPorElHistoricoDeUnAlumno) {
    practicarEnEquipo2(2);
    TFDMT_VentanaHistorico* pagina = verAlumno(2);
    ASSERT_NE(pagina, nullptr);
    EXPECT_EQ(etiqueta("LabelTitulo"), Texto(160));
    EXPECT_EQ(control<QPushButton>("BitBtnVerDatos")->text(), Texto(203));
    EXPECT_EQ(pagina->CodigoGrupo(), kGrupo);

    // The rows are the student's own practices in the group on the first trainer offered.
    const int primero = pagina->CodigoEquipo();
    ASSERT_TRUE(primero == 1 || primero == 2);
    const int otro = 3 - primero;
    const auto deEquipo = [&](int equipo) {
        return practicasEnArchivo(2, [equipo](TClientDataSet& t) { return propia(t, equipo); });
    };
    const std::vector<int> delPrimero = deEquipo(primero);
    ASSERT_FALSE(delPrimero.empty());
    EXPECT_EQ(codigosEnGrid(), std::set<int>(delPrimero.begin(), delPrimero.end()));
    // The teacher sees the virtual code and the real number.
    EXPECT_GE(grid()->Modelo()->ColumnaDe("CalcCVirtual"), 0);
    EXPECT_GE(grid()->Modelo()->ColumnaDe("CalcAvReal"), 0);
    EXPECT_TRUE(control<QPushButton>("SpeedBImprimir")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("SpeedBDelAveria")->isEnabled());

    // Another trainer: only its practices.
    elegirEquipo(otro);
    EXPECT_EQ(pagina->CodigoEquipo(), otro);
    const std::vector<int> delOtro = deEquipo(otro);
    ASSERT_FALSE(delOtro.empty());
    EXPECT_EQ(codigosEnGrid(), std::set<int>(delOtro.begin(), delOtro.end()));
    EXPECT_EQ(deEquipo(2).size(), static_cast<size_t>(kPracticasEquipo2));
    // The demo's practices, with their steps, are on trainer 1.
    elegirEquipo(1);
    const std::vector<int> enArchivo = deEquipo(1);

    // One fault with its lines.
    control<QRadioButton>("RadioButtonUnaAveria")->click();
    EXPECT_EQ(DMT_UtilHistorico::ModoVista, DMT_UtilHistorico::UnaAveria);
    const int practica = datos->cdsRepFCodReparacion->AsInteger();
    EXPECT_EQ(grid()->Modelo()->Fuente(), datos->dsLineaReparacion);
    EXPECT_EQ(grid()->model()->rowCount(), static_cast<int>(lineasDe(2, practica).size()));
    EXPECT_FALSE(etiqueta("FadeLCodAveria").isEmpty());
    EXPECT_EQ(etiqueta("FadeLCodAveria"), datos->cdsReparacionCalcCVirtual->DisplayText());
    EXPECT_EQ(etiqueta("FadeLabelNAveria"), datos->cdsReparacionCalcAvReal->DisplayText());
    EXPECT_FALSE(etiqueta("FadeLFecha").isEmpty());
    EXPECT_FALSE(control<QPushButton>("SpeedButtonExpHistorico")->isVisible());

    // Delete it: gone from the file, its lines too.
    mensajes.Responder(mrYes);
    control<QPushButton>("SpeedBDelAveria")->click();
    ASSERT_FALSE(mensajes.mensajes().empty());
    EXPECT_TRUE(mensajes.mensajes().back().texto.startsWith(Texto(220)));
    const std::vector<int> quedan = practicasEnArchivo(2, [](TClientDataSet& t) { return propia(t, 1); });
    EXPECT_EQ(quedan.size(), enArchivo.size() - 1);
    EXPECT_EQ(std::count(quedan.begin(), quedan.end(), practica), 0);
    EXPECT_TRUE(lineasDe(2, practica).empty());
    EXPECT_EQ(grid()->Modelo()->Fuente(), datos->dsLineaReparacion);

    // Export the pair and import it into another student.
    control<QRadioButton>("RadioButtonTodasAverias")->click();
    ASSERT_TRUE(control<QPushButton>("SpeedButtonExpHistorico")->isVisible());
    QDir().mkpath(carpeta.ruta() + "/fuera");
    archivoElegido = carpeta.ruta() + "/fuera/alumno2.cds";
    control<QPushButton>("SpeedButtonExpHistorico")->click();
    ASSERT_TRUE(QFileInfo::exists(carpeta.ruta() + "/fuera/Reparacionalumno2.cds"));
    ASSERT_TRUE(QFileInfo::exists(carpeta.ruta() + "/fuera/LineaReparacionalumno2.cds"));
    const auto exportadas = leer(carpeta.ruta() + "/fuera/Reparacionalumno2.cds");

    auto antes = leer(RutasDatos::ArchivoReparacion("003"));
    auto lineasAntes = leer(RutasDatos::ArchivoLineaReparacion("003"));
    verAlumno(3);
    archivoElegido = carpeta.ruta() + "/fuera/Reparacionalumno2.cds";
    mensajes.Limpiar();
    control<QPushButton>("SpeedBImpHistorico")->click();
    ASSERT_EQ(mensajes.mensajes().size(), 1u);
    EXPECT_EQ(mensajes.mensajes().front().texto, Texto(27033).arg(exportadas->RecordCount()));

    auto despues = leer(RutasDatos::ArchivoReparacion("003"));
    auto lineasDespues = leer(RutasDatos::ArchivoLineaReparacion("003"));
    EXPECT_EQ(despues->RecordCount(), antes->RecordCount() + exportadas->RecordCount());
    // The same practices: each exported start is there once more, as student 3's.
    for (exportadas->First(); !exportadas->Eof(); exportadas->Next()) {
        const QVariant inicio = exportadas->FieldByName("cdsRepFInicio")->Value();
        int n = 0;
        for (despues->First(); !despues->Eof(); despues->Next())
            if (despues->FieldByName("cdsRepFInicio")->Value() == inicio) {
                ++n;
                EXPECT_EQ(despues->FieldByName("cdsRepFPtrAlumno")->AsInteger(), 3);
            }
        EXPECT_EQ(n, 1);
    }
    // Nothing of student 3's changed: every old practice and line is there as it was.
    for (antes->First(); !antes->Eof(); antes->Next()) {
        ASSERT_TRUE(
            despues->Locate("cdsRepFCodReparacion", antes->FieldByName("cdsRepFCodReparacion")->Value()));
        for (TField* campo : antes->Fields()) {
            if (campo->FieldKind() != fkData) continue;
            EXPECT_EQ(despues->FieldByName(campo->FieldName())->Value(), campo->Value())
                << campo->FieldName().toStdString();
        }
    }
    for (lineasAntes->First(); !lineasAntes->Eof(); lineasAntes->Next()) {
        ASSERT_TRUE(
            lineasDespues->Locate("cdsLRepFCodLinea", lineasAntes->FieldByName("cdsLRepFCodLinea")->Value()));
        EXPECT_EQ(lineasDespues->FieldByName("cdsLRepFPtrReparacion")->Value(),
                  lineasAntes->FieldByName("cdsLRepFPtrReparacion")->Value());
    }
    // New line codes: every line of the file has its own.
    std::set<int> codigosLinea;
    for (lineasDespues->First(); !lineasDespues->Eof(); lineasDespues->Next())
        codigosLinea.insert(lineasDespues->FieldByName("cdsLRepFCodLinea")->AsInteger());
    EXPECT_EQ(static_cast<int>(codigosLinea.size()), lineasDespues->RecordCount());
    EXPECT_GT(lineasDespues->RecordCount(), lineasAntes->RecordCount());
}

TEST_F(NavegadorHistorico, UnSubgrupoVeSoloLoQuePracticoComoSubgrupoYSuBorradoLoAvisa) {
    verSubgrupo();
    ASSERT_NE(navegador(), nullptr);
    EXPECT_EQ(etiqueta("LabelTitulo"), Texto(161));
    EXPECT_EQ(control<QPushButton>("BitBtnVerDatos")->text(), Texto(204));
    const int miembro = datos->cdsSubFPtrAlumno->AsInteger();
    const std::vector<int> enArchivo = practicasEnArchivo(miembro, [](TClientDataSet& t) {
        return t.FieldByName("cdsRepFPtrSubgrupo")->AsInteger() == kSubgrupo;
    });
    ASSERT_FALSE(enArchivo.empty());
    EXPECT_EQ(codigosEnGrid(), std::set<int>(enArchivo.begin(), enArchivo.end()));
    // A subgroup's history is neither exported nor imported.
    EXPECT_FALSE(control<QPushButton>("SpeedButtonExpHistorico")->isVisible());
    EXPECT_FALSE(control<QPushButton>("SpeedBImpHistorico")->isVisible());

    control<QRadioButton>("RadioButtonUnaAveria")->click();
    mensajes.Responder(mrNo);
    control<QPushButton>("SpeedBDelAveria")->click();
    ASSERT_EQ(mensajes.mensajes().size(), 1u);
    EXPECT_TRUE(mensajes.mensajes().front().texto.contains(
        Texto(27034).arg(datos->cdsSubgrupoCalcNAlumno->AsString())));
    // Answered no: nothing is deleted.
    EXPECT_EQ(practicasEnArchivo(miembro,
                                 [](TClientDataSet& t) {
                                     return t.FieldByName("cdsRepFPtrSubgrupo")->AsInteger() == kSubgrupo;
                                 }),
              enArchivo);

    // Answered yes: that member's copy goes, the other member's stays.
    const int practica = datos->cdsRepFCodReparacion->AsInteger();
    const QVariant inicio = datos->cdsRepFInicio->Value();
    mensajes.Responder(mrYes);
    control<QPushButton>("SpeedBDelAveria")->click();
    EXPECT_EQ(practicasEnArchivo(miembro,
                                 [practica](TClientDataSet& t) {
                                     return t.FieldByName("cdsRepFCodReparacion")->AsInteger() == practica;
                                 })
                  .size(),
              0u);
    int copias = 0;
    for (int otro : {4, 5}) {
        if (otro == miembro) continue;
        auto t = leer(RutasDatos::ArchivoReparacion(FormatoCodigo(otro)));
        for (t->First(); !t->Eof(); t->Next())
            copias += t->FieldByName("cdsRepFInicio")->Value() == inicio &&
                      t->FieldByName("cdsRepFPtrSubgrupo")->AsInteger() == kSubgrupo;
    }
    EXPECT_EQ(copias, 1);
}

TEST_F(NavegadorHistorico, UnAlumnoNoVeLasPracticasDeSubgrupoDeSuHistorico) {
    // Student 4 practised alone and in the subgroup: the subgroup's copies stay out.
    verAlumno(4);
    const std::vector<int> propias = practicasEnArchivo(4, [](TClientDataSet& t) { return propia(t, 1); });
    ASSERT_LT(propias.size(), leer(RutasDatos::ArchivoReparacion("004"))->RecordCount());
    EXPECT_EQ(codigosEnGrid(), std::set<int>(propias.begin(), propias.end()));
}

TEST_F(NavegadorHistorico, UnaPracticaSinFinalizarLoDiceYCuentaHastaAhora) {
    datos->AbrirHistoricoSiExiste("003");
    const double hace = Ahora() - 1.0 / 24;  // an hour ago
    const int codigo = datos->NuevaReparacion(3, kGrupo, false, "BL#", "J#", "R", hace, 2, 101, -1);
    ASSERT_GE(codigo, 0);
    verAlumno(3);
    elegirEquipo(2);
    control<QRadioButton>("RadioButtonUnaAveria")->click();
    EXPECT_EQ(datos->cdsRepFCodReparacion->AsInteger(), codigo);
    EXPECT_EQ(etiqueta("FadeLabelFinalizada"), Texto(141));
    EXPECT_EQ(etiqueta("FadeLabelReparada"), Texto(141));
    EXPECT_TRUE(etiqueta("FadeLTiempo").startsWith("01:0")) << etiqueta("FadeLTiempo").toStdString();
}

TEST_F(NavegadorHistorico, ImprimirAbreLosInformesDelEntrenadorYDevuelveElFiltro) {
    verAlumno(2);
    const QString filtro = datos->cdsReparacion->Filter();
    const int equipo = navegador()->CodigoEquipo();
    bool abierto = false;
    enDialogo("TFInformes", [&](QWidget* informes) {
        abierto = true;
        informes->findChild<QPushButton*>("BitBtnSalir")->click();
    });
    control<QPushButton>("SpeedBImprimir")->click();
    EXPECT_TRUE(abierto);
    EXPECT_EQ(datos->cdsReparacion->Filter(), filtro);
    EXPECT_TRUE(datos->cdsReparacion->Filtered());
    EXPECT_EQ(navegador()->CodigoEquipo(), equipo);
}

TEST_F(NavegadorHistorico, SinPracticasNoHayEntrenadorNiImpresion) {
    verAlumno(1);
    EXPECT_FALSE(control<TDBLookupComboBox>("DBLookupComboBoxEquipo")->isEnabled());
    EXPECT_EQ(control<TDBLookupComboBox>("DBLookupComboBoxEquipo")->count(), 0);
    EXPECT_FALSE(control<QPushButton>("SpeedBImprimir")->isEnabled());
    EXPECT_EQ(grid()->model()->rowCount(), 0);
    control<QRadioButton>("RadioButtonUnaAveria")->click();
    EXPECT_FALSE(control<TDBLookupComboBox>("DBLookupComboBoxAverias")->isEnabled());
    control<QPushButton>("SpeedBDelAveria")->click();
    EXPECT_TRUE(mensajes.mensajes().empty());
}

TEST_F(NavegadorHistorico, AlOcultarseVuelvenLosEntrenadoresActivados) {
    practicarEnEquipo2(2);
    ASSERT_TRUE(datos->cdsEquipo->Locate("cdsEFCodEquipo", 2));
    ASSERT_TRUE(datos->cdsEquipo->Edit());
    datos->cdsEFActivado->SetAsBoolean(false);
    ASSERT_TRUE(datos->cdsEquipo->Post());
    verAlumno(2);
    // The history shows the deactivated trainer it was practised on.
    EXPECT_GE(control<TDBLookupComboBox>("DBLookupComboBoxEquipo")->findData(2), 0);
    ventana->MostrarPagina(ventana->PaginaGrupos());
    EXPECT_FALSE(datos->cdsEquipo->Locate("cdsEFCodEquipo", 2));
    EXPECT_TRUE(datos->cdsEquipo->Locate("cdsEFCodEquipo", 1));
    EXPECT_FALSE(datos->cdsSemilla->Filtered());
}

TEST_F(NavegadorHistorico, LaHojaDeCalculoSeOfreceCuandoHayQuienLaEscriba) {
    verAlumno(2);
    auto* boton = control<QPushButton>("SpeedBHojaCalculo");
    EXPECT_EQ(boton->text(), Texto(27022));
    EXPECT_FALSE(boton->isEnabled());
    TFDMT_VentanaHistorico* pedida = nullptr;
    TFDMT_VentanaHistorico::ExportarHojaCalculo = [&](TFDMT_VentanaHistorico* v) { pedida = v; };
    verAlumno(2);
    ASSERT_TRUE(boton->isEnabled());
    boton->click();
    EXPECT_EQ(pedida, navegador());
}

TEST_F(NavegadorHistorico, VerDatosVuelveALaPaginaDelPropietario) {
    verAlumno(2);
    control<QPushButton>("BitBtnVerDatos")->click();
    EXPECT_EQ(ventana->PaginaActual, ventana->PaginaAlumnos());
    // The student page lists the student's own subgroups; the subgroup page has them all.
    TdmCDS::QuitarFiltro(datos->cdsSubgrupo);
    verSubgrupo();
    control<QPushButton>("BitBtnVerDatos")->click();
    EXPECT_EQ(ventana->PaginaActual, ventana->PaginaSubgrupos());
    // Hidden, the browser left the practices and seeds unfiltered.
    EXPECT_FALSE(datos->cdsSemilla->Filtered());
}

TEST_F(NavegadorHistorico, ElBotonDeLaPaginaDelAlumnoAbreSuHistorico) {
    QTreeWidgetItem* alumnos = nodoGrupo("1º Electromecánica")->child(TFDMT_GestAlumnado::CarpetaAlumnos);
    alumnos->setExpanded(true);
    QTreeWidgetItem* nodo = nullptr;
    for (int i = 0; i < alumnos->childCount(); ++i)
        if (TFDMT_GestAlumnado::CodigoNodo(alumnos->child(i)) == 2) nodo = alumnos->child(i);
    ASSERT_NE(nodo, nullptr);
    ASSERT_TRUE(ventana->SeleccionarNodo(nodo));
    const int alumno = datos->cdsGrpAlFPtrAlumno->AsInteger();
    ASSERT_EQ(alumno, 2);
    pulsar("BitBtnVerHistorico");
    ASSERT_NE(navegador(), nullptr);
    EXPECT_EQ(navegador()->FiltroBase(), "cdsRepFPtrGrupo = 1 and cdsRepFPtrSubgrupo = -1");
    const std::vector<int> propias = practicasEnArchivo(
        alumno, [](TClientDataSet& t) { return propia(t, t.FieldByName("cdsRepFPtrEquipo")->AsInteger()); });
    ASSERT_FALSE(propias.empty());
    EXPECT_EQ(codigosEnGrid().size(), propias.size());
}

// Column rules, per viewer and repair level.
TEST(ColumnasHistorico, CadaQuienVeSusColumnas) {
    using namespace DMT_UtilHistorico;
    EXPECT_FALSE(ColumnasReparaciones(NivelAlumno, false).contains("CalcAvReal"));
    EXPECT_FALSE(ColumnasReparaciones(NivelSubgrupo, false).contains("CalcAvReal"));
    EXPECT_TRUE(ColumnasReparaciones(NivelAlumno, false).contains("CalcCVirtual"));
    EXPECT_TRUE(ColumnasReparaciones(NivelProfesor, false).contains("CalcAvReal"));
    EXPECT_TRUE(ColumnasReparaciones(NivelProfesor, false).contains("CalcCVirtual"));
    EXPECT_TRUE(ColumnasReparaciones(NivelProfesor, true).contains("CalcAvReal"));
    EXPECT_FALSE(ColumnasReparaciones(NivelProfesor, true).contains("CalcCVirtual"));
    const QStringList base{"cdsLRepFAccion", "cdsLRepFInicio", "cdsLRepFFin"};
    EXPECT_EQ(ColumnasLineas(1), base + QStringList({"CalcComponente"}));
    EXPECT_EQ(ColumnasLineas(2), base + QStringList({"CalcCircuito", "CalcComponente"}));
    EXPECT_EQ(ColumnasLineas(3), base + QStringList({"CalcBloque", "CalcCircuito", "CalcComponente"}));
}

}  // namespace
