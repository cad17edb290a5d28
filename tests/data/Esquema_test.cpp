#include "Esquema.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <set>

namespace {

using Esquema::Tabla;

bool TieneCampo(const Tabla& tabla, const QString& nombre) {
    for (const auto& campo : tabla.campos)
        if (campo.nombre == nombre) return true;
    return false;
}

// Every name of a ";"-separated field list is a field of the table.
void EsperarCampos(const Tabla& tabla, const QString& lista) {
    for (const QString& nombre : lista.split(';', Qt::SkipEmptyParts))
        EXPECT_TRUE(TieneCampo(tabla, nombre))
            << tabla.nombre.toStdString() << " no tiene " << nombre.toStdString();
}

class EsquemaDeTabla : public ::testing::TestWithParam<Tabla> {};

TEST_P(EsquemaDeTabla, LosNombresDeCampoNoSeRepiten) {
    std::set<QString> vistos;
    for (const auto& campo : GetParam().campos)
        EXPECT_TRUE(vistos.insert(campo.nombre).second) << campo.nombre.toStdString();
}

TEST_P(EsquemaDeTabla, OrdenIndicesYAgregadosNombranCamposPropios) {
    const Tabla& tabla = GetParam();
    EsperarCampos(tabla, tabla.orden);
    for (const auto& indice : tabla.indices) EsperarCampos(tabla, indice.campos);
    for (const auto& agregado : tabla.agregados) {
        static const QRegularExpression kCampo(QStringLiteral("\\((\\w+)"));
        EsperarCampos(tabla, kCampo.match(agregado.expresion).captured(1));
    }
    if (!tabla.indiceActivo.isEmpty()) {
        bool existe = false;
        for (const auto& indice : tabla.indices) existe = existe || indice.nombre == tabla.indiceActivo;
        EXPECT_TRUE(existe) << tabla.indiceActivo.toStdString();
    }
}

TEST_P(EsquemaDeTabla, ElDetalleSeEnlazaPorCamposDelMaestroYSuOrdenEmpiezaPorLaClave) {
    const Tabla& tabla = GetParam();
    if (tabla.maestro.isEmpty()) return;
    const Tabla& maestro = Esquema::DeTabla("cds" + tabla.maestro.mid(2));
    EsperarCampos(maestro, tabla.camposMaestro);
    EXPECT_FALSE(tabla.orden.isEmpty()) << "el detalle se enlaza por los campos de su orden";
}

TEST_P(EsquemaDeTabla, LasBusquedasNombranSusClavesYSuResultado) {
    for (const auto& campo : GetParam().campos) {
        if (campo.clase != Esquema::Clase::Busqueda) continue;
        EsperarCampos(GetParam(), campo.busqueda.claves);
        const Tabla& origen =
            Esquema::DeTabla(campo.busqueda.cursor.chopped(3));  // "cdsGrupoLUp" -> cdsGrupo
        EsperarCampos(origen, campo.busqueda.clavesCursor + ";" + campo.busqueda.resultado);
    }
}

TEST_P(EsquemaDeTabla, LasCadenasTienenAnchoYLosLogicosDosTextos) {
    for (const auto& campo : GetParam().campos) {
        if (campo.tipo == Esquema::Tipo::Cadena) {
            EXPECT_GT(campo.ancho, 0) << campo.nombre.toStdString();
        }
        if (campo.tipo == Esquema::Tipo::Booleano) {
            EXPECT_EQ(campo.valores.count(';'), 1) << campo.nombre.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tablas, EsquemaDeTabla, ::testing::ValuesIn(Esquema::Tablas()),
                         [](const auto& caso) { return caso.param.nombre.toStdString(); });

TEST(Esquema, LasTablasVanEnElOrdenDeDeclaracion) {
    QStringList nombres;
    for (const auto& tabla : Esquema::Tablas()) nombres << tabla.nombre;
    EXPECT_EQ(nombres, QStringList({"cdsEquipo", "cdsBloque", "cdsCircuito", "cdsElemento", "cdsComponente",
                                    "cdsAveria", "cdsSintomas", "cdsGrupo", "cdsAlumno", "cdsGrupoAlumno",
                                    "cdsSubgrupo", "cdsSemilla", "cdsReparacion", "cdsLineaReparacion",
                                    "cdsCodigos"}));
}

TEST(Esquema, ElPrimerCampoDeLasTablasConContadorEsSuIdentificador) {
    const std::pair<const char*, const char*> casos[] = {
        {"cdsGrupo", "cdsGrpFCodGrupo"},           {"cdsAlumno", "cdsAFCodAlumno"},
        {"cdsSubgrupo", "cdsSubFCodSubgrupo"},     {"cdsSemilla", "cdsSemFIdSemilla"},
        {"cdsReparacion", "cdsRepFCodReparacion"}, {"cdsLineaReparacion", "cdsLRepFCodLinea"}};
    for (const auto& [tabla, campo] : casos) EXPECT_EQ(Esquema::DeTabla(tabla).campos.front().nombre, campo);
}

TEST(Esquema, UnaTablaDesconocidaSeRechaza) {
    EXPECT_THROW(Esquema::DeTabla("cdsNoExiste"), std::out_of_range);
}

}  // namespace
