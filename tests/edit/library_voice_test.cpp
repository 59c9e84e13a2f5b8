// A voice chosen in the library, as the synth, the controller, the page and the history take it.
#include "support/editor_fixture.h"

#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

constexpr VoiceParam Feedback = *VoiceParam::Single(26);

Voice libraryVoice(const Voice& from, int feedback, const char* name) {
    Voice voice = from;
    voice.Set(Feedback, feedback);
    voice.Set(VoiceParam::Op(1, OpField::Coarse), 9); // operator 2's, not shown
    voice.SetName(QString::fromLatin1(name));
    return voice;
}

TEST(LibraryVoice, GoesWholeToTheSynthAndOnlyTheChangedRingsToTheController) {
    EditorFixture f;
    f.startWithDevices();
    const Voice bass = libraryVoice(f.editor.CurrentVoice(), 5, "Bass 3");
    f.editor.TakeLibraryVoice(bass);
    EXPECT_EQ(f.toSynth(), wholeVoice(bass));
    EXPECT_EQ(f.toController(), Messages{echo(26, 5)});
    EXPECT_EQ(f.caption("lCurrentPatch"), QStringLiteral("Current: Bass 3"));
    EXPECT_EQ(f.caption("lVal26"), QStringLiteral("5"));
    // It is A now: nothing to compare yet.
    EXPECT_TRUE(f.editor.Compare().Differences().empty());

    // The same voice again still goes whole: the synth may hold anything since.
    f.clearSent();
    f.editor.TakeLibraryVoice(bass);
    EXPECT_EQ(f.toSynth(), wholeVoice(bass));
    EXPECT_TRUE(f.toController().empty());
}

TEST(LibraryVoice, VoicesTriedOneAfterAnotherAreOneStepBackToTheVoiceBefore) {
    EditorFixture f;
    f.startWithDevices();
    f.cc(26, 2); // the user's own edit first
    const Voice own = f.editor.CurrentVoice();
    f.clock.elapsed += 60'000;
    f.editor.TakeLibraryVoice(libraryVoice(own, 5, "Bass 3"));
    f.clock.elapsed += 60'000;
    f.editor.TakeLibraryVoice(libraryVoice(own, 7, "Brass 1"));
    EXPECT_EQ(f.editor.History().UndoText(), QStringLiteral("Library: Brass 1"));
    f.editor.Undo();
    EXPECT_EQ(f.editor.CurrentVoice(), own);
    EXPECT_EQ(f.editor.History().UndoText(), QStringLiteral("Feedback 0 -> 2"));
    // An edit between two tries ends the browsing's step.
    f.editor.Redo();
    f.cc(26, 3);
    f.editor.TakeLibraryVoice(libraryVoice(own, 4, "Pad"));
    f.editor.Undo();
    EXPECT_EQ(f.editor.CurrentVoice().Value(Feedback), 3);
}

} // namespace
