// averias-dibujos: draws every picture the program ships and writes them under an
// installation folder (images\ and caratulas\), with images\LEEME.txt listing them.

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

#include "Dibujos.h"
#include "LineaOrdenes.h"
#include "Salida.h"

static const char* const kUso =
    "usage: averias-dibujos [--tipo TYPE] INSTALLATION_FOLDER\n"
    "  writes INSTALLATION_FOLDER/images/... and INSTALLATION_FOLDER/caratulas/...\n"
    "  --tipo TYPE  installation type that names the icon (default VIVUZUV)\n"
    "  --help       prints this text and exits\n"
    "  --version    prints the version and exits\n";

static const char* const kCabecera =
    "Pictures of the Averías installation\n"
    "====================================\n"
    "Drawn for this project by the program averias-dibujos (src/tools/averias-dibujos);\n"
    "run it again to regenerate them. No third-party artwork.\n"
    "Licence: drawn for this project; they are under the program's own licence.\n"
    "\n"
    "Paths are relative to the installation folder. Each line: file, size in pixels,\n"
    "the control that shows it and the picture number in that control's image list.\n"
    "Files ending in _des are the disabled look of the picture before them.\n";

int main(int argc, char** argv) {
    if (const auto salida = AtenderAyudaOVersion(argc, argv, "averias-dibujos", QString::fromUtf8(kUso)))
        return *salida;
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QStringList argumentos = app.arguments().mid(1);
    QString tipo = "VIVUZUV";
    if (argumentos.size() >= 2 && argumentos.first() == "--tipo") {
        tipo = argumentos.at(1);
        argumentos = argumentos.mid(2);
    }
    if (argumentos.size() != 1 || argumentos.first().startsWith("-") || tipo.isEmpty()) {
        std::fputs(kUso, stderr);
        return 2;
    }

    Salida salida(argumentos.first());
    DibujarMarca(salida, tipo);
    DibujarAvisos(salida);
    DibujarBarra(salida);
    DibujarEstados(salida);
    DibujarPaneles(salida);
    DibujarArbol(salida);
    DibujarBotones(salida);
    DibujarCaratulas(salida);
    salida.EscribirLista("images/LEEME.txt", kCabecera);
    if (salida.Fallos() > 0) {
        std::fprintf(stderr, "averias-dibujos: %d file(s) could not be written\n", salida.Fallos());
        return 1;
    }
    return 0;
}
