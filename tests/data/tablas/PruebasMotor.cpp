#include <gtest/gtest.h>

#include <QStringList>

#include "TablaPrueba.h"

using Codigos = std::vector<int>;

class Motor : public ::testing::Test {
protected:
    void SetUp() override { t.CrearConMuestra(); }
    TablaPrueba t;
};

TEST_F(Motor, CortaLosTextosAlAnchoYUnTextoVacioEsNulo) {
    t.cds.First();
    t.cds.Edit();
    t.Nombre->SetAsString("Maximiliano Segundo");
    EXPECT_EQ(t.Nombre->AsString(), "Maximilian");
    t.Nombre->SetAsString("");
    EXPECT_TRUE(t.Nombre->IsNull());
    t.cds.Cancel();
    EXPECT_EQ(t.Nombre->AsString(), "Carla");
}

TEST_F(Motor, BooleanosMuestranSusValoresYFechasSuTexto) {
    t.cds.First();
    EXPECT_EQ(t.Activo->DisplayText(), "Si");
    t.cds.Next();
    EXPECT_EQ(t.Activo->DisplayText(), "No");
    t.cds.Edit();
    t.Activo->SetAsString("Si");
    EXPECT_TRUE(t.Activo->AsBoolean());
    t.Inicio->SetAsDateTime(2.5);  // 1 January 1900, noon
    EXPECT_EQ(t.Inicio->DisplayText(), "01/01/1900 12:00:00");
    t.Codigo->SetAsString("17");
    EXPECT_EQ(t.Codigo->AsInteger(), 17);
    EXPECT_THROW(t.Codigo->SetAsString("diecisiete"), EDatabaseError);
}

TEST_F(Motor, OnGetTextSustituyeElTexto) {
    t.Grupo->OnGetText = [](TField* f, QString& texto, bool) { texto = "G" + f->AsString(); };
    t.cds.First();
    EXPECT_EQ(t.Grupo->DisplayText(), "G1");
    EXPECT_EQ(t.cds.DisplayTextAt(2, t.Grupo), "G2");
}

TEST_F(Motor, NavegaConEofYBof) {
    t.cds.First();
    EXPECT_TRUE(t.cds.Bof());
    EXPECT_EQ(t.cds.RecNo(), 1);
    int vistas = 0;
    while (!t.cds.Eof()) {
        ++vistas;
        t.cds.Next();
    }
    EXPECT_EQ(vistas, 4);
    EXPECT_EQ(t.cds.RecNo(), 4);
    t.cds.Prior();
    EXPECT_EQ(t.Codigo->AsInteger(), 2);
    t.cds.SetRecNo(2);
    EXPECT_EQ(t.Codigo->AsInteger(), 1);
    t.cds.Last();
    EXPECT_TRUE(t.cds.Eof());
    EXPECT_EQ(t.Codigo->AsInteger(), 4);
}

TEST_F(Motor, OrdenaPorCamposYPorIndiceConNombre) {
    t.cds.SetIndexFieldNames("cdsPFCodigo");
    EXPECT_EQ(t.Codigos(), (Codigos{1, 2, 3, 4}));
    t.cds.SetIndexFieldNames("cdsPFPtrGrupo;cdsPFNombre");
    EXPECT_EQ(t.Codigos(), (Codigos{2, 3, 1, 4}));
    t.cds.IndexDefs.Add("PorNombreDesc", "cdsPFNombre", ixDescending);
    t.cds.SetIndexName("PorNombreDesc");
    EXPECT_EQ(t.Codigos(), (Codigos{4, 3, 2, 1}));
    EXPECT_THROW(t.cds.SetIndexName("NoExiste"), EDatabaseError);
    // An inserted row takes its place in the order.
    t.Anadir(5, 1, "Eva");
    EXPECT_EQ(t.Codigos(), (Codigos{5, 4, 3, 2, 1}));
    EXPECT_EQ(t.Codigo->AsInteger(), 5);
}

