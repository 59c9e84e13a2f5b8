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
// message of the file as it stands, 10 ms apart. The first upload fades the splash window out;
// the others show their progress through OnProgress.
//
// With a controller input chosen, the upload also knows it arrived: after each line of the
// controller's preset language it waits for the controller's answer to that line of that file (at
// least the 10 ms, at most 200 ms), and stops at the first line the controller refuses, saying
// which file, line and error. A controller that answered before and then does not is sent the
// line once more; if it still does not answer, the upload stops and says where. One that has
// never answered (no way back from it) is given twice the time once, then reported, and the rest
// goes at the 10 ms pace. What the controller sends meanwhile is kept and handed on afterwards.
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

    // True while a file goes out: the controller's input is the upload's until it is done.
    bool Uploading() const { return uploading_; }

    // What else came from the controller while the upload waited for its answers: handed on, in
    // order, once the upload is done.
    std::function<void(const TMyMidiEvent&)> OnOtherControllerInput;
    // An upload that does not fade the splash: messages sent of the file's total, then what
    // stopped it, or nothing when the whole file went out.
    std::function<void(int sent, int total)> OnProgress;
    std::function<void(const std::optional<QString>& failure)> OnFinished;

private:
    // A line of the preset language sent and not yet answered.
    struct SentLine {
        int file;
        int index;
        QString fileName;
        QString text;
    };

    void sendMessages(const QString& fileName, const QByteArray& bytes);
    // Waits for the controller's answer to the line just sent: its error code, or nothing when
    // none came within the time. Waits at least the pause between messages.
    std::optional<int> awaitAnswer(int index, int waitMs);
    // Takes what the controller has sent: answers go to the lines they answer (the oldest line of
    // that number still unanswered), refusals of earlier lines are kept to be reported, the rest
    // is held for afterwards.
    void takeControllerInput();
    static QString refusalText(const SentLine& line, int error);
    void fail(const QString& text);

    EditorPorts& ports_;
    Prompter& prompts_;
    Sleeper& sleeper_;
    const QDir startFolder_;
    const PageControls& controls_;
    SplashView* splash_ = nullptr;
    bool splashFade_ = true;
    bool uploading_ = false;
    bool controllerAnswered_ = false;
    int file_ = 0; // the number of the file going out
    std::vector<SentLine> unanswered_;
    std::optional<int> waitingFor_;      // the index of the line just sent, while the upload waits
    std::optional<int> answer_;          // to that line
    std::optional<QString> lateRefusal_; // of a line the upload no longer waited for
    std::optional<QString> failure_;
    std::vector<std::unique_ptr<TMyMidiEvent>> heldInput_;
};
