#pragma once

#include <QString>
#include <QStringList>

// Code as the three-digit text used in every file, folder and default password
// built from a code: 7 -> "007", 1234 -> "1234".
QString FormatoCodigo(int codigo);

// Splits a list such as "3#17#" into its items; stops at the first empty item.
void PartirLista(QString texto, const QString& separador, QStringList& lista);
QStringList PartirLista(const QString& texto, const QString& separador);

// The text with every occurrence of the character replaced by the replacement.
QString ReemplazarCaracter(const QString& texto, QChar caracter, const QString& reemplazo);

// Whether a name goes before another in a list people read: letters compared without
// regard to case or accents ("Álvarez" before "Castro"), then as written.
bool AntesAlfabeticamente(const QString& a, const QString& b);

// The text without accents or case ("Núñez" -> "nunez"): what names are compared by.
QString SinAcentos(const QString& texto);
