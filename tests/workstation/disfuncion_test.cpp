#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <memory>

#include "CarpetaTemporal.h"
#include "DMT_AVDisfuncion.h"
#include "EstadoPractica.h"
#include "FechaHora.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "dmCDS.h"

namespace {

// Two trainers; the dysfunction is fault 201 of trainer 2, in its second block ("Alimentación"),
// circuit 22 and element 5, so that none of them is the first row of its table.
class PanelDisfuncionTest : public ::testing::Test {
protected:
    PanelDisfuncionTest() {
        datos.CrearTablasVacias();
        equipo(1, "Gasolina");
        equipo(2, "Motor diesel");
        bloque(1, 1, "Bloque del otro equipo");
        bloque(2, 1, "Encendido");
        bloque(2, 2, "Alimentación");
        circuito(21, 2, 1, "Bujías");
        circuito(22, 2, 2, "Inyección");
        elemento(6, "Inyector");
        elemento(5, "Relé de bomba");
        componente(21, 6);
        componente(22, 6);
        componente(22, 5);
        averia(200, 2, 1, 21, 6);
        averia(201, 2, 2, 22, 5);
        sintoma(200, "C", "Otro cliente");
        datos.cdsEquipo->First();  // on the other trainer: the panel must find its own
        practica.CodEquipo = 2;
        practica.IdAveria = 201;
        practica.Estado = Disfuncion;
    }

    void equipo(int codigo, const char* descripcion) {
        datos.cdsEquipo->Append();
        datos.cdsEFCodEquipo->SetAsInteger(codigo);
        datos.cdsEFDescripcion->SetAsString(QString::fromUtf8(descripcion));
        datos.cdsEquipo->Post();
    }
    void bloque(int equipo, int codigo, const char* descripcion) {
        datos.cdsBloque->Append();
        datos.cdsBloFCodBloque->SetAsInteger(codigo);
        datos.cdsBloFPtrEquipo->SetAsInteger(equipo);
        datos.cdsBloFDescripcion->SetAsString(QString::fromUtf8(descripcion));
        datos.cdsBloque->Post();
    }
    void circuito(int codigo, int equipo, int bloque, const char* descripcion) {
        TClientDataSet* t = datos.cdsCircuitoLoc;
        t->Append();
        t->FieldByName("cdsCFCodCircuito")->SetAsInteger(codigo);
        t->FieldByName("cdsCFPtrEquipo")->SetAsInteger(equipo);
        t->FieldByName("cdsCFPtrBloque")->SetAsInteger(bloque);
        t->FieldByName("cdsCFDescripcion")->SetAsString(QString::fromUtf8(descripcion));
        t->Post();
    }
    void elemento(int codigo, const char* descripcion) {
        datos.cdsElemento->Append();
        datos.cdsElemento->FieldByName("cdsElemFCodElemento")->SetAsInteger(codigo);
        datos.cdsElemento->FieldByName("cdsElemFDescripcion")->SetAsString(QString::fromUtf8(descripcion));
        datos.cdsElemento->Post();
    }
    void componente(int circuito, int codigo) {
        TClientDataSet* t = datos.cdsComponenteLoc;
        t->Append();
        t->FieldByName("cdsComFCodComponente")->SetAsInteger(codigo);
        t->FieldByName("cdsComFPtrEquipo")->SetAsInteger(2);
        t->FieldByName("cdsComFPtrCircuito")->SetAsInteger(circuito);
        t->Post();
    }
    void averia(int id, int equipo, int bloque, int circuito, int componente) {
        datos.cdsAveria->Append();
        datos.cdsAvFIdAveria->SetAsInteger(id);
        datos.cdsAvFCodAveria->SetAsInteger(id);
        datos.cdsAvFPtrEquipo->SetAsInteger(equipo);
        datos.cdsAvFPtrBloque->SetAsInteger(bloque);
        datos.cdsAvFPtrCircuito->SetAsInteger(circuito);
        datos.cdsAvFPtrComponente->SetAsInteger(componente);
        datos.cdsAveria->Post();
    }
    void sintoma(int averia, const char* nivel, const char* texto) {
        datos.cdsSintomas->Append();
        datos.cdsSinFPtrIdAveria->SetAsInteger(averia);
        datos.cdsSinFNivel->SetAsString(nivel);
        datos.cdsSinFDescripcion->SetAsString(QString::fromUtf8(texto));
        datos.cdsSintomas->Post();
    }
    void opciones(const QByteArray& lineas) { carpeta.escribir("averias.ini", "[Opciones]\n" + lineas); }

