#pragma once

#include <QString>
#include <QTextStream>

#include "Instalacion.h"
#include "dmCDS.h"

// The data module of an installation, opened with its language texts; a group exchange
// that stopped half way is finished first.
class SesionDatos {
public:
    explicit SesionDatos(const QString& carpeta);
    bool abierta() const { return abierta_; }

private:
    InstalacionTemporal instalacion_;

public:
    TdmCDS dm;

private:
    bool abierta_ = false;
};

// Says that the installation cannot be opened; the exit status.
int SinInstalacion(const QString& carpeta, QTextStream& errores);

// Makes current the group named so, or else the group of that code.
bool ElegirGrupo(TdmCDS& dm, const QString& grupo);

// With AVERIAS_DATOS_PARAR_EN set to a stage ("leyendo", "alumno:N", "poniendo:N", "codigos"),
// the command stops itself there, so that a test can kill it half way or start two at once.
void PararSiSePide(const QString& etapa, QTextStream& salida);
