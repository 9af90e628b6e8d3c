// The report the start-up benchmark reads: off unless its logging rule is
// given, then one line at the first window exposed, on the monotonic clock.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLoggingCategory>
#include <QStringList>
#include <QWidget>
#include <QWindow>
#include <chrono>

#include "ui/StartupProbe.h"

namespace {

QStringList messages;

void Record(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    if (QLatin1StringView(context.category) == QLatin1StringView("vesk.startup"))
        messages << text;
}

long long Now()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Shows a window and lets its exposure through.
void ShowAWindow()
{
    auto* window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(100, 100);
    window->show();
    for (int i = 0; i < 20 && !window->windowHandle()->isExposed(); ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
    window->close();
    QApplication::processEvents();
}

class StartupProbeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        messages.clear();
        previous_ = qInstallMessageHandler(Record);
    }
    void TearDown() override
    {
        qInstallMessageHandler(previous_);
        QLoggingCategory::setFilterRules(QString());
    }
    QtMessageHandler previous_ = nullptr;
};

TEST_F(StartupProbeTest, SaysNothingUnlessAsked)
{
    ReportFirstExposure(*qApp);
    ShowAWindow();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST_F(StartupProbeTest, ReportsTheFirstExposureOnceOnTheMonotonicClock)
{
    QLoggingCategory::setFilterRules(QStringLiteral("vesk.startup.debug=true"));
    ReportFirstExposure(*qApp);
    const long long before = Now();
    ShowAWindow();
    const long long after = Now();
    ShowAWindow();
    ASSERT_EQ(messages.size(), 1) << messages.join(u'\n').toStdString();
    const QStringList words = messages.front().split(u' ');
    ASSERT_EQ(words.size(), 2);
    EXPECT_EQ(words[0], QStringLiteral("exposed"));
    bool number = false;
    const long long at = words[1].toLongLong(&number);
    EXPECT_TRUE(number);
    EXPECT_GE(at, before);
    EXPECT_LE(at, after);
}

}  // namespace
