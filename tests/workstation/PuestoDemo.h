#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>

#include "CarpetaTemporal.h"
#include "ClientDataSet.h"
#include "DMT_GestAverias.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "PlacaUartSimulada.h"
#include "dmCDS.h"

// The demo installation with its diesel trainer simulated on COM1 (the other ports do not
// exist), and a demo user logged in to the first group: a student by default.
class PuestoDemo : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Logs in another demo user ("AL004", "SUB001"...).
    void entrar(const char* password);
    // A workstation as its start timer leaves it: history open, the diesel trainer found
    // and connected (the test does the timer's work).
    std::unique_ptr<TFDMT_GestAverias> abrirPuesto();
    // A practice table of a user's history as written on disk ("001" for student 1).
    std::unique_ptr<TClientDataSet> historico(const QString& tabla, const QString& usuario = "001") const;
    // The actions of the lines in a user's history file, in order.
    QStringList acciones(const QString& usuario = "001") const;
    // The actions of the user's latest practice (the demo's histories hold older ones).
    QStringList accionesDeLaUltima(const QString& usuario) const;
    // Clicks with the mouse the entry of a diagnosis list that reads so.
    static void elegir(const char* lista, const QString& texto);
    // Presses a button of the diagnosis panel.
    static void pulsar(const char* boton);
    // Presses a button of the modal dialog that the next call opens.
    static void pulsarEnDialogo(const char* boton);
    // Presses a button of the modal dialog in front as soon as it shows it (the detection
    // window shows its accept button when the search has ended).
    static void pulsarCuandoSeVea(const char* boton);
    // Chooses a fault in the provoke dialog that the next call opens, and provokes it.
    static void provocarEnDialogo(int idAveria);

    CarpetaTemporal carpeta;
    // Reset to pull the cable out.
    std::unique_ptr<ServidorUartSimulado> tablero =
        std::make_unique<ServidorUartSimulado>(PlacaUartSimulada("7", "V1.0"));
    std::unique_ptr<InstalacionTemporal> instalacion;
    std::unique_ptr<IdiomaTemporal> idioma;
    MensajesGrabados mensajes;
    std::unique_ptr<TdmCDS> datos;
    int tipoUsuario = UsuarioAlumno;
};