TEST_F(Motor, InsertColocaLaFilaAntesDeLaActualEnElOrdenNatural) {
    t.cds.SetRecNo(2);
    t.cds.Insert();
    EXPECT_EQ(t.cds.RecNo(), -1);
    t.Codigo->SetAsInteger(9);
    t.cds.Post();
    EXPECT_EQ(t.Codigos(), (Codigos{3, 9, 1, 2, 4}));
    EXPECT_EQ(t.cds.RecNo(), 2);
}

TEST_F(Motor, LocateEnUnoOVariosCamposYSinMayusculas) {
    EXPECT_TRUE(t.cds.Locate("cdsPFCodigo", 2));
    EXPECT_EQ(t.Nombre->AsString(), "Bea");
    EXPECT_TRUE(t.cds.Locate("cdsPFPtrGrupo;cdsPFNombre", QVariantList{2, "Dani"}));
    EXPECT_EQ(t.Codigo->AsInteger(), 4);
    EXPECT_FALSE(t.cds.Locate("cdsPFNombre", "ana"));
    EXPECT_EQ(t.Codigo->AsInteger(), 4);
    EXPECT_TRUE(t.cds.Locate("cdsPFNombre", "ana", loCaseInsensitive));
    EXPECT_EQ(t.Codigo->AsInteger(), 1);
    EXPECT_TRUE(t.cds.Locate("cdsPFNombre", "Ca", loPartialKey));
    EXPECT_EQ(t.Codigo->AsInteger(), 3);
    // A value posted after the first search is found too.
    t.Anadir(8, 3, "Hugo");
    t.cds.First();
    EXPECT_TRUE(t.cds.Locate("cdsPFCodigo", "8"));
    EXPECT_EQ(t.Nombre->AsString(), "Hugo");
    EXPECT_EQ(t.cds.Lookup("cdsPFCodigo", 2, "cdsPFNombre").toString(), "Bea");
    EXPECT_EQ(t.Codigo->AsInteger(), 8);
}

TEST_F(Motor, BookmarksVuelvenALaFilaMientrasExiste) {
    t.cds.SetRecNo(3);
    const TBookmark marca = t.cds.GetBookmark();
    t.cds.First();
    EXPECT_TRUE(t.cds.GotoBookmark(marca));
    EXPECT_EQ(t.Codigo->AsInteger(), 2);
    t.cds.Delete();
    EXPECT_FALSE(t.cds.BookmarkValid(marca));
    EXPECT_FALSE(t.cds.GotoBookmark(marca));
}

TEST_F(Motor, DeleteVaALaSiguienteYMarcaEofEnLaUltima) {
    t.cds.SetRecNo(2);
    t.cds.Delete();
    EXPECT_EQ(t.Codigo->AsInteger(), 2);
    t.cds.Last();
    t.cds.Delete();
    EXPECT_TRUE(t.cds.Eof());
    EXPECT_EQ(t.Codigo->AsInteger(), 2);
    t.cds.First();
    while (!t.cds.IsEmpty()) t.cds.Delete();
    EXPECT_TRUE(t.cds.Eof() && t.cds.Bof());
    EXPECT_TRUE(t.Codigo->IsNull());
}

TEST_F(Motor, CampoRequeridoNuloHaceFallarElPost) {
    t.cds.Append();
    t.Nombre->SetAsString("Sin codigo");
    try {
        t.cds.Post();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().contains("cdsPFCodigo"));
    }
    EXPECT_EQ(t.cds.State(), dsInsert);
    t.cds.Cancel();
    EXPECT_EQ(t.cds.RecordCount(), 4);
}

