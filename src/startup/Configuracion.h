#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// Readers of the configuration file: each one opens it, reads one key and closes it,
// so a value edited while the program runs is seen at the next read.
QString LeerTipoDumet();
// Colour as stored: bytes blue, green, red from high to low (00BBGGRR).
std::uint32_t LeerColor();
int LeerNivelReparacion();
int LeerNivelSintoma();
bool LeerCaratulas();
void LeerListaCaratulas(int codigo, QStringList& lista);
QString RutaIcono();
// Splits a picture list value such as "7,12,15,".
QStringList PartirListaCaratulas(QString valor);
