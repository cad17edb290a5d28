#include "SinEscritura.h"

#include <sys/fsuid.h>
#include <unistd.h>

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr unsigned kNadie = 65534;

void Permisos(const QString& ruta, bool escribir) {
    QFile::Permissions p = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    if (QFileInfo(ruta).isDir()) p |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    if (escribir) p |= QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    QFile::setPermissions(ruta, p);
}

void PermisosBajo(const QString& raiz, bool escribir) {
    Permisos(raiz, escribir);
    QDirIterator it(raiz, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) Permisos(it.next(), escribir);
}

}  // namespace

SinEscritura::SinEscritura(const QString& raiz, const QString& carpeta)
    : carpeta_(carpeta), usuario_(::geteuid()) {
    PermisosBajo(raiz, true);
    PermisosBajo(carpeta_, false);
    if (usuario_ == 0) ::setfsuid(kNadie);
}

SinEscritura::~SinEscritura() {
    if (usuario_ == 0) ::setfsuid(0);
    PermisosBajo(carpeta_, true);
}