TEST(MotorIndices, UnIndiceUnicoRechazaUnDuplicadoYElEventoDeErrorLoVe) {
    TablaPrueba t;
    t.cds.IndexDefs.Add("cdsPIndexNombre", "cdsPFNombre", ixPrimary | ixUnique);
    t.cds.CreateDataSet();
    t.Anadir(1, 1, "Ana");
    QString visto;
    t.cds.OnPostError = [&](TClientDataSet*, EDatabaseError& e, TDataAction&) { visto = e.Message(); };
    t.cds.Append();
    t.Codigo->SetAsInteger(2);
    t.Nombre->SetAsString("Ana");
    EXPECT_THROW(t.cds.Post(), EDatabaseError);
    EXPECT_TRUE(visto.contains("cdsPIndexNombre"));
    t.cds.OnPostError = [](TClientDataSet*, EDatabaseError&, TDataAction& accion) { accion = daAbort; };
    EXPECT_FALSE(t.cds.Post());
    t.Nombre->SetAsString("Berta");
    EXPECT_TRUE(t.cds.Post());
    // Editing a row without changing its key is no duplicate.
    t.cds.First();
    t.cds.Edit();
    t.Grupo->SetAsInteger(7);
    EXPECT_TRUE(t.cds.Post());
    EXPECT_EQ(t.cds.RecordCount(), 2);
}

TEST_F(Motor, UnAbortEnUnEventoPrevioCancelaEnSilencio) {
    t.cds.BeforePost = [](TClientDataSet*) { Abort(); };
    t.cds.First();
    ASSERT_TRUE(t.cds.Edit());
    t.Nombre->SetAsString("Otra");
    EXPECT_FALSE(t.cds.Post());
    EXPECT_EQ(t.cds.State(), dsEdit);
    t.cds.Cancel();
    EXPECT_EQ(t.Nombre->AsString(), "Carla");

    t.cds.BeforeDelete = [](TClientDataSet*) { Abort(); };
    EXPECT_FALSE(t.cds.Delete());
    EXPECT_EQ(t.cds.RecordCount(), 4);

    t.cds.BeforeInsert = [](TClientDataSet*) { Abort(); };
    EXPECT_FALSE(t.cds.Append());
    EXPECT_EQ(t.cds.State(), dsBrowse);

    t.cds.BeforeScroll = [](TClientDataSet*) { Abort(); };
    t.cds.Next();
    EXPECT_EQ(t.cds.RecNo(), 1);
}

TEST_F(Motor, LosEventosLleganEnOrdenYSePuedenQuitarYPoner) {
    QStringList orden;
    auto anotar = [&](const char* nombre) { return [&orden, nombre](TClientDataSet*) { orden << nombre; }; };
    t.cds.BeforeInsert = anotar("BeforeInsert");
    t.cds.AfterInsert = anotar("AfterInsert");
    t.cds.OnNewRecord = anotar("OnNewRecord");
    t.cds.BeforePost = anotar("BeforePost");
    t.cds.AfterPost = anotar("AfterPost");
    t.cds.BeforeScroll = anotar("BeforeScroll");
    t.cds.AfterScroll = anotar("AfterScroll");
    t.cds.Append();
    t.Codigo->SetAsInteger(5);
    t.cds.Post();
    EXPECT_EQ(orden, (QStringList{"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll",
                                  "BeforePost", "AfterPost"}));
    orden.clear();
    const TDataSetNotifyEvent guardado = t.cds.AfterScroll;
    t.cds.AfterScroll = nullptr;
    t.cds.First();
    t.cds.AfterScroll = guardado;
    t.cds.Next();
    EXPECT_EQ(orden, (QStringList{"BeforeScroll", "BeforeScroll", "AfterScroll"}));
}

TEST_F(Motor, UnManejadorPuedeQuitarseASiMismoMientrasCorre) {
    int veces = 0;
    t.cds.AfterPost = [&](TClientDataSet* ds) {
        ++veces;
        ds->AfterPost = nullptr;
        ds->Next();
        ds->Edit();
        ds->FieldByName("cdsPFNombre")->SetAsString("Siguiente");
        ds->Post();
    };
    t.cds.First();
    t.cds.Edit();
    t.Nombre->SetAsString("Primera");
    t.cds.Post();
    EXPECT_EQ(veces, 1);
    t.cds.First();
    EXPECT_EQ(t.Nombre->AsString(), "Primera");
    t.cds.Next();
    EXPECT_EQ(t.Nombre->AsString(), "Siguiente");
}

