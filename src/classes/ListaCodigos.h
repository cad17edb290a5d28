#pragma once

#include <QList>
#include <QTableWidget>
#include <optional>

// A list of names in alphabetical order, each with the code of its record in a hidden
// second column: the students of a subgroup, the subgroups of a student.
class TListaCodigos : public QTableWidget {
    Q_OBJECT
public:
    TListaCodigos(const char* nombre, QWidget* parent);

    void Limpiar();
    // Adds a row where its name sorts (without regard to case), unless the code is there.
    void Anadir(const QString& texto, int codigo);
    void Quitar(int codigo);
    bool Contiene(int codigo) const;
    QList<int> Codigos() const;
    // The code and name of the row chosen; none when no row is.
    std::optional<int> CodigoActual() const;
    QString TextoActual() const;

private:
    int fila(int codigo) const;
};
