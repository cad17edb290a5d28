#include <gtest/gtest.h>

#include "ModuloPrueba.h"

namespace {

class Calculos : public ModuloVacio {
protected:
    Calculos() {
        dm.cdsGrupo->SetReadOnly(false);
        AnadirFila(dm.cdsGrupo,
                   {{"cdsGrpFCodGrupo", 1}, {"cdsGrpFNombre", "1A"}, {"cdsGrpFAsignatura", "Motores"}});
        AnadirFila(dm.cdsAlumno, {{"cdsAFCodAlumno", 7},
                                  {"cdsAFNombre", "Ana"},
                                  {"cdsAFApellido1", "Garcia"},
                                  {"cdsAFApellido2", "Lopez"},
                                  {"cdsAFPassword", "AL007"}});
        AnadirFila(dm.cdsAlumno,
                   {{"cdsAFCodAlumno", 8}, {"cdsAFNombre", "Luis"}, {"cdsAFApellido2", "Perez"}});
        AnadirFila(dm.cdsEquipo, {{"cdsEFCodEquipo", 1}, {"cdsEFDescripcion", "Motor"}});
        AnadirFila(dm.cdsAveria, {{"cdsAvFIdAveria", 30},
                                  {"cdsAvFCodAveria", 4},
                                  {"cdsAvFPtrEquipo", 1},
                                  {"cdsAvFDescripcion", "Fusible"}});
        dm.cdsGrupo->First();
        dm.cdsEquipo->First();
        dm.cdsAlumno->First();
    }
};

TEST_F(Calculos, NombreDelAlumnoEnLaListaDeAlumnos) {
    EXPECT_EQ(dm.cdsAlumnoCalcNAlumno->AsString(), "Garcia Lopez Ana");
}

TEST_F(Calculos, ElMiembroMuestraGrupoAsignaturaNombresYPassword) {
    AnadirFila(dm.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 1}, {"cdsGrpAlFPtrAlumno", 7}});
    EXPECT_EQ(dm.cdsGrupoAlumnoCalcNGrupo->AsString(), "1A");
    EXPECT_EQ(dm.cdsGrpAlFAsignatura->AsString(), "Motores");
    EXPECT_EQ(dm.cdsGrupoAlumnoCalcNAlumno->AsString(), "Ana");
    EXPECT_EQ(dm.cdsGrupoAlumnoCalcApellido1->AsString(), "Garcia");
    EXPECT_EQ(dm.cdsGrupoAlumnoCalcApellido2->AsString(), "Lopez");
    EXPECT_EQ(dm.cdsGrupoAlumnoCalcNCompleto->AsString(), "Garcia Lopez, Ana");
    EXPECT_EQ(dm.cdsGrupoAlumnoCalcPassword->AsString(), "AL007");
    EXPECT_EQ(dm.cdsAFCodAlumno->AsInteger(), 7) << "buscar al alumno no mueve la lista de alumnos";
}

TEST_F(Calculos, UnMiembroSinAlumnoNoMuestraNombres) {
    AnadirFila(dm.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 1}, {"cdsGrpAlFPtrAlumno", 99}});
    EXPECT_TRUE(dm.cdsGrupoAlumnoCalcNCompleto->IsNull());
    EXPECT_TRUE(dm.cdsGrupoAlumnoCalcPassword->IsNull());
    EXPECT_EQ(dm.cdsGrupoAlumnoCalcNGrupo->AsString(), "1A");
}

TEST_F(Calculos, MientrasSeInsertaUnAlumnoElMiembroMuestraSuPasswordNueva) {
    AnadirFila(dm.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 1}, {"cdsGrpAlFPtrAlumno", 7}});
    dm.cdsAlumno->Append();
    dm.cdsAFCodAlumno->SetAsInteger(9);
    dm.cdsAFPassword->SetAsString("AL009");
    dm.cdsGrupoAlumno->First();
    EXPECT_EQ(dm.cdsGrupoAlumnoCalcPassword->AsString(), "AL009");
    EXPECT_TRUE(dm.cdsGrupoAlumnoCalcNAlumno->IsNull());
    dm.cdsAlumno->Cancel();
}

