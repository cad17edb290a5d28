#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTimer>

#include "DMT_AVDetectarEquipo.h"
#include "PuestoDemo.h"

namespace {

// The demo workstation fed damaged or missing files: a clear message naming the file, and
// the program goes on.
class ArchivosDanadosTest : public PuestoDemo {
protected:
    QString Archivo(const QString& relativa) const { return Instalacion::Ruta(relativa); }
    void Estropear(const QString& relativa, const QByteArray& contenido) {
        QFile f(Archivo(relativa));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contenido);
    }
    QByteArray Leer(const QString& relativa) const {
        QFile f(Archivo(relativa));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(ArchivosDanadosTest, UnHistoricoDanadoDejaAlAlumnoEnElLoginConUnMensajeParaElProfesor) {
    {
        auto primera = abrirPuesto();  // the first login writes the history files
        primera->close();
    }
    for (const char* danado : {"Historic\\cdsReparacion001.cds", "Historic\\cdsLineaReparacion001.cds"}) {
        const QByteArray sano = Leer(danado);
        Estropear(danado, "SQLite format 3");
        mensajes.Limpiar();
        bool loginOculto = false;
        EXPECT_FALSE(MostrarGestAverias(UsuarioAlumno, [&] { loginOculto = true; })) << danado;
        EXPECT_FALSE(loginOculto) << "the program stays at the login";
        ASSERT_EQ(mensajes.textos().size(), 1u) << danado;
        EXPECT_EQ(mensajes.textos().front(), Texto(245).arg(QDir::toNativeSeparators(Archivo(danado))));
        EXPECT_EQ(mensajes.mensajes().front().imagen, DibujoError);
        EXPECT_EQ(Leer(danado), QByteArray("SQLite format 3")) << "the file is left for the teacher";

        // A window shown some other way closes itself at once.
        mensajes.Limpiar();
        TFDMT_GestAverias ventana(UsuarioAlumno);
        ventana.show();
        QApplication::processEvents();
        QApplication::processEvents();
        EXPECT_FALSE(ventana.isVisible()) << danado;
        EXPECT_EQ(mensajes.textos().size(), 1u);
        Estropear(danado, sano);
    }
}

TEST_F(ArchivosDanadosTest, ElProfesorConUnaPlantillaPerdidaPracticaSobreUnaNueva) {
    for (const char* plantilla : {"BDs\\cdsReparacion.cds", "BDs\\cdsLineaReparacion.cds"}) {
        ASSERT_TRUE(QFile::remove(Archivo(plantilla)));
        mensajes.Limpiar();
        tipoUsuario = UsuarioProfesor;
        auto ventana = abrirPuesto();  // no exception leaves the show
        EXPECT_TRUE(ventana->isVisible());
        EXPECT_EQ(mensajes.textos(),
                  QStringList{Texto(244).arg(QDir::toNativeSeparators(Archivo(plantilla)))});
        EXPECT_EQ(mensajes.mensajes().front().imagen, DibujoAviso);
        EXPECT_TRUE(QFile::exists(Archivo(plantilla)));
        ventana->close();
    }
}

TEST_F(ArchivosDanadosTest, UnCatalogoDanadoSeNombraYNoSeTomaPorUnEntrenadorDesconocido) {
    datos->AbrirTablasEquipo(2);  // another trainer is loaded when the diesel one is found
    Estropear("BDs\\EQ001\\cdsAveria.cds", Leer("BDs\\EQ001\\cdsAveria.cds").left(100));
    TFDMT_GestAverias puesto(UsuarioAlumno);  // binds the trainer link
    TFDMT_AVDetectarEquipo deteccion(puesto.DatosPractica);
    deteccion.TimerDetectarTimer();
    const QString texto = deteccion.findChild<QLabel*>("FadeLBus")->text();
    EXPECT_NE(texto, Texto(225));
    EXPECT_TRUE(texto.contains(QDir::toNativeSeparators(Archivo("BDs\\EQ001\\cdsAveria.cds"))))
        << texto.toStdString();
    EXPECT_FALSE(deteccion.EntrenadorDetectado());
    EXPECT_EQ(puesto.DatosPractica.CodEquipo, 0);
}

}  // namespace
