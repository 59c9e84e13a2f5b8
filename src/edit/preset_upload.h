#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class EditorPorts;
class SplashView;
class Prompter;
class Sleeper;
struct PageControls;
struct TMyMidiEvent;

// Sends the controller the preset files that lay out its encoders for this editor: each SysEx
// message of the file as it stands, 10 ms apart. The first upload fades the splash window out.
//
// With a controller input chosen, the upload also knows it arrived: after each line of the
// controller's preset language it waits for the controller's answer to it (at least the 10 ms, at
// most 200 ms), stops at the first line the controller refuses and says which file, line and
// error. A controller that does not answer is reported once, and the rest goes at the 10 ms pace.
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

    // What else came from the controller while the upload waited for its answers: handed on, in
    // order, once the upload is done.
    std::function<void(const TMyMidiEvent&)> OnOtherControllerInput;

private:
    void sendMessages(const QString& fileName, const QByteArray& bytes);
    // The controller's answer to the line of this index: its error code, or nothing when none
    // came in time. Waits at least the pause between messages.
    std::optional<int> awaitAnswer(int index);

    EditorPorts& ports_;
    Prompter& prompts_;
    Sleeper& sleeper_;
    const QDir startFolder_;
    const PageControls& controls_;
    SplashView* splash_ = nullptr;
    bool splashFade_ = true;
    std::vector<std::unique_ptr<TMyMidiEvent>> heldInput_;
};