    // The panel shown and laid out.
    std::unique_ptr<TFDMT_AVDisfuncion> mostrar(double momento = 45000.5) {
        auto panel = std::make_unique<TFDMT_AVDisfuncion>(practica);
        panel->Preparar(7, "J#C#", momento);
        panel->show();
        QApplication::processEvents();
        return panel;
    }
    template <typename T>
    static T* control(const std::unique_ptr<TFDMT_AVDisfuncion>& panel, const char* nombre) {
        T* c = panel->findChild<T*>(QString::fromLatin1(nombre));
        EXPECT_NE(c, nullptr) << nombre;
        return c;
    }
    static QString texto(const std::unique_ptr<TFDMT_AVDisfuncion>& panel, const char* nombre) {
        return control<QLabel>(panel, nombre)->text();
    }

    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
    IdiomaTemporal idioma{carpeta.escribir("idioma.lng", "106 a las\n113 Cliente\n165 Jefe de taller\n")};
    MensajesGrabados mensajes;
    TdmCDS datos;
    TDatosPractica practica;
};

TEST_F(PanelDisfuncionTest, MuestraElBloqueElCircuitoYElElementoDeLaAveria) {
    const auto panel = mostrar();
    EXPECT_EQ(texto(panel, "FadeLabelBloque"), "Alimentación");
    EXPECT_EQ(texto(panel, "FadeLabelCircuito"), "Inyección");
    EXPECT_EQ(texto(panel, "FadeLabelElemento"), "Relé de bomba");
}

TEST_F(PanelDisfuncionTest, LaFechaLlevaElTextoEntreElDiaYLaHora) {
    const auto panel = mostrar(DiasDesdeFechaHora(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))));
    EXPECT_EQ(texto(panel, "FadeLFecha"), "05/03/2024 a las 14:07:09");
}

TEST_F(PanelDisfuncionTest, SoloConSintomasDelJefeDeTallerNoHayBloqueDelCliente) {
    for (const char* s : {"Humo negro", "Tirones al acelerar", "No pasa de 3000 rpm"}) sintoma(201, "J", s);
    const auto panel = mostrar();
    EXPECT_TRUE(control<QFrame>(panel, "ShapeCliente")->isHidden());
    EXPECT_TRUE(control<QPlainTextEdit>(panel, "MemoCliente")->toPlainText().isEmpty());
    EXPECT_EQ(texto(panel, "LabelJefeTaller"), "Jefe de taller");
    auto* memo = control<QPlainTextEdit>(panel, "MemoJefeTaller");
    EXPECT_EQ(memo->toPlainText(), "Humo negro\nTirones al acelerar\nNo pasa de 3000 rpm");
    EXPECT_EQ(memo->height(), 3 * 18);  // grown to its lines
}

TEST_F(PanelDisfuncionTest, ConSintomasDelClienteSuBloqueSeVe) {
    sintoma(201, "J", "Humo negro");
    sintoma(201, "C", "Gasta mucho");
    const auto panel = mostrar();
    for (const char* nombre : {"ShapeCliente", "LabelCliente", "MemoCliente"})
        EXPECT_FALSE(control<QWidget>(panel, nombre)->isHidden()) << nombre;
    EXPECT_EQ(texto(panel, "LabelCliente"), "Cliente");
    EXPECT_EQ(control<QPlainTextEdit>(panel, "MemoCliente")->toPlainText(), "Gasta mucho");
    EXPECT_EQ(control<QPlainTextEdit>(panel, "MemoJefeTaller")->toPlainText(), "Humo negro");
}

