#include <gtest/gtest.h>

#include <QFile>
#include <functional>
#include <vector>

#include "ArchivosInforme.h"
#include "DMT_UtilInformes.h"
#include "EstadoCursor.h"
#include "FuenteInforme.h"
#include "HistoriaPrueba.h"

namespace {

constexpr int kEquipo = 1;

class Fuente : public HistoriaPrueba {
protected:
    QString Valor(const FuenteInforme& f, const char* nombre) {
        QString valor = "sin tocar";
        EXPECT_TRUE(f.Valor(nombre, valor)) << nombre;
        return valor;
    }
};

// A master band over dataset 1 with a detail band over dataset 2, as the engine runs them:
// the groups of detail records, each as the values asked for.
std::vector<QStringList> RecorrerMaestroDetalle(FuenteInforme& f, const std::function<QString()>& registro) {
    std::vector<QStringList> grupos;
    f.Primero(1);
    for (int vuelta = 0; !f.FinDeDatos(1); ++vuelta) {
        if (vuelta > 20) {
            ADD_FAILURE() << "the main dataset never ends";
            break;
        }
        QStringList grupo;
        f.Primero(2);
        while (!f.FinDeDatos(2) && grupo.size() < 20) {
            grupo << registro();
            f.Siguiente(2);
        }
        grupos.push_back(grupo);
        f.Siguiente(1);
    }
    return grupos;
}

TEST_F(Fuente, LaHistoriaCompletaDaUnGrupoDeDetalleCadaDiagnostico) {
    FuenteInforme f(dm, {TipoInforme::CompletoAlumno, kEquipo, 3, {30, false}});
    f.Limpiar();
    f.EmpezarDocumento();
    const auto grupos = RecorrerMaestroDetalle(f, [&] {
        return Valor(f, "NumDiagnostico") + "/" + Valor(f, "BloqueRep") + "/" + Valor(f, "CircuitoRep");
    });
    // Each diagnosis gives its steps once; the first one's attempt carries the comment back.
    EXPECT_EQ(grupos, (std::vector<QStringList>{{"1/Carga/"}, {"2/Carga/Alternador"}}));
    f.TerminarDocumento();
}

TEST_F(Fuente, LosValoresSeLeenComoSeEscribieron) {
    FuenteInforme f(dm, {TipoInforme::CompletoAlumno, kEquipo, 3, {30, false}});
    f.EmpezarDocumento();
    f.Primero(1);
    EXPECT_EQ(Valor(f, "Comentarios"), kComentarioA);
    EXPECT_EQ(Valor(f, "ElementoFin"), "Relé");
    EXPECT_EQ(Valor(f, "Elemento"), "Fusible #3 & R&D $");
    EXPECT_EQ(Valor(f, "Bloque"), "Carga");
    EXPECT_EQ(Valor(f, "Estado"), "T191");
    EXPECT_EQ(Valor(f, "Resultado"), "T5");
    EXPECT_EQ(Valor(f, "DuracionTotal"), "0d 00:20:00");
    EXPECT_EQ(Valor(f, "Reparacion"), "T140");
    EXPECT_EQ(Valor(f, "ListaSintomas"), "No carga\n\r");
    // The engine keeps its own value of a variable the kind does not know.
    QString pagina = "3";
    EXPECT_FALSE(f.Valor("Pagina", pagina));
    EXPECT_EQ(pagina, "3");
}

TEST_F(Fuente, LaHistoriaSimpleLeeLosIntentosEnElSegundoConjunto) {
    FuenteInforme f(dm, {TipoInforme::SimpleAlumno, kEquipo, 1, {30, false}});
    f.EmpezarDocumento();
    QStringList lugares, intentos;
    for (f.Primero(1); !f.FinDeDatos(1); f.Siguiente(1)) lugares << Valor(f, "Circuito");
    for (f.Primero(2); !f.FinDeDatos(2); f.Siguiente(2))
        intentos << Valor(f, "TituloReparacion") + " " + Valor(f, "ElementoRep") + " " + Valor(f, "Duracion");
    EXPECT_EQ(lugares, (QStringList{"Motor de arranque", "Alternador", "Batería"}));
    EXPECT_EQ(intentos, (QStringList{"T187 Relé 00:02:00", "T187 Fusible #3 & R&D $ 00:03:00"}));
}

TEST_F(Fuente, ElTercerConjuntoLeeElSegundoArchivo) {
    FuenteInforme f(dm, {TipoInforme::AveriaAlumnos, kEquipo, 3, {30, false}});
    f.EmpezarDocumento();
    QStringList nombres, circuitos;
    for (f.Primero(1); !f.FinDeDatos(1); f.Siguiente(1)) nombres << Valor(f, "Nombre");
    for (f.Primero(3); !f.FinDeDatos(3); f.Siguiente(3)) circuitos << Valor(f, "Circuito");
    EXPECT_EQ(nombres, (QStringList{"Pérez Gómez, Ana", "Núñez Peña, José"}));
    EXPECT_EQ(circuitos, (QStringList{"Motor de arranque", "Alternador", "Batería"}));
    // A finished dataset stays finished whatever the engine asks.
    EXPECT_TRUE(f.FinDeDatos(1, false));
    f.Primero(1);
    EXPECT_TRUE(f.FinDeDatos(1, true));
}

TEST_F(Fuente, LasListasDeContrasenasDicenQueTipoImprimen) {
    FuenteInforme f(dm, {TipoInforme::Contrasenas, -1, 3, {}});
    f.EmpezarDocumento();
    QStringList alumnos, subgrupos;
    for (f.Primero(1); !f.FinDeDatos(1); f.Siguiente(1))
        alumnos << Valor(f, "Tipo") + " " + Valor(f, "CodAlumno") + " " + Valor(f, "PasswordAlumno");
    for (f.Primero(2); !f.FinDeDatos(2); f.Siguiente(2))
        subgrupos << Valor(f, "Tipo") + " " + Valor(f, "Subgrupo") + " " + Valor(f, "AlumnoSubgrupo");
    EXPECT_EQ(alumnos, (QStringList{"Cod. Alumno 9 AL009", "Cod. Alumno 7 AL007", "Cod. Alumno 8 AL008"}));
    EXPECT_EQ(subgrupos,
              (QStringList{"Subgrupo Equipo #1 Gómez Pérez, Ana", "Subgrupo Equipo #1 Peña Núñez, José"}));
}

TEST_F(Fuente, LosArchivosSonUtf8ConRetornoYSalto) {
    TUtilInformes(dm).InformeContrasenas();
    const QByteArray principal = Bytes(ArchivosInforme::Principal());
    EXPECT_TRUE(principal.startsWith("9#\xc3\x81vila \xc3\x81lvarez, Eva#AL009#\r\n"));
    EXPECT_TRUE(principal.endsWith("#\r\n \r\n"));
    EXPECT_EQ(principal.count('\n'), principal.count("\r\n"));
}

TEST_F(Fuente, UnArchivoQueNoSePuedeEscribirParaElInforme) {
    // A folder where the file should be.
    ASSERT_TRUE(QDir().mkpath(ArchivosInforme::Principal()));
    FuenteInforme f(dm, {TipoInforme::TodasAlumno, kEquipo, 3, {}});
    EXPECT_THROW(f.EmpezarDocumento(), EArchivoInforme);
}

// What the writers must leave as they found it.
struct Estado {
    QString historico, lineas;
    QString filtroReparaciones, filtroLineas, filtroSubgrupos, filtroSemillas, filtroAlumnos;
    QVariant reparacion, linea, miembro, filaSubgrupo, semilla;

