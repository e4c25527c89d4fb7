#include <QApplication>
#include <gtest/gtest.h>

#include <unistd.h>

// Window and browser tests run inside a widget application on the platform
// CTest sets (offscreen). The browser engine refuses its sandbox as root.
int main(int argc, char **argv)
{
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
