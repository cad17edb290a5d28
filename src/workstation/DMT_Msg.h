#pragma once

#include <QDialog>
#include <QPixmap>
#include <array>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The message window: a picture, a centred text of any number of lines and one of five
// button sets. Modal and always on top.
class TFormMsg : public QDialog {
    Q_OBJECT
public:
    explicit TFormMsg(QWidget* parent = nullptr);

    // Lays the window out for a text, button set (0 to 4), picture (0 to 4) and the
    // point it opens beside (-1, -1: centred on the screen).
    void Preparar(const QString& texto, int botones, int imagen, int x, int y);
    int Botones() const { return botones_; }

    void reject() override;

private:
    void colocarBotones();
    void colocarVentana(int x, int y);
    int lineasDelTexto() const;

    QWidget* PanelLeft;
    QLabel* ImageDib;
    QWidget* PanelMsg;
    QLabel* Label1;
    QPlainTextEdit* Memo1;
    QWidget* PanelInf;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    int botones_ = 0;
};

// Shows the message window and returns its modal result (1 OK, 2 cancel, 6 yes, 7 no).
int MostrarMensajeVentana(const QString& texto, int botones, int imagen, int x, int y);

// The pictures of the message window, 0 to 4 (DibujoMensaje).
QPixmap ImagenMensaje(int imagen);
