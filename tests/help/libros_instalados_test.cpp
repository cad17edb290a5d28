#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

#include "CarpetaTemporal.h"
#include "Instalacion.h"
#include "LibrosAyuda.h"
#include "PaginaAyuda.h"

namespace {

// The help books as shipped in installation/.
class LibrosInstalados : public ::testing::Test {
protected:
    QString instalada = carpetaFuentes() + "/installation";
    InstalacionTemporal instalacion{instalada};
};

TEST_F(LibrosInstalados, CadaEnlaceDeCadaPaginaLlevaAUnArchivoQueExiste) {
    static const QRegularExpression referencia(R"re(\b(?:href|src)\s*=\s*"([^"]*)")re",
                                               QRegularExpression::CaseInsensitiveOption);
    QStringList paginas;
    QDirIterator it(Instalacion::Ruta("Help"), {"*.htm"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) paginas.append(it.next());
    ASSERT_FALSE(paginas.isEmpty());
    for (const QString& pagina : paginas) {
        if (QFileInfo(pagina).fileName().compare("helpAux.htm", Qt::CaseInsensitive) == 0) continue;
        QString texto;
        ASSERT_TRUE(LeerTextoAyuda(pagina, texto)) << pagina.toStdString();
        QRegularExpressionMatchIterator r = referencia.globalMatch(texto);
        while (r.hasNext()) {
            const QString nombre = r.next().captured(1);
            if (nombre.startsWith('#') || nombre.contains(QRegularExpression("^[a-z]{3,}:"))) continue;
            const QString archivo = ResolverReferencia(nombre, QFileInfo(pagina).absolutePath());
            EXPECT_TRUE(QFileInfo(archivo).isFile())
                << QFileInfo(pagina).fileName().toStdString() << " -> " << nombre.toStdString();
        }
    }
}

TEST_F(LibrosInstalados, CadaVentanaTieneSuTemaEnElLibroQueAbre) {
    struct Libro {
        int numero;
        QList<int> tags;
    } libros[] = {
        {1, {1, 2, 3, 4, 6, 7, 8, 9, 19, 20, 21, 22, 23}},
        {2, {8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21}},
    };
    for (const Libro& l : libros) {
        const LibroAyuda& libro = *BuscarLibro(l.numero);
        EXPECT_TRUE(QFileInfo(Instalacion::Ruta(libro.carpeta + "\\help.htm")).isFile()) << l.numero;
        for (int tag : l.tags) {
            const QString tema = TemaDeTag(tag, l.numero);
            ASSERT_FALSE(tema.isEmpty()) << tag;
            EXPECT_TRUE(QFileInfo(Instalacion::Ruta(libro.carpeta + "\\" + tema + ".htm")).isFile())
                << "libro " << l.numero << ", " << tema.toStdString();
        }
    }
    EXPECT_TRUE(QFileInfo(Instalacion::Ruta("Help\\Acceso\\acceso.htm")).isFile());
}

TEST_F(LibrosInstalados, ElMarcoDeCadaLibroEmpiezaEnLaIntroduccion) {
    for (int numero : {1, 2}) {
        QString texto;
        ASSERT_TRUE(LeerTextoAyuda(Instalacion::Ruta(BuscarLibro(numero)->carpeta + "\\help.htm"), texto));
        const QList<MarcoAyuda> marcos = LeerMarcos(texto);
        ASSERT_EQ(marcos.size(), 2) << numero;
        EXPECT_EQ(marcos.last().fuente, "introduccion.htm") << numero;
    }
}

}  // namespace
