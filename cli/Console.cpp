#include "cli/Console.h"

#include <QElapsedTimer>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "files/BoundedRead.h"
#include "shell/BackupTexts.h"
#include "shell/CommandLineTexts.h"

namespace {

// Writes all of it; false with errno set when the descriptor refuses.
bool WriteAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, std::size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

void WriteError(const QByteArray& bytes)
{
    WriteAll(STDERR_FILENO, bytes.constData(), bytes.size());
}

// An answer is a short line; more is no answer.
constexpr int AnswerBound = 64;

}  // namespace

Console::Console()
    : stdinTty_(::isatty(STDIN_FILENO)), stdoutTty_(::isatty(STDOUT_FILENO)), stderrTty_(::isatty(STDERR_FILENO))
{
}

void Console::Error(const QString& text)
{
    ClearProgress();
    WriteError("veskctl: " + text.toUtf8() + '\n');
}

bool Console::Out(const QByteArray& bytes)
{
    ClearProgress();
    if (WriteAll(STDOUT_FILENO, bytes.constData(), bytes.size()))
        return true;
    const int error = errno;
    Error(Text::CannotWriteOutput(SystemErrorText(error)));
    return false;
}

bool Console::Ask(const QString& question)
{
    ClearProgress();
    // A question with a list (the pages a restore changes) gets the prompt
    // on a line of its own, under the list.
    const QByteArray prompt = Text::YesNoPrompt().toUtf8();
    WriteError(question.toUtf8() + (question.contains(u'\n') ? '\n' + prompt.trimmed() + ' ' : prompt));
    QByteArray answer;
    for (;;) {
        pollfd fds[] = {{STDIN_FILENO, POLLIN, 0}, {Interrupt::Descriptor(), POLLIN, 0}};
        const int r = ::poll(fds, 2, -1);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 || Interrupt::Received()) {
            WriteError("\n");
            return false;
        }
        char c = 0;
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0 || c == '\n')
            break;
        if (answer.size() < AnswerBound)
            answer += c;
    }
    return Text::YesAnswers().contains(QString::fromUtf8(answer).trimmed().toLower());
}

void Console::Progress(const QString& text)
{
    if (!ShowsProgress())
        return;
    WriteError("\r" + text.toUtf8() + "\033[K");
    progressShown_ = true;
}

void Console::ClearProgress()
{
    if (!progressShown_)
        return;
    WriteError("\r\033[K");
    progressShown_ = false;
}

namespace Interrupt {
namespace {

volatile sig_atomic_t received = 0;
int pipeFds[2] = {-1, -1};

void Handle(int signal)
{
    // A second signal, when the first one's gentle end is not coming: the
    // default action, at once.
    if (received) {
        ::signal(signal, SIG_DFL);
        ::raise(signal);
        return;
    }
    received = signal;
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(pipeFds[1], &byte, 1);
    errno = saved;
}

}  // namespace

void Install()
{
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        pipeFds[0] = pipeFds[1] = -1;
    struct sigaction action {};
    action.sa_handler = &Handle;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a wait on the terminal or for the next second ends.
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
}

int Received()
{
    return received;
}

int Descriptor()
{
    return pipeFds[0];
}

bool Wait(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!received) {
        const qint64 left = ms - timer.elapsed();
        if (left <= 0)
            break;
        pollfd fd{pipeFds[0], POLLIN, 0};
        if (::poll(&fd, 1, int(left)) < 0 && errno != EINTR)
            break;
    }
    return received != 0;
}

}  // namespace Interrupt

namespace {

class TerminalProgress final : public Progress {
public:
    TerminalProgress(Console& console, QString title) : console_(console), title_(std::move(title))
    {
        timer_.start();
    }
    ~TerminalProgress() override { console_.ClearProgress(); }

    void Show(int done, int total) override
    {
        console_.Progress(title_ + QStringLiteral(": ") +
                          Text::TransferProgress(done, total, SecondsLeft(timer_.elapsed(), done, total)));
    }
    bool Cancelled() override { return Interrupt::Received() != 0; }

private:
    Console& console_;
    QString title_;
    QElapsedTimer timer_;
};

}  // namespace

void TerminalDialogs::Error(const QString& text)
{
    console_.Error(text);
}

bool TerminalDialogs::Question(const QString& text)
{
    if (yes)
        return true;
    return console_.Interactive() && console_.Ask(text);
}

void TerminalDialogs::Warning(const QString& text)
{
    console_.OutLine(text);
}

void TerminalDialogs::Information(const QString& text)
{
    console_.OutLine(text);
}

QString TerminalDialogs::OpenFileName(const FileDialogSettings&)
{
    return files.value(0);
}

QString TerminalDialogs::SaveFileName(const FileDialogSettings&)
{
    return files.value(0);
}

QStringList TerminalDialogs::OpenFileNames(const FileDialogSettings&)
{
    return files;
}

std::optional<std::vector<bool>> TerminalDialogs::Choose(const QString&, const QStringList&,
                                                         const std::vector<bool>& checked)
{
    return choice ? choice : std::optional(checked);
}

void TerminalDialogs::ShowText(const QString&, const QString& text)
{
    console_.OutLine(text);
}

std::unique_ptr<Progress> TerminalDialogs::StartProgress(const QString& title)
{
    return std::make_unique<TerminalProgress>(console_, title);
}
