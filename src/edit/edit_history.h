#pragma once

#include "model/multi.h"
#include "model/voice.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The steps back and forward through the changes of a voice (or of a multi), as a user thinks of
// them: a turn of one knob, a load, a randomise. A step keeps only what it changed, so the history
// may grow for a whole session.
template <class Sound> class EditHistory {
public:
    // How a change joins the step before it: the same parameter turned again, the name typed on,
    // the next message of one fetch, a morph still moving, each within the pause; the next voice
    // tried in the library, however long after (one undo goes back to the voice before the
    // browsing); everything else is a step of its own.
    enum class Join { Turn, Name, Fetch, Morph, Browse, Never };
    struct Key {
        Join join = Join::Never;
        int param = -1; // the parameter of a turn
    };
    struct Change {
        int param;
        std::uint8_t before;
        std::uint8_t after;
    };
    struct Step {
        Key key;
        QString label; // what the step did; empty for a turn or a name, which name themselves
        std::vector<Change> changes;
        std::optional<std::pair<QString, QString>> name; // before and after
        qint64 lastMs = 0;
    };

    // How a turn or a name edit is said ("Op 2 Coarse 12 -> 7").
    explicit EditHistory(std::function<QString(const Step&)> describe)
        : describe_(std::move(describe)) {}

    static constexpr qint64 TurnPauseMs = 1000;
    static constexpr qint64 NamePauseMs = 5000;

    // Records the change from before to after, as a new step or folded into the last one.
    void Record(const Sound& before, const Sound& after, Key key, qint64 nowMs,
                const QString& label = {});
    // Until EndGroup, every change folds into one step with this label (a load, a randomise).
    // Groups nest: the outermost names the step.
    void BeginGroup(const QString& label);
    void EndGroup();
    // The next change starts a step of its own (the morph is let go).
    void EndStep() { stepEnded_ = true; }

    bool CanUndo() const { return next_ > 0; }
    bool CanRedo() const { return next_ < steps_.size(); }
    QString UndoText() const { return CanUndo() ? textOf(steps_[next_ - 1]) : QString(); }
    QString RedoText() const { return CanRedo() ? textOf(steps_[next_]) : QString(); }
    // The sound one step back or forward from the current one.
    Sound Undo(const Sound& current);
    Sound Redo(const Sound& current);
    void Clear();

private:
    QString textOf(const Step& step) const {
        return step.label.isEmpty() ? describe_(step) : step.label;
    }
    bool joins(const Step& last, Key key, qint64 nowMs) const;
    static void fold(Step& step, const Sound& before, const Sound& after);

    std::function<QString(const Step&)> describe_;
    std::vector<Step> steps_;
    std::size_t next_ = 0; // steps_[0..next_) are done, the rest undone
    int groupDepth_ = 0;
    bool groupStarted_ = false;
    QString groupLabel_;
    bool stepEnded_ = false;
};

using VoiceHistory = EditHistory<Voice>;
using MultiHistory = EditHistory<Multi>;
