// iconos-hicolor ICO CARPETA NOMBRE: writes every image of an ICO file as
// CARPETA/NxN/apps/NOMBRE.png, the layout of the hicolor icon theme. Used when packaging.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() != 4) {
        std::fputs("Uso: iconos-hicolor ICO CARPETA NOMBRE\n", stderr);
        return 2;
    }
    QImageReader lector(a[1]);
    int escritos = 0;
    for (int i = 0; i < lector.imageCount(); ++i) {
        if (!lector.jumpToImage(i)) break;
        const QImage imagen = lector.read();
        if (imagen.isNull() || imagen.width() != imagen.height()) continue;
        const QString carpeta = QStringLiteral("%1/%2x%2/apps").arg(a[2]).arg(imagen.width());
        if (!QDir().mkpath(carpeta) || !imagen.save(carpeta + QLatin1Char('/') + a[3] + QStringLiteral(".png"))) {
            std::fprintf(stderr, "iconos-hicolor: no se puede escribir en %s\n", qPrintable(carpeta));
            return 1;
        }
        ++escritos;
    }
    if (escritos == 0) {
        std::fprintf(stderr, "iconos-hicolor: %s: %s\n", qPrintable(a[1]), qPrintable(lector.errorString()));
        return 1;
    }
    return 0;
}
