#include "LineaOrdenes.h"

#include <cstdio>
#include <cstring>

#ifndef AVERIAS_VERSION
#define AVERIAS_VERSION "sin versión"
#endif

namespace {

bool Pide(int argc, char** argv, const char* opcion) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], opcion) == 0) return true;
    return false;
}

void Imprimir(const QString& texto) {
    std::fputs(texto.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

}  // namespace

QString VersionAverias() {
    return QStringLiteral(AVERIAS_VERSION);
}

std::optional<int> AtenderAyudaOVersion(int argc, char** argv, const char* programa, const QString& uso) {
    if (Pide(argc, argv, "--help")) {
        Imprimir(uso);
        return 0;
    }
    if (Pide(argc, argv, "--version")) {
        Imprimir(QStringLiteral("%1 %2\n").arg(QString::fromLocal8Bit(programa), VersionAverias()));
        return 0;
    }
    return std::nullopt;
}
