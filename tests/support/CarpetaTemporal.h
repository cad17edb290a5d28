#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh folder for one test, removed with everything in it when the test ends.
class CarpetaTemporal {
public:
    CarpetaTemporal();
    QString ruta() const { return dir_.path(); }
    // Full path of a file or folder inside the temporary folder.
    QString archivo(const QString& relativo) const;
    // Writes a file (creating its folders) and returns its full path.
    QString escribir(const QString& relativo, const QByteArray& contenido) const;
    QByteArray leer(const QString& relativo) const;

private:
    QTemporaryDir dir_;
};

// Folder of the source tree, for tests that read shipped files (installation/).
QString carpetaFuentes();
// Folder where the build put the programs, for tests that run them.
QString carpetaProgramas();
