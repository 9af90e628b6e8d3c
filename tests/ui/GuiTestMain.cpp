// Widget tests run without a display; the platform must be chosen before
// the application object exists, and test discovery runs this executable
// outside CTest's environment, so it is set here.  The tests that measure
// text as an X11 desktop does run once more with VESK_TEST_PLATFORM=xcb
// under a virtual X server (tests/ui/CMakeLists.txt).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[])
{
    const QByteArray platform = qgetenv("VESK_TEST_PLATFORM");
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
