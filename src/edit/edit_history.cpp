#include "edit/edit_history.h"

namespace {
// The values of a voice or a multi by index, and a voice's name.
int count(const Voice&) {
    return VoiceParamCount;
}
int count(const Multi&) {
    return MultiRowCount;
}
int valueAt(const Voice& voice, int param) {
    return voice.Value(VoiceParam::FromIndex(param));
}
int valueAt(const Multi& multi, int param) {
    return multi.Value(MultiParam::FromRow(param));
}
void setValueAt(Voice& voice, int param, int value) {
    voice.Set(VoiceParam::FromIndex(param), value);
}
void setValueAt(Multi& multi, int param, int value) {
    multi.Set(MultiParam::FromRow(param), value);
}
std::optional<QString> nameOf(const Voice& voice) {
    return voice.Name();
}
std::optional<QString> nameOf(const Multi&) {
    return std::nullopt;
}
void setName(Voice& voice, const QString& name) {
    voice.SetName(name);
}
void setName(Multi&, const QString&) {}
} // namespace

template <class Sound>
void EditHistory<Sound>::fold(Step& step, const Sound& before, const Sound& after) {
    for (int param = 0; param < count(before); ++param) {
        const int from = valueAt(before, param);
        const int to = valueAt(after, param);
        if (from == to)
            continue;
        auto found = std::find_if(step.changes.begin(), step.changes.end(),
                                  [param](const Change& c) { return c.param == param; });
        if (found == step.changes.end())
            step.changes.push_back({param, std::uint8_t(from), std::uint8_t(to)});
        else
            found->after = std::uint8_t(to);
    }
    std::erase_if(step.changes, [](const Change& c) { return c.before == c.after; });
    const std::optional<QString> from = nameOf(before);
    const std::optional<QString> to = nameOf(after);
    if (from && to && *from != *to) {
        if (step.name)
            step.name->second = *to;
        else
            step.name = std::pair(*from, *to);
    }
    if (step.name && step.name->first == step.name->second)
        step.name.reset();
}

template <class Sound>
bool EditHistory<Sound>::joins(const Step& last, Key key, qint64 nowMs) const {
    if (stepEnded_ || key.join == Join::Never || last.key.join != key.join)
        return false;
    if (key.join == Join::Turn && last.key.param != key.param)
        return false;
    if (key.join == Join::Browse)
        return true;
    const qint64 pause = key.join == Join::Name ? NamePauseMs : TurnPauseMs;
    return nowMs - last.lastMs <= pause;
}

template <class Sound>
void EditHistory<Sound>::Record(const Sound& before, const Sound& after, Key key, qint64 nowMs,
                                const QString& label) {
    if (before == after)
        return;
    // What was undone is gone once something new is done.
    const bool atEnd = next_ == steps_.size();
    if (!atEnd)
        steps_.erase(steps_.begin() + std::ptrdiff_t(next_), steps_.end());
    const bool inGroup = groupDepth_ > 0 && groupStarted_;
    if (!steps_.empty() && atEnd &&
        (inGroup || (groupDepth_ == 0 && joins(steps_.back(), key, nowMs)))) {
        Step& last = steps_.back();
        fold(last, before, after);
        last.lastMs = nowMs;
        if (last.changes.empty() && !last.name && groupDepth_ == 0) {
            steps_.pop_back(); // turned back to where it began
            next_ = steps_.size();
        }
        return;
    }
    Step step;
    step.key = groupDepth_ > 0 ? Key{} : key;
    step.label = groupDepth_ > 0 ? groupLabel_ : label;
    step.lastMs = nowMs;
    fold(step, before, after);
    steps_.push_back(std::move(step));
    next_ = steps_.size();
    groupStarted_ = groupDepth_ > 0;
    stepEnded_ = false;
}

template <class Sound> void EditHistory<Sound>::BeginGroup(const QString& label) {
    if (groupDepth_++ == 0) {
        groupLabel_ = label;
        groupStarted_ = false;
    }
}

template <class Sound> void EditHistory<Sound>::EndGroup() {
    if (groupDepth_ > 0 && --groupDepth_ == 0)
        stepEnded_ = true;
}

template <class Sound> Sound EditHistory<Sound>::Undo(const Sound& current) {
    Sound sound = current;
    if (!CanUndo())
        return sound;
    const Step& step = steps_[--next_];
    for (const Change& change : step.changes)
        setValueAt(sound, change.param, change.before);
    if (step.name)
        setName(sound, step.name->first);
    stepEnded_ = true;
    return sound;
}

template <class Sound> Sound EditHistory<Sound>::Redo(const Sound& current) {
    Sound sound = current;
    if (!CanRedo())
        return sound;
    const Step& step = steps_[next_++];
    for (const Change& change : step.changes)
        setValueAt(sound, change.param, change.after);
    if (step.name)
        setName(sound, step.name->second);
    stepEnded_ = true;
    return sound;
}

template <class Sound> void EditHistory<Sound>::Clear() {
    steps_.clear();
    next_ = 0;
}

template class EditHistory<Voice>;
template class EditHistory<Multi>;
