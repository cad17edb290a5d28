#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// An ICO file holding every image of `tamanos`, largest first. Qt's ico writer stores one
// image per file, so each size is written by it and the entries are gathered into one
// container. Empty result and `error` set on failure.
QByteArray ContenedorIco(const QList<QImage>& tamanos, QString* error);
