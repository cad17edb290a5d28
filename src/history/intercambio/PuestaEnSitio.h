#pragma once

#include <QString>
#include <functional>
#include <utility>
#include <vector>

// Puts what an import prepared in the working folder into the installation as one step.
// Every step is a rename (files and folders stay on one file system, so each is atomic);
// the whole list is written to a plan in the working folder before the first rename.
// A failing rename undoes the ones made; a plan that a stopped program left behind is
// finished by Recuperar before the working folder is used again.
class PuestaEnSitio {
public:
    explicit PuestaEnSitio(const QString& carpetaTrabajo);

    // `origen` goes to `destino`, which must not exist when the step runs.
    void Mover(const QString& origen, const QString& destino);
    // Runs the plan: 0, or the errno of the rename that failed (`fallo` names it), after
    // undoing every rename made. `paso` hears of every rename done.
    int Ejecutar(QString& fallo, const std::function<void(int hechos, int total)>& paso = {});

    // Finishes the plan left in the working folder, if any: true when there was one.
    static bool Recuperar(const QString& carpetaTrabajo);

private:
    static QString ArchivoPlan(const QString& carpetaTrabajo);
    int EscribirPlan() const;

    QString carpeta_;
    std::vector<std::pair<QString, QString>> pasos_;
};
