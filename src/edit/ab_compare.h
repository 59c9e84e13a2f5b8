#pragma once

#include "model/voice.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <span>
#include <vector>

class ControllerEcho;
class EditPath;

// A and B: A is the voice as it last came in (loaded, fetched, auditioned, stored, or set as A by
// the user), B the voice being edited. Compare switches the synth and the screen from one to the
// other; while A is shown, an edit first brings B back, so no edit is ever made to A by mistake.
class AbCompare {
public:
    AbCompare(EditPath& path, ControllerEcho& echo);

    // A voice came in: it is the new A, and B is shown.
    void VoiceCameIn(const Voice& voice);
    // "Set A": the voice shown is the new A.
    void SetA();
    // "Compare": A, or back to B.
    void Toggle();
    // An edit is about to be made while A may be shown: B comes back first.
    void ReturnToB();
    bool ShowingA() const { return bShown_.has_value(); }
    // Undo or redo moved the voice: whatever is shown is B now.
    void Forget();
    // After A is set or shown.
    std::function<void()> OnChanged;
    const Voice& A() const { return a_; }

    // The parameters in which A and B differ, in the voice's order, and the name.
    std::vector<VoiceParam> Differences() const;
    bool NamesDiffer() const;
    // Each difference as the screen shows its values: "Op 3 Wave: 0 -> 5".
    QStringList DifferenceTexts() const;
    // A's values of these parameters (and its name) into B: one step to undo.
    void TakeFromA(std::span<const VoiceParam> params, bool name = false);
    void TakeOperatorFromA(int op);
    void TakeAllFromA();

private:
    const Voice& b() const;
    void light();

    EditPath& path_;
    ControllerEcho& echo_;
    Voice a_;
    std::optional<Voice> bShown_; // B, while A is shown
};
