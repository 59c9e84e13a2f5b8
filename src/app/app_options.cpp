#include "app/app_options.h"

#include "command_line.h"
#include "midi_api.h"

namespace {
const char* const Description =
    "Marrowlink: a sound editor for the TQ5 and a bridge to a BCR2000 controller.\n"
    "Every edit on the screen or the controller goes to the synth, and the controller's LED\n"
    "rings follow the editor.";
} // namespace

std::optional<AppOptions> ParseAppOptions(const QStringList& arguments, int& exitCode) {
    CommandLine commandLine(QStringLiteral("marrowlink"), QString::fromLatin1(Description));
    QCommandLineParser& parser = commandLine.Parser();
    const QCommandLineOption api =
        MidiApiOption(QStringLiteral("the machine's own system, virtual with --demo"));
    const QCommandLineOption settings(
        QStringLiteral("settings"),
        QStringLiteral("The settings file (default: the program's path with \".INI\" where that "
                       "folder is writable, else marrowlink.INI in the user's configuration "
                       "folder)."),
        QStringLiteral("FILE"));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Try the editor without hardware: in-process devices with a simulated "
                       "synth and controller, and a settings file of their own."));
    const QCommandLineOption library(
        QStringLiteral("library"),
        QStringLiteral("The library of voices (default: library.sqlite in the user's data folder; "
                       "the demo has one of its own)."),
        QStringLiteral("FILE"));
    const QCommandLineOption batch(
        QStringLiteral("batch"),
        QStringLiteral("Message boxes are printed on standard error: warnings and errors go on, "
                       "questions are answered No."));
    const QCommandLineOption sendPreset(
        QStringLiteral("send-preset"),
        QStringLiteral("Send the controller its presets at start-up without asking."));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("After start-up, write patch.png, multipart.png, setup.png, library.png and "
                       "splash.png into DIR and end."),
        QStringLiteral("DIR"));
    parser.addOptions({api, settings, library, demo, batch, sendPreset, screenshot});
    if (const auto code = commandLine.Parse(arguments)) {
        exitCode = *code;
        return std::nullopt;
    }
    auto fail = [&](const QString& message) {
        exitCode = commandLine.Fail(message);
        return std::nullopt;
    };

    AppOptions options;
    options.demo = parser.isSet(demo);
    options.batch = parser.isSet(batch);
    options.sendPreset = parser.isSet(sendPreset);
    options.settingsFile = parser.value(settings);
    options.libraryFile = parser.value(library);
    options.screenshotFolder = parser.value(screenshot);
    if (options.demo)
        options.api = AppOptions::Api::Virtual;
    QString apiError;
    if (const std::optional<MidiApi> choice = ReadMidiApi(parser, api, apiError)) {
        if (!choice->inProcess && options.demo)
            return fail(QStringLiteral("--demo runs on in-process devices; leave out --api"));
        options.api = choice->inProcess ? AppOptions::Api::Virtual : AppOptions::Api::Platform;
        options.backend = choice->backend;
    } else if (!apiError.isEmpty()) {
        return fail(apiError);
    }
    return options;
}
