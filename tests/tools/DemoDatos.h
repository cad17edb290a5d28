#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "CarpetaTemporal.h"

// One run of an averias-datos command: its exit status (-1 when it did not end by itself),
// its output as written and its error output.
struct EjecucionDatos {
    int estado;
    QByteArray salida;
    QString errores;
};
EjecucionDatos EjecutarOrdenDatos(const QString& orden, const QStringList& argumentos);

// One demo installation for a whole suite: writing it takes a moment.
class DemoDatos : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    static QString demo();

private:
    static inline CarpetaTemporal* carpeta = nullptr;
};
