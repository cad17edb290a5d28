#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QRadioButton>

#include "ControlesDatos.h"
#include "DMT_Informes.h"
#include "HistoriaPrueba.h"

namespace {

// The shipped layouts in the fixture's installation, and the window's preview and printing
// caught instead of shown.
class VentanaInformes : public HistoriaPrueba {
protected:
    void SetUp() override {
        HistoriaPrueba::SetUp();
        const QDir origen(carpetaFuentes() + "/installation/Informes");
        QDir(carpeta_.ruta()).mkpath("Informes");
        for (const QString& nombre : origen.entryList({"*.frf"}, QDir::Files))
            QFile::copy(origen.filePath(nombre), carpeta_.ruta() + "/Informes/" + nombre);
        ASSERT_TRUE(QFile::exists(carpeta_.ruta() + "/Informes/Informe1AL.frf"));
        QDir(carpeta_.ruta()).mkpath("images");
        QFile::copy(origen.filePath("../images/LogoInforme.png"),
                    carpeta_.ruta() + "/images/LogoInforme.png");
        TFInformes::VerPrevia = [this](const informes::InformePreparado& informe, int libro, QWidget*) {
            previas_.push_back(informe.Paginas());
            libro_ = libro;
        };
        TFInformes::ImprimirPaginas = [this](const informes::InformePreparado&, const QString& rango) {
            impresos_.push_back(rango);
            return true;
        };
        TFInformes::ImprimirDialogo = [this](const informes::InformePreparado&, QWidget*) {
            impresos_.push_back("dialogo");
            return true;
        };
    }
    void TearDown() override {
        TFInformes::VerPrevia = nullptr;
        TFInformes::ImprimirPaginas = nullptr;
        TFInformes::ImprimirDialogo = nullptr;
    }

    std::unique_ptr<TFInformes> Abrir(ContextoInformes contexto) {
        contexto.equipo = 1;
        auto ventana = std::make_unique<TFInformes>(dm, contexto);
        ventana->show();
        return ventana;
    }
    static std::unique_ptr<TFInformes> Historico(VentanaInformes& p, bool subgrupo) {
        ContextoInformes c;
        c.origen = ContextoInformes::Origen::Historico;
        c.historicoSubgrupo = subgrupo;
        return p.Abrir(c);
    }
    std::unique_ptr<TFInformes> Puesto(int tipoUsuario) {
        ContextoInformes c;
        c.origen = ContextoInformes::Origen::Puesto;
        c.tipoUsuario = tipoUsuario;
        return Abrir(c);
    }
    template <class T>
    static T* Hijo(QWidget* w, const char* nombre) {
        T* hijo = w->findChild<T*>(nombre);
        EXPECT_NE(hijo, nullptr) << nombre;
        return hijo;
    }
    static bool Visible(QWidget* w, const char* nombre) { return Hijo<QWidget>(w, nombre)->isVisible(); }
    static void Elegir(QWidget* w, const char* lista, int fila) {
        auto* caja = Hijo<TDBLookupComboBox>(w, lista);
        caja->setCurrentIndex(fila);
        emit caja->activated(fila);
    }
    // The fault identifiers the fault list offers (the seeds as filtered now).
    std::set<int> AveriasOfrecidas() const {
        std::set<int> ids;
        for (dm.cdsSemilla->First(); !dm.cdsSemilla->Eof(); dm.cdsSemilla->Next())
            ids.insert(dm.cdsSemilla->FieldByName("cdsSemFPtrIdAveria")->AsInteger());
        return ids;
    }

