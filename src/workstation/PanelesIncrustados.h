#pragma once

class QWidget;

// Shows one panel at a time inside a host panel (the workstation's client area, the class
// management's right-hand side). The panel shown becomes the window in front.
void MostrarFormEnPanel(QWidget* form, QWidget* panel);
// The panel currently shown in a host, or null.
QWidget* FormEnPanel(QWidget* panel);
// Frees every panel embedded in a host.
void LiberarFormsPanel(QWidget* panel);
