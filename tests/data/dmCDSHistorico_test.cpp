#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <set>

#include "Cadenas.h"
#include "IdiomaPrueba.h"
#include "InstalacionPrueba.h"
#include "RutasDatos.h"

namespace {

constexpr double kDia = 45000.0;
constexpr double kMinuto = 1.0 / (24 * 60);
constexpr int kGrupo = 1;

// The module's texts and the history messages, each reading "T<n>" and its arguments.
std::map<int, QString> TextosHistorico() {
    std::map<int, QString> textos = TextosDelModulo();
    textos[226] = QStringLiteral("T226");
    for (int numero : {27030, 27031, 27032, 27035}) textos[numero] = QStringLiteral("T%1 %2 %3").arg(numero);
    return textos;
}

struct Practica {
    int equipo;
    int averia;
    bool tutorizada;
    int subgrupo;
    int lineas;
};

// A student's history on the small installation, filled practice by practice as the
// workstation records them.
class HistoricoDatos : public Almacen {
protected:
    void SetUp() override {
        EscribirInstalacion(carpeta_.ruta(), CarpetaGrupo());
        Abrir();
    }

    void AbrirAlumno(int alumno) {
        dm.AbrirHistoricoSiExiste(FormatoCodigo(alumno));
        TdmCDS::QuitarFiltro(dm.cdsReparacion);
    }

    // Records practices of `alumno`; each gets `lineas` lines, the first with action "A".
    void Registrar(int alumno, const std::vector<Practica>& practicas) {
        AbrirAlumno(alumno);
        double inicio = kDia + alumno * 100 + dm.cdsReparacion->RecordCount();
        for (const Practica& p : practicas) {
            const int codigo = dm.NuevaReparacion(alumno, kGrupo, p.tutorizada, "BL#", "J#", "F", inicio,
                                                  p.equipo, p.averia, p.subgrupo);
            ASSERT_GE(codigo, 0);
            for (int i = 0; i < p.lineas; ++i)
                ASSERT_TRUE(dm.NuevaLineaReparacion(codigo, 1, "paso " + QString::number(i),
                                                    i == 0 ? "A" : " ", inicio + (i + 1) * kMinuto,
                                                    inicio + i * kMinuto, 3, 2, 1));
            inicio += 1;
        }
    }

    std::unique_ptr<TClientDataSet> Leer(const QString& archivo) const {
        auto t = std::make_unique<TClientDataSet>();
        t->LoadFromFile(archivo);
        return t;
    }

    QStringList Mensajes() const { return mensajes_.textos(); }