    std::vector<int> previas_;
    int libro_ = 0;
    QStringList impresos_;
};

// Every teacher choice of the history browser: its layout and whether it asks for a fault.
struct CasoHistorico {
    bool subgrupo;
    const char* boton;
    const char* archivo;
    bool averia;
};

class EleccionesHistorico : public VentanaInformes, public ::testing::WithParamInterface<CasoHistorico> {};

TEST_P(EleccionesHistorico, CadaEleccionCargaSuDisenoYPideLaAveriaQueNecesita) {
    const CasoHistorico& c = GetParam();
    auto v = Historico(*this, c.subgrupo);
    Hijo<QRadioButton>(v.get(), c.boton)->click();
    EXPECT_EQ(v->ArchivoInforme(), c.archivo);
    EXPECT_EQ(Visible(v.get(), "PanelSelecAv"), c.averia);
    for (const char* panel : {"PanelSeleccGrp", "PanelSeleccAl", "PanelSeleccSub", "PanelAlumno"})
        EXPECT_FALSE(Visible(v.get(), panel)) << panel;
}

INSTANTIATE_TEST_SUITE_P(
    Todas, EleccionesHistorico,
    ::testing::Values(CasoHistorico{false, "RadioButtonAl1", "Informes\\Informe1ALPROFE.frf", false},
                      CasoHistorico{false, "RadioButtonAl2", "Informes\\Informe2ALPROFE.frf", true},
                      CasoHistorico{false, "RadioButtonAl3", "Informes\\Informe3AL.frf", true},
                      CasoHistorico{false, "RadioButtonAl4", "Informes\\Informe4AL.frf", false},
                      CasoHistorico{false, "RadioButtonAl5", "Informes\\Informe5AL.frf", true},
                      CasoHistorico{true, "RadioButtonSub1", "Informes\\Informe1SUBPROFE.frf", false},
                      CasoHistorico{true, "RadioButtonSub2", "Informes\\Informe2SUBPROFE.frf", true},
                      CasoHistorico{true, "RadioButtonSub3", "Informes\\Informe3SUB.frf", true},
                      CasoHistorico{true, "RadioButtonSub4", "Informes\\Informe4SUB.frf", false},
                      CasoHistorico{true, "RadioButtonSub5", "Informes\\Informe5SUB.frf", true}));

TEST_F(VentanaInformes, UnHistoricoDeSubgrupoAbreConTodasSusAveriasElegidas) {
    auto v = Historico(*this, true);
    EXPECT_TRUE(Hijo<QRadioButton>(v.get(), "RadioButtonSub1")->isChecked());
    EXPECT_EQ(v->ArchivoInforme(), "Informes\\Informe1SUBPROFE.frf");
    EXPECT_FALSE(Visible(v.get(), "PanelSelecAv"));
    EXPECT_TRUE(Visible(v.get(), "GroupBoxSubgrupo"));
    EXPECT_FALSE(Visible(v.get(), "GroupBoxAlumno"));
    EXPECT_EQ(Hijo<QLabel>(v.get(), "LabelInformes")->text(), "T162 1A, Equipo #1");
}

TEST_F(VentanaInformes, UnHistoricoDeAlumnoTitulaConSuNombreCompleto) {
    auto v = Historico(*this, false);
    EXPECT_TRUE(Hijo<QRadioButton>(v.get(), "RadioButtonAl1")->isChecked());
    EXPECT_TRUE(Hijo<QLabel>(v.get(), "LabelInformes")->text().startsWith("T162 1A, "));
    EXPECT_TRUE(Hijo<QLabel>(v.get(), "LabelInformes")->text().contains("Ana"));
}

// From the history browser a one-fault report is not run without a fault either.
TEST_F(VentanaInformes, DesdeElHistoricoUnaAveriaSinElegirNoSeImprimeNiSeVe) {
    auto v = Historico(*this, false);
    Hijo<QRadioButton>(v.get(), "RadioButtonAl3")->click();
    EXPECT_FALSE(v->Previsualizar());
    EXPECT_FALSE(v->Imprimir());
    EXPECT_FALSE(v->ImprimirConfigurado());
    EXPECT_EQ(mensajes_.textos(), QStringList({"T120", "T119", "T119"}));
    EXPECT_TRUE(previas_.empty());
    EXPECT_TRUE(impresos_.isEmpty());

    Elegir(v.get(), "DBLookupComboBoxAveria", 0);
    EXPECT_TRUE(v->Previsualizar());
    ASSERT_EQ(previas_.size(), 1u);
    EXPECT_GT(previas_[0], 0);
    EXPECT_EQ(libro_, 1);
}

TEST_F(VentanaInformes, EnElPuestoUnaAveriaPideLaAveriaAntesDeImprimirOVer) {
    auto v = Puesto(1);
    EXPECT_FALSE(Visible(v.get(), "PanelInfProfesor"));
    EXPECT_TRUE(Visible(v.get(), "PanelAlumno"));
    EXPECT_EQ(v->ArchivoInforme(), "Informes\\Informe1AL.frf");
    EXPECT_FALSE(Visible(v.get(), "PanelSelecAv"));
    EXPECT_EQ(Hijo<QLabel>(v.get(), "LabelAveria")->text(), "T196");

    Hijo<QRadioButton>(v.get(), "RadioGroupAlumnosItem2")->click();
    EXPECT_EQ(v->ArchivoInforme(), "Informes\\Informe2AL.frf");
    EXPECT_TRUE(Visible(v.get(), "PanelSelecAv"));
    EXPECT_FALSE(v->Imprimir());
    EXPECT_FALSE(v->Previsualizar());
    EXPECT_EQ(mensajes_.textos(), QStringList({"T119", "T120"}));

    Elegir(v.get(), "DBLookupComboBoxAveria", 0);
    EXPECT_TRUE(v->Imprimir());
    EXPECT_TRUE(v->ImprimirConfigurado());
    EXPECT_EQ(impresos_, QStringList({"1-" + QString::number(v->UltimoInforme().Paginas()), "dialogo"}));
}

TEST_F(VentanaInformes, UnSubgrupoEnElPuestoImprimeSusDisenos) {
    Subgrupo(3);
    auto v = Puesto(2);
    EXPECT_EQ(v->ArchivoInforme(), "Informes\\Informe1SUB.frf");
    EXPECT_EQ(Hijo<QLabel>(v.get(), "LabelInformes")->text(), "T162 1A, Equipo #1");
    Hijo<QRadioButton>(v.get(), "RadioGroupAlumnosItem2")->click();
    EXPECT_EQ(v->ArchivoInforme(), "Informes\\Informe2SUB.frf");
    Hijo<QRadioButton>(v.get(), "RadioGroupAlumnosItem1")->click();
    EXPECT_TRUE(v->Previsualizar());
    EXPECT_EQ(libro_, 2);
}

// Ana's practices on trainer 1: fault 30 finished, fault 31 still paused, fault 30 again
// in her subgroup (not hers alone).
TEST_F(VentanaInformes, LaListaDeAveriasSoloOfreceLasPracticadasYNuncaLasPausadas) {
    auto v = Puesto(1);
    EXPECT_EQ(AveriasOfrecidas(), std::set<int>({30}));
    for (dm.cdsSemilla->First(); !dm.cdsSemilla->Eof(); dm.cdsSemilla->Next())
        EXPECT_FALSE(dm.cdsSemilla->FieldByName("cdsSemFTutorizada")->AsBoolean());
}

TEST_F(VentanaInformes, TodosLosSubgruposReunenLasAveriasDeCadaUnoYDevuelvenElHistorico) {
    const QString historico = dm.cdsReparacion->FileName();
    const QVariant practica = dm.cdsRepFCodReparacion->Value();
    auto v = Historico(*this, true);
    Hijo<QRadioButton>(v.get(), "RadioButtonSub5")->click();
    // Subgroup 3 practised fault 30 on trainer 1, untutorised (C); E was on trainer 2.
    EXPECT_EQ(AveriasOfrecidas(), std::set<int>({30}));
    EXPECT_EQ(dm.cdsReparacion->FileName(), historico);
    EXPECT_EQ(dm.cdsRepFCodReparacion->Value(), practica);
    EXPECT_EQ(dm.cdsSubgrupo->FieldByName("cdsSubFCodSubgrupo")->AsInteger(), 3);
}

// The teacher at the workstation: each student choice and the panels it asks for.
struct CasoProfesor {
    const char* boton;
    bool averia, grupo, alumno;
};

class EleccionesProfesor : public VentanaInformes, public ::testing::WithParamInterface<CasoProfesor> {};

TEST_P(EleccionesProfesor, CadaEleccionMuestraSusPaneles) {
    const CasoProfesor& c = GetParam();
    auto v = Puesto(3);
    EXPECT_FALSE(Visible(v.get(), "PanelAlumno"));
    EXPECT_FALSE(Visible(v.get(), "GroupBoxSubgrupo"));
    Hijo<QRadioButton>(v.get(), c.boton)->click();
    EXPECT_EQ(Visible(v.get(), "PanelSelecAv"), c.averia);
    EXPECT_EQ(Visible(v.get(), "PanelSeleccGrp"), c.grupo);
    EXPECT_EQ(Visible(v.get(), "PanelSeleccAl"), c.alumno);
    EXPECT_FALSE(Visible(v.get(), "PanelSeleccSub"));
}

INSTANTIATE_TEST_SUITE_P(Todas, EleccionesProfesor,
                         ::testing::Values(CasoProfesor{"RadioButtonAl1", false, false, true},
                                           CasoProfesor{"RadioButtonAl2", true, false, true},
                                           CasoProfesor{"RadioButtonAl3", true, false, true},
                                           CasoProfesor{"RadioButtonAl4", false, true, false},
                                           CasoProfesor{"RadioButtonAl5", true, true, false}));

TEST_F(VentanaInformes, SinEleccionElProfesorNoVeNada) {
    auto v = Puesto(3);
    EXPECT_EQ(v->ArchivoInforme(), "Informes\\Informe1AL.frf");
    EXPECT_FALSE(v->Previsualizar());
    EXPECT_EQ(mensajes_.textos(), QStringList({"T120"}));
}

TEST_F(VentanaInformes, UnAlumnoSinHistoricoSeAvisaYSeQuita) {
    auto v = Puesto(3);
    Hijo<QRadioButton>(v.get(), "RadioButtonAl1")->click();
    auto* alumnos = Hijo<TDBLookupComboBox>(v.get(), "DBLookupComboBoxAlumno");
    const int eva = alumnos->findData(9);
    ASSERT_GE(eva, 0);
    Elegir(v.get(), "DBLookupComboBoxAlumno", eva);
    EXPECT_EQ(mensajes_.textos(), QStringList({"T127"}));
    EXPECT_FALSE(alumnos->KeyValue().isValid());
    EXPECT_FALSE(v->SeleccionCompleta());

    mensajes_.Limpiar();
    Elegir(v.get(), "DBLookupComboBoxAlumno", alumnos->findData(8));
    EXPECT_TRUE(mensajes_.textos().isEmpty());
    EXPECT_TRUE(v->SeleccionCompleta());
    EXPECT_TRUE(dm.cdsReparacion->FileName().contains("008"));
    // José's own practice on trainer 1 is the tutorised fault 30 (C is his subgroup's).
    EXPECT_EQ(AveriasOfrecidas(), std::set<int>({30}));
    EXPECT_TRUE(dm.cdsSemilla->FieldByName("cdsSemFTutorizada")->AsBoolean());
}

TEST_F(VentanaInformes, UnDisenoIlegibleSeNombraYNoSeMuestraNada) {
    QFile roto(carpeta_.ruta() + "/Informes/Informe1ALPROFE.frf");
    ASSERT_TRUE(roto.open(QIODevice::WriteOnly | QIODevice::Truncate));
    roto.write("informe\nbanda que no existe\n");
    roto.close();
    auto v = Historico(*this, false);
    EXPECT_FALSE(v->Previsualizar());
    EXPECT_FALSE(v->Imprimir());
    EXPECT_TRUE(previas_.empty());
    EXPECT_TRUE(impresos_.isEmpty());
    EXPECT_FALSE(mensajes_.textos().isEmpty());
    EXPECT_TRUE(v->UltimoInforme().ErrorCarga().archivo.endsWith("Informe1ALPROFE.frf"));
    EXPECT_GT(v->UltimoInforme().ErrorCarga().linea, 0);
}

TEST_F(VentanaInformes, AlCerrarDevuelveLosFiltrosYLaPractica) {
    dm.cdsReparacion->SetFilter("cdsRepFPtrIdAveria = 30");
    dm.cdsReparacion->SetFiltered(true);
    dm.cdsReparacion->Last();
    const QVariant practica = dm.cdsRepFCodReparacion->Value();
    dm.cdsSemilla->SetFilter("cdsSemFPtrEquipo = 1");
    dm.cdsSemilla->SetFiltered(true);
    {
        auto v = Historico(*this, false);
        Hijo<QRadioButton>(v.get(), "RadioButtonAl2")->click();
        Elegir(v.get(), "DBLookupComboBoxAveria", 0);
        ASSERT_TRUE(v->Previsualizar());
        v->reject();
    }
    EXPECT_EQ(dm.cdsReparacion->Filter(), "cdsRepFPtrIdAveria = 30");
    EXPECT_TRUE(dm.cdsReparacion->Filtered());
    EXPECT_EQ(dm.cdsRepFCodReparacion->Value(), practica);
    EXPECT_EQ(dm.cdsSemilla->Filter(), "cdsSemFPtrEquipo = 1");
}

}  // namespace
