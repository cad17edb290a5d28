#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QTextBrowser;
class QToolButton;

// Lets the user say which trainer model is connected when several share one relay-board
// number: it shows each candidate's page ("caratulas\" + code + ".htm") in turn.
class TFDMT_EscogerCaratula : public QDialog {
    Q_OBJECT
public:
    explicit TFDMT_EscogerCaratula(QWidget* parent = nullptr);

    void PrepararCaratulas(int numeroDetectado);
    void MostrarCaratula(int codigo);

    int Posicion() const { return posicion_; }
    int CodigoMostrado() const { return codigoMostrado_; }
    int NumeroDetectado() const { return numeroDetectado_; }
    const QStringList& Candidatos() const { return candidatos_; }

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void irA(int posicion);

    QLabel* LTitulo;
    QTextBrowser* WB;
    QToolButton* SBfirst;
    QToolButton* SBback;
    QToolButton* SBnext;
    QToolButton* SBLast;
    QPushButton* BtnAceptar;
    QPushButton* BtnCancel;

    QStringList candidatos_;
    int posicion_ = -1;
    int codigoMostrado_ = -1;
    int numeroDetectado_ = -1;
};

// Asks for the model of a detected number: the chosen code, or the number itself on cancel.
int ElegirCaratula(int numeroDetectado);
