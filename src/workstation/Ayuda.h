#pragma once

#include <functional>

class QWidget;

// Opens the help window at a book (1 class management, 2 workstation, 3 login). The help
// window registers itself; until then the request does nothing.
void AbrirAyuda(int libro);
void FijarAbridorAyuda(std::function<void(int)> abridor);
// F1 anywhere in the window opens the help at that book.
void AyudaConF1(QWidget* ventana, int libro);