TEST_F(PanelDisfuncionTest, ElFiltroDeNivelDeUnaReparacionNoEscondeSintomasYSeConserva) {
    sintoma(201, "J", "Humo negro");
    sintoma(201, "C", "Gasta mucho");
    TdmCDS::AplicarFiltro(datos.cdsSintomas, "cdsSinFNivel ='C'");
    const auto panel = mostrar();
    EXPECT_EQ(control<QPlainTextEdit>(panel, "MemoJefeTaller")->toPlainText(), "Humo negro");
    EXPECT_TRUE(datos.cdsSintomas->Filtered());
    EXPECT_EQ(datos.cdsSintomas->Filter(), "cdsSinFNivel ='C'");
}

TEST_F(PanelDisfuncionTest, ConNivelDeSintomas1ElClienteTapaAlJefeDeTaller) {
    sintoma(201, "J", "Humo negro");
    sintoma(201, "C", "Gasta mucho");
    for (auto [nivel, encima] : {std::pair{1, true}, {2, false}}) {
        opciones("NivelSintoma=" + QByteArray::number(nivel) + "\n");
        const auto panel = mostrar();
        const QRect jefe = control<QFrame>(panel, "ShapeJTaller")->geometry();
        const QRect cliente = control<QFrame>(panel, "ShapeCliente")->geometry();
        if (encima)
            EXPECT_EQ(cliente.top(), jefe.top());
        else
            EXPECT_GT(cliente.top(), jefe.bottom());
    }
}

class NivelReparacionDisfuncionTest : public PanelDisfuncionTest,
                                      public ::testing::WithParamInterface<int> {};

TEST_P(NivelReparacionDisfuncionTest, BloqueYCircuitoSoloPorEncimaDeSuNivel) {
    const int nivel = GetParam();
    opciones("NivelReparacion=" + QByteArray::number(nivel) + "\n");
    const auto panel = mostrar();
    for (const char* nombre : {"LabelBloque", "FadeLabelBloque"})
        EXPECT_EQ(!control<QLabel>(panel, nombre)->isHidden(), nivel > 2) << nombre;
    for (const char* nombre : {"LabelCircuito", "FadeLabelCircuito"})
        EXPECT_EQ(!control<QLabel>(panel, nombre)->isHidden(), nivel > 1) << nombre;
    for (const char* nombre : {"LabelElemento", "FadeLabelElemento"})
        EXPECT_FALSE(control<QLabel>(panel, nombre)->isHidden()) << nombre;
}

INSTANTIATE_TEST_SUITE_P(Niveles, NivelReparacionDisfuncionTest, ::testing::Values(1, 2, 3));

struct CasoAncho {
    int panel;
    int valores;
};

class AnchoValoresDisfuncionTest : public PanelDisfuncionTest,
                                   public ::testing::WithParamInterface<CasoAncho> {};

TEST_P(AnchoValoresDisfuncionTest, LosValoresSiguenAlAnchoDelPanel) {
    QWidget anfitrion;
    anfitrion.resize(1200, 900);
    auto* panel = CrearPanelDisfuncion(&anfitrion, practica, 7, "J#", 45000.5);
    ASSERT_NE(panel, nullptr);
    anfitrion.show();
    panel->resize(GetParam().panel, 700);
    for (const char* nombre :
         {"FadeLFecha", "FadeLEstado", "FadeLabelBloque", "FadeLabelCircuito", "FadeLabelElemento"})
        EXPECT_EQ(panel->findChild<QLabel*>(nombre)->width(), GetParam().valores) << nombre;
}

INSTANTIATE_TEST_SUITE_P(Anchos, AnchoValoresDisfuncionTest,
                         ::testing::Values(CasoAncho{700, 627}, CasoAncho{800, 627}, CasoAncho{801, 628},
                                           CasoAncho{1000, 827}));

TEST_F(PanelDisfuncionTest, ElPanelEsUnoPorAnfitrionYSeOlvidaConEl) {
    {
        QWidget anfitrion;
        TFDMT_AVDisfuncion* primero = CrearPanelDisfuncion(&anfitrion, practica, 7, "J#", 45000.5);
        ASSERT_NE(primero, nullptr);
        EXPECT_EQ(primero->parentWidget(), &anfitrion);
        EXPECT_EQ(CrearPanelDisfuncion(&anfitrion, practica, 8, "J#C#", 45001.0), primero);
        EXPECT_EQ(PanelDisfuncion(), primero);
    }
    EXPECT_EQ(PanelDisfuncion(), nullptr);
}

}  // namespace
