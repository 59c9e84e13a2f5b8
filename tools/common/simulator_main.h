#pragma once

#include "command_line.h"
#include "stdin_lines.h"

#include <QCoreApplication>
#include <QTextStream>
#include <optional>

// A simulator's main(): its options, then its session on its ports, which says where they are
// and takes one command a line from standard input until quit, the end of the input, SIGTERM or
// SIGINT. Exit codes: 0 done, 1 a file or the MIDI system cannot be used, 2 bad arguments.
template <class Options, class Session>
int RunSimulator(int argc, char** argv, const char* program,
                 std::optional<Options> (*parse)(const QStringList& arguments, int& exitCode)) {
    QCoreApplication app(argc, argv);
    return RunReporting(QString::fromLatin1(program), [&] {
        int exitCode = 0;
        const std::optional<Options> options = parse(ArgumentsOf(argc, argv), exitCode);
        if (!options)
            return exitCode;

        Session session(*options);
        if (!session.Problem().isEmpty()) {
            QTextStream(stderr) << program << ": " << session.Problem() << "\n";
            return 1;
        }
        QTextStream out(stdout);
        out << session.PortsLine() << "\n";
        out.flush();
        ReadStdinLines([&](const QString& line) { return session.Command(line, out); });
        return 0;
    });
}
