#pragma once

#include <QString>
#include <exception>

// What a user reads when a table file fails: a text of the language file that names the
// file, never the engine's own wording.
namespace ErroresTablas {

// A table file that could not be read: missing, or damaged or not one of ours.
QString TextoArchivoIlegible(const QString& archivo);
// Any error that reached a window: a table file's error names its file; any other error
// says the operation was not completed and the saved data are kept.
QString TextoError(const std::exception& error);
// The file an error is about; empty when it is about none.
QString ArchivoDelError(const std::exception& error);

}  // namespace ErroresTablas