    IdiomaPrueba textos_{TextosHistorico()};
};

TEST_F(HistoricoDatos, LosEntrenadoresSonLosDeLasPracticasDelFiltroBaseCadaUnoUnaVez) {
    Registrar(7, {{1, 1, false, -1, 1}, {2, 1, true, -1, 1}, {1, 1, true, -1, 1}, {3, 1, false, 4, 1}});
    ASSERT_TRUE(dm.FiltrarEquiposHistorico("cdsRepFPtrGrupo = 1 and cdsRepFPtrSubgrupo = -1"));
    EXPECT_EQ(dm.cdsEquipo->Filter(), "cdsEFCodEquipo = 1 or cdsEFCodEquipo = 2");
    EXPECT_EQ(dm.cdsEFCodEquipo->AsInteger(), 1);
    // The practices keep the base filter: the subgroup practice on trainer 3 stays out.
    EXPECT_EQ(dm.cdsReparacion->RecordCount(), 3);

    // Without a base filter every practice of the file counts.
    ASSERT_TRUE(dm.FiltrarEquiposHistorico(QString()));
    EXPECT_EQ(dm.cdsEquipo->Filter(), "cdsEFCodEquipo = 1 or cdsEFCodEquipo = 2 or cdsEFCodEquipo = 3");

    dm.FiltrarReparacionesEquipo("cdsRepFPtrSubgrupo = -1", 1);
    EXPECT_EQ(dm.cdsReparacion->RecordCount(), 2);
}

TEST_F(HistoricoDatos, SinPracticasNoSeOfreceNingunEntrenador) {
    AbrirAlumno(7);
    EXPECT_FALSE(dm.FiltrarEquiposHistorico(QString()));
    EXPECT_TRUE(dm.cdsEquipo->IsEmpty());
}

TEST_F(HistoricoDatos, LasSemillasSonLasAveriasPracticadasEnSuModo) {
    // Seeds of fault 1 in both modes and of fault 2 in free mode, on trainer 1.
    dm.NuevaSemilla(1, kGrupo, true, 11, 1, 1);
    dm.NuevaSemilla(1, kGrupo, false, 12, 1, 1);
    dm.NuevaSemilla(1, kGrupo, false, 13, 2, 1);
    Registrar(7, {{1, 1, true, -1, 1}, {1, 1, true, -1, 1}, {1, 2, false, -1, 1}});
    // A practice on another trainer does not count.
    Registrar(7, {{2, 2, true, -1, 1}});
    // The seeds of another owner's list are in force as the practices are filtered.
    TdmCDS::AplicarFiltro(dm.cdsSemilla, "cdsSemFCodVirtual = -5");
    dm.FiltrarReparacionesEquipo(QString(), 1);
    const int actual = dm.cdsRepFCodReparacion->AsInteger();
    dm.FiltrarSemillasHistorico(1);
    // The current practice's virtual code follows the seeds now in force.
    EXPECT_EQ(dm.cdsReparacionCalcCVirtual->AsInteger(), 11);
    // The tutored mode is written inside the filter grammar, so a tutored practice finds its seed.
    EXPECT_TRUE(dm.cdsSemilla->Filter().contains("cdsSemFTutorizada = True"));
    std::set<int> virtuales;
    for (dm.cdsSemilla->First(); !dm.cdsSemilla->Eof(); dm.cdsSemilla->Next())
        virtuales.insert(dm.cdsSemFCodVirtual->AsInteger());
    EXPECT_EQ(virtuales, (std::set<int>{11, 13}));
    EXPECT_EQ(dm.cdsRepFCodReparacion->AsInteger(), actual);

    // A filter the caller keeps stays in force beside it.
    dm.FiltrarEquiposHistorico(QString());
    dm.FiltrarSemillasHistorico(1, "cdsSemFCodVirtual = 13");
    EXPECT_EQ(dm.cdsSemilla->RecordCount(), 1);
}

TEST_F(HistoricoDatos, BorrarUnaPracticaQuitaSusLineasDeLosArchivos) {
    Registrar(7, {{1, 1, false, -1, 3}, {1, 1, false, -1, 2}});
    dm.cdsReparacion->First();
    const int borrada = dm.cdsRepFCodReparacion->AsInteger();
    ASSERT_TRUE(dm.BorrarAveriaHistorico());

    auto practicas = Leer(RutasDatos::ArchivoReparacion("007"));
    ASSERT_EQ(practicas->RecordCount(), 1);
    EXPECT_NE(practicas->FieldByName("cdsRepFCodReparacion")->AsInteger(), borrada);
    auto lineas = Leer(RutasDatos::ArchivoLineaReparacion("007"));
    EXPECT_EQ(lineas->RecordCount(), 2);
    for (lineas->First(); !lineas->Eof(); lineas->Next())
        EXPECT_NE(lineas->FieldByName("cdsLRepFPtrReparacion")->AsInteger(), borrada);
}

TEST_F(HistoricoDatos, ExportarEscribeElParYLoConfirma) {
    Registrar(7, {{1, 1, false, -1, 2}});
    QDir().mkpath(Ruta("fuera"));
    ASSERT_TRUE(dm.ExportarHistorico(Ruta("fuera/x.cds")));
    EXPECT_EQ(FilasEnArchivo(Ruta("fuera/Reparacionx.cds")), 1);
    EXPECT_EQ(FilasEnArchivo(Ruta("fuera/LineaReparacionx.cds")), 2);
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes().front().startsWith("T27030"));
}