TEST_F(Motor, MoverseConUnaEdicionPendienteLaGuarda) {
    t.cds.First();
    t.cds.Edit();
    t.Nombre->SetAsString("Carlota");
    t.cds.Next();
    EXPECT_EQ(t.cds.State(), dsBrowse);
    t.cds.First();
    EXPECT_EQ(t.Nombre->AsString(), "Carlota");
}

TEST_F(Motor, SoloLecturaImpideModificar) {
    t.cds.SetReadOnly(true);
    EXPECT_THROW(t.cds.Edit(), EDatabaseError);
    EXPECT_THROW(t.cds.Append(), EDatabaseError);
    EXPECT_THROW(t.cds.Delete(), EDatabaseError);
    EXPECT_THROW(t.Nombre->SetAsString("x"), EDatabaseError);
    t.cds.SetReadOnly(false);
    EXPECT_TRUE(t.cds.Edit());
}

TEST_F(Motor, EmptyDataSetVaciaYUnPuntoDeGuardadoLoDeshace) {
    const int marca = t.cds.SavePoint();
    t.cds.EmptyDataSet();
    EXPECT_TRUE(t.cds.IsEmpty());
    t.cds.SetSavePoint(marca);
    EXPECT_EQ(t.Codigos(), (Codigos{3, 1, 2, 4}));
}

TEST(MotorCambios, CancelUpdatesDescartaLoNoFusionado) {
    TablaPrueba t;
    t.cds.CreateDataSet();
    t.Anadir(1, 1, "Ana");
    t.cds.MergeChangeLog();
    EXPECT_EQ(t.cds.ChangeCount(), 0);
    t.Anadir(2, 1, "Bea");
    t.cds.First();
    t.cds.Edit();
    t.Nombre->SetAsString("Anita");
    t.cds.Post();
    EXPECT_EQ(t.cds.ChangeCount(), 2);
    t.cds.CancelUpdates();
    EXPECT_EQ(t.Codigos(), (Codigos{1}));
    t.cds.First();
    EXPECT_EQ(t.Nombre->AsString(), "Ana");
    EXPECT_EQ(t.cds.ChangeCount(), 0);
}

TEST_F(Motor, UnPuntoDeGuardadoDeshaceAltasCambiosYBajasAunqueEstenFusionados) {
    t.cds.MergeChangeLog();
    const int marca = t.cds.SavePoint();
    t.Anadir(5, 3, "Eva");
    t.cds.MergeChangeLog();
    ASSERT_TRUE(t.cds.Locate("cdsPFCodigo", 1));
    t.cds.Edit();
    t.Nombre->SetAsString("Anabel");
    t.cds.Post();
    t.cds.MergeChangeLog();
    ASSERT_TRUE(t.cds.Locate("cdsPFCodigo", 3));
    t.cds.Delete();
    t.cds.MergeChangeLog();
    t.cds.SetSavePoint(marca);
    EXPECT_EQ(t.Codigos(), (Codigos{3, 1, 2, 4}));
    ASSERT_TRUE(t.cds.Locate("cdsPFCodigo", 1));
    EXPECT_EQ(t.Nombre->AsString(), "Ana");
}

