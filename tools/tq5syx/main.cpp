#include "bad_input.h"
#include "build_command.h"
#include "check_command.h"
#include "console.h"
#include "read_command.h"

#include <QStringList>

// tq5syx: reads, checks and builds the editor's patch and multi files from the command line.

namespace {

const char Usage[] = "usage: tq5syx voice FILE    a patch file's parameters as JSON\n"
                     "       tq5syx multi FILE    a multi file's parameters as JSON\n"
                     "       tq5syx check FILE    strict validation of a patch or multi file\n"
                     "       tq5syx build voice|multi -o FILE\n"
                     "                            a file from JSON on standard input\n"
                     "exit codes: 0 done, 1 check found problems, 2 bad input\n";

SoundKind soundKind(const QString& word) {
    if (const auto kind = SoundKindNamed(word))
        return *kind;
    throw BadInput{QStringLiteral("unknown kind \"%1\": use voice or multi").arg(word)};
}

int runBuild(const QStringList& args) {
    // build KIND -o FILE, the option on either side of the kind
    QStringList rest = args;
    const qsizetype option = rest.indexOf(QStringLiteral("-o"));
    if (option < 0 || option + 1 >= rest.size() || rest.size() != 3)
        throw BadInput{QStringLiteral("build needs a kind and an output file: build voice|multi "
                                      "-o FILE")};
    const QString output = rest.takeAt(option + 1);
    rest.removeAt(option);
    return RunBuild(soundKind(rest.front()), output);
}

int run(const QStringList& args) {
    if (args.size() == 1 &&
        (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
        WriteOut(Usage);
        return 0;
    }
    if (args.isEmpty())
        throw BadInput{QStringLiteral("no command given (tq5syx --help lists them)")};
    const QString command = args.front();
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("build"))
        return runBuild(rest);
    const std::optional<SoundKind> readKind = SoundKindNamed(command);
    if (!readKind && command != QLatin1String("check"))
        throw BadInput{
            QStringLiteral("unknown command \"%1\" (tq5syx --help lists them)").arg(command)};
    if (rest.size() != 1)
        throw BadInput{QStringLiteral("%1 needs exactly one file").arg(command)};
    return readKind ? RunRead(*readKind, rest.front()) : RunCheck(rest.front());
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    try {
        return run(args);
    } catch (const BadInput& error) {
        WriteErrorLine(QStringLiteral("tq5syx: ") + error.message);
        return 2;
    }
}
