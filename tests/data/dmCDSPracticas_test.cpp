#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <map>
#include <tuple>

#include "Cadenas.h"
#include "Idioma.h"
#include "InstalacionPrueba.h"
#include "RutasDatos.h"

namespace {

constexpr double kMinuto = 1.0 / (24 * 60);
// 10:00 of a working day.
constexpr double kInicio = 45000.0 + 10.0 / 24;
constexpr int kGrupo = 1;
constexpr int kAveria = 30;
constexpr int kEquipo = 1;
const QString kPasswordSubgrupo = QStringLiteral("SUB001");

class Practicas : public Almacen {
protected:
    void SetUp() override {
        EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
        Abrir();
    }

    // A new student of the group; returns the code it was given.
    int AnadirMiembro(const char* nombre) {
        AnadirFila(dm.cdsAlumno, {{"cdsAFNombre", nombre}, {"cdsAFGrupos", "1#"}});
        const int codigo = dm.cdsAFCodAlumno->AsInteger();
        AnadirFila(dm.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", kGrupo}, {"cdsGrpAlFPtrAlumno", codigo}});
        return codigo;
    }

    // One subgroup row per member, all of the same subgroup; returns its code.
    int AnadirSubgrupo(const std::vector<int>& miembros) {
        int codigo = 0;
        dm.cdsSubgrupo->SetReadOnly(false);
        for (int alumno : miembros) {
            EXPECT_TRUE(dm.cdsSubgrupo->Append());
            if (codigo == 0) codigo = dm.cdsSubFCodSubgrupo->AsInteger();
            dm.cdsSubFCodSubgrupo->SetAsInteger(codigo);
            dm.cdsSubFNombre->SetAsString("Equipo A");
            dm.cdsSubFPassword->SetAsString(kPasswordSubgrupo);
            dm.cdsSubFPtrAlumno->SetAsInteger(alumno);
            EXPECT_TRUE(dm.cdsSubgrupo->Post());
        }
        return codigo;
    }

    void EmpezarPractica(const QVariant& subgrupo) {
        dm.NuevaReparacion(dm.cdsAFCodAlumno->AsInteger(), kGrupo, true, "BL#CI#", "J#", "R", kInicio,
                           kEquipo, kAveria, subgrupo);
    }

    bool Linea(const char* accion, double desde, double hasta, int diagnostico = 1) {
        return dm.NuevaLineaReparacion(dm.cdsRepFCodReparacion->AsInteger(), diagnostico, QString(), accion,
                                       hasta, desde, QVariant(), QVariant(), QVariant());
    }

    void Terminar(double fin) {
        ASSERT_TRUE(dm.cdsReparacion->Edit());
        dm.cdsRepFFin->SetAsDateTime(fin);
        dm.cdsRepFEstado->SetAsString("F");
        dm.cdsRepFDuracion->SetAsString(dm.CalcularDuracion());
        ASSERT_TRUE(dm.cdsReparacion->Post());
    }

    QString ArchivoPracticas(int alumno) const {
        return RutasDatos::ArchivoReparacion(FormatoCodigo(alumno));
    }
    QString ArchivoLineas(int alumno) const {
        return RutasDatos::ArchivoLineaReparacion(FormatoCodigo(alumno));
    }
};

TEST_F(Practicas, UnaPracticaDeSubgrupoQuedaEnElHistoricoDeCadaMiembro) {
    const int luis = AnadirMiembro("Luis");
    const int marta = AnadirMiembro("Marta");
    const int subgrupo = AnadirSubgrupo({7, luis, marta});

    dm.cdsAlumno->Locate("cdsAFCodAlumno", 7);
    dm.cdsAlumno->Edit();
    dm.cdsAFPassword->SetAsString("AL007");
    dm.cdsAlumno->Post();
    const TdmCDS::ResultadoPassword individual = dm.ComprobarPassword(kGrupo, "AL007");
    EXPECT_TRUE(individual.aceptado);
    EXPECT_EQ(individual.tipo, 1);
    EXPECT_EQ(dm.cdsAFCodAlumno->AsInteger(), 7);

    const TdmCDS::ResultadoPassword acceso = dm.ComprobarPassword(kGrupo, kPasswordSubgrupo);
    ASSERT_TRUE(acceso.aceptado);
    EXPECT_EQ(acceso.tipo, 2);
    const int registrado = dm.cdsAFCodAlumno->AsInteger();
    dm.AbrirHistoricoSiExiste(FormatoCodigo(registrado));
    ASSERT_TRUE(QFileInfo::exists(ArchivoPracticas(registrado)));

    EmpezarPractica(subgrupo);
    ASSERT_EQ(dm.cdsReparacion->RecordCount(), 1);
    const int practica = dm.cdsRepFCodReparacion->AsInteger();
    EXPECT_EQ(practica, 1);
    ASSERT_TRUE(Linea("R", kInicio + 2 * kMinuto, kInicio + 4 * kMinuto, 1));
    ASSERT_TRUE(Linea("A", kInicio + 4 * kMinuto, kInicio + 5 * kMinuto, 1));
    ASSERT_TRUE(Linea("P", kInicio + 5 * kMinuto, kInicio + 15 * kMinuto, 1));
    Terminar(kInicio + 30 * kMinuto);
    EXPECT_EQ(dm.cdsRepFDuracion->AsString(), "0d 00:20:00");

    dm.CopiarReparacionSubgrupo();

    for (int alumno : {7, luis, marta}) {
        SCOPED_TRACE(alumno);
        TClientDataSet practicas;
        practicas.LoadFromFile(ArchivoPracticas(alumno));
        ASSERT_EQ(practicas.RecordCount(), 1);
        EXPECT_EQ(Valor(&practicas, "cdsRepFCodReparacion"), QVariant(practica));
        EXPECT_EQ(Valor(&practicas, "cdsRepFPtrAlumno"), QVariant(alumno));
        EXPECT_EQ(Valor(&practicas, "cdsRepFPtrSubgrupo"), QVariant(subgrupo));
        EXPECT_EQ(Valor(&practicas, "cdsRepFEstado"), QVariant("F"));
        EXPECT_EQ(Valor(&practicas, "cdsRepFDuracion"), QVariant("0d 00:20:00"));
        EXPECT_EQ(Valor(&practicas, "cdsRepFNReparacion"), QVariant("BL#CI#"));
        TClientDataSet lineas;
        lineas.LoadFromFile(ArchivoLineas(alumno));
        ASSERT_EQ(lineas.RecordCount(), 3);
        QStringList acciones;
        for (lineas.First(); !lineas.Eof(); lineas.Next()) {
            EXPECT_EQ(Valor(&lineas, "cdsLRepFPtrReparacion"), QVariant(practica));
            acciones << Valor(&lineas, "cdsLRepFAccion").toString();
        }
        acciones.sort();
        EXPECT_EQ(acciones, QStringList({"A", "P", "R"}));
    }
    // The logged member's own files still have their one practice.
    EXPECT_EQ(dm.cdsRepFPtrAlumno->AsInteger(), registrado);
}

TEST_F(Practicas, CopiarDosVecesNoDuplicaYRespetaOtraPracticaDelMiembro) {
    const int luis = AnadirMiembro("Luis");
    // Luis practised alone before: his practice 1 is not the subgroup's.
    dm.cdsAlumno->Locate("cdsAFCodAlumno", luis);
    dm.AbrirHistoricoSiExiste(FormatoCodigo(luis));
    EmpezarPractica(QVariant());
    const int subgrupo = AnadirSubgrupo({7, luis});
    ASSERT_TRUE(dm.ComprobarPassword(kGrupo, kPasswordSubgrupo).aceptado);
    dm.cdsAlumno->Locate("cdsAFCodAlumno", 7);
    dm.AbrirHistoricoSiExiste("007");
    EmpezarPractica(subgrupo);
    ASSERT_TRUE(Linea("R", kInicio, kInicio + kMinuto));
    dm.CopiarReparacionSubgrupo();
    Terminar(kInicio + 20 * kMinuto);
    dm.CopiarReparacionSubgrupo();

    TClientDataSet practicas;
    practicas.LoadFromFile(ArchivoPracticas(luis));
    ASSERT_EQ(practicas.RecordCount(), 2);
    ASSERT_TRUE(practicas.Locate("cdsRepFPtrSubgrupo", subgrupo));
    EXPECT_EQ(Valor(&practicas, "cdsRepFEstado"), QVariant("F"));
    const QVariant copia = Valor(&practicas, "cdsRepFCodReparacion");
    EXPECT_NE(copia, QVariant(1));
    TClientDataSet lineas;
    lineas.LoadFromFile(ArchivoLineas(luis));
    ASSERT_EQ(lineas.RecordCount(), 1);
    EXPECT_EQ(Valor(&lineas, "cdsLRepFPtrReparacion"), copia);
}

TEST_F(Practicas, UnaLineaSinFechasLasDejaVacias) {
    dm.AbrirHistoricoSiExiste("007");
    EmpezarPractica(QVariant());
    ASSERT_TRUE(dm.NuevaLineaReparacion(dm.cdsRepFCodReparacion->AsInteger(), 2, "mide\r\nla tension", "A", 0,
                                        0, QVariant(5), QVariant(), QVariant(3)));
    EXPECT_TRUE(dm.cdsLRepFInicio->IsNull());
    EXPECT_TRUE(dm.cdsLRepFFin->IsNull());
    EXPECT_TRUE(dm.cdsLRepFCircuito->IsNull());
    EXPECT_EQ(dm.cdsLRepFComponente->Value(), QVariant(5));
    EXPECT_EQ(dm.cdsLRepFBloque->Value(), QVariant(3));
    EXPECT_EQ(dm.cdsLRepFNumDiagnostico->Value(), QVariant(2));
    EXPECT_EQ(dm.cdsLRepFComentarios->AsString(), "mide\r\nla tension");
    EXPECT_EQ(FilasEnArchivo(ArchivoLineas(7)), 1);
}

TEST_F(Practicas, LaPracticaDelProfesorNoDejaRastro) {
    dm.AbrirHistorico(RutasDatos::kProfesor);
    EmpezarPractica(QVariant());
    ASSERT_TRUE(Linea("R", kInicio, kInicio + kMinuto));
    EXPECT_EQ(dm.cdsReparacion->RecordCount(), 1);
    EXPECT_EQ(FilasEnArchivo(Ruta("BDs/cdsReparacion.cds")), 0);
    dm.AbrirHistoricoSiExiste("007");
    dm.AbrirHistorico(RutasDatos::kProfesor);
    EXPECT_TRUE(dm.cdsReparacion->IsEmpty());
    EXPECT_EQ(FilasEnArchivo(Ruta("BDs/cdsReparacion.cds")), 0);
    EXPECT_EQ(FilasEnArchivo(Ruta("BDs/cdsLineaReparacion.cds")), 0);
}

struct CasoDuracion {
    double minutos;
    double pausaDesde, pausaHasta;  // minutes from the start; hasta < 0: a pause left open
    const char* texto;
};

class Duraciones : public Practicas, public ::testing::WithParamInterface<CasoDuracion> {};

TEST_P(Duraciones, SeDescuentanLasPausasCerradas) {
    const CasoDuracion& caso = GetParam();
    dm.AbrirHistoricoSiExiste("007");
    EmpezarPractica(QVariant());
    if (caso.pausaHasta != 0) {
        ASSERT_TRUE(Linea("P", kInicio + caso.pausaDesde * kMinuto,
                          caso.pausaHasta < 0 ? 0 : kInicio + caso.pausaHasta * kMinuto));
    }
    ASSERT_TRUE(Linea("R", kInicio + kMinuto, kInicio + 2 * kMinuto));
    ASSERT_TRUE(dm.cdsReparacion->Edit());
    dm.cdsRepFFin->SetAsDateTime(kInicio + caso.minutos * kMinuto);
    EXPECT_EQ(dm.CalcularDuracion(), caso.texto);
    dm.cdsReparacion->Cancel();
}

INSTANTIATE_TEST_SUITE_P(Practicas, Duraciones,
                         ::testing::Values(CasoDuracion{30, 5, 15, "0d 00:20:00"},
                                           CasoDuracion{26 * 60, 0, 0, "1d 02:00:00"},
                                           CasoDuracion{12 + 34.0 / 60, 0, 0, "0d 00:12:34"},
                                           CasoDuracion{30, 5, -1, "0d 00:30:00"}));

TEST_F(Practicas, LaListaDeSintomasTerminaCadaUnoConSaltoYRetorno) {
    AnadirFila(dm.cdsSintomas,
               {{"cdsSinFPtrIdAveria", kAveria}, {"cdsSinFNivel", "J"}, {"cdsSinFDescripcion", "A"}});
    AnadirFila(dm.cdsSintomas,
               {{"cdsSinFPtrIdAveria", kAveria}, {"cdsSinFNivel", "C"}, {"cdsSinFDescripcion", "B"}});
    dm.cdsSintomas->First();
    EXPECT_EQ(dm.ListaSintomas(), "A\n\rB\n\r");
    EXPECT_EQ(dm.cdsSinFDescripcion->AsString(), "A");
}

TEST_F(Practicas, SinEquiposActivadosLaListaQuedaVacia) {
    dm.FiltrarEquiposActivos();
    EXPECT_TRUE(dm.cdsEquipo->IsEmpty());
    dm.QuitarFiltro(dm.cdsEquipo);
    dm.cdsEquipo->Edit();
    dm.cdsEFActivado->SetAsBoolean(true);
    dm.cdsEquipo->Post();
    // Inserting a row would reload the catalogue of a trainer without folder yet.
    dm.cdsEquipo->AfterScroll = nullptr;
    AnadirFila(dm.cdsEquipo,
               {{"cdsEFCodEquipo", 2}, {"cdsEFDescripcion", "Coche"}, {"cdsEFActivado", false}});
    int recargas = 0;
    dm.cdsEquipo->AfterScroll = [&recargas](TClientDataSet*) { ++recargas; };
    dm.FiltrarEquiposActivos();
    ASSERT_EQ(dm.cdsEquipo->RecordCount(), 1);
    EXPECT_EQ(dm.cdsEFCodEquipo->AsInteger(), 1);
    EXPECT_EQ(recargas, 0);
}

TEST_F(Practicas, LosAlumnosDeUnSubgrupoYSusSubgrupos) {
    const int luis = AnadirMiembro("Luis");
    AnadirMiembro("Marta");
    AnadirSubgrupo({7, luis});
    dm.FiltrarAlumnosGrupo();
    EXPECT_EQ(dm.cdsAlumnoLUp->RecordCount(), 3);
    dm.FiltrarAlumnosSubgrupo();
    EXPECT_EQ(dm.cdsAlumnoLUp->RecordCount(), 2);
    EXPECT_EQ(dm.ListaSubgruposAlumno(), "Equipo A, ");
}

TEST_F(Practicas, LasDescripcionesSeBuscanSinMoverYVaciasSiNoEstan) {
    AnadirFila(dm.cdsBloque,
               {{"cdsBloFCodBloque", 1}, {"cdsBloFPtrEquipo", kEquipo}, {"cdsBloFDescripcion", "Arranque"}});
    AnadirFila(dm.cdsBloque,
               {{"cdsBloFCodBloque", 2}, {"cdsBloFPtrEquipo", kEquipo}, {"cdsBloFDescripcion", "Carga"}});
    AnadirFila(dm.cdsCircuitoLoc, {{"cdsCFCodCircuito", 3},
                                   {"cdsCFPtrEquipo", kEquipo},
                                   {"cdsCFPtrBloque", 1},
                                   {"cdsCFDescripcion", "Motor de arranque"}});
    // A placed element takes its name from the element catalogue.
    AnadirFila(dm.cdsElemento, {{"cdsElemFCodElemento", 8},
                                {"cdsElemFPtrEquipo", kEquipo},
                                {"cdsElemFDescripcion", "Rele de arranque"}});
    AnadirFila(dm.cdsComponenteLoc, {{"cdsComFIdComponente", 1},
                                     {"cdsComFCodComponente", 8},
                                     {"cdsComFPtrEquipo", kEquipo},
                                     {"cdsComFPtrBloque", 1},
                                     {"cdsComFPtrCircuito", 3}});
    dm.cdsBloque->First();
    EXPECT_EQ(dm.DescripcionBloque(2), "Carga");
    EXPECT_EQ(dm.cdsBloFCodBloque->AsInteger(), 1);
    EXPECT_EQ(dm.DescripcionBloque(9), "");
    EXPECT_EQ(dm.DescripcionCircuito(3), "Motor de arranque");
    EXPECT_EQ(dm.DescripcionComponente(8), "Rele de arranque");
    EXPECT_EQ(dm.DescripcionComponente(QVariant()), "");
}

TEST_F(Practicas, LaListaDeUnSubgrupoNombraACadaMiembro) {
    const int luis = AnadirMiembro("Luis");
    AnadirSubgrupo({7, luis});
    ASSERT_TRUE(dm.ComprobarPassword(kGrupo, kPasswordSubgrupo).aceptado);
    const QString lista = dm.ListaAlumnosSubgrupo();
    EXPECT_TRUE(lista.endsWith(", "));
    EXPECT_TRUE(lista.contains("Ana"));
    EXPECT_TRUE(lista.contains("Luis"));
    EXPECT_EQ(lista.count(", "), 2);
}

TEST_F(Practicas, BorrarElHistoricoDeUnGrupoDejaElDeOtros) {
    dm.AbrirHistoricoSiExiste("007");
    EmpezarPractica(QVariant());
    ASSERT_TRUE(Linea("R", kInicio, kInicio + kMinuto));
    dm.NuevaReparacion(7, 2, false, "BL#", "J#", "R", kInicio + 1, kEquipo, kAveria, QVariant());
    ASSERT_EQ(FilasEnArchivo(ArchivoPracticas(7)), 2);
    dm.BorrarHistoricoAlumnoGrupo(7, kGrupo);
    EXPECT_EQ(FilasEnArchivo(ArchivoPracticas(7)), 1);
    EXPECT_EQ(FilasEnArchivo(ArchivoLineas(7)), 0);
    ASSERT_TRUE(dm.cdsReparacion->Active());
    EXPECT_EQ(dm.cdsReparacion->RecordCount(), 1);
    EXPECT_EQ(dm.cdsRepFPtrGrupo->AsInteger(), 2);
}

TEST_F(Practicas, UnaTablaCopiadaTieneLaEstructuraYLasFilasDelFiltro) {
    AnadirMiembro("Luis");
    const QString destino = Ruta("export/");
    QDir().mkpath(destino);
    dm.CopiarTabla(dm.cdsAlumno, dm.cdsCopy, true, destino, "cdsAFCodAlumno = 7");
    EXPECT_FALSE(dm.cdsAlumno->Filtered());
    EXPECT_EQ(dm.cdsAlumno->RecordCount(), 2);
    TClientDataSet copia;
    copia.LoadFromFile(destino + "cdsAlumno.cds");
    ASSERT_EQ(copia.RecordCount(), 1);
    EXPECT_EQ(Valor(&copia, "cdsAFCodAlumno"), QVariant(7));
    EXPECT_EQ(Valor(&copia, "cdsAFNombre"), QVariant("Ana"));
}

TEST_F(Practicas, LosTextosDeUnaAveriaSonLosDeSuPrimeraPractica) {
    dm.AbrirHistoricoSiExiste("007");
    EmpezarPractica(QVariant());
    Terminar(kInicio + 20 * kMinuto);
    dm.NuevaReparacion(7, kGrupo, false, "BL#", "J#C#", "R", kInicio + 1, kEquipo, kAveria + 1, QVariant());
    // The current practice, of the second fault, has no duration yet.
    EXPECT_EQ(dm.DuracionAveria(kAveria, true), "");
    EXPECT_EQ(dm.TextoNSintomasAveria(kAveria, true), Texto(165));
    EXPECT_EQ(dm.cdsRepFPtrIdAveria->AsInteger(), kAveria);
    EXPECT_EQ(dm.DuracionAveria(kAveria, true), "0d 00:20:00");
    EXPECT_EQ(dm.TextoNReparacionAveria(kAveria + 1, false), Texto(111));
    EXPECT_EQ(dm.TextoTutorizadaAveria(kAveria, false), "");
}

TEST_F(Practicas, UnaPracticaCanceladaDevuelveSuCodigo) {
    dm.AbrirHistoricoSiExiste("007");
    EmpezarPractica(QVariant());
    ASSERT_TRUE(dm.cdsReparacion->Append());
    EXPECT_EQ(dm.SiguienteCodigo(dm.cdsReparacion, true), 2);
    ASSERT_TRUE(dm.cdsReparacion->Cancel());
    ASSERT_TRUE(dm.cdsCodigos->Locate("cdsCodFTabla", "cdsReparacion"));
    EXPECT_EQ(dm.cdsCodFUltimo->AsInteger(), 1);
    EXPECT_EQ(FilasEnArchivo(ArchivoPracticas(7)), 1);
}

struct CasoNombreCopia {
    const char* usuario;
    const char* archivo;
};

class NombresDeCopia : public Practicas, public ::testing::WithParamInterface<CasoNombreCopia> {};

TEST_P(NombresDeCopia, UnaTablaDePracticasConservaElCodigoDelAlumno) {
    dm.AbrirHistoricoSiExiste(GetParam().usuario);
    const QString destino = Ruta("export/");
    dm.CrearTablaComo(dm.cdsLineaReparacion, dm.cdsCopy, destino);
    EXPECT_EQ(dm.cdsCopy->FileName(), destino + GetParam().archivo);
    EXPECT_TRUE(dm.cdsCopy->IsEmpty());
    EXPECT_NE(dm.cdsCopy->FindField("cdsLRepFNumDiagnostico"), nullptr);
    EXPECT_EQ(dm.cdsCopy->IndexDefs.Count(), dm.cdsLineaReparacion->IndexDefs.Count());
}

INSTANTIATE_TEST_SUITE_P(Practicas, NombresDeCopia,
                         ::testing::Values(CasoNombreCopia{"012", "cdsLineaReparacion012.cds"},
                                           CasoNombreCopia{"1234", "cdsLineaReparacion1234.cds"}));

TEST_F(Practicas, LasSemillasNuevasSeFiltranPorEquipoYTutoria) {
    dm.NuevaSemilla(1, kGrupo, true, 101, kAveria, kEquipo);
    dm.NuevaSemilla(1, kGrupo, false, 102, kAveria, kEquipo);
    dm.NuevaSemilla(1, kGrupo, true, 103, kAveria, 2);
    EXPECT_EQ(FilasEnArchivo(CarpetaGrupo() + "cdsSemilla.cds"), 3);
    // A group without a tutoring choice sees both kinds.
    dm.FiltrarSemillas();
    EXPECT_EQ(dm.cdsSemilla->RecordCount(), 2);
    ASSERT_TRUE(dm.cdsGrupo->Edit());
    dm.cdsGrpFTutorizada->SetAsBoolean(true);
    ASSERT_TRUE(dm.cdsGrupo->Post());
    dm.FiltrarSemillas();
    ASSERT_EQ(dm.cdsSemilla->RecordCount(), 1);
    EXPECT_EQ(dm.cdsSemFCodVirtual->AsInteger(), 101);
    EXPECT_FALSE(dm.cdsSemFIdSemilla->IsNull());
}

TEST_F(Practicas, RecodificarUnAlumnoRepetidoLeDaUnCodigoLibreYSusFilas) {
    const QString importado = Ruta("import/");
    {
        TdmCDS origen;
        origen.CrearTablasVacias();
        AnadirFila(origen.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 9}, {"cdsGrpAlFPtrAlumno", 7}});
        AnadirFila(origen.cdsSubgrupo, {{"cdsSubFCodSubgrupo", 4},
                                        {"cdsSubFNombre", "Equipo B"},
                                        {"cdsSubFPtrGrupo", 9},
                                        {"cdsSubFPtrAlumno", 7},
                                        {"cdsSubFPassword", "SUB004"}});
        AnadirFila(origen.cdsSubgrupo,
                   {{"cdsSubFCodSubgrupo", 5}, {"cdsSubFNombre", "Otro"}, {"cdsSubFPtrAlumno", 8}});
        QDir().mkpath(importado);
        origen.cdsGrupoAlumno->SaveToFile(importado + "cdsGrupoAlumno.cds");
        origen.cdsSubgrupo->SaveToFile(importado + "cdsSubgrupo.cds");
    }
    const int nuevo = dm.RecodificarAlumno(dm.cdsAlumno, 7, "2", importado);
    EXPECT_EQ(nuevo, 1);
    TClientDataSet miembros;
    miembros.LoadFromFile(importado + "cdsGrupoAlumno2.cds");
    ASSERT_EQ(miembros.RecordCount(), 1);
    EXPECT_EQ(Valor(&miembros, "cdsGrpAlFPtrGrupo"), QVariant(2));
    EXPECT_EQ(Valor(&miembros, "cdsGrpAlFPtrAlumno"), QVariant(1));
    TClientDataSet subgrupos;
    subgrupos.LoadFromFile(importado + "cdsSubgrupo2.cds");
    ASSERT_EQ(subgrupos.RecordCount(), 1);
    EXPECT_EQ(Valor(&subgrupos, "cdsSubFCodSubgrupo"), QVariant(4));
    EXPECT_EQ(Valor(&subgrupos, "cdsSubFPassword"), QVariant("SUB004"));
    EXPECT_EQ(Valor(&subgrupos, "cdsSubFPtrAlumno"), QVariant(1));
    EXPECT_EQ(Valor(&subgrupos, "cdsSubFPtrGrupo"), QVariant(2));
    // The imported files themselves are untouched.
    EXPECT_EQ(FilasEnArchivo(importado + "cdsSubgrupo.cds"), 2);
}

