#pragma once

#include <QString>

// The name of a group's exchange folder: the group name made into one folder name that
// every common file system accepts (the folder often travels on a removable disk).
// Path separators, control characters and the characters such systems refuse become "_",
// as do trailing dots and spaces; a name some systems keep for a device gets a "_" after
// the device part ("CON" -> "CON_", "lpt1.txt" -> "lpt1_.txt"). Empty when the name cannot be a folder:
// empty, "." or "..".
QString NombreCarpetaIntercambio(const QString& nombreGrupo);
