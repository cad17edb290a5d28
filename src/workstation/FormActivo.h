#pragma once

class QWidget;

// The window in front: each main window and dialog sets it when shown; the help window
// reads its topic (the window's "Tag" property) from it.
QWidget* FormActivo();
void FijarFormActivo(QWidget* ventana);
