#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

#include "CarpetaTemporal.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "dmCDS.h"

// A small installation with a history worth a report, opened by a data module of its own.
//
// Trainer 1: blocks 1 "Arranque" and 2 "Carga"; circuits 10 (block 1), 20 and 21 (block 2);
// element 100 "Relé" in circuit 10, element 200 (a name with '#', '&' and '$') in circuits
// 10, 20 and 21. Fault 30 (number 4) is element 200 in circuit 20; fault 31 (number 5) is
// element 100 in circuit 10.
// Group 1 "1A": members 7 Ana Pérez Gómez, 8 José Núñez Peña, 9 Eva Álvarez Ávila (no
// history); subgroup 3 "Equipo #1" of 7 and 8, subgroup 4 "Vacío" without members. Group 2
// "2B" has nobody.
// Histories (free mode unless said):
//  7: A fault 30, 15/03/2023 10:00-10:30, a wrong attempt, a pause, a right attempt; repaired.
//     B fault 31, 16/03/2023 09:00, paused, one attempt, no end.
//     C fault 30 of subgroup 3, 17/03/2023 11:00-11:10, one wrong attempt; not repaired.
//     E fault 30 tutorised of subgroup 3 on trainer 2, 19/03/2023 12:00-12:06, repaired.
//  8: C (the subgroup's copy) and D fault 30 tutorised, 18/03/2023 08:00-08:05, a refused
//     attempt and the right one.
// Language texts read "T<number>".
// Temporary folders in memory (where the system has one) while it lives: the fixture saves
// every practice step at once, as the workstation does, and on a disk each save waits.
class TemporalesEnMemoria {
public:
    TemporalesEnMemoria();
    ~TemporalesEnMemoria();
    TemporalesEnMemoria(const TemporalesEnMemoria&) = delete;
    TemporalesEnMemoria& operator=(const TemporalesEnMemoria&) = delete;

private:
    QByteArray anterior_;
    bool habia_;
};

class HistoriaPrueba : public ::testing::Test {
public:
    // Makes a member of group 1 current and opens its history when it has one (creates it
    // when asked).
    void Miembro(int alumno, bool crearHistorico = false);
    // Makes the first row of a subgroup current.
    void Subgrupo(int codigo);

protected:
    void SetUp() override;
    // The lines of a report data file as written (without their CR LF).
    QStringList Lineas(const QString& archivo) const;
    QByteArray Bytes(const QString& archivo) const;

    TemporalesEnMemoria enMemoria_;
    CarpetaTemporal carpeta_;
    InstalacionTemporal instalacion_{carpeta_.ruta()};
    std::unique_ptr<IdiomaTemporal> idioma_;
    MensajesGrabados mensajes_;
    TdmCDS dm;
};

// The comment of the wrong attempt of practice A: a line break, '#', '&' and '$'.
extern const QString kComentarioA;
