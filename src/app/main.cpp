// marrowlink: the editor window.

#include "app/app_options.h"
#include "app/application.h"
#include "command_line.h"
#include "edit/guarded_application.h"
#include "views/quit_on_signal.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    GuardedApplication<QApplication> app(argc, argv);
    QuitEventLoopOnSignals();
    QApplication::setApplicationName(QStringLiteral("marrowlink"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/marrowlink.png")));
    int exitCode = 0;
    const std::optional<AppOptions> options = ParseAppOptions(ArgumentsOf(argc, argv), exitCode);
    if (!options)
        return exitCode;
    EditorApplication editor(*options, QApplication::applicationFilePath());
    app.Reporter = &editor.Prompts();
    return editor.Run();
}