TEST_F(Calculos, ElMiembroDeSubgrupoSeMuestraApellidosComaNombre) {
    AnadirFila(dm.cdsSubgrupo, {{"cdsSubFCodSubgrupo", 1},
                                {"cdsSubFNombre", "Equipo A"},
                                {"cdsSubFPtrGrupo", 1},
                                {"cdsSubFPtrAlumno", 7}});
    EXPECT_EQ(dm.cdsSubgrupoCalcNAlumno->AsString(), "Garcia Lopez ,Ana");
    EXPECT_EQ(dm.cdsSubgrupoCalcNGrupo->AsString(), "1A");
    EXPECT_EQ(dm.cdsSubFAsignatura->AsString(), "Motores");
}

TEST_F(Calculos, ElMiembroDeSubgrupoSinPrimerApellido) {
    AnadirFila(dm.cdsSubgrupo, {{"cdsSubFCodSubgrupo", 1},
                                {"cdsSubFNombre", "Equipo A"},
                                {"cdsSubFPtrGrupo", 1},
                                {"cdsSubFPtrAlumno", 8}});
    EXPECT_EQ(dm.cdsSubgrupoCalcNAlumno->AsString(), "Perez ,Luis");
}

TEST_F(Calculos, UnSubgrupoVacioNoMuestraAlumno) {
    AnadirFila(dm.cdsSubgrupo,
               {{"cdsSubFCodSubgrupo", 1}, {"cdsSubFNombre", "Equipo A"}, {"cdsSubFPtrGrupo", 1}});
    EXPECT_TRUE(dm.cdsSubgrupoCalcNAlumno->IsNull());
}

TEST_F(Calculos, LaSemillaMuestraElNumeroYLaDescripcionDeSuAveria) {
    AnadirFila(dm.cdsSemilla, {{"cdsSemFCodSemilla", 1}, {"cdsSemFPtrGrupo", 1}, {"cdsSemFPtrIdAveria", 30}});
    EXPECT_EQ(dm.cdsSemillaPtrAvReal->AsInteger(), 4);
    EXPECT_EQ(dm.cdsSemillaCalcDescripcion->AsString(), "Fusible");
}

TEST_F(Calculos, LaSemillaDeUnaAveriaDesconocidaNoMuestraNada) {
    AnadirFila(dm.cdsSemilla, {{"cdsSemFCodSemilla", 1}, {"cdsSemFPtrGrupo", 1}, {"cdsSemFPtrIdAveria", 77}});
    EXPECT_TRUE(dm.cdsSemillaPtrAvReal->IsNull());
    EXPECT_TRUE(dm.cdsSemillaCalcDescripcion->IsNull());
}

TEST_F(Calculos, ConLasAveriasCerradasLaSemillaMuestraMenosUno) {
    AnadirFila(dm.cdsSemilla, {{"cdsSemFCodSemilla", 1}, {"cdsSemFPtrGrupo", 1}, {"cdsSemFPtrIdAveria", 30}});
    dm.cdsAveriaLUp->Close();
    dm.cdsAveria->Close();
    dm.cdsSemilla->First();
    EXPECT_EQ(dm.cdsSemillaPtrAvReal->AsInteger(), -1);
    EXPECT_TRUE(dm.cdsSemillaCalcDescripcion->IsNull());
}

TEST_F(Calculos, ElOrdenAlAzarDeUnaSemillaSeQuedaTrasEditarla) {
    AnadirFila(dm.cdsSemilla, {{"cdsSemFCodSemilla", 1}, {"cdsSemFPtrGrupo", 1}, {"cdsSemFPtrIdAveria", 30}});
    dm.cdsSemilla->First();
    ASSERT_FALSE(dm.cdsSemillaCalcRandomOrden->IsNull());
    ASSERT_TRUE(dm.cdsSemilla->Edit());
    const int orden = dm.cdsSemillaCalcRandomOrden->AsInteger();
    EXPECT_GE(orden, 0);
    EXPECT_LE(orden, 9998);
    ASSERT_TRUE(dm.cdsSemilla->Post());
    EXPECT_EQ(dm.cdsSemillaCalcRandomOrden->AsInteger(), orden);
    AnadirFila(dm.cdsSemilla, {{"cdsSemFCodSemilla", 1}, {"cdsSemFPtrGrupo", 1}, {"cdsSemFPtrIdAveria", 31}});
    ASSERT_TRUE(dm.cdsSemilla->Locate("cdsSemFPtrIdAveria", 30));
    EXPECT_EQ(dm.cdsSemillaCalcRandomOrden->AsInteger(), orden);
}

