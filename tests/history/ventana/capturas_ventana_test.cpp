#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRadioButton>

#include "ControlesDatos.h"
#include "DMT_Informes.h"
#include "HistoriaPrueba.h"
#include "VistaPreviaInforme.h"

namespace {

// Pictures of the reports window and of the preview of each kind of report it prints over
// a small history, in Spanish: written only when AVERIAS_CAPTURAS names a folder
// (scripts/capturas runs it on a virtual display).
class CapturasVentanaInformes : public HistoriaPrueba {
protected:
    void SetUp() override {
        carpetaCapturas_ = qEnvironmentVariable("AVERIAS_CAPTURAS");
        if (carpetaCapturas_.isEmpty()) GTEST_SKIP();
        HistoriaPrueba::SetUp();
        const QString fuentes = carpetaFuentes() + "/installation";
        idioma_.reset();
        idioma_ = std::make_unique<IdiomaTemporal>(fuentes + "/idioma.lng");
        for (const char* sub : {"Informes", "images"}) {
            QDir(carpeta_.ruta()).mkpath(sub);
            const QDir origen(fuentes + "/" + sub);
            for (const QString& nombre : origen.entryList(QDir::Files))
                QFile::copy(origen.filePath(nombre), carpeta_.ruta() + "/" + sub + "/" + nombre);
        }
    }
    void TearDown() override { TFInformes::VerPrevia = nullptr; }

    void Guardar(QWidget& w, const QString& nombre) {
        QApplication::processEvents();
        EXPECT_TRUE(w.grab().save(carpetaCapturas_ + "/" + nombre + ".png"));
    }

    QString carpetaCapturas_;
};

TEST_F(CapturasVentanaInformes, Ventana) {
    struct Caso {
        const char* nombre;
        ContextoInformes::Origen origen;
        int tipoUsuario;
        bool subgrupo;
        const char* boton;
    };
    const Caso casos[] = {
        {"informes_historico_alumno", ContextoInformes::Origen::Historico, 3, false, "RadioButtonAl3"},
        {"informes_historico_subgrupo", ContextoInformes::Origen::Historico, 3, true, "RadioButtonSub1"},
        {"informes_puesto_alumno", ContextoInformes::Origen::Puesto, 1, false, "RadioGroupAlumnosItem2"},
        {"informes_puesto_profesor", ContextoInformes::Origen::Puesto, 3, false, "RadioButtonAl5"},
    };
    for (const Caso& c : casos) {
        ContextoInformes contexto{c.origen, 1, c.tipoUsuario, c.subgrupo};
        TFInformes ventana(dm, contexto);
        ventana.show();
        ventana.findChild<QRadioButton*>(c.boton)->click();
        Guardar(ventana, c.nombre);
    }
}

TEST_F(CapturasVentanaInformes, VistaPrevia) {
    struct Caso {
        bool subgrupo;
        int eleccion;
    };
    for (const Caso c : {Caso{false, 1}, Caso{false, 2}, Caso{false, 3}, Caso{false, 4}, Caso{false, 5},
                         Caso{true, 1}, Caso{true, 2}, Caso{true, 3}, Caso{true, 4}, Caso{true, 5}}) {
        ContextoInformes contexto{ContextoInformes::Origen::Historico, 1, 3, c.subgrupo};
        TFInformes ventana(dm, contexto);
        ventana.show();
        const QString boton = QString(c.subgrupo ? "RadioButtonSub%1" : "RadioButtonAl%1").arg(c.eleccion);
        ventana.findChild<QRadioButton*>(boton)->click();
        auto* averias = ventana.findChild<TDBLookupComboBox*>("DBLookupComboBoxAveria");
        if (averias->isVisible() && averias->count() > 0) {
            averias->setCurrentIndex(0);
            emit averias->activated(0);
        }
        const QString nombre = QFileInfo(QString(ventana.ArchivoInforme()).replace('\\', '/')).baseName();
        TFInformes::VerPrevia = [&](const informes::InformePreparado& informe, int libro, QWidget*) {
            VistaPreviaInforme vista(informe, libro);
            vista.resize(1100, 860);
            vista.show();
            Guardar(vista, "informes_vista_" + nombre);
        };
        EXPECT_TRUE(ventana.Previsualizar()) << nombre.toStdString();
    }
}

}  // namespace
