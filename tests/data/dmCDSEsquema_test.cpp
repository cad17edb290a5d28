#include <gtest/gtest.h>

#include "Esquema.h"
#include "ModuloPrueba.h"

namespace {

TEST_F(ModuloVacio, CadaCampoDelEsquemaExisteConSuTipoAnchoYRequisito) {
    for (const Esquema::Tabla& esquema : Esquema::Tablas()) {
        TClientDataSet* tabla = dm.Tabla(esquema.nombre);
        ASSERT_NE(tabla, nullptr) << esquema.nombre.toStdString();
        EXPECT_TRUE(tabla->Active()) << esquema.nombre.toStdString();
        EXPECT_EQ(tabla->RecordCount(), 0);
        for (const Esquema::Campo& definicion : esquema.campos) {
            SCOPED_TRACE(definicion.nombre.toStdString());
            TField* campo = tabla->FindField(definicion.nombre);
            ASSERT_NE(campo, nullptr);
            EXPECT_EQ(campo->Required, definicion.requerido);
            EXPECT_EQ(campo->DisplayName(),
                      definicion.etiqueta.isEmpty() ? definicion.nombre : definicion.etiqueta);
            if (definicion.tipo == Esquema::Tipo::Cadena) {
                EXPECT_EQ(campo->Size(), definicion.ancho);
            }
        }
    }
}

TEST_F(ModuloVacio, LosMiembrosSonLosCamposDeSuTabla) {
    EXPECT_EQ(dm.cdsGrpFNombre->DataSet(), dm.cdsGrupo);
    EXPECT_EQ(dm.cdsGrpFNombre->FieldName(), "cdsGrpFNombre");
    EXPECT_EQ(dm.cdsGrupoAlumnoCalcNAlumno->DataSet(), dm.cdsGrupoAlumno);
    EXPECT_EQ(dm.cdsGrupoAlumnoCalcNAlumno->FieldName(), "CalcNAlumno");
    EXPECT_EQ(dm.cdsGrupoAlumnoLookUpGrupo->FieldKind(), fkLookup);
    EXPECT_EQ(dm.cdsSemillaCalcRandomOrden->FieldKind(), fkInternalCalc);
    EXPECT_EQ(dm.cdsComFDescripcion->FieldKind(), fkInternalCalc);
    EXPECT_EQ(dm.cdsReparacionCalcAvDescrip->FieldKind(), fkCalculated);
    EXPECT_EQ(dm.cdsLRepFComentarios->DataType(), ftMemo);
    EXPECT_EQ(dm.cdsRepFObservacion->DataType(), ftFmtMemo);
    EXPECT_EQ(dm.cdsRepFInicio->DataType(), ftDateTime);
    EXPECT_EQ(dm.cdsEFActivado->DataType(), ftBoolean);
}

TEST_F(ModuloVacio, LasFuentesDeDatosLlevanElNombreDeSuTabla) {
    EXPECT_EQ(dm.dsGrupo->DataSet(), dm.cdsGrupo);
    EXPECT_EQ(dm.dsGrupo->Name, "dsGrupo");
    EXPECT_EQ(dm.dsBloqueLUp->DataSet(), dm.cdsBloqueLUp);
    EXPECT_EQ(dm.dsLineaRepInfor->DataSet(), dm.cdsLineaRepInfor);
    EXPECT_EQ(dm.Tabla("cdsCopy"), dm.cdsCopy);
    EXPECT_EQ(dm.Tabla("cdsNoExiste"), nullptr);
}

TEST_F(ModuloVacio, LasTablasSeDeclaranEnElOrdenDeSusEstructuras) {
    const auto& tablas = dm.Tablas();
    ASSERT_GE(tablas.size(), Esquema::Tablas().size());
    for (std::size_t i = 0; i < Esquema::Tablas().size(); ++i)
        EXPECT_EQ(tablas[i]->Name, Esquema::Tablas()[i].nombre);
}

TEST_F(ModuloVacio, UnaDescripcionLargaSeCortaAlAnchoDeEntrada) {
    AnadirFila(dm.cdsEquipo, {{"cdsEFCodEquipo", 1}, {"cdsEFDescripcion", QString(60, 'x')}});
    EXPECT_EQ(dm.cdsEFDescripcion->AsString(), QString(40, 'x'));
}

TEST_F(ModuloVacio, LaCarpetaDeUnGrupoGuardaUnaRutaLargaEntera) {
    const QString ruta = "/home/aula/" + QString(300, 'c') + "/BDs/GRP 001/";
    dm.cdsGrupo->SetReadOnly(false);
    AnadirFila(dm.cdsGrupo, {{"cdsGrpFCodGrupo", 1}, {"cdsGrpFNombre", "1A"}, {"cdsGrpFDirectorio", ruta}});
    EXPECT_EQ(dm.cdsGrpFDirectorio->AsString(), ruta);
}

TEST_F(ModuloVacio, LosEquiposSeOrdenanPorDescripcion) {
    AnadirFila(dm.cdsEquipo, {{"cdsEFCodEquipo", 1}, {"cdsEFDescripcion", "Motor diesel"}});
    AnadirFila(dm.cdsEquipo, {{"cdsEFCodEquipo", 2}, {"cdsEFDescripcion", "Instalacion electrica"}});
    dm.cdsEquipo->First();
    EXPECT_EQ(dm.cdsEFCodEquipo->AsInteger(), 2);
}

class ModuloConGrupos : public ModuloVacio {
protected:
    ModuloConGrupos() {
        dm.cdsGrupo->SetReadOnly(false);
        AnadirFila(dm.cdsGrupo,
                   {{"cdsGrpFCodGrupo", 2}, {"cdsGrpFNombre", "2B"}, {"cdsGrpFAsignatura", "Motores"}});
        AnadirFila(dm.cdsGrupo,
                   {{"cdsGrpFCodGrupo", 1}, {"cdsGrpFNombre", "1A"}, {"cdsGrpFAsignatura", "Circuitos"}});
    }
};

TEST_F(ModuloConGrupos, LosGruposSeOrdenanPorCodigo) {
    dm.cdsGrupo->First();
    EXPECT_EQ(dm.cdsGrpFCodGrupo->AsInteger(), 1);
    dm.cdsGrupo->Next();
    EXPECT_EQ(dm.cdsGrpFCodGrupo->AsInteger(), 2);
}

TEST_F(ModuloConGrupos, UnNombreDeGrupoRepetidoSeRechaza) {
    dm.cdsGrupo->Append();
    dm.cdsGrpFCodGrupo->SetAsInteger(3);
    dm.cdsGrpFNombre->SetAsString("1A");
    EXPECT_THROW(dm.cdsGrupo->Post(), EDatabaseError);
    dm.cdsGrupo->Cancel();
    EXPECT_EQ(dm.cdsGrupo->RecordCount(), 2);
}

TEST_F(ModuloConGrupos, ElMayorCodigoDeGrupoEsUnAgregado) {
    EXPECT_EQ(dm.cdsGrupo->FindAggregate("MaxCod")->Value().toInt(), 2);
}

TEST_F(ModuloVacio, ElMayorCodigoDeGrupoEsNuloSinGrupos) {
    EXPECT_FALSE(dm.cdsGrupo->FindAggregate("MaxCod")->Value().isValid());
}

TEST_F(ModuloConGrupos, LosMiembrosSiguenAlGrupoActual) {
    AnadirFila(dm.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 1}, {"cdsGrpAlFPtrAlumno", 10}});
    AnadirFila(dm.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 2}, {"cdsGrpAlFPtrAlumno", 20}});
    AnadirFila(dm.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 2}, {"cdsGrpAlFPtrAlumno", 21}});
    ASSERT_TRUE(dm.cdsGrupo->Locate("cdsGrpFCodGrupo", 2));
    EXPECT_EQ(dm.cdsGrupoAlumno->RecordCount(), 2);
    EXPECT_EQ(dm.cdsGrupoAlumno->FindAggregate("AggNumAlumnos")->Value().toInt(), 2);
    ASSERT_TRUE(dm.cdsGrupo->Locate("cdsGrpFCodGrupo", 1));
    EXPECT_EQ(dm.cdsGrupoAlumno->RecordCount(), 1);
    EXPECT_EQ(dm.cdsGrpAlFPtrAlumno->AsInteger(), 10);
}