TEST_F(Calculos, UnaSemillaSinEditarTieneOrdenEnCadaVistaPeroNoLoGuarda) {
    AnadirFila(dm.cdsSemilla, {{"cdsSemFCodSemilla", 1}, {"cdsSemFPtrGrupo", 1}, {"cdsSemFPtrIdAveria", 30}});
    AnadirFila(dm.cdsSemilla, {{"cdsSemFCodSemilla", 1}, {"cdsSemFPtrGrupo", 1}, {"cdsSemFPtrIdAveria", 31}});
    for (int vista = 0; vista < 3; ++vista) {
        dm.cdsSemilla->First();
        const QVariant orden = dm.cdsSemillaCalcRandomOrden->Value();
        ASSERT_TRUE(orden.isValid());
        EXPECT_GE(orden.toInt(), 0);
        EXPECT_LE(orden.toInt(), 9998);
    }
}

class CalculosDePracticas : public Calculos {
protected:
    CalculosDePracticas() {
        AnadirFila(dm.cdsSemilla, {{"cdsSemFCodSemilla", 1},
                                   {"cdsSemFPtrGrupo", 1},
                                   {"cdsSemFPtrEquipo", 1},
                                   {"cdsSemFPtrIdAveria", 30},
                                   {"cdsSemFTutorizada", true},
                                   {"cdsSemFCodVirtual", 12}});
    }

    void AnadirPractica(int codigo, int averia, bool tutorizada) {
        AnadirFila(dm.cdsReparacion, {{"cdsRepFCodReparacion", codigo},
                                      {"cdsRepFInicio", 45000.0 + codigo},
                                      {"cdsRepFPtrIdAveria", averia},
                                      {"cdsRepFPtrEquipo", 1},
                                      {"cdsRepFTutorizada", tutorizada},
                                      {"cdsRepFEstado", "R"}});
    }
};

TEST_F(CalculosDePracticas, LaPracticaMuestraCodigoVirtualNumeroYDescripcion) {
    AnadirPractica(1, 30, true);
    EXPECT_EQ(dm.cdsReparacionCalcCVirtual->AsInteger(), 12);
    EXPECT_EQ(dm.cdsReparacionCalcAvReal->AsInteger(), 4);
    EXPECT_EQ(dm.cdsReparacionCalcAvDescrip->AsString(), "Fusible");
}

TEST_F(CalculosDePracticas, UnaPracticaSinSemillaMuestraNumeroYDescripcionPeroNoCodigo) {
    AnadirPractica(1, 30, false);
    EXPECT_TRUE(dm.cdsReparacionCalcCVirtual->IsNull());
    EXPECT_EQ(dm.cdsReparacionCalcAvReal->AsInteger(), 4);
    EXPECT_EQ(dm.cdsReparacionCalcAvDescrip->AsString(), "Fusible");
    EXPECT_EQ(dm.cdsRepFEstado->DisplayText(), "T6");
}

TEST_F(CalculosDePracticas, CadaFilaDeUnaListaSeCalculaSinMoverElCursor) {
    AnadirPractica(1, 30, true);
    AnadirPractica(2, 30, false);
    AnadirPractica(3, 77, true);
    int desplazamientos = 0;
    dm.cdsReparacion->AfterScroll = [&desplazamientos](TClientDataSet*) { ++desplazamientos; };
    dm.cdsReparacion->First();
    desplazamientos = 0;
    EXPECT_EQ(dm.cdsReparacion->ValueAt(1, dm.cdsReparacionCalcCVirtual).toInt(), 12);
    EXPECT_FALSE(dm.cdsReparacion->ValueAt(2, dm.cdsReparacionCalcCVirtual).isValid());
    EXPECT_EQ(dm.cdsReparacion->DisplayTextAt(2, dm.cdsReparacionCalcAvDescrip), "Fusible");
    EXPECT_EQ(dm.cdsReparacion->DisplayTextAt(3, dm.cdsReparacionCalcAvDescrip), "");
    EXPECT_EQ(dm.cdsReparacion->RecNo(), 1);
    EXPECT_EQ(desplazamientos, 0);
}

