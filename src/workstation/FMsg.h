#pragma once

#include <QDialog>

class QLabel;

// The status window: a borderless, always-on-top box with one line ("Cargando") that
// stays on screen, with the hourglass cursor, while a long operation runs.
class TForm_MsgEstado : public QDialog {
    Q_OBJECT
public:
    explicit TForm_MsgEstado(QWidget* parent = nullptr);
    void setTexto(const QString& texto);
    QString texto() const;

private:
    QLabel* LMsg;
};

void MostrarEstadoVentana(const QString& texto);
void OcultarEstadoVentana();
// The window while it is shown, else null.
TForm_MsgEstado* VentanaEstado();
