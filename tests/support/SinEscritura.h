#pragma once

#include <QString>
#include <QStringList>

// Makes a folder and its files read-only for this thread while it lives, even when the
// tests run as root: the thread's file-system user becomes "nobody" (root keeps no right
// over files then), and everything else under `raiz` is opened to every user so that only
// `carpeta` refuses writes. Afterwards the thread is root again and the folder writable.
class SinEscritura {
public:
    SinEscritura(const QString& raiz, const QString& carpeta);
    ~SinEscritura();
    SinEscritura(const SinEscritura&) = delete;
    SinEscritura& operator=(const SinEscritura&) = delete;

private:
    QString carpeta_;
    unsigned usuario_;
};