class CalculosDeLineas : public Calculos {
protected:
    CalculosDeLineas() {
        AnadirFila(dm.cdsBloque,
                   {{"cdsBloFCodBloque", 10}, {"cdsBloFPtrEquipo", 1}, {"cdsBloFDescripcion", "Arranque"}});
        AnadirFila(dm.cdsCircuitoLoc, {{"cdsCFCodCircuito", 100},
                                       {"cdsCFPtrEquipo", 1},
                                       {"cdsCFPtrBloque", 10},
                                       {"cdsCFDescripcion", "Motor de arranque"}});
        AnadirFila(dm.cdsElemento,
                   {{"cdsElemFCodElemento", 5}, {"cdsElemFDescripcion", "Rele"}, {"cdsElemFPtrEquipo", 1}});
        AnadirFila(dm.cdsComponenteLoc, {{"cdsComFCodComponente", 5},
                                         {"cdsComFPtrEquipo", 1},
                                         {"cdsComFPtrBloque", 10},
                                         {"cdsComFPtrCircuito", 100}});
        AnadirFila(dm.cdsReparacion, {{"cdsRepFCodReparacion", 1}, {"cdsRepFInicio", 45000.0}});
    }
};

TEST_F(CalculosDeLineas, LaLineaMuestraLosNombresDeLoElegido) {
    AnadirFila(dm.cdsLineaReparacion, {{"cdsLRepFCodLinea", 1},
                                       {"cdsLRepFPtrReparacion", 1},
                                       {"cdsLRepFBloque", 10},
                                       {"cdsLRepFCircuito", 100},
                                       {"cdsLRepFComponente", 5}});
    EXPECT_EQ(dm.cdsLineaReparacionCalcBloque->AsString(), "Arranque");
    EXPECT_EQ(dm.cdsLineaReparacionCalcCircuito->AsString(), "Motor de arranque");
    EXPECT_EQ(dm.cdsLineaReparacionCalcComponente->AsString(), "Rele");
    EXPECT_EQ(dm.cdsLRepFAccion->DisplayText(), "T163");
}

TEST_F(CalculosDeLineas, UnaLineaSinEleccionNoMuestraNombres) {
    AnadirFila(dm.cdsLineaReparacion,
               {{"cdsLRepFCodLinea", 1}, {"cdsLRepFPtrReparacion", 1}, {"cdsLRepFAccion", "X"}});
    EXPECT_TRUE(dm.cdsLineaReparacionCalcBloque->IsNull());
    EXPECT_TRUE(dm.cdsLineaReparacionCalcCircuito->IsNull());
    EXPECT_TRUE(dm.cdsLineaReparacionCalcComponente->IsNull());
    EXPECT_EQ(dm.cdsLRepFAccion->DisplayText(), "");
}

TEST_F(CalculosDeLineas, ElNombreDeUnaColocacionVieneDeSuCatalogo) {
    TClientDataSet* todos = dm.cdsComponenteTodos;
    TField* nombre = todos->FieldByName("cdsComFDescripcion");
    AnadirFila(todos, {{"cdsComFCodComponente", 5}, {"cdsComFPtrEquipo", 1}, {"cdsComFPtrCircuito", 100}});
    EXPECT_EQ(nombre->AsString(), "Rele");
    AnadirFila(todos, {{"cdsComFCodComponente", 6}, {"cdsComFPtrEquipo", 1}, {"cdsComFPtrCircuito", 100}});
    EXPECT_TRUE(nombre->IsNull()) << "un codigo que el catalogo no tiene";
    dm.cdsComponenteLoc->First();
    EXPECT_EQ(dm.cdsComponenteLoc->FieldByName("cdsComFDescripcion")->AsString(), "Rele");
}

TEST_F(CalculosDeLineas, SinCatalogoAbiertoLaColocacionNoTieneNombre) {
    for (TClientDataSet* clon : {dm.cdsElementoLUp, dm.cdsElementoLoc, dm.cdsElementoTodos}) clon->Close();
    dm.cdsElemento->Close();
    AnadirFila(dm.cdsComponenteTodos,
               {{"cdsComFCodComponente", 5}, {"cdsComFPtrEquipo", 1}, {"cdsComFPtrCircuito", 100}});
    EXPECT_TRUE(dm.cdsComponenteTodos->FieldByName("cdsComFDescripcion")->IsNull());
}

}  // namespace
