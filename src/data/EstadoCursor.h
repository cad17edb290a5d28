#pragma once

#include <exception>

#include "ClientDataSet.h"

// Keeps a table's position, and its filter when asked, and puts them back however the block ends.
class EstadoCursor {
public:
    EstadoCursor(TClientDataSet* tabla, bool conFiltro)
        : tabla_(tabla),
          conFiltro_(conFiltro),
          filtro_(tabla->Filter()),
          filtrado_(tabla->Filtered()),
          marca_(tabla->GetBookmark()) {}
    ~EstadoCursor() {
        if (!tabla_->Active()) return;
        try {
            if (conFiltro_) {
                tabla_->SetFilter(filtro_);
                tabla_->SetFiltered(filtrado_);
            }
            tabla_->GotoBookmark(marca_);
        } catch (const std::exception&) {
            // The row or the filter may be gone with a reloaded file: nothing to return to.
        }
    }
    EstadoCursor(const EstadoCursor&) = delete;
    EstadoCursor& operator=(const EstadoCursor&) = delete;

private:
    TClientDataSet* tabla_;
    bool conFiltro_;
    QString filtro_;
    bool filtrado_;
    TBookmark marca_;
};
