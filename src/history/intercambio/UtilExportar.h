#pragma once

#include <QString>

// Folder operations of the group exchange. Neither follows a symbolic link: a link is
// never copied through and, when emptying, only the link itself goes. Each failure is
// shown with its text and the walk goes on; the result says whether all of it was done.

// Copies every entry of `origen` whose name matches `mascara` ("*.cds"; "*.*" is every
// entry) into `destino`, overwriting files. A real folder is created in the destination
// when missing and copied whole. Text 179 + name for a file that cannot be copied,
// 180 + name for a folder that cannot be created. Each copy is on disk before the call
// returns unless it is a working copy (`durable` false).
bool CopiarCarpeta(const QString& origen, const QString& destino, const QString& mascara, bool durable = true);

// Deletes every file in the folder and empties and removes every subfolder. Text 221 +
// name for a file that cannot be deleted, 178 + name for a folder that cannot be removed.
// Only for the working folder: the exchange folder is never emptied.
bool VaciarCarpeta(const QString& carpeta);

// `carpeta` with one "/" at its end.
QString ConBarra(const QString& carpeta);