TEST_F(Motor, FiltroConSusFormas) {
    t.cds.SetFilter("cdsPFPtrGrupo=1");
    t.cds.SetFiltered(true);
    EXPECT_EQ(t.Codigos(), (Codigos{3, 2}));
    EXPECT_EQ(t.Codigo->AsInteger(), 3);
    t.cds.SetFilter("cdsPFPtrGrupo = 2 and cdsPFActivo = False");
    EXPECT_EQ(t.Codigos(), (Codigos{1, 4}));
    // A posted row that no longer matches leaves the view.
    t.cds.First();
    t.cds.Edit();
    t.Activo->SetAsBoolean(true);
    t.cds.Post();
    EXPECT_EQ(t.Codigos(), (Codigos{4}));
    t.cds.SetFiltered(false);
    EXPECT_EQ(t.cds.RecordCount(), 4);
}

TEST_F(Motor, FiltroQueNoSeEntiendeDaUnErrorConSuTexto) {
    for (const QString& malo : {QString("cdsPFPtrGrupo = = 1"), QString("(cdsPFPtrGrupo = 1"),
                                QString("cdsPFNombre = 'sin cerrar"), QString("cdsPFPtrGrupo = 1 and")}) {
        try {
            t.cds.SetFilter(malo);
            ADD_FAILURE() << malo.toStdString();
        } catch (const EDatabaseError& e) {
            EXPECT_TRUE(e.Message().contains(malo)) << e.Message().toStdString();
        }
    }
    EXPECT_THROW(t.cds.SetFilter("cdsNoExiste = 1"), EDatabaseError);
    EXPECT_EQ(t.cds.Filter(), "");
}

TEST_F(Motor, AgregadosContandoYMaximoNulosSinFilas) {
    TAggregate* cuenta = t.cds.AddAggregate("Cuenta", "Count(cdsPFNombre)");
    TAggregate* todas = t.cds.AddAggregate("Todas", "Count(cdsPFInicio is not null)");
    TAggregate* maximo = t.cds.AddAggregate("MaxCod", "MAX(cdsPFCodigo)");
    EXPECT_FALSE(cuenta->Value().isValid());  // aggregates off
    t.cds.SetAggregatesActive(true);
    t.cds.First();
    t.cds.Edit();
    t.Nombre->Clear();
    t.cds.Post();
    EXPECT_EQ(cuenta->Value().toInt(), 3);
    EXPECT_EQ(todas->Value().toInt(), 4);  // the expression is never Null: every row counts
    EXPECT_EQ(maximo->Value().toInt(), 4);
    EXPECT_EQ(t.cds.FindAggregate("maxcod"), maximo);
    t.cds.EmptyDataSet();
    EXPECT_FALSE(maximo->Value().isValid());
    EXPECT_FALSE(cuenta->Value().isValid());
    EXPECT_THROW(t.cds.AddAggregate("Mal", "Cuenta(x)"), EDatabaseError);
}

TEST_F(Motor, ElClonVeLosPostsDelOtroCursorYTieneSuPropiaPosicion) {
    TClientDataSet clon("cdsClon");
    clon.CloneCursor(&t.cds);
    clon.SetIndexFieldNames("cdsPFCodigo");
    clon.Last();
    t.cds.First();
    EXPECT_EQ(clon.FieldByName("cdsPFCodigo")->AsInteger(), 4);
    t.Anadir(9, 9, "Ivan");
    EXPECT_EQ(clon.RecordCount(), 5);
    clon.Last();
    EXPECT_EQ(clon.FieldByName("cdsPFNombre")->AsString(), "Ivan");
    // And the other way round.
    clon.First();
    clon.Edit();
    clon.FieldByName("cdsPFNombre")->SetAsString("Anita");
    clon.Post();
    ASSERT_TRUE(t.cds.Locate("cdsPFCodigo", 1));
    EXPECT_EQ(t.Nombre->AsString(), "Anita");
    // The current row of a cursor shows another cursor's post without moving.
    clon.Edit();
    clon.FieldByName("cdsPFNombre")->SetAsString("Anuska");
    clon.Post();
    EXPECT_EQ(t.Nombre->AsString(), "Anuska");
    EXPECT_EQ(t.Codigo->AsInteger(), 1);
    clon.Delete();
    EXPECT_EQ(t.cds.RecordCount(), 4);
    EXPECT_NE(t.Codigo->AsInteger(), 1);
}

