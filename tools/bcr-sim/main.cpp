// bcr-sim: a simulated controller on virtual MIDI ports (see --help).
#include "controller_options.h"
#include "controller_session.h"
#include "stdin_lines.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int exitCode = 0;
    const auto options = ParseControllerOptions(QCoreApplication::arguments(), exitCode);
    if (!options)
        return exitCode;

    ControllerSession session(*options);
    if (!session.Problem().isEmpty()) {
        QTextStream(stderr) << "bcr-sim: " << session.Problem() << "\n";
        return 1;
    }
    QTextStream out(stdout);
    out << session.PortsLine() << "\n";
    out.flush();
    ReadStdinLines([&](const QString& line) { return session.Command(line, out); });
    return 0;
}
