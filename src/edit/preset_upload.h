#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>

class EditorPorts;
class SplashView;
class Prompter;
class Sleeper;
struct PageControls;

// Sends the controller the preset files that lay out its encoders for this editor: each SysEx
// message of the file as it stands, 10 ms apart. The first upload fades the splash window out.
class PresetUpload {
public:
    PresetUpload(EditorPorts& ports, Prompter& prompts, Sleeper& sleeper, const QDir& startFolder,
                 const PageControls& controls);

    // Uploads the file of that name from the start folder.
    void SendControllerPreset(const QString& fileName);

    void SetSplash(SplashView* splash) { splash_ = splash; }
    // True until the first upload of a file that was found.
    bool SplashFade() const { return splashFade_; }
    void StartSplashFade() { splashFade_ = true; }

private:
    void sendMessages(const QByteArray& bytes);

    EditorPorts& ports_;
    Prompter& prompts_;
    Sleeper& sleeper_;
    const QDir startFolder_;
    const PageControls& controls_;
    SplashView* splash_ = nullptr;
    bool splashFade_ = true;
};
