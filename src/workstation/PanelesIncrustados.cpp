#include "PanelesIncrustados.h"

#include <QLayout>
#include <QVBoxLayout>
#include <QWidget>

#include "FormActivo.h"

namespace {

constexpr const char* kIncrustado = "averias_incrustado";

QLayout* disposicion(QWidget* panel) {
    if (!panel->layout()) {
        auto* l = new QVBoxLayout(panel);
        l->setContentsMargins(0, 0, 0, 0);
    }
    return panel->layout();
}

}  // namespace

QWidget* FormEnPanel(QWidget* panel) {
    for (QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->property(kIncrustado).toBool() && !w->isHidden()) return w;
    return nullptr;
}

void MostrarFormEnPanel(QWidget* form, QWidget* panel) {
    QWidget* actual = FormEnPanel(panel);
    if (actual == form && form->isVisible()) {
        FijarFormActivo(form);
        return;
    }
    if (actual) actual->hide();
    // A panel may have been created as the host's child already: that does not embed it.
    if (form->parentWidget() != panel || !form->property(kIncrustado).toBool()) {
        if (form->parentWidget() != panel) form->setParent(panel, Qt::Widget);
        form->setProperty(kIncrustado, true);
        disposicion(panel)->addWidget(form);
    }
    form->show();
    FijarFormActivo(form);
}

void LiberarFormsPanel(QWidget* panel) {
    for (QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->property(kIncrustado).toBool()) delete w;
}
