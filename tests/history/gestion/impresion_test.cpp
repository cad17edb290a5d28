#include <QPushButton>
#include <QTreeWidget>

#include "GestionHistoria.h"
#include "PaginaGestion.h"

namespace {

// The print buttons of the class management pages: the report they prepare, as the
// preview gets it.
class ImpresionPaginas : public GestionHistoria {
protected:
    QPushButton* imprimirTabla() {
        QTreeWidgetItem* grupo = nodoGrupo(kGrupoDemo);
        ventana->TreeViewGrupos()->setCurrentItem(grupo->child(TFDMT_GestAlumnado::CarpetaAcceso));
        return ventana->PaginaActual->findChild<QPushButton*>("RxSpeedButtonImprimir");
    }
};

TEST_F(ImpresionPaginas, LaTablaDeAveriasDelEntrenadorElegido) {
    abrir();
    QPushButton* imprimir = imprimirTabla();
    ASSERT_NE(imprimir, nullptr);
    ASSERT_TRUE(imprimir->isEnabled());
    // The seeds the page lists: the chosen trainer in the group's mode.
    const int semillas = datos->cdsSemilla->RecordCount();
    ASSERT_GT(semillas, 0);
    datos->Modificado = true;
    imprimir->click();
    EXPECT_TRUE(datos->Modificado) << "a printout is no edit";
    datos->Modificado = false;
    ASSERT_EQ(previas.size(), 1u);
    EXPECT_TRUE(previas[0].contains("Averías accesibles del grupo")) << previas[0].toStdString();
    EXPECT_TRUE(previas[0].contains(kGrupoDemo)) << previas[0].toStdString();
    EXPECT_TRUE(previas[0].contains(QString("Averías accesibles: %1").arg(semillas)))
        << previas[0].toStdString();
    EXPECT_TRUE(mensajes.textos().isEmpty());
}

TEST_F(ImpresionPaginas, SinInformesElBotonDeLaTablaQuedaApagado) {
    TFDMT_GestAlumnado::ImprimirAccesos = nullptr;
    abrir();
    QPushButton* imprimir = imprimirTabla();
    ASSERT_NE(imprimir, nullptr);
    EXPECT_FALSE(imprimir->isEnabled());
}

TEST_F(ImpresionPaginas, LaHojaDeContrasenasDelGrupo) {
    abrir();
    ventana->TreeViewGrupos()->setCurrentItem(nodoGrupo(kGrupoDemo));
    ASSERT_TRUE(TFDMT_GestAlumnado::ImprimirContrasenas);
    TFDMT_GestAlumnado::ImprimirContrasenas(ventana.get());
    ASSERT_EQ(previas.size(), 1u);
    const QString& texto = previas[0];
    // Every member with the password to cut out, and the subgroup with its own.
    int miembros = 0;
    for (datos->cdsGrupoAlumno->First(); !datos->cdsGrupoAlumno->Eof();
         datos->cdsGrupoAlumno->Next(), ++miembros) {
        ASSERT_TRUE(datos->cdsAlumno->Locate("cdsAFCodAlumno", datos->cdsGrpAlFPtrAlumno->AsInteger()));
        EXPECT_TRUE(texto.contains(datos->cdsAlumno->FieldByName("cdsAFPassword")->AsString()))
            << texto.toStdString();
        EXPECT_TRUE(texto.contains(datos->cdsAlumno->FieldByName("cdsAFNombre")->AsString()))
            << texto.toStdString();
    }
    EXPECT_EQ(miembros, 5);
    datos->cdsSubgrupo->First();
    EXPECT_TRUE(texto.contains(datos->cdsSubFNombre->AsString())) << texto.toStdString();
    EXPECT_TRUE(texto.contains(datos->cdsSubFPassword->AsString())) << texto.toStdString();
}

// Another installation without its layouts: the failure is told, nothing shown.
TEST_F(ImpresionPaginas, UnDisenoQueFaltaSeDiceYNoSeMuestraNada) {
    QFile::remove(Instalacion::Ruta("Informes\\Informe10.frf"));
    abrir();
    TFDMT_GestAlumnado::ImprimirContrasenas(ventana.get());
    EXPECT_TRUE(previas.empty());
    EXPECT_EQ(mensajes.mensajes().size(), 1u);
}

}  // namespace
