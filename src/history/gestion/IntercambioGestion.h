#pragma once

#include <QString>
#include <functional>

class QWidget;
class TdmCDS;
class TFDMT_GestAlumnado;

// The group exchange as the class management window offers it: the folder dialog, the
// window's lock, the messages, and the tables and the tree afterwards. The exchange itself
// (files, codes, the replace question) is the exchange library's.
namespace IntercambioGestion {

// Asks for a folder under the title of text 7000; empty when cancelled. Tests replace it.
inline std::function<QString(QWidget* padre)> ElegirCarpeta;

// Writes the exchange folder of the selected node's group under a folder the teacher chooses.
void Exportar(TdmCDS& dm, TFDMT_GestAlumnado& ventana);
// Imports the exchange folder the teacher chooses; the tree then shows the imported group
// selected (in place of the group it replaced, when the teacher agreed to replace one).
void Importar(TdmCDS& dm, TFDMT_GestAlumnado& ventana);

}  // namespace IntercambioGestion
