#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The command-line style every program of the project shares: --help and --version on standard
// output, errors on standard error as "program: message" with exit code 2, and each option's
// default named in its help text.
class CommandLine {
public:
    CommandLine(const QString& program, const QString& description);

    QCommandLineParser& Parser() { return parser_; }
    // Declares the arguments that are not options; a program that declares none refuses them.
    void AddArgument(const QString& name, const QString& description, const QString& syntax = {});
    // Parses the arguments (the first is the program). Returns the exit code when the program must
    // end at once: 0 after --help or --version, 2 after an error, which has been printed.
    std::optional<int> Parse(const QStringList& arguments);
    // Prints "program: message" on standard error and returns 2, the exit code for bad input.
    int Fail(const QString& message) const;
    const QString& Program() const { return program_; }

private:
    QString helpText() const;

    QString program_;
    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
    bool takesArguments_ = false;
};

// Command-line text from the system's 8-bit form, each argument decoded by ArgumentText, so that
// every file name reaches the file system unchanged through named_files.h.
QStringList ArgumentsOf(int argc, char** argv);

// Prints "program: message" on standard error and returns 2.
int PrintFailure(const QString& program, const QString& message);

// The failure to say when standard output could not be written, for the reason given.
QString OutputFailure(const QString& reason);

// Runs a program's work and returns its exit code. An exception that would otherwise end the
// program unreported (memory running out, say) is printed as "program: message" and ends it with
// code 2. So does standard output that could not be written: a result that did not arrive is a
// failure.
int RunReporting(const QString& program, const std::function<int()>& work);
