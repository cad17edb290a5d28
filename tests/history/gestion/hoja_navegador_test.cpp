#include <QFile>
#include <QPushButton>

#include "CarpetaTemporal.h"
#include "DMT_VentanaHistorico.h"
#include "GestionHistoria.h"
#include "HojaCalculoGrupo.h"

namespace {

// The history browser's spreadsheet button, as start-up plugs it in.
class HojaNavegador : public GestionHistoria {
protected:
    void SetUp() override {
        GestionHistoria::SetUp();
        if (HasFatalFailure()) return;
        TFDMT_GestAlumnado::VerHistorico = MostrarVentanaHistorico;
        ElegirArchivoHojaCalculo = [this](QWidget*, const QString&) { return destino; };
    }
    void TearDown() override {
        ElegirArchivoHojaCalculo = nullptr;
        GestionHistoria::TearDown();
    }

    CarpetaTemporal salida;
    QString destino = salida.ruta() + "/practicas.csv";
};

TEST_F(HojaNavegador, EscribeLasPracticasDelGrupoEnElEntrenadorElegido) {
    abrir();
    ASSERT_TRUE(datos->cdsGrupoAlumno->Locate("cdsGrpAlFPtrAlumno", 2));
    ASSERT_TRUE(datos->PrepararHistoricoAlumno());
    TFDMT_GestAlumnado::VerHistorico(ventana.get(), "Alumno");
    auto* navegador = qobject_cast<TFDMT_VentanaHistorico*>(ventana->PaginaActual);
    ASSERT_NE(navegador, nullptr);
    ASSERT_EQ(navegador->CodigoEquipo(), 1);
    auto* boton = navegador->findChild<QPushButton*>("SpeedBHojaCalculo");
    ASSERT_NE(boton, nullptr);
    ASSERT_TRUE(boton->isEnabled());
    boton->click();

    QFile hoja(destino);
    ASSERT_TRUE(hoja.open(QIODevice::ReadOnly));
    const QList<QByteArray> lineas = hoja.readAll().split('\n');
    ASSERT_GT(lineas.size(), 2);
    EXPECT_TRUE(lineas[0].startsWith("\xEF\xBB\xBFGrupo;Entrenador;"));
    // Every member's practices on the diesel engine, not only the student shown.
    QSet<QByteArray> duenos;
    for (qsizetype i = 1; i < lineas.size(); ++i) {
        if (lineas[i].trimmed().isEmpty()) continue;
        const QList<QByteArray> campos = lineas[i].split(';');
        ASSERT_GT(campos.size(), 2) << lineas[i].toStdString();
        EXPECT_EQ(QString::fromUtf8(campos[1]), "Motor diésel");
        duenos.insert(campos[2]);
    }
    EXPECT_GT(duenos.size(), 1);
}

}  // namespace
