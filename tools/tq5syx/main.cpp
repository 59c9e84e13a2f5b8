// tq5syx: reads, checks and builds the editor's patch and multi files and voice banks from the
// command line.

#include "bad_input.h"
#include "bank_command.h"
#include "build_bank_command.h"
#include "build_command.h"
#include "check_command.h"
#include "command_line.h"
#include "read_command.h"
#include "render_command.h"

namespace {

const char Description[] =
    "Reads, checks and builds the editor's patch and multi files and voice banks.\n"
    "\n"
    "Commands:\n"
    "  voice FILE                  a voice's parameters as JSON, read as the editor loads the "
    "file\n"
    "  multi FILE                  a multi's parameters as JSON\n"
    "  check FILE                  strict validation of a patch or multi file\n"
    "  bank FILE                   every voice in a file (banks, voice messages, patch files) as "
    "a\n"
    "                              JSON list, with its position and format\n"
    "  bank FILE --pick N -o FILE  the voice at position N as a patch file\n"
    "  build voice|multi -o FILE   a file from JSON on standard input\n"
    "  build bank -o FILE          a 32-voice bank from a JSON list of up to 32 voices\n"
    "  render FILE -o OUT.wav      one note of a patch file's voice, as the preview plays it\n"
    "\n"
    "Exit codes: 0 done, 1 check found problems, 2 bad input.";

SoundKind soundKind(const QString& word) {
    if (const auto kind = SoundKindNamed(word))
        return *kind;
    throw BadInput{QStringLiteral("unknown kind \"%1\": use voice, multi or bank").arg(word)};
}

int runBank(const QStringList& rest, const QString& output, const QString& pick) {
    if (rest.size() != 1)
        throw BadInput{QStringLiteral("bank needs exactly one file")};
    if (pick.isEmpty()) {
        if (!output.isEmpty())
            throw BadInput{QStringLiteral("-o goes with --pick: bank FILE --pick N -o FILE")};
        return RunBank(rest.front());
    }
    bool number = false;
    const int position = pick.toInt(&number);
    if (!number)
        throw BadInput{QStringLiteral("--pick takes a voice's position, a whole number")};
    if (output.isEmpty())
        throw BadInput{QStringLiteral("--pick needs an output file: bank FILE --pick N -o FILE")};
    return RunPick(rest.front(), position, output);
}

int run(const QStringList& args, const QString& output, const QString& pick,
        const RenderOptions& render) {
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
    if (command == QLatin1String("bank"))
        return runBank(rest, output, pick);
    if (!pick.isEmpty())
        throw BadInput{QStringLiteral("--pick is for bank only")};
    if (command == QLatin1String("build")) {
        if (rest.size() != 1 || output.isEmpty())
            throw BadInput{QStringLiteral("build needs a kind and an output file: build "
                                          "voice|multi|bank -o FILE")};
        if (rest.front() == QLatin1String("bank"))
            return RunBuildBank(output);
        return RunBuild(soundKind(rest.front()), output);
    }
    if (!output.isEmpty())
        throw BadInput{QStringLiteral("-o is for build, render and bank --pick only")};
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
            QStringLiteral("The file build, render or bank --pick writes (no default); - is "
                           "standard output. A FIFO or a device is written into, never replaced."),
            QStringLiteral("FILE"));
        parser.addOption(output);
        const QCommandLineOption pick(
            QStringLiteral("pick"),
            QStringLiteral("With bank: the voice to write, by its position in the file (1..)."),
            QStringLiteral("N"));
        parser.addOption(pick);
        const RenderOptions render(parser);
        commandLine.AddArgument(QStringLiteral("command"),
                                QStringLiteral("voice, multi, check, bank, build or render."));
        commandLine.AddArgument(QStringLiteral("argument"),
                                QStringLiteral("The file to read, or the kind to build."));
        if (const auto exitCode = commandLine.Parse(ArgumentsOf(argc, argv)))
            return *exitCode;
        try {
            return run(parser.positionalArguments(), parser.value(output), parser.value(pick),
                       render);
        } catch (const BadInput& error) {
            return commandLine.Fail(error.message);
        }
    });
}