    static Estado De(TdmCDS& dm) {
        return {
            dm.cdsReparacion->FileName(),    dm.cdsLineaReparacion->FileName(), dm.cdsReparacion->Filter(),
            dm.cdsLineaReparacion->Filter(), dm.cdsSubgrupo->Filter(),          dm.cdsSemilla->Filter(),
            dm.cdsAlumnoLUp->Filter(),       dm.cdsRepFCodReparacion->Value(),  dm.cdsLRepFCodLinea->Value(),
            dm.cdsGrpAlFPtrAlumno->Value(),  dm.cdsSubFPtrAlumno->Value(),      dm.cdsSemFIdSemilla->Value()};
    }
    bool operator==(const Estado&) const = default;
};

void PrintTo(const Estado& e, std::ostream* os) {
    *os << e.historico.toStdString() << " [" << e.filtroReparaciones.toStdString() << "] rep "
        << e.reparacion.toString().toStdString() << " linea " << e.linea.toString().toStdString() << " ["
        << e.filtroLineas.toStdString() << "] miembro " << e.miembro.toString().toStdString() << " subgrupo ["
        << e.filtroSubgrupos.toStdString() << "] " << e.filaSubgrupo.toString().toStdString() << " semillas ["
        << e.filtroSemillas.toStdString() << "] " << e.semilla.toString().toStdString() << " alumnos ["
        << e.filtroAlumnos.toStdString() << "]";
}

class Restaura : public HistoriaPrueba, public ::testing::WithParamInterface<TipoInforme> {};

TEST_P(Restaura, FiltrosPosicionesEHistorico) {
    // As the history browser leaves it: member 8's history open on its tutorised practice,
    // the subgroup shown alone on its second member, the tutorised seeds only.
    Miembro(8);
    TdmCDS::AplicarFiltro(dm.cdsReparacion, "cdsRepFTutorizada = True");
    TdmCDS::AplicarFiltro(dm.cdsLineaReparacion, "cdsLRepFAccion <> ''");
    dm.cdsLineaReparacion->Last();
    TdmCDS::AplicarFiltro(dm.cdsSubgrupo, "cdsSubFCodSubgrupo = 3");
    ASSERT_TRUE(dm.cdsSubgrupo->Locate("cdsSubFPtrAlumno", 8));
    TdmCDS::AplicarFiltro(dm.cdsSemilla, "cdsSemFTutorizada = True");
    TdmCDS::AplicarFiltro(dm.cdsAlumnoLUp, "cdsAFCodAlumno = 8");
    const Estado antes = Estado::De(dm);
    ASSERT_FALSE(antes.reparacion.isNull());

    TUtilInformes(dm).Escribir({GetParam(), kEquipo, 3, {30, true}});

    EXPECT_EQ(Estado::De(dm), antes);
}

INSTANTIATE_TEST_SUITE_P(CadaEscritor, Restaura,
                         ::testing::Values(TipoInforme::TodasAlumno, TipoInforme::TodasSubgrupo,
                                           TipoInforme::SimpleAlumno, TipoInforme::SimpleSubgrupo,
                                           TipoInforme::CompletoAlumno, TipoInforme::CompletoSubgrupo,
                                           TipoInforme::GrupoAlumnos, TipoInforme::GrupoSubgrupos,
                                           TipoInforme::AveriaAlumnos, TipoInforme::AveriaSubgrupos,
                                           TipoInforme::Accesibilidad, TipoInforme::Contrasenas));

}  // namespace