TEST_F(ModuloConGrupos, ElNombreDelGrupoDeUnMiembroSeBuscaEnLaCopiaDeGrupos) {
    ASSERT_TRUE(dm.cdsGrupo->Locate("cdsGrpFCodGrupo", 2));
    AnadirFila(dm.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 2}, {"cdsGrpAlFPtrAlumno", 20}});
    EXPECT_EQ(dm.cdsGrupoAlumnoLookUpGrupo->AsString(), "2B");
    EXPECT_EQ(dm.cdsGrpFCodGrupo->AsInteger(), 2) << "la busqueda no mueve el grupo actual";
}

TEST_F(ModuloConGrupos, UnSubgrupoSinAlumnoCuentaComoMiembro) {
    ASSERT_TRUE(dm.cdsGrupo->Locate("cdsGrpFCodGrupo", 1));
    AnadirFila(dm.cdsSubgrupo,
               {{"cdsSubFCodSubgrupo", 1}, {"cdsSubFNombre", "Equipo A"}, {"cdsSubFPtrGrupo", 1}});
    EXPECT_EQ(dm.cdsSubgrupo->FindAggregate("AggNumAlumnos")->Value().toInt(), 1);
}

TEST_F(ModuloConGrupos, LasSemillasSiguenAlGrupoEnOrdenDeAveria) {
    AnadirFila(dm.cdsSemilla, {{"cdsSemFCodSemilla", 1}, {"cdsSemFPtrGrupo", 1}, {"cdsSemFPtrIdAveria", 9}});
    AnadirFila(dm.cdsSemilla, {{"cdsSemFCodSemilla", 1}, {"cdsSemFPtrGrupo", 1}, {"cdsSemFPtrIdAveria", 4}});
    AnadirFila(dm.cdsSemilla, {{"cdsSemFCodSemilla", 1}, {"cdsSemFPtrGrupo", 2}, {"cdsSemFPtrIdAveria", 1}});
    ASSERT_TRUE(dm.cdsGrupo->Locate("cdsGrpFCodGrupo", 1));
    ASSERT_EQ(dm.cdsSemilla->RecordCount(), 2);
    dm.cdsSemilla->First();
    EXPECT_EQ(dm.cdsSemFPtrIdAveria->AsInteger(), 4);
}