TEST_F(Practicas, LasLineasDeLasPracticasFiltradasSeCopian) {
    dm.AbrirHistoricoSiExiste("007");
    EmpezarPractica(QVariant());
    ASSERT_TRUE(Linea("R", kInicio, kInicio + kMinuto));
    ASSERT_TRUE(Linea("A", kInicio, kInicio + kMinuto));
    dm.NuevaReparacion(7, 2, true, "BL#", "J#", "R", kInicio + 1, kEquipo, kAveria, QVariant());
    ASSERT_TRUE(Linea("R", kInicio + 1, kInicio + 1 + kMinuto));
    const QString destino = Ruta("export/");
    QDir().mkpath(destino);
    dm.CopiarTablaDetalle(dm.cdsLineaReparacion, dm.cdsCopy, destino, "cdsRepFPtrGrupo = 1");
    TClientDataSet copia;
    copia.LoadFromFile(destino + "cdsLineaReparacion007.cds");
    EXPECT_EQ(copia.RecordCount(), 2);
    EXPECT_FALSE(dm.cdsReparacion->Filtered());
}

TEST_F(Practicas, VaciarUnaTablaLaDejaSinFilas) {
    AnadirMiembro("Luis");
    TdmCDS::VaciarTabla(dm.cdsAlumno);
    EXPECT_TRUE(dm.cdsAlumno->IsEmpty());
    EXPECT_EQ(FilasEnArchivo(Ruta("BDs/cdsAlumno.cds")), 0);
}

}  // namespace

