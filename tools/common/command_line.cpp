#include "command_line.h"

#include "named_files.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>

CommandLine::CommandLine(const QString& program, const QString& description)
    : program_(program), help_({QStringLiteral("h"), QStringLiteral("help")},
                               QStringLiteral("Show this help and end.")),
      version_(QStringLiteral("version"), QStringLiteral("Show the program's version and end.")) {
    parser_.setApplicationDescription(description);
    parser_.addOption(help_);
    parser_.addOption(version_);
}

void CommandLine::AddArgument(const QString& name, const QString& description,
                              const QString& syntax) {
    parser_.addPositionalArgument(name, description, syntax);
    takesArguments_ = true;
}

QString CommandLine::helpText() const {
    // Qt names the program by its path, or by a placeholder when there is no application object.
    const QString shown = QCoreApplication::instance() ? QCoreApplication::arguments().constFirst()
                                                       : QStringLiteral("<executable_name>");
    QString text = parser_.helpText();
    const QString usage = QStringLiteral("Usage: ");
    if (text.startsWith(usage + shown))
        text.replace(usage.size(), shown.size(), program_);
    return text;
}

std::optional<int> CommandLine::Parse(const QStringList& arguments) {
    if (!parser_.parse(arguments))
        return Fail(parser_.errorText());
    if (parser_.isSet(help_)) {
        std::fputs(helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (parser_.isSet(version_)) {
        std::printf("%s %s\n", program_.toLocal8Bit().constData(), MARROWLINK_VERSION);
        return 0;
    }
    if (!takesArguments_ && !parser_.positionalArguments().isEmpty())
        return Fail(QStringLiteral("unexpected argument \"%1\"")
                        .arg(parser_.positionalArguments().first()));
    return std::nullopt;
}

int PrintFailure(const QString& program, const QString& message) {
    std::fprintf(stderr, "%s: %s\n", program.toLocal8Bit().constData(),
                 message.toLocal8Bit().constData());
    return 2;
}

int CommandLine::Fail(const QString& message) const {
    return PrintFailure(program_, message);
}

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << ArgumentText(argv[i]);
    return arguments;
}

QString OutputFailure(const QString& reason) {
    return QStringLiteral("cannot write to standard output: ") + reason;
}

namespace {

int runCatching(const QString& program, const std::function<int()>& work) {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return PrintFailure(program, QStringLiteral("out of memory"));
    } catch (const std::exception& error) {
        return PrintFailure(program, QString::fromLocal8Bit(error.what()));
    }
}

// Why some of what the program wrote on standard output did not arrive (a full disk, a closed
// descriptor), or nothing.
std::optional<QString> standardOutputProblem() {
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    if (flushed && !std::ferror(stdout))
        return std::nullopt;
    return flushed || errno == 0 ? QStringLiteral("a write failed")
                                 : QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

int RunReporting(const QString& program, const std::function<int()>& work) {
    const int exitCode = runCatching(program, work);
    if (const auto problem = standardOutputProblem())
        return PrintFailure(program, OutputFailure(*problem));
    return exitCode;
}
