#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
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
    QString program_;
    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
    bool takesArguments_ = false;
};

// Command-line text from the system's 8-bit form, the way the file system gives names back
// (QFile::decodeName), so that every file name reaches the file system unchanged.
QStringList ArgumentsOf(int argc, char** argv);
