#pragma once

#include <QString>

#include "CarpetaTemporal.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "ModuloPrueba.h"

extern const char* const kTablasBDs[6];
extern const char* const kTablasEquipo[6];
extern const char* const kTablasGrupo[3];

// A small installation written by a module of its own: one trainer with one fault, one
// group stored under `carpetaGrupo` with one member, one student.
void EscribirInstalacion(const QString& raiz, const QString& carpetaGrupo);

class Almacen : public ::testing::Test {
protected:
    QString Ruta(const QString& relativa) const { return carpeta_.ruta() + "/" + relativa; }
    QString CarpetaGrupo() const { return Ruta("BDs/GRP 001/"); }

    // Opens the installation and expects no message.
    void Abrir() { ASSERT_TRUE(dm.AbrirTablas()) << mensajes_.textos().join("\n").toStdString(); }

    // The rows of a table file as another module would read them.
    int FilasEnArchivo(const QString& archivo) {
        TClientDataSet lector;
        lector.LoadFromFile(archivo);
        return lector.RecordCount();
    }

    CarpetaTemporal carpeta_;
    InstalacionTemporal instalacion_{carpeta_.ruta()};
    IdiomaPrueba idioma_{TextosDelModulo()};
    MensajesGrabados mensajes_;
    TdmCDS dm;
};