class ModuloConCatalogo : public ModuloVacio {
protected:
    ModuloConCatalogo() {
        AnadirFila(dm.cdsEquipo, {{"cdsEFCodEquipo", 1}, {"cdsEFDescripcion", "A motor"}});
        AnadirFila(dm.cdsEquipo, {{"cdsEFCodEquipo", 2}, {"cdsEFDescripcion", "B vehiculo"}});
        for (int bloque : {10, 11})
            AnadirFila(dm.cdsBloque, {{"cdsBloFCodBloque", bloque}, {"cdsBloFPtrEquipo", 1}});
        AnadirFila(dm.cdsBloque, {{"cdsBloFCodBloque", 20}, {"cdsBloFPtrEquipo", 2}});
        AnadirFila(dm.cdsCircuito,
                   {{"cdsCFCodCircuito", 100}, {"cdsCFPtrEquipo", 1}, {"cdsCFPtrBloque", 10}});
        AnadirFila(dm.cdsCircuito,
                   {{"cdsCFCodCircuito", 101}, {"cdsCFPtrEquipo", 1}, {"cdsCFPtrBloque", 11}});
        AnadirFila(dm.cdsComponente, {{"cdsComFCodComponente", 5},
                                      {"cdsComFPtrEquipo", 1},
                                      {"cdsComFPtrBloque", 11},
                                      {"cdsComFPtrCircuito", 101}});
        AnadirFila(dm.cdsAveria, {{"cdsAvFIdAveria", 30}, {"cdsAvFCodAveria", 1}, {"cdsAvFPtrEquipo", 1}});
        AnadirFila(dm.cdsAveria, {{"cdsAvFIdAveria", 31}, {"cdsAvFCodAveria", 2}, {"cdsAvFPtrEquipo", 1}});
        AnadirFila(dm.cdsSintomas,
                   {{"cdsSinFPtrIdAveria", 31}, {"cdsSinFNivel", "J"}, {"cdsSinFDescripcion", "No arranca"}});
        dm.cdsEquipo->First();
    }
};

