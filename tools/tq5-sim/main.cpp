// tq5-sim: a simulated synth on virtual MIDI ports (see --help).
#include "command_line.h"
#include "sim_options.h"
#include "sim_session.h"
#include "stdin_lines.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return RunReporting(QStringLiteral("tq5-sim"), [&] {
        int exitCode = 0;
        const auto options = ParseSimOptions(ArgumentsOf(argc, argv), exitCode);
        if (!options)
            return exitCode;

        SimSession session(*options);
        if (!session.Problem().isEmpty()) {
            QTextStream(stderr) << "tq5-sim: " << session.Problem() << "\n";
            return 1;
        }
        QTextStream out(stdout);
        out << session.PortsLine() << "\n";
        out.flush();
        ReadStdinLines([&](const QString& line) { return session.Command(line, out); });
        return 0;
    });
}
