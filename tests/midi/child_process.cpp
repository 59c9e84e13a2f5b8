#include "child_process.h"

#include <QDeadlineTimer>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

pid_t spawn(const QStringList& command, posix_spawn_file_actions_t& actions,
            const posix_spawnattr_t* attributes) {
    std::vector<QByteArray> words;
    for (const QString& word : command)
        words.push_back(word.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, attributes, argv.data(), environ) != 0)
        return -1;
    return pid;
}

void closeFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    closeFd(input_);
    closeFd(output_);
    closeFd(errors_);
}

bool ChildProcess::Start(const QString& program, const QStringList& arguments) {
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    pid_ = spawn(QStringList{program} + arguments, actions, nullptr);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    input_ = in[1];
    output_ = out[0];
    errors_ = err[0];
    return pid_ > 0;
}

void ChildProcess::Write(const QByteArray& bytes) {
    if (input_ < 0)
        return;
    [[maybe_unused]] const auto written = ::write(input_, bytes.constData(), bytes.size());
}

void ChildProcess::collect(int timeoutMs) {
    pollfd watched[2] = {{output_, POLLIN, 0}, {errors_, POLLIN, 0}};
    if (::poll(watched, 2, timeoutMs) <= 0)
        return;
    char chunk[4096];
    if (watched[0].revents) {
        const ssize_t count = ::read(output_, chunk, sizeof chunk);
        if (count > 0)
            outputSeen_.append(chunk, count);
        else
            watched[0].fd = -1;
    }
    if (watched[1].revents) {
        const ssize_t count = ::read(errors_, chunk, sizeof chunk);
        if (count > 0)
            errorsSeen_.append(chunk, count);
    }
}

std::optional<QByteArray> ChildProcess::ReadLine(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!outputSeen_.contains('\n') && !deadline.hasExpired())
        collect(int(deadline.remainingTime()));
    const qsizetype end = outputSeen_.indexOf('\n');
    if (end < 0)
        return std::nullopt;
    const QByteArray line = outputSeen_.left(end);
    outputSeen_.remove(0, end + 1);
    return line;
}

QByteArray ChildProcess::Errors() {
    collect(0);
    return errorsSeen_;
}

void ChildProcess::Terminate() {
    if (pid_ > 0)
        ::kill(pid_, SIGTERM);
}

std::optional<int> ChildProcess::WaitForExit(int timeoutMs) {
    if (pid_ <= 0)
        return exitCode_;
    const QDeadlineTimer deadline(timeoutMs);
    int status = 0;
    pid_t ended = 0;
    while ((ended = ::waitpid(pid_, &status, WNOHANG)) == 0 && !deadline.hasExpired())
        collect(10);
    if (ended != pid_)
        return std::nullopt;
    pid_ = -1;
    if (WIFEXITED(status))
        exitCode_ = WEXITSTATUS(status);
    return exitCode_;
}

pid_t StartDetached(const QStringList& command, const QString& logFile) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const QByteArray log = logFile.toLocal8Bit();
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.constData(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    // Nothing else of ours: a test runner waits until every copy of the test's output is closed.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    const pid_t pid = spawn(command, actions, &attributes);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}
