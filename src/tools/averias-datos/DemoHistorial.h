#pragma once

#include <QString>

// Some weeks of finished practices in the demo installation written in `carpeta`, for every
// student but the first (who keeps a clean history for a first practice) and for the
// subgroup, recorded through the data module as the workstation records them. The draws
// come from a fixed seed: every run writes the same history. Raises EDatabaseError when a
// practice cannot be recorded.
void EscribirHistorialDemo(const QString& carpeta);
