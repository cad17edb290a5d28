#include <gtest/gtest.h>

#include <QFile>

#include "CarpetaTemporal.h"
#include "EnlacesAyuda.h"
#include "Instalacion.h"
#include "PaginaAyuda.h"

namespace {

TEST(ClasificarEnlace, CadaClaseDeEnlace) {
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion{carpeta.ruta()};
    const QString libro = carpeta.archivo("Help/reparacion");
    const QString programa = carpeta.escribir("Help/reparacion/sonda", "#!/bin/sh\n");
    QFile(programa).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QString pagina = carpeta.escribir("Help/reparacion/conexion.htm", "");
    QFile(pagina).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    struct Caso {
        QString enlace;
        AccionEnlace accion;
        QString destino;
        const char* ancla;
        const char* parametros;
    } casos[] = {
        {"mailto:profesor@instituto.es", AccionEnlace::Escritorio, "mailto:profesor@instituto.es", "", ""},
        {"HTTP://www.ejemplo.es/x", AccionEnlace::Escritorio, "HTTP://www.ejemplo.es/x", "", ""},
        {"https://www.ejemplo.es", AccionEnlace::Escritorio, "https://www.ejemplo.es", "", ""},
        {"ftp://servidor/x.htm", AccionEnlace::Seguir, "ftp://servidor/x.htm", "", ""},
        {"conexion.htm#puertos", AccionEnlace::Seguir, pagina, "puertos", ""},
        {"#puertos", AccionEnlace::Seguir, "", "puertos", ""},
        {"file:" + pagina, AccionEnlace::Seguir, pagina, "", ""},
        {"aviso.WAV", AccionEnlace::Reproducir, libro + "/aviso.WAV", "", ""},
        {"musica.mid", AccionEnlace::Reproducir, libro + "/musica.mid", "", ""},
        {"video.avi", AccionEnlace::Reproducir, libro + "/video.avi", "", ""},
        {"video.mp4", AccionEnlace::Reproducir, libro + "/video.mp4", "", ""},
        {"sonido.ogg", AccionEnlace::Reproducir, libro + "/sonido.ogg", "", ""},
        {"sonido.mp3", AccionEnlace::Reproducir, libro + "/sonido.mp3", "", ""},
        {"MPlayer.exe /play", AccionEnlace::Programa, libro + "/MPlayer.exe", "", "/play"},
        {"instalar.exe?modo=1", AccionEnlace::Programa, libro + "/instalar.exe", "", "modo=1"},
        {"sonda", AccionEnlace::Programa, programa, "", ""},
        {kPrefijoVentanaNueva + "conexion.htm#sonda", AccionEnlace::VentanaNueva, pagina, "sonda", ""},
    };
    for (const Caso& c : casos) {
        const EnlaceAyuda e = ClasificarEnlace(c.enlace, libro);
        EXPECT_EQ(e.accion, c.accion) << c.enlace.toStdString();
        EXPECT_EQ(e.destino, c.destino) << c.enlace.toStdString();
        EXPECT_EQ(e.ancla, c.ancla) << c.enlace.toStdString();
        EXPECT_EQ(e.parametros, c.parametros) << c.enlace.toStdString();
    }
}

}  // namespace
