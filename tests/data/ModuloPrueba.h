#pragma once

#include <QString>
#include <QVariant>
#include <initializer_list>
#include <utility>

#include "ClientDataSet.h"

// Appends one row and posts it: the pairs are field names and values.
void AnadirFila(TClientDataSet* tabla, std::initializer_list<std::pair<const char*, QVariant>> valores);
// The value of a field in the table's current row.
QVariant Valor(TClientDataSet* tabla, const char* campo);

#include <gtest/gtest.h>

#include "Azar.h"
#include "IdiomaPrueba.h"
#include "dmCDS.h"

// A data module whose tables are all created empty, with the test language texts.
class ModuloVacio : public ::testing::Test {
protected:
    ModuloVacio() {
        SembrarAzar(1234);
        dm.CrearTablasVacias();
    }

    IdiomaPrueba idioma_{TextosDelModulo()};
    TdmCDS dm;
};
