#pragma once

#include <QDialog>
#include <QString>

#include "ListaAlumnos.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QWidget;
class TFDMT_VentanaAlumnos;

// The preview of a class list before it goes into the current group: one row per line of
// the file, the refused ones marked with their reason. Accepting adds every accepted
// student (all or none); cancelling adds nothing.
class TFDMT_ImportarLista : public QDialog {
    Q_OBJECT
public:
    TFDMT_ImportarLista(const QString& archivo, ListaAlumnos lista, QWidget* parent = nullptr);

    void BitBtnAceptarClick();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void cargar();

    QString archivo_;
    ListaAlumnos lista_;
    QLabel* LabelTitulo;
    QTableWidget* GridLista;
    QLabel* LabelResumen;
    QPushButton* BitBtnAceptar;
    QPushButton* BitBtnCancelar;
};

// The student page's "Importar lista…": asks for the file, reads it against the current
// group's members, shows the preview and adds the students accepted there. True when
// students were added (the caller reloads its tree).
bool ImportarListaAlumnos(QWidget* padre);
// The same with the file already chosen.
bool ImportarListaAlumnosDe(QWidget* padre, const QString& archivo);
// The student page's button: the import (of a file asked for when none is given), then
// the page and its tree read again, since the import leaves the page's rows out of edit.
void ImportarListaEnPagina(TFDMT_VentanaAlumnos* pagina, const QString& archivo = QString());
