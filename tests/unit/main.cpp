#include <QCoreApplication>

#include <gtest/gtest.h>

// Some core pieces use timers and event loops, so every unit test runs inside a
// QCoreApplication.
int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
