// The signals that end a desktop program from outside (SIGTERM from a
// log-out or `kill`, SIGINT from Ctrl+C in its terminal, SIGHUP when that
// terminal goes away), turned into a Qt signal on the window's thread, so
// that the program can close its window as the close box does: the
// settings are written and the port is released.
//
// A signal handler may do almost nothing safely: it only writes the
// signal's number into a pipe, and a socket notifier on the other end
// emits Received() from the event loop.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

class QuitSignals : public QObject {
    Q_OBJECT
public:
    // Catches the signals from now on; they wait in the pipe until Start().
    // One object at a time.
    explicit QuitSignals(QObject* parent = nullptr);
    // Gives the signals back their default actions.
    ~QuitSignals() override;

    // Emits Received() for the signals caught so far and for later ones.
    void Start();

signals:
    void Received(int signal);

private:
    void Drain();

    std::unique_ptr<QSocketNotifier> notifier_;
};
