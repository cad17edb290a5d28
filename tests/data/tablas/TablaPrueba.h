#pragma once

#include <QString>
#include <vector>

#include "ClientDataSet.h"

// A small practice-like table for the engine tests: code, group, name, flag, start.
struct TablaPrueba {
    explicit TablaPrueba(const QString& nombre = "cdsPrueba") : cds(nombre) {
        Codigo = cds.AddField("cdsPFCodigo", ftInteger);
        Codigo->Required = true;
        Grupo = cds.AddField("cdsPFPtrGrupo", ftInteger);
        Nombre = cds.AddField("cdsPFNombre", ftString, 10);
        Activo = cds.AddField("cdsPFActivo", ftBoolean);
        Activo->DisplayValues = "Si;No";
        Inicio = cds.AddField("cdsPFInicio", ftDateTime);
    }

    void Anadir(int codigo, int grupo, const QString& nombre, bool activo = false) {
        cds.Append();
        Codigo->SetAsInteger(codigo);
        Grupo->SetAsInteger(grupo);
        Nombre->SetAsString(nombre);
        Activo->SetAsBoolean(activo);
        cds.Post();
    }

    // The sample most tests start from: codes 3, 1, 2, 4 in two groups, two of them active.
    void CrearConMuestra() {
        cds.CreateDataSet();
        Anadir(3, 1, "Carla", true);
        Anadir(1, 2, "Ana");
        Anadir(2, 1, "Bea", true);
        Anadir(4, 2, "Dani");
    }

    // Codes of the visible rows, in order; the cursor ends where it was.
    std::vector<int> Codigos() {
        std::vector<int> codigos;
        for (int i = 1; i <= cds.RecordCount(); ++i) codigos.push_back(cds.ValueAt(i, Codigo).toInt());
        return codigos;
    }

    TClientDataSet cds;
    TField* Codigo;
    TField* Grupo;
    TField* Nombre;
    TField* Activo;
    TField* Inicio;
};