TEST_F(ModuloConCatalogo, ElCatalogoSigueAlEquipoActual) {
    EXPECT_EQ(dm.cdsBloque->RecordCount(), 2);
    EXPECT_EQ(dm.cdsAveria->RecordCount(), 2);
    dm.cdsEquipo->Next();
    EXPECT_EQ(dm.cdsBloque->RecordCount(), 1);
    EXPECT_EQ(dm.cdsAveria->RecordCount(), 0);
}

TEST_F(ModuloConCatalogo, LosSintomasSiguenALaAveria) {
    ASSERT_TRUE(dm.cdsAveria->Locate("cdsAvFIdAveria", 30));
    EXPECT_EQ(dm.cdsSintomas->RecordCount(), 0);
    ASSERT_TRUE(dm.cdsAveria->Locate("cdsAvFIdAveria", 31));
    EXPECT_EQ(dm.cdsSintomas->RecordCount(), 1);
}

TEST_F(ModuloConCatalogo, LasListasDeEleccionVanDeBloqueACircuitoYElemento) {
    ASSERT_TRUE(dm.cdsBloqueLUp->Locate("cdsBloFCodBloque", 11));
    ASSERT_EQ(dm.cdsCircuitoLUp->RecordCount(), 1);
    EXPECT_EQ(Valor(dm.cdsCircuitoLUp, "cdsCFCodCircuito").toInt(), 101);
    ASSERT_EQ(dm.cdsComponenteLUp->RecordCount(), 1);
    EXPECT_EQ(Valor(dm.cdsComponenteLUp, "cdsComFCodComponente").toInt(), 5);
    ASSERT_TRUE(dm.cdsBloqueLUp->Locate("cdsBloFCodBloque", 10));
    EXPECT_EQ(dm.cdsComponenteLUp->RecordCount(), 0);
    EXPECT_EQ(Valor(dm.cdsBloque, "cdsBloFCodBloque").toInt(), 10) << "las listas tienen su propia posicion";
}

TEST_F(ModuloConCatalogo, LasAveriasPorNumeroNoDependenDelEquipo) {
    AnadirFila(dm.cdsAveria, {{"cdsAvFIdAveria", 40}, {"cdsAvFCodAveria", 0}, {"cdsAvFPtrEquipo", 2}});
    dm.cdsAveriaLUp->First();
    EXPECT_EQ(dm.cdsAveriaLUp->RecordCount(), 3);
    EXPECT_EQ(Valor(dm.cdsAveriaLUp, "cdsAvFIdAveria").toInt(), 40);
}

TEST_F(ModuloVacio, LasLineasSiguenALaPractica) {
    for (int codigo : {1, 2})
        AnadirFila(dm.cdsReparacion, {{"cdsRepFCodReparacion", codigo}, {"cdsRepFInicio", codigo}});
    AnadirFila(dm.cdsLineaReparacion, {{"cdsLRepFCodLinea", 1}, {"cdsLRepFPtrReparacion", 1}});
    AnadirFila(dm.cdsLineaReparacion, {{"cdsLRepFCodLinea", 2}, {"cdsLRepFPtrReparacion", 2}});
    AnadirFila(dm.cdsLineaReparacion, {{"cdsLRepFCodLinea", 3}, {"cdsLRepFPtrReparacion", 2}});
    ASSERT_TRUE(dm.cdsReparacion->Locate("cdsRepFCodReparacion", 2));
    EXPECT_EQ(dm.cdsLineaReparacion->RecordCount(), 2);
}

TEST_F(ModuloVacio, LaListaDeAlumnosLlevaSusPropiasEtiquetas) {
    EXPECT_EQ(dm.cdsAlumnoLUp->FieldByName("cdsAFApellido1")->DisplayName(), "Primer Apellido");
    EXPECT_EQ(dm.cdsAlumnoLUp->FieldByName("cdsAFCodAlumno")->DisplayName(), "Cod. Alumno");
    AnadirFila(dm.cdsAlumno, {{"cdsAFCodAlumno", 3}, {"cdsAFNombre", "Ana"}});
    dm.cdsAlumnoLUp->First();
    EXPECT_EQ(Valor(dm.cdsAlumnoLUp, "cdsAFNombre").toString(), "Ana") << "la copia comparte las filas";
}