TEST_F(Motor, ElClonTomaOrdenYFiltroDelOrigenSalvoReset) {
    t.cds.SetIndexFieldNames("cdsPFCodigo");
    t.cds.SetFilter("cdsPFPtrGrupo = 1");
    t.cds.SetFiltered(true);
    TablaPrueba copia("cdsCopia");
    copia.cds.CloneCursor(&t.cds);
    EXPECT_EQ(copia.Codigos(), (Codigos{2, 3}));
    copia.cds.CloneCursor(&t.cds, true);
    EXPECT_EQ(copia.Codigos(), (Codigos{3, 1, 2, 4}));
}

TEST_F(Motor, CamposCalculadosPorFilaDeRejillaSinMoverNiEventos) {
    TablaPrueba c("cdsCalc");
    TField* doble = c.cds.AddField("CalcDoble", ftInteger, 0, fkCalculated);
    int calculos = 0, scrolls = 0;
    c.cds.OnCalcFields = [&](TClientDataSet*) {
        ++calculos;
        doble->SetAsInteger(c.Codigo->AsInteger() * 2);
    };
    c.cds.CreateDataSet();
    for (int i = 1; i <= 5; ++i) c.Anadir(i, 1, "x");
    c.cds.SetRecNo(2);
    c.cds.AfterScroll = [&](TClientDataSet*) { ++scrolls; };
    calculos = 0;
    for (int fila = 1; fila <= 5; ++fila) EXPECT_EQ(c.cds.ValueAt(fila, doble).toInt(), fila * 2);
    EXPECT_GE(calculos, 4);
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(c.cds.RecNo(), 2);
    EXPECT_EQ(doble->AsInteger(), 4);
    // Editing a data field computes again.
    c.cds.Edit();
    c.Codigo->SetAsInteger(10);
    EXPECT_EQ(doble->AsInteger(), 20);
    c.cds.Post();
    EXPECT_EQ(doble->AsInteger(), 20);
}

TEST(MotorCalculados, UnValorPuestoAlMostrarLaFilaSeGuardaAlEditarYNoSeOrdenaPorEl) {
    // Like CalcRandomOrden: a stored field that the calculation fills in when Null.
    TablaPrueba t;
    TField* orden = t.cds.AddField("CalcRandomOrden", ftInteger);
    t.cds.CreateDataSet();
    for (int i = 1; i <= 3; ++i) t.Anadir(i, 1, "x");
    int siguiente = 100;
    t.cds.OnCalcFields = [&](TClientDataSet*) {
        if (orden->IsNull()) orden->SetAsInteger(siguiente--);
    };
    t.cds.SetIndexFieldNames("CalcRandomOrden;cdsPFCodigo");
    EXPECT_EQ(t.Codigos(), (std::vector<int>{1, 2, 3}));  // sorted on the stored Nulls
    t.cds.First();
    const int mostrado = orden->AsInteger();
    EXPECT_TRUE(orden->OldValue().isNull());
    t.cds.Next();
    t.cds.First();
    EXPECT_NE(orden->AsInteger(), mostrado);  // shown again, computed again
    const int guardado = orden->AsInteger();
    t.cds.Edit();
    t.Nombre->SetAsString("y");
    t.cds.Post();
    EXPECT_EQ(orden->AsInteger(), guardado);
    EXPECT_EQ(orden->OldValue().toInt(), guardado);
    t.cds.Last();
    EXPECT_EQ(t.Codigo->AsInteger(), 1);  // now sorted after the Nulls
    EXPECT_EQ(orden->AsInteger(), guardado);
}

