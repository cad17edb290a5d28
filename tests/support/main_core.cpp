#include <gtest/gtest.h>
#include <QCoreApplication>

// Tests of the libraries without windows still get an application object:
// the serial-port events and timers are delivered through its event loop.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