TEST_F(ModuloVacio, LosTextosDelIdiomaSustituyenEtiquetasYValores) {
    dm.AplicarTextosIdioma();
    EXPECT_EQ(dm.cdsReparacionCalcCVirtual->DisplayName(), "T35000");
    EXPECT_EQ(dm.cdsRepFFin->DisplayName(), "T35003");
    EXPECT_EQ(dm.cdsLineaReparacionCalcComponente->DisplayName(), "T35016");
    AnadirFila(dm.cdsReparacion, {{"cdsRepFCodReparacion", 1},
                                  {"cdsRepFCorrecta", true},
                                  {"cdsRepFResp", false},
                                  {"cdsRepFTutorizada", true}});
    EXPECT_EQ(dm.cdsRepFCorrecta->DisplayText(), "Cierto35007");
    EXPECT_EQ(dm.cdsRepFResp->DisplayText(), "Falso35017");
    EXPECT_EQ(dm.cdsRepFTutorizada->DisplayText(), "Cierto35010");
    EXPECT_EQ(dm.cdsSemFTutorizada->DisplayValues, "Cierto35018;Falso35018");
}

TEST(TextosDelModulo, SinArchivoDeIdiomaLosValoresLogicosQuedanComoEnElDiseno) {
    IdiomaPrueba idioma({});
    TdmCDS modulo;
    modulo.AplicarTextosIdioma();
    EXPECT_EQ(modulo.cdsRepFResp->DisplayValues, "Reparada;No reparada");
}

struct CasoCodificado {
    const char* nombre;
    const char* tabla;
    const char* campo;
    QVariant valor;
    QString texto;
};

class CampoCodificado : public ModuloVacio, public ::testing::WithParamInterface<CasoCodificado> {};

TEST_P(CampoCodificado, MuestraSuTextoYSeEditaConSuCodigo) {
    TClientDataSet* tabla = dm.Tabla(GetParam().tabla);
    tabla->SetReadOnly(false);
    tabla->SetMasterSource(nullptr);  // the row stays in view without a master row
    tabla->Append();
    // Keep the required fields of the tables filled so that the row posts.
    for (TField* campo : tabla->Fields())
        if (campo->Required) campo->SetValue(campo->DataType() == ftString ? QVariant("x") : QVariant(1));
    tabla->FieldByName(GetParam().campo)->SetValue(GetParam().valor);
    tabla->Post();
    TField* campo = tabla->FieldByName(GetParam().campo);
    EXPECT_EQ(campo->DisplayText(), GetParam().texto);
    EXPECT_EQ(campo->Text(), campo->AsString());
}

INSTANTIATE_TEST_SUITE_P(
    Campos, CampoCodificado,
    ::testing::Values(
        CasoCodificado{"AccionX", "cdsLineaReparacion", "cdsLRepFAccion", "X", ""},
        CasoCodificado{"AccionPausa", "cdsLineaReparacion", "cdsLRepFAccion", "P", "T184"},
        CasoCodificado{"AccionVacia", "cdsLineaReparacion", "cdsLRepFAccion", QVariant(), "T163"},
        CasoCodificado{"EstadoEnCurso", "cdsReparacion", "cdsRepFEstado", "R", "T6"},
        CasoCodificado{"EstadoFinalizada", "cdsReparacion", "cdsRepFEstado", "F", "T5"},
        CasoCodificado{"NivelJefe", "cdsSintomas", "cdsSinFNivel", "J", "T165"},
        CasoCodificado{"NivelCliente", "cdsSintomas", "cdsSinFNivel", "C", "T113"},
        CasoCodificado{"SintomasCliente", "cdsGrupo", "cdsGrpFNSintomas", "J#C#", "T113"},
        CasoCodificado{"ReparacionCircuito", "cdsGrupo", "cdsGrpFNReparacion", "BL#CI#", "T112"},
        CasoCodificado{"TutorizadaNula", "cdsGrupo", "cdsGrpFTutorizada", QVariant(), ""},
        CasoCodificado{"DisfuncionNo", "cdsGrupo", "cdsGrpFDisfuncion", false, "T174"}),
    [](const auto& caso) { return std::string(caso.param.nombre); });

}  // namespace
