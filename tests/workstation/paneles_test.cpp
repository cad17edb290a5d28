#include <gtest/gtest.h>

#include <QLayout>
#include <QPointer>
#include <QWidget>

#include "FormActivo.h"
#include "PanelesIncrustados.h"

namespace {

TEST(PanelesIncrustadosTest, UnPanelALaVezYElMostradoQuedaDelante) {
    QWidget anfitrion;
    anfitrion.show();
    auto* reparacion = new QWidget;
    auto* historico = new QWidget;
    MostrarFormEnPanel(reparacion, &anfitrion);
    EXPECT_EQ(FormEnPanel(&anfitrion), reparacion);
    EXPECT_EQ(FormActivo(), reparacion);
    MostrarFormEnPanel(historico, &anfitrion);
    EXPECT_TRUE(reparacion->isHidden());
    EXPECT_EQ(FormEnPanel(&anfitrion), historico);
    FijarFormActivo(nullptr);
    MostrarFormEnPanel(historico, &anfitrion);  // already shown: only comes to the front
    EXPECT_EQ(FormActivo(), historico);
    EXPECT_EQ(reparacion->parentWidget(), &anfitrion);
}

TEST(PanelesIncrustadosTest, UnPanelCreadoDentroDelAnfitrionTambienLoLlena) {
    QWidget anfitrion;
    anfitrion.show();
    auto* panel = new QWidget(&anfitrion);
    MostrarFormEnPanel(panel, &anfitrion);
    EXPECT_EQ(FormEnPanel(&anfitrion), panel);
    ASSERT_NE(anfitrion.layout(), nullptr);
    EXPECT_GE(anfitrion.layout()->indexOf(panel), 0);
}

TEST(PanelesIncrustadosTest, LiberarBorraSoloLosPanelesIncrustados) {
    QWidget anfitrion;
    QPointer<QWidget> propio = new QWidget(&anfitrion);
    QPointer<QWidget> incrustado = new QWidget;
    MostrarFormEnPanel(incrustado, &anfitrion);
    LiberarFormsPanel(&anfitrion);
    EXPECT_TRUE(incrustado.isNull());
    EXPECT_FALSE(propio.isNull());
    EXPECT_EQ(FormEnPanel(&anfitrion), nullptr);
}

}  // namespace
