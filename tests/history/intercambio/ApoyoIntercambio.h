#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

#include "CarpetaTemporal.h"
#include "ClientDataSet.h"

struct Salida {
    int estado;  // -1 when the program did not end by itself
    QString texto;
};

// Runs averias-datos; `entorno` adds variables, `otroUsuario` runs it as "nobody" when
// the tests run as root (for whom no folder is read-only).
Salida EjecutarDatos(const QStringList& argumentos, bool otroUsuario = false);

// Every file and folder under `carpeta` with its contents, to tell that nothing changed.
// Names listed in `fuera` (first component) are left out.
using Instantanea = std::map<QString, QByteArray>;
Instantanea TomarInstantanea(const QString& carpeta, const QStringList& fuera = {});

std::unique_ptr<TClientDataSet> LeerTabla(const QString& archivo);
// Loads a table file, lets `cambio` edit it and writes it back.
void CambiarTabla(const QString& archivo, const std::function<void(TClientDataSet&)>& cambio);
// The values of one field in every row, as text, in file order.
QStringList Columna(const QString& archivo, const char* campo);
// Opens the installation once in a data module and closes it, so that the identifier
// counters exist and later runs read it without writing anything.
void AbrirYCerrar(const QString& instalacion);

// Two demo installations ("a" and "b") and an empty destination folder ("d").
// The demo is written once for the whole program (writing it takes a while) and copied.
class Intercambio : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    QString A(const QString& relativa = {}) const { return carpeta.archivo("a/" + relativa); }
    QString B(const QString& relativa = {}) const { return carpeta.archivo("b/" + relativa); }
    QString D(const QString& relativa = {}) const { return carpeta.archivo("d/" + relativa); }
    // The demo group's exchange folder under "d" once exported.
    QString Exportada() const { return D(kGrupoDemo); }
    void Exportar();
    void CambiarNombreGrupo(const QString& instalacion, const QString& nombre);

    static inline const QString kGrupoDemo = QStringLiteral("1º Electromecánica");
    CarpetaTemporal carpeta;

private:
    static inline CarpetaTemporal* demo_ = nullptr;
};