TEST(MotorCalculados, CampoDeBusquedaDesdeOtroCursorSinMoverlo) {
    TablaPrueba grupos("cdsGrupos");
    grupos.cds.CreateDataSet();
    grupos.Anadir(1, 0, "Primero");
    grupos.Anadir(2, 0, "Segundo");
    grupos.cds.First();
    TablaPrueba miembros("cdsMiembros");
    TField* nombreGrupo = miembros.cds.AddLookupField("LookUpGrupo", ftString, 20, "cdsPFPtrGrupo",
                                                      &grupos.cds, "cdsPFCodigo", "cdsPFNombre");
    miembros.cds.CreateDataSet();
    miembros.Anadir(10, 2, "m");
    miembros.Anadir(11, 3, "n");
    miembros.cds.First();
    EXPECT_EQ(nombreGrupo->AsString(), "Segundo");
    EXPECT_EQ(grupos.cds.RecNo(), 1);
    EXPECT_TRUE(miembros.cds.ValueAt(2, nombreGrupo).isNull());
    EXPECT_EQ(nombreGrupo->FieldKind(), fkLookup);
}

TEST(MotorMaestroDetalle, ElDetalleSigueCadaMovimientoDelMaestro) {
    TablaPrueba maestro("cdsMaestro");
    maestro.cds.CreateDataSet();
    maestro.Anadir(1, 0, "G1");
    maestro.Anadir(2, 0, "G2");
    maestro.Anadir(3, 0, "G3");
    TDataSource dsMaestro(&maestro.cds);
    TablaPrueba detalle("cdsDetalle");
    detalle.cds.CreateDataSet();
    detalle.Anadir(10, 1, "a");
    detalle.Anadir(11, 2, "b");
    detalle.Anadir(12, 1, "c");
    detalle.cds.SetIndexFieldNames("cdsPFPtrGrupo");
    detalle.cds.SetMasterFields("cdsPFCodigo");
    detalle.cds.SetMasterSource(&dsMaestro);
    int scrolls = 0;
    detalle.cds.AfterScroll = [&](TClientDataSet*) { ++scrolls; };
    maestro.cds.First();
    EXPECT_EQ(detalle.Codigos(), (Codigos{10, 12}));
    maestro.cds.Next();
    EXPECT_EQ(detalle.Codigos(), (Codigos{11}));
    EXPECT_EQ(detalle.Codigo->AsInteger(), 11);
    maestro.cds.Next();
    EXPECT_TRUE(detalle.cds.IsEmpty());
    EXPECT_GE(scrolls, 3);
    // A row added to the detail for the current master shows at once.
    detalle.Anadir(13, 3, "d");
    EXPECT_EQ(detalle.Codigos(), (Codigos{13}));
    // An empty master shows no detail rows.
    maestro.cds.EmptyDataSet();
    EXPECT_TRUE(detalle.cds.IsEmpty());
}

TEST(MotorMaestroDetalle, UnDataSourceAvisaASusOyentes) {
    TablaPrueba t;
    t.cds.CreateDataSet();
    TDataSource ds(&t.cds);
    std::vector<TDataEvent> eventos;
    const int id = ds.Conectar([&](TDataEvent e, TField*) { eventos.push_back(e); });
    t.Anadir(1, 1, "a");
    EXPECT_FALSE(eventos.empty());
    ds.Desconectar(id);
    eventos.clear();
    t.Anadir(2, 1, "b");
    EXPECT_TRUE(eventos.empty());
}

TEST(MotorApertura, AbrirSinDatosNiArchivoDaElErrorDelMotor) {
    TablaPrueba t;
    t.cds.SetFileName("/no/existe/cdsPrueba.cds");
    try {
        t.cds.Open();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Missing data provider or data packet");
    }
    EXPECT_FALSE(t.cds.Active());
}

TEST(MotorApertura, FieldByNameDeUnCampoQueNoExisteNombraCampoYTabla) {
    TablaPrueba t;
    try {
        t.cds.FieldByName("cdsNada");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().contains("cdsNada"));
        EXPECT_TRUE(e.Message().contains("cdsPrueba"));
    }
}
