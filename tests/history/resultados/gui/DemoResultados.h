#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "CarpetaTemporal.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"

// One demo installation for a whole suite (writing it takes a moment), with its language
// file; its group 1 has some weeks of practices.
class DemoResultados : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;
    static QString demo();

    static inline CarpetaTemporal* carpeta = nullptr;
    std::unique_ptr<InstalacionTemporal> instalacion;
    std::unique_ptr<IdiomaTemporal> idioma;
    MensajesGrabados mensajes;
};
