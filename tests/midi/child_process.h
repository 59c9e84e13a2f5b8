#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <sys/types.h>

// A program the test starts, with its standard input and output on pipes and its standard error
// kept. Started with posix_spawn rather than QProcess, whose clone-based start the thread
// sanitizer cannot follow. Killed and reaped when destroyed if it still runs.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Start(const QString& program, const QStringList& arguments);
    void Write(const QByteArray& bytes);
    // The next line of standard output without its end, or nothing when none comes in time.
    std::optional<QByteArray> ReadLine(int timeoutMs);
    // Standard error so far.
    QByteArray Errors();
    void Terminate();
    // The exit code once the program has ended by itself or on SIGTERM (also when asked again);
    // nothing when it has not ended in time or a signal killed it.
    std::optional<int> WaitForExit(int timeoutMs);

private:
    void collect(int timeoutMs);

    pid_t pid_ = -1;
    std::optional<int> exitCode_;
    int input_ = -1;
    int output_ = -1;
    int errors_ = -1;
    QByteArray outputSeen_;
    QByteArray errorsSeen_;
};

// Starts a program that outlives the test (a server the CTest fixture ends by its process id),
// in a session of its own, its output appended to logFile. Its process id, or -1.
pid_t StartDetached(const QStringList& command, const QString& logFile);
