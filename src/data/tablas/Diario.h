#pragma once

#include <QString>
#include <functional>

// The log of what the table files met that nobody was there to see: another program's
// change overwritten, a file put in place of another, a code taken meanwhile. Each entry
// gets the time and the PC's host name in front.
namespace tablas {

using Anotador = std::function<void(const QString& linea)>;
// Where the lines go (the installation's log); returns the previous one. Without one they
// go to the error output.
Anotador FijarDiario(Anotador anotador);
void Anotar(const QString& suceso);

}  // namespace tablas