namespace {

// The road of a subgroup practice on the demo installation that averias-datos writes.
TEST(PracticaEnLaDemo, UnaPracticaDeSubgrupoLlegaAlHistoricoDelOtroMiembro) {
    CarpetaTemporal carpeta;
    const QString raiz = carpeta.ruta() + "/demo";
    QProcess demo;
    demo.start(carpetaProgramas() + "/averias-datos", {"demo", raiz});
    ASSERT_TRUE(demo.waitForFinished(60000));
    ASSERT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
    InstalacionTemporal instalacion(raiz);
    IdiomaPrueba idioma(TextosDelModulo());
    MensajesGrabados mensajes;
    TdmCDS dm;
    ASSERT_TRUE(dm.AbrirTablas()) << mensajes.textos().join("\n").toStdString();

    const TdmCDS::ResultadoPassword alumno = dm.ComprobarPassword(1, "AL001");
    EXPECT_TRUE(alumno.aceptado);
    EXPECT_EQ(alumno.tipo, 1);
    const TdmCDS::ResultadoPassword subgrupo = dm.ComprobarPassword(1, "SUB001");
    ASSERT_TRUE(subgrupo.aceptado);
    ASSERT_EQ(subgrupo.tipo, 2);
    ASSERT_EQ(dm.cdsSubgrupo->RecordCount(), 2);
    const int registrado = dm.cdsAFCodAlumno->AsInteger();
    int otro = 0;
    for (dm.cdsSubgrupo->First(); !dm.cdsSubgrupo->Eof(); dm.cdsSubgrupo->Next())
        if (dm.cdsSubFPtrAlumno->AsInteger() != registrado) otro = dm.cdsSubFPtrAlumno->AsInteger();
    ASSERT_NE(otro, 0);
    dm.cdsSubgrupo->First();

    // The demo's histories already hold the subgroup's earlier practices.
    std::map<int, std::pair<int, int>> antes;
    for (int miembro : {registrado, otro}) {
        TClientDataSet practicas, lineas;
        practicas.LoadFromFile(RutasDatos::ArchivoReparacion(FormatoCodigo(miembro)));
        lineas.LoadFromFile(RutasDatos::ArchivoLineaReparacion(FormatoCodigo(miembro)));
        antes[miembro] = {practicas.RecordCount(), lineas.RecordCount()};
    }

    dm.AbrirHistoricoSiExiste(FormatoCodigo(registrado));
    EXPECT_TRUE(QFileInfo::exists(RutasDatos::ArchivoLineaReparacion(FormatoCodigo(registrado))));
    const int averia = dm.cdsAvFIdAveria->AsInteger();
    dm.NuevaReparacion(registrado, 1, true, "BL#CI#CO#", "J#C#", "R", kInicio, dm.cdsEFCodEquipo->AsInteger(),
                       averia, dm.cdsSubFCodSubgrupo->Value());
    ASSERT_EQ(dm.cdsReparacion->RecordCount(), antes[registrado].first + 1);
    const int practica = dm.cdsRepFCodReparacion->AsInteger();
    for (const auto& [accion, desde, hasta] :
         {std::tuple{"R", 1, 3}, std::tuple{"P", 3, 8}, std::tuple{"A", 8, 9}})
        ASSERT_TRUE(dm.NuevaLineaReparacion(practica, 1, QString(), accion, kInicio + hasta * kMinuto,
                                            kInicio + desde * kMinuto, QVariant(), QVariant(), QVariant()));
    ASSERT_TRUE(dm.cdsReparacion->Edit());
    dm.cdsRepFFin->SetAsDateTime(kInicio + 25 * kMinuto);
    dm.cdsRepFEstado->SetAsString("F");
    dm.cdsRepFCorrecta->SetAsBoolean(true);
    dm.cdsRepFDuracion->SetAsString(dm.CalcularDuracion());
    ASSERT_TRUE(dm.cdsReparacion->Post());
    EXPECT_EQ(dm.cdsRepFDuracion->AsString(), "0d 00:20:00");
    dm.CopiarReparacionSubgrupo();

    for (int miembro : {registrado, otro}) {
        SCOPED_TRACE(miembro);
        TClientDataSet practicas;
        practicas.LoadFromFile(RutasDatos::ArchivoReparacion(FormatoCodigo(miembro)));
        ASSERT_EQ(practicas.RecordCount(), antes[miembro].first + 1);
        ASSERT_TRUE(practicas.Locate("cdsRepFInicio", kInicio));
        EXPECT_EQ(Valor(&practicas, "cdsRepFPtrAlumno"), QVariant(miembro));
        EXPECT_EQ(Valor(&practicas, "cdsRepFPtrIdAveria"), QVariant(averia));
        EXPECT_EQ(Valor(&practicas, "cdsRepFDuracion"), QVariant("0d 00:20:00"));
        EXPECT_EQ(Valor(&practicas, "cdsRepFCorrecta"), QVariant(true));
        TClientDataSet lineas;
        lineas.LoadFromFile(RutasDatos::ArchivoLineaReparacion(FormatoCodigo(miembro)));
        EXPECT_EQ(lineas.RecordCount(), antes[miembro].second + 3);
    }
    EXPECT_TRUE(mensajes.textos().isEmpty()) << mensajes.textos().join("\n").toStdString();
}

}  // namespace
