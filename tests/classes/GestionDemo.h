#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>

#include "CarpetaTemporal.h"
#include "ClientDataSet.h"
#include "DMT_GestAlumnado.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "dmCDS.h"

class QTreeWidgetItem;

// Texts in a failed expectation read as texts.
inline void PrintTo(const QString& texto, std::ostream* salida) {
    *salida << '"' << texto.toStdString() << '"';
}

// A copy of the demo installation (its group "1º Electromecánica" with five students and a
// subgroup, two trainers) with its data module open, for the class management windows.
class GestionDemo : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The class management window, shown (not modal).
    TFDMT_GestAlumnado* abrir();
    QTreeWidgetItem* nodoGrupo(const QString& nombre) const;
    // Types into a control of the page in front as the teacher would.
    void escribir(const char* control, const QString& texto) const;
    void pulsar(const char* boton) const;
    // Creates a group through the window: new, name, save. Its code, or -1.
    int crearGrupo(const QString& nombre);
    // A table file as another program would read it.
    static std::unique_ptr<TClientDataSet> leer(const QString& archivo);
    QString carpetaGrupo(int codigo) const;
    // The seeds stored for a group, trainer and mode.
    int semillas(int grupo, int equipo, bool tutorizada) const;
    // The faults of a trainer in its catalogue.
    int averias(int equipo) const;
    // Acts on the modal dialog of that object name as soon as it is shown.
    static void enDialogo(const char* nombre, std::function<void(QWidget*)> accion);

    CarpetaTemporal carpeta;
    std::unique_ptr<InstalacionTemporal> instalacion;
    std::unique_ptr<IdiomaTemporal> idioma;
    MensajesGrabados mensajes;
    std::unique_ptr<TdmCDS> datos;
    std::unique_ptr<TFDMT_GestAlumnado> ventana;
};
