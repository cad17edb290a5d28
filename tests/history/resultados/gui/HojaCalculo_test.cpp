// "Exportar a hoja de cálculo…" on the demo group, with the save dialog replaced.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include "DemoResultados.h"
#include "HojaCalculoGrupo.h"
#include "Mensajes.h"

namespace {

class HojaCalculoGrupo : public DemoResultados {
protected:
    void SetUp() override {
        DemoResultados::SetUp();
        ElegirArchivoHojaCalculo = [this](QWidget* padre, const QString& propuesto) {
            padres << padre;
            propuestos << propuesto;
            return destino;
        };
    }
    void TearDown() override {
        ElegirArchivoHojaCalculo = nullptr;
        DemoResultados::TearDown();
    }
    QByteArray Leer(const QString& archivo) const {
        QFile f(archivo);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    CarpetaTemporal salida;
    QString destino;
    QStringList propuestos;
    QList<QWidget*> padres;
    QWidget ventana;
};

TEST_F(HojaCalculoGrupo, EscribeLaHojaYLoDice) {
    destino = salida.archivo("practicas.csv");
    ASSERT_TRUE(ExportarHojaCalculoGrupo(1, 1, &ventana));
    EXPECT_EQ(propuestos, QStringList{"1º Electromecánica - prácticas.csv"});
    EXPECT_EQ(padres, QList<QWidget*>{&ventana});
    const QByteArray hoja = Leer(destino);
    ASSERT_TRUE(
        hoja.startsWith("\xEF\xBB\xBF"
                        "Grupo;Entrenador;Alumno o subgrupo;Código virtual;"));
    const int filas = hoja.count("\r\n") - 1;
    EXPECT_GT(filas, 0);
    ASSERT_EQ(mensajes.mensajes().size(), 1u);
    EXPECT_EQ(mensajes.mensajes()[0].texto,
              QString("Se han guardado %1 prácticas en la hoja de cálculo %2.").arg(filas).arg(destino));
    EXPECT_EQ(mensajes.mensajes()[0].imagen, DibujoExito);
    // Only the file asked for: nothing left beside it.
    EXPECT_EQ(QDir(salida.ruta()).entryList(QDir::Files), QStringList{"practicas.csv"});
}

TEST_F(HojaCalculoGrupo, UnDestinoQueNoSePuedeEscribirSeDiceYNoDejaNada) {
    salida.escribir("archivo", "no es una carpeta");
    QDir().mkpath(salida.archivo("carpeta.csv"));
    // Its folder is a file; a folder by that name.
    for (const QString& d : {salida.archivo("archivo/practicas.csv"), salida.archivo("carpeta.csv")}) {
        mensajes.Limpiar();
        destino = d;
        EXPECT_FALSE(ExportarHojaCalculoGrupo(1, std::nullopt, &ventana)) << d.toStdString();
        ASSERT_EQ(mensajes.mensajes().size(), 1u);
        EXPECT_EQ(mensajes.mensajes()[0].texto, QString("No se puede escribir el archivo %1.").arg(destino));
        EXPECT_EQ(mensajes.mensajes()[0].imagen, DibujoError);
    }
    EXPECT_TRUE(QFileInfo(salida.archivo("carpeta.csv")).isDir());
    EXPECT_EQ(Leer(salida.archivo("archivo")), "no es una carpeta");
    EXPECT_EQ(QDir(salida.ruta()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{"archivo", "carpeta.csv"}));
}

TEST_F(HojaCalculoGrupo, CancelarNoEscribeNiDiceNada) {
    destino.clear();
    EXPECT_FALSE(ExportarHojaCalculoGrupo(1, std::nullopt, &ventana));
    EXPECT_EQ(propuestos.size(), 1);
    EXPECT_TRUE(mensajes.mensajes().empty());
    EXPECT_TRUE(QDir(salida.ruta()).isEmpty());
}

TEST_F(HojaCalculoGrupo, UnGrupoQueNoSePuedeLeerSeDiceSinPreguntar) {
    destino = salida.archivo("practicas.csv");
    EXPECT_FALSE(ExportarHojaCalculoGrupo(9, std::nullopt, &ventana));
    EXPECT_TRUE(propuestos.isEmpty());
    ASSERT_EQ(mensajes.mensajes().size(), 1u);
    EXPECT_TRUE(mensajes.mensajes()[0].texto.startsWith("No se pueden leer las prácticas del grupo: "))
        << mensajes.mensajes()[0].texto.toStdString();
    EXPECT_FALSE(QFile::exists(destino));
}

TEST_F(HojaCalculoGrupo, UnHistorialIlegibleSeAvisaJuntoAlExito) {
    // Damaged for this test only: the demo serves the whole suite.
    struct Danado {
        QString archivo = Instalacion::Ruta("Historic/cdsReparacion003.cds");
        QString bueno = archivo + ".bueno";
        ~Danado() {
            QFile::remove(archivo);
            QFile::rename(bueno, archivo);
        }
    } danado;
    ASSERT_TRUE(QFile::rename(danado.archivo, danado.bueno));
    QFile escrito(danado.archivo);
    ASSERT_TRUE(escrito.open(QIODevice::WriteOnly));
    escrito.write("no es una tabla");
    escrito.close();
    destino = salida.archivo("practicas.csv");
    EXPECT_TRUE(ExportarHojaCalculoGrupo(1, std::nullopt, &ventana));
    ASSERT_EQ(mensajes.mensajes().size(), 1u);
    EXPECT_TRUE(
        mensajes.mensajes()[0].texto.contains("Faltan las prácticas de los históricos que no se han podido "
                                              "leer:\nNo se puede leer el historial de "))
        << mensajes.mensajes()[0].texto.toStdString();
    EXPECT_EQ(mensajes.mensajes()[0].imagen, DibujoAviso);
}

}  // namespace
