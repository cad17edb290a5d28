#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "HistorialGrupo.h"

// What the commands on one group share: "INSTALACION GRUPO" and options "--nombre valor" in
// any order, and reading the group's histories from that installation.
struct ArgumentosGrupo {
    QString instalacion;
    int grupo = 0;
    std::vector<std::pair<QString, QString>> opciones;  // as given
};

// The arguments split; the reason when they are not INSTALACION GRUPO and options with values.
std::optional<QString> LeerArgumentosGrupo(const QStringList& argumentos, ArgumentosGrupo& a);

// The value of "--equipo" as a trainer code; the reason when it is not a number.
std::optional<QString> LeerEquipo(const QString& valor, std::optional<int>& equipo);

// Reads the group from the installation and hands it to `escribir`; histories that could not
// be read are told on `errores`. The exit status.
int ConHistorialGrupo(const ArgumentosGrupo& a, QTextStream& errores,
                      const std::function<void(const HistorialGrupo&)>& escribir);
