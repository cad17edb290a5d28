#pragma once

#include <QString>
#include <optional>

// What every program of Averías does with "--help" and "--version": it prints the usage or
// its name and version on the standard output and ends with status 0. Both are looked at
// before any application object exists, so they work without a display and without an
// installation.

// The version of the whole program set, "0.1".
QString VersionAverias();

// When the arguments hold "--help" or "--version", prints the usage (`uso`, ending in a line
// break) or "PROGRAMA VERSION" and gives the exit status; otherwise gives nothing.
std::optional<int> AtenderAyudaOVersion(int argc, char** argv, const char* programa, const QString& uso);
