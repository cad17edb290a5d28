#pragma once

// The program's start sequence; returns the exit status of the message loop.
int EjecutarAverias(int argc, char** argv);

// Qt's own dialogs (choosing a folder or a file, printing) in Spanish, the language of the
// shipped texts, when Qt's translations are installed; false when they are not.
bool InstalarTraduccionQt();
