#include <QCoreApplication>
#include <gtest/gtest.h>

// Test programs without windows run inside a core application, so timers,
// signals and the locale behave as in the program.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
