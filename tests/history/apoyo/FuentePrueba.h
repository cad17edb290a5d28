#pragma once

#include <QHash>
#include <QList>
#include <QStringList>
#include <ostream>

#include "OrigenDatos.h"

// A data source over rows held in memory: each dataset is a list of rows of columns, and a
// variable names a column of the row read last, whichever dataset read it (as the report
// data files are read). Notes every call, for the tests of the order of the callbacks.
class FuentePrueba : public informes::OrigenDatos {
public:
    QList<QStringList> filas[3];
    QHash<QString, int> columnas;   // upper-case variable -> column
    QHash<QString, QString> fijas;  // upper-case variable -> value
    QStringList llamadas;
    bool notarVariables = false;

    void InicioDocumento() override { llamadas << "inicio"; }
    void FinDocumento() override { llamadas << "fin"; }
    void Primero(int c) override {
        llamadas << QString("primero %1").arg(c);
        posicion_[c - 1] = 0;
        Leer(c);
    }
    void Siguiente(int c) override {
        llamadas << QString("siguiente %1").arg(c);
        ++posicion_[c - 1];
        Leer(c);
    }
    bool FinDatos(int c, bool fin) override { return fin || posicion_[c - 1] >= filas[c - 1].size(); }
    void Variable(const QString& nombre, QString& valor) override {
        if (notarVariables) llamadas << "variable " + nombre;
        const QString clave = nombre.toUpper();
        if (fijas.contains(clave)) valor = fijas.value(clave);
        const auto c = columnas.constFind(clave);
        if (c != columnas.constEnd() && *c < actual_.size()) valor = actual_[*c];
    }

private:
    void Leer(int c) {
        if (posicion_[c - 1] < filas[c - 1].size()) actual_ = filas[c - 1][posicion_[c - 1]];
    }
    int posicion_[3] = {0, 0, 0};
    QStringList actual_;
};

// Readable texts in the failures of the tests.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