TEST_F(HistoricoDatos, UnaExportacionFallidaSeDiceYNoDejaMedioPar) {
    Registrar(7, {{1, 1, false, -1, 2}});
    QDir().mkpath(Ruta("fuera"));
    // The line file cannot be written over a folder of that name.
    QDir().mkpath(Ruta("fuera/LineaReparacionx.cds/dentro"));
    EXPECT_FALSE(dm.ExportarHistorico(Ruta("fuera/x.cds")));
    EXPECT_FALSE(QFileInfo::exists(Ruta("fuera/Reparacionx.cds")));
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes().front().startsWith("T27031"));

    mensajes_.Limpiar();
    EXPECT_FALSE(dm.ExportarHistorico(Ruta("no-existe/x.cds")));
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes().front().startsWith("T27031"));
}

TEST_F(HistoricoDatos, ImportarCopiaPorNombreConCodigosNuevosYNoTocaLoDemas) {
    // Student 8's pair: three practices, one of them made in a subgroup.
    Registrar(8, {{1, 1, true, -1, 3}, {2, 1, false, 5, 2}, {1, 1, false, -1, 1}});
    QDir().mkpath(Ruta("par"));
    ASSERT_TRUE(dm.ExportarHistorico(Ruta("par/ocho.cds")));
    // Student 7 already has a practice with lines coded as student 8's are.
    Registrar(7, {{1, 1, false, -1, 2}});
    auto antes = Leer(RutasDatos::ArchivoReparacion("007"));
    const QVariant inicioPropio = antes->FieldByName("cdsRepFInicio")->Value();

    mensajes_.Limpiar();
    EXPECT_EQ(dm.ImportarHistorico(Ruta("par/Reparacionocho.cds"), 7, kGrupo), 3);
    EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join("\n").toStdString();

    auto practicas = Leer(RutasDatos::ArchivoReparacion("007"));
    auto lineas = Leer(RutasDatos::ArchivoLineaReparacion("007"));
    ASSERT_EQ(practicas->RecordCount(), 4);
    EXPECT_EQ(lineas->RecordCount(), 2 + 3 + 2 + 1);
    auto origen = Leer(Ruta("par/Reparacionocho.cds"));
    std::set<int> codigos;
    for (practicas->First(); !practicas->Eof(); practicas->Next()) {
        codigos.insert(practicas->FieldByName("cdsRepFCodReparacion")->AsInteger());
        EXPECT_EQ(practicas->FieldByName("cdsRepFPtrAlumno")->AsInteger(), 7);
        EXPECT_EQ(practicas->FieldByName("cdsRepFPtrSubgrupo")->AsInteger(), -1);
        // Each practice came over whole, by name: a start and its trainer and mode together.
        const QVariant inicio = practicas->FieldByName("cdsRepFInicio")->Value();
        if (inicio == inicioPropio) continue;
        ASSERT_TRUE(origen->Locate("cdsRepFInicio", inicio));
        for (const char* campo :
             {"cdsRepFPtrEquipo", "cdsRepFTutorizada", "cdsRepFEstado", "cdsRepFPtrIdAveria"})
            EXPECT_EQ(practicas->FieldByName(campo)->Value(), origen->FieldByName(campo)->Value()) << campo;
    }
    EXPECT_EQ(codigos.size(), 4u);
    std::set<int> codigosLinea;
    std::map<int, int> lineasPorPractica;
    for (lineas->First(); !lineas->Eof(); lineas->Next()) {
        codigosLinea.insert(lineas->FieldByName("cdsLRepFCodLinea")->AsInteger());
        ++lineasPorPractica[lineas->FieldByName("cdsLRepFPtrReparacion")->AsInteger()];
    }
    // Every line has a code of its own in this file, and belongs to one of its practices.
    EXPECT_EQ(codigosLinea.size(), 8u);
    for (const auto& [practica, n] : lineasPorPractica) EXPECT_TRUE(codigos.count(practica)) << practica;
    // The practice that was there is as it was.
    EXPECT_TRUE(practicas->Locate("cdsRepFInicio", inicioPropio));
    EXPECT_EQ(practicas->FieldByName("cdsRepFCodReparacion")->Value(),
              antes->FieldByName("cdsRepFCodReparacion")->Value());
}

