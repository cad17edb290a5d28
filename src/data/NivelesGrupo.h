#pragma once

#include <QString>
#include <QStringList>

// The difficulty levels of a group as stored: the items of the options of a box from the
// first up to the checked one, each followed by "#" ("BL#CI#" for circuit).
namespace NivelesGrupo {

inline const QStringList kItemsReparacion{QStringLiteral("BL"), QStringLiteral("CI"), QStringLiteral("CO")};
inline const QStringList kItemsSintomas{QStringLiteral("J"), QStringLiteral("C")};

// The stored string when option `marcada` (0-based) of the box is checked.
QString Cadena(const QStringList& items, int marcada);
// The option a stored string checks: its count of items (up to the first empty one) less
// one; -1 when it has none or more items than the box has options.
int Opcion(const QString& cadena, int opciones);

}  // namespace NivelesGrupo
