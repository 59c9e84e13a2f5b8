#include "support/jack_server.h"

#include <QFile>
#include <cstdlib>
#include <jack/jack.h>

QString UsePrivateJackServer() {
    const QString stateFile = qEnvironmentVariable("MARROWLINK_JACK_STATE");
    if (stateFile.isEmpty())
        return QStringLiteral("MARROWLINK_JACK_STATE is not set: run the JACK tests through ctest, "
                              "whose fixture starts a private server (scripts/jack-start)");
    QFile file(stateFile);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("no JACK server was started: %1 is missing (see the output of the "
                              "jack_server_start test)")
            .arg(stateFile);
    const QString server = QString::fromUtf8(file.readAll()).section(QLatin1Char(' '), 0, 0);
    ::setenv("JACK_DEFAULT_SERVER", server.toUtf8().constData(), 1);
    // A client of our own rather than jack_wait: the thread sanitizer cannot follow QProcess.
    jack_client_t* probe = jack_client_open("marrowlink-probe", JackNoStartServer, nullptr);
    if (!probe)
        return QStringLiteral("the JACK server '%1' does not answer").arg(server);
    jack_client_close(probe);
    return {};
}
