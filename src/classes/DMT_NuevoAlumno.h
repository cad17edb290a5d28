#pragma once

#include <QDialog>
#include <QList>
#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

// The student chooser ("Nuevo alumno") in its several-students mode: the members of the
// current group, any number of them at once, for the subgroup being edited.
class TFDMT_NuevoAlumno : public QDialog {
    Q_OBJECT
public:
    // `miembros`: the students the subgroup already has, who cannot be chosen again.
    TFDMT_NuevoAlumno(const QList<int>& miembros, QWidget* parent = nullptr);

    // The codes chosen, in list order (once accepted).
    QList<int> Elegidos() const { return elegidos_; }
    void BitBtnAceptarClick();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void llenarLista();

    QList<int> miembros_;
    QList<int> elegidos_;
    QLabel* Label1;
    QListWidget* ListBoxAlumnos;
    QPushButton* BitBtnAceptar;
    QPushButton* BitBtnCancelar;
    QPushButton* BitBtnAyuda;
};

// Runs the chooser; the codes chosen, or none when the teacher cancelled.
std::optional<QList<int>> ElegirAlumnos(QWidget* padre, const QList<int>& miembros);
