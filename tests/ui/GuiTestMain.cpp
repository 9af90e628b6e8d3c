// Widget tests run without a display; the platform must be chosen before
// the application object exists, and test discovery runs this executable
// outside CTest's environment, so it is set here.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
