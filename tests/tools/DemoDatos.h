#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "CarpetaTemporal.h"
#include "EjecucionPrograma.h"

// One run of an averias-datos command; as "nobody" when asked (see EjecutarPrograma).
using EjecucionDatos = EjecucionPrograma;
EjecucionDatos EjecutarOrdenDatos(const QString& orden, const QStringList& argumentos,
                                  bool otroUsuario = false);

// One demo installation for a whole suite: writing it takes a moment.
class DemoDatos : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    static QString demo();

private:
    static inline CarpetaTemporal* carpeta = nullptr;
};
