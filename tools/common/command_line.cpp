#include "command_line.h"

#include "named_files.h"

#include <cstdio>
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

std::optional<int> CommandLine::Parse(const QStringList& arguments) {
    if (!parser_.parse(arguments))
        return Fail(parser_.errorText());
    if (parser_.isSet(help_)) {
        std::fputs(parser_.helpText().toLocal8Bit().constData(), stdout);
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

namespace {
int printFailure(const QString& program, const QString& message) {
    std::fprintf(stderr, "%s: %s\n", program.toLocal8Bit().constData(),
                 message.toLocal8Bit().constData());
    return 2;
}
} // namespace

int CommandLine::Fail(const QString& message) const {
    return printFailure(program_, message);
}

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << ArgumentText(argv[i]);
    return arguments;
}

int RunReporting(const QString& program, const std::function<int()>& work) {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return printFailure(program, QStringLiteral("out of memory"));
    } catch (const std::exception& error) {
        return printFailure(program, QString::fromLocal8Bit(error.what()));
    }
}
