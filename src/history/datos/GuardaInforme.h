#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

class TdmCDS;
class TClientDataSet;
class EstadoCursor;

// What a report writer moves in the data module, put back however the writer ends: the
// history that was open (its files, filters and current practice and line) and the filter
// and current row of the other tables it walks.
class GuardaInforme {
public:
    explicit GuardaInforme(TdmCDS& dm);
    ~GuardaInforme();
    GuardaInforme(const GuardaInforme&) = delete;
    GuardaInforme& operator=(const GuardaInforme&) = delete;

private:
    struct Historico {
        TClientDataSet* tabla;
        QString archivo;
        bool activa;
        QString filtro;
        bool filtrado;
        QVariant codigo;  // the current row's first field
    };
    static Historico Tomar(TClientDataSet* tabla);
    static void Devolver(const Historico& h, bool reabrir);

    TdmCDS& dm_;
    Historico reparaciones_, lineas_;
    std::vector<std::unique_ptr<EstadoCursor>> otras_;
};
