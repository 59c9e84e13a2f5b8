#include "app/preview_switch.h"
#include "editor_preview.h"
#include "support/editor_fixture.h"
#include "support/recording_preview.h"
#include "ui/find_widgets.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class EditorOnPreview : public testing::Test {
protected:
    void SetUp() override {
        f.startWithDevices();
        ConnectPreview(f.editor, preview);
    }
    EditorFixture f;
    RecordingPreview preview;
};

TEST_F(EditorOnPreview, TheKeyboardPlaysItAndStillGoesToTheSynth) {
    const std::vector<EditorFixture::Message> keys = {
        {0x93, 60, 100}, {0xE3, 0x00, 0x60}, {0xB3, 1, 64}, {0xB3, 4, 20}, {0xD3, 90},
        {0x83, 60, 0},   {0x93, 62, 0},      {0xB3, 7, 99}, {0xC3, 5},     {0xB3, 123, 0}};
    for (const auto& message : keys)
        f.fromKeyboard(message);
    EXPECT_EQ(preview.played, (QStringList{"on 60 100", "bend 4096", "source 1 64", "source 3 20",
                                           "source 0 90", "off 60", "on 62 0", "all off"}));
    EXPECT_EQ(f.toSynth(), keys);
}

TEST_F(EditorOnPreview, EveryChangeOfTheVoiceGivesItTheNewVoice) {
    ASSERT_EQ(preview.voices.size(), 1u);
    EXPECT_EQ(preview.voices.back(), f.editor.CurrentVoice());
    f.cc(6, 64); // the controller turns the LFO's speed
    ASSERT_EQ(preview.voices.size(), 2u);
    EXPECT_NE(preview.voices[1], preview.voices[0]);
    EXPECT_EQ(preview.voices[1], f.editor.CurrentVoice());
    f.editor.Undo();
    ASSERT_EQ(preview.voices.size(), 3u);
    EXPECT_EQ(preview.voices[2], preview.voices[0]);
}

class PreviewButtons : public testing::Test {
protected:
    QPushButton& button(PreviewSwitch& buttons, const char* name) {
        return *ChildNamed<QPushButton>(buttons, QString::fromLatin1(name));
    }
    MemorySettings settings;
    RecordingPreview preview;
    QWidget page;
};

TEST_F(PreviewButtons, TheToggleIsRememberedInTheSettings) {
    PreviewSwitch first(preview, settings, &page);
    first.Restore(false);
    EXPECT_FALSE(preview.running);
    button(first, "bPreview").click();
    EXPECT_TRUE(preview.running);
    EXPECT_TRUE(button(first, "bPreview").isChecked());

    RecordingPreview next;
    PreviewSwitch again(next, settings, &page);
    again.Restore(false);
    EXPECT_TRUE(next.running);
    button(again, "bPreview").click();
    EXPECT_FALSE(next.running);

    RecordingPreview third;
    PreviewSwitch demo(third, settings, &page);
    demo.Restore(true); // the user's off outweighs the demo's on
    EXPECT_FALSE(third.running);
}

TEST_F(PreviewButtons, WithoutJackItStaysOffAndSaysWhy) {
    preview.refusal = QStringLiteral("the preview is off: no JACK server is running");
    PreviewSwitch buttons(preview, settings, &page);
    buttons.Restore(true);
    EXPECT_FALSE(button(buttons, "bPreview").isChecked());
    EXPECT_EQ(button(buttons, "bPreview").toolTip(), *preview.refusal);
    EXPECT_FALSE(button(buttons, "bPlay").isEnabled());
}

TEST_F(PreviewButtons, PlayPlaysTheTestNote) {
    PreviewSwitch buttons(preview, settings, &page);
    buttons.Restore(true);
    ASSERT_TRUE(button(buttons, "bPlay").isEnabled());
    button(buttons, "bPlay").click();
    EXPECT_EQ(preview.played, QStringList{"test note"});
}

TEST_F(PreviewButtons, AnAuditionWithoutASynthStartsThePreviewButLeavesTheChoiceToTheUser) {
    PreviewSwitch buttons(preview, settings, &page);
    buttons.Restore(false);
    buttons.Audition();
    EXPECT_TRUE(preview.running);
    EXPECT_TRUE(button(buttons, "bPreview").isChecked());
    EXPECT_EQ(preview.played, QStringList{"test note"});

    RecordingPreview next;
    PreviewSwitch again(next, settings, &page);
    again.Restore(false);
    EXPECT_FALSE(next.running);
}

} // namespace
