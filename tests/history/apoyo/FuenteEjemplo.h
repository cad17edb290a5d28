#pragma once

#include <QHash>
#include <QStringList>

#include "OrigenDatos.h"

// Sample data for every shipped layout, read the way the reports window reads the two
// report data files: dataset 1 walks the main file, dataset 2 the second file (one-fault
// simple history and password lists) or the groups of the main file, dataset 3 the second
// file. The lines hold descriptions where the real files hold codes.
class FuenteEjemplo : public informes::OrigenDatos {
public:
    // `informe` is a layout name such as "Informe4AL".
    explicit FuenteEjemplo(const QString& informe);
    // The values the program sets for the report: GRUPO, PROPIETARIO, EQUIPO, AVERIA.
    QHash<QString, QString> Constantes() const { return constantes_; }

    void Primero(int conjunto) override;
    void Siguiente(int conjunto) override;
    bool FinDatos(int conjunto, bool fin) override;
    void Variable(const QString& nombre, QString& valor) override;

private:
    struct Archivo {
        QList<QStringList> lineas;
        int posicion = 0;
        bool Fin() const { return posicion >= lineas.size(); }
    };
    bool LeerLinea(Archivo& a);

    int tipo_ = 1;  // the report kind: 1 to 5, 9 or 10
    Archivo principal_, segundo_;
    QStringList actual_, guardada_;
    QString claveGrupo_;
    QHash<QString, int> columnas_;
    QHash<QString, QString> fijas_;
    QHash<QString, QString> constantes_;
};