TEST_F(HistoricoDatos, ImportarIgnoraLineasDePracticasQueNoEstanEnElPar) {
    Registrar(8, {{1, 1, false, -1, 2}, {1, 1, false, -1, 3}});
    QDir().mkpath(Ruta("par"));
    ASSERT_TRUE(dm.ExportarHistorico(Ruta("par/ocho.cds")));
    // The second practice is taken out of the exported repair file only.
    {
        TClientDataSet par;
        par.LoadFromFile(Ruta("par/Reparacionocho.cds"));
        par.Last();
        ASSERT_TRUE(par.Delete());
        par.MergeChangeLog();
        par.SaveToFile(Ruta("par/Reparacionocho.cds"));
    }
    AbrirAlumno(7);
    EXPECT_EQ(dm.ImportarHistorico(Ruta("par/Reparacionocho.cds"), 7, kGrupo), 1);
    EXPECT_EQ(FilasEnArchivo(RutasDatos::ArchivoLineaReparacion("007")), 2);
}

// Files that are not an exported history pair: the reason, and what the message is.
struct ParMalo {
    const char* caso;
    // What the chosen file holds: "practicas" a history's practices, "tabla" another table,
    // anything else those bytes.
    const char* reparaciones;
    const char* lineas;  // likewise for the line file; nullptr: missing
    const char* texto;
};

class ImportarParMalo : public HistoricoDatos, public ::testing::WithParamInterface<ParMalo> {};

TEST_P(ImportarParMalo, SeRechazaConUnMensajeYNadaCambia) {
    const ParMalo& caso = GetParam();
    Registrar(7, {{1, 1, false, -1, 2}});
    const QByteArray practicasAntes = [&] {
        QFile f(RutasDatos::ArchivoReparacion("007"));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    QDir().mkpath(Ruta("par"));
    const auto escribir = [&](const QString& archivo, const char* contenido) {
        if (!contenido) return;
        if (QLatin1String(contenido) == QLatin1String("practicas")) {
            ASSERT_TRUE(QFile::copy(RutasDatos::ArchivoReparacion("007"), archivo));
        } else if (QLatin1String(contenido) == QLatin1String("tabla")) {
            ASSERT_TRUE(QFile::copy(CarpetaGrupo() + "cdsGrupoAlumno.cds", archivo));
        } else {
            QFile f(archivo);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(contenido);
        }
    };
    const QString elegido = Ruta(QLatin1String("par/") + (QLatin1String(caso.caso) == QLatin1String("nombre")
                                                              ? QStringLiteral("otro.cds")
                                                              : QStringLiteral("Reparacionp.cds")));
    escribir(elegido, caso.reparaciones);
    escribir(QFileInfo(elegido).absolutePath() + "/Linea" + QFileInfo(elegido).fileName(), caso.lineas);

    mensajes_.Limpiar();
    EXPECT_EQ(dm.ImportarHistorico(elegido, 7, kGrupo), -1);
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes().front().startsWith(caso.texto)) << Mensajes().front().toStdString();
    QFile f(RutasDatos::ArchivoReparacion("007"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), practicasAntes);
    EXPECT_EQ(dm.cdsReparacion->RecordCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Casos, ImportarParMalo,
                         ::testing::Values(ParMalo{"otraTabla", "tabla", "tabla", "T27032"},
                                           ParMalo{"danado", "no es una tabla", "tampoco", "T27032"},
                                           ParMalo{"lineasDeOtraTabla", "practicas", "tabla", "T27032"},
                                           ParMalo{"sinLineas", "tabla", nullptr, "T226"},
                                           ParMalo{"nombre", "tabla", "tabla", "T27032"}),
                         [](const ::testing::TestParamInfo<ParMalo>& prueba) {
                             return std::string(prueba.param.caso);
                         });

}  // namespace
