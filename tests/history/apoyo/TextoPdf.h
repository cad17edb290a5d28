#pragma once

#include <QProcess>
#include <QStringList>

// The text of each page of a PDF file, read back with pdftotext (poppler-utils).
inline QStringList PaginasPdf(const QString& ruta) {
    QProcess p;
    p.start("pdftotext", {"-layout", ruta, "-"});
    if (!p.waitForFinished(30000)) return {};
    QStringList paginas = QString::fromUtf8(p.readAllStandardOutput()).split('\f');
    if (!paginas.isEmpty() && paginas.last().trimmed().isEmpty()) paginas.removeLast();
    return paginas;
}
