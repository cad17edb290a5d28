#pragma once

#include <QString>
#include <QStringList>

// The installation folder: the executable's folder unless "--instalacion DIR" names another.
// Every path of the program is relative to it.
namespace Instalacion {

// Reads "--instalacion DIR" from the arguments (the program's own options start with "--");
// returns the arguments that are not the program's own options, program name first.
QStringList Iniciar(const QStringList& argumentos);
void FijarCarpeta(const QString& carpeta);
// The folder, with a trailing "/".
QString Carpeta();
// The configuration file: the executable's path with its extension replaced by ".ini"
// (or ".ini" appended when it has none); DIR/averias.ini with "--instalacion DIR".
QString ArchivoConfiguracion();
// Resolves a relative path written with "\" (as "Help\Gestion\help.htm") under the
// installation folder, matching each existing component without regard to case.
// Components that do not exist are kept as written.
QString Ruta(const QString& relativa);
// The same under any base folder.
QString ResolverRuta(const QString& base, const QString& relativa);
// The first folder of the installation where the program writes (the installation itself,
// "BDs", "Historic") that this user cannot write in, or empty when every one can be written.
// Tried with a file, not with the permission bits: groups, ACLs and read-only mounts count.
QString CarpetaSinEscritura();

}  // namespace Instalacion

// For tests: points the installation at a folder and restores the previous one.
class InstalacionTemporal {
public:
    explicit InstalacionTemporal(const QString& carpeta);
    ~InstalacionTemporal();
    InstalacionTemporal(const InstalacionTemporal&) = delete;
    InstalacionTemporal& operator=(const InstalacionTemporal&) = delete;

private:
    QString anteriorCarpeta_;
    QString anteriorIni_;
};
