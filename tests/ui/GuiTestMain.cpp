// Widget tests run without a display; the platform must be chosen before
// the application object exists, and test discovery runs this executable
// outside CTest's environment, so it is set here.  The tests that measure
// text as an X11 desktop does run once more with VESK_TEST_PLATFORM=xcb
// under a virtual X server (tests/ui/CMakeLists.txt).
#include <gtest/gtest.h>

#include <QApplication>

#include "shell/Language.h"

int main(int argc, char* argv[])
{
    const QByteArray platform = qgetenv("VESK_TEST_PLATFORM");
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
    QApplication app(argc, argv);
    // Czech, whatever the machine's language, unless a run asks for another:
    // CTest runs the tests whose outcome must not depend on the language
    // once more in English (tests/ui/CMakeLists.txt).
    const Language language(QLocale(qEnvironmentVariable("VESK_TEST_LANGUAGE", QStringLiteral("cs"))),
                            QStringLiteral(VESK_TRANSLATIONS_BUILD_DIR));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
