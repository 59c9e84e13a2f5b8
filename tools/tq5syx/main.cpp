// tq5syx: reads, checks and builds the editor's patch and multi files from the command line.

#include "bad_input.h"
#include "build_command.h"
#include "check_command.h"
#include "command_line.h"
#include "read_command.h"
#include "render_command.h"

namespace {

const char Description[] =
    "Reads, checks and builds the editor's patch and multi files.\n"
    "\n"
    "Commands:\n"
    "  voice FILE                a patch file's parameters as JSON, read as the editor loads it\n"
    "  multi FILE                a multi file's parameters as JSON\n"
    "  check FILE                strict validation of a patch or multi file\n"
    "  build voice|multi -o FILE a file from JSON on standard input\n"
    "  render FILE -o OUT.wav    one note of a patch file's voice, as the preview plays it\n"
    "\n"
    "Exit codes: 0 done, 1 check found problems, 2 bad input.";

SoundKind soundKind(const QString& word) {
    if (const auto kind = SoundKindNamed(word))
        return *kind;
    throw BadInput{QStringLiteral("unknown kind \"%1\": use voice or multi").arg(word)};
}

int run(const QStringList& args, const QString& output, const RenderOptions& render) {
    if (args.isEmpty())
        throw BadInput{QStringLiteral("no command given (tq5syx --help lists them)")};
    const QString command = args.front();
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("render")) {
        if (rest.size() != 1 || output.isEmpty())
            throw BadInput{QStringLiteral("render needs a patch file and an output file: render "
                                          "FILE -o OUT.wav")};
        return RunRender(rest.front(), output, render.Read());
    }
    if (render.AnyGiven())
        throw BadInput{QStringLiteral("--note, --velocity, --seconds and --rate are for render "
                                      "only")};
    if (command == QLatin1String("build")) {
        if (rest.size() != 1 || output.isEmpty())
            throw BadInput{QStringLiteral("build needs a kind and an output file: build "
                                          "voice|multi -o FILE")};
        return RunBuild(soundKind(rest.front()), output);
    }
    if (!output.isEmpty())
        throw BadInput{QStringLiteral("-o is for build and render only")};
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
    const QString program = QStringLiteral("tq5syx");
    return RunReporting(program, [&] {
        CommandLine commandLine(program, QString::fromLatin1(Description));
        QCommandLineParser& parser = commandLine.Parser();
        const QCommandLineOption output(
            {QStringLiteral("o"), QStringLiteral("output")},
            QStringLiteral(
                "The file build or render writes (no default); - is standard output. A FIFO or "
                "a device is written into, never replaced."),
            QStringLiteral("FILE"));
        parser.addOption(output);
        const RenderOptions render(parser);
        commandLine.AddArgument(QStringLiteral("command"),
                                QStringLiteral("voice, multi, check, build or render."));
        commandLine.AddArgument(QStringLiteral("argument"),
                                QStringLiteral("The file to read, or the kind to build."));
        if (const auto exitCode = commandLine.Parse(ArgumentsOf(argc, argv)))
            return *exitCode;
        try {
            return run(parser.positionalArguments(), parser.value(output), render);
        } catch (const BadInput& error) {
            return commandLine.Fail(error.message);
        }
    });
}
