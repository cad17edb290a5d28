#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "GestionDemo.h"

class QTreeWidgetItem;

// Class management on the demo installation with the history subsystem plugged in as
// start-up plugs it, the folder dialog answered by `carpetaElegida` and the report
// preview caught: each preview's text, page after page.
class GestionHistoria : public GestionDemo {
protected:
    void SetUp() override;
    void TearDown() override;

    // Leaves the demo for a classroom installation without class data.
    void instalacionNueva();
    QTreeWidgetItem* seleccionado() const;
    // The group nodes' names, in tree order.
    QStringList grupos() const;
    static constexpr const char* kGrupoDemo = "1º Electromecánica";

    QString carpetaElegida;
    std::vector<QString> previas;
};
