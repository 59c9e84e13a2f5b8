#include "support/editor_fixture.h"

#include "support/midi_wait.h"
#include "synth/bulk_layout.h"

#include <gtest/gtest.h>

std::optional<QString> ScriptedFiles::next(const FileDialogRequest& request) {
    requests.push_back(request);
    if (answers.empty())
        return std::nullopt;
    // Taken apart rather than copied: g++ 12 at -O3 warns that a copied optional<QString> may be
    // uninitialised.
    const bool chosen = answers.front().has_value();
    const QString path = answers.front().value_or(QString());
    answers.pop_front();
    if (!chosen)
        return std::nullopt;
    return path;
}

std::optional<QString> ScriptedFiles::OpenFile(const FileDialogRequest& request) {
    return next(request);
}
std::optional<QString> ScriptedFiles::SaveFile(const FileDialogRequest& request) {
    return next(request);
}

std::optional<QString> ScriptedFiles::OpenFolder(const FileDialogRequest& request) {
    return next(request);
}

int ScriptedRandom::Random(int range) {
    ranges.push_back(range);
    if (range < 1)
        return 0;
    if (values.empty())
        return highestWhenEmpty ? range - 1 : 0;
    const int v = values.front();
    values.pop_front();
    return v % range;
}

EditorDoubles::EditorDoubles(Synth synth) {
    if (synth == Synth::Simulated)
        simulator = std::make_unique<SimulatedSynthDevice>(midi, QStringLiteral("Synth"));
    else
        midi.AddDevice(QStringLiteral("Synth"));
    midi.AddDevice(QStringLiteral("BCR"));
    midi.AddDevice(QStringLiteral("Keys"), VirtualMidiService::SendsToComputer);
}

EditorFixture::EditorFixture(Synth synth)
    : EditorDoubles(synth), editor(midi, services(controls)) {}

void EditorDoubles::rememberAllDevices() {
    const QString section = QStringLiteral("MidiDevices");
    settings.SetValue(section, QStringLiteral("Input"), QStringLiteral("Synth"));
    settings.SetValue(section, QStringLiteral("Output"), QStringLiteral("Synth"));
    settings.SetValue(section, QStringLiteral("CtrlInput"), QStringLiteral("BCR"));
    settings.SetValue(section, QStringLiteral("CtrlOutput"), QStringLiteral("BCR"));
    settings.SetValue(section, QStringLiteral("KbdInput"), QStringLiteral("Keys"));
}

void EditorFixture::startWithDevices() {
    rememberAllDevices();
    editor.StartUp();
    settle();
    clearSent();
}

void EditorFixture::showMultipartPage() {
    editor.pcModeChange(Editor::Page::Multipart);
    settle();
    clearSent();
}

void EditorFixture::selectModGroup(int group) {
    for (int step = 0; step < ModGroupCount && editor.State().ModGroup != group; ++step)
        editor.lModGroupClick();
    EXPECT_EQ(editor.State().ModGroup, group);
    settle();
    clearSent();
}

void EditorDoubles::settle() {
    SettleMidi(midi);
}

void EditorDoubles::clearSent() {
    midi.ClearReceived(QStringLiteral("Synth"));
    midi.ClearReceived(QStringLiteral("BCR"));
}

void EditorDoubles::fromController(Message bytes) {
    midi.Inject(QStringLiteral("BCR"), std::move(bytes));
    settle();
}

void EditorDoubles::fromSynth(Message bytes) {
    midi.Inject(QStringLiteral("Synth"), std::move(bytes));
    settle();
}

void EditorDoubles::fromKeyboard(Message bytes) {
    midi.Inject(QStringLiteral("Keys"), std::move(bytes));
    settle();
}

EditorFixture::Message paramChange(int group, int para, int value) {
    return {0xF0, 0x43, 0x10, std::uint8_t(group), std::uint8_t(para), std::uint8_t(value), 0xF7};
}

EditorFixture::Message echo(int cc, int value) {
    return {0xB0, std::uint8_t(cc), std::uint8_t(value)};
}

std::vector<EditorFixture::Message> wholeVoice(const Voice& voice) {
    std::vector<EditorFixture::Message> messages;
    for (const Layouts::BulkLayout* layout : Layouts::VoiceLayouts) {
        DataBuffer buffer(200);
        Layouts::WriteMessage(*layout, voice, buffer);
        messages.emplace_back(buffer.Data(), buffer.Data() + buffer.Length);
    }
    return messages;
}
