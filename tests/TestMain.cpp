#include <QCoreApplication>

#include <gtest/gtest.h>

// The link's I/O thread runs a Qt event loop, which needs an application object.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
