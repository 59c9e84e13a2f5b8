// Undo, redo and compare as the window offers them: buttons, shortcuts and the compare window.
#include "ui/compare_buttons.h"
#include "ui/compare_window.h"
#include "ui/multipart_page.h"
#include "ui/patch_page.h"
#include "window_fixture.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

QPushButton& button(QWidget& page, const char* name) {
    QPushButton* found = ChildNamed<QPushButton>(page, QString::fromLatin1(name));
    if (!found)
        throw std::out_of_range(std::string("the page has no such button: ") + name);
    return *found;
}

void activate(WindowFixture& f) {
    f.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window()));
}

TEST(HistoryWindow, TheButtonsAndShortcutsUndoAndRedoTheVoiceAndSayWhat) {
    WindowFixture f;
    f.startWithDevices();
    activate(f);
    QWidget& patch = f.window().Patch();
    QPushButton& undo = button(patch, "bUndo");
    QPushButton& redo = button(patch, "bRedo");
    EXPECT_FALSE(undo.isEnabled());
    EXPECT_EQ(undo.toolTip(), QStringLiteral("Nothing to undo"));

    f.click("lVal14"); // LFO wave: Saw -> Sqr
    EXPECT_TRUE(undo.isEnabled());
    EXPECT_EQ(undo.toolTip(), QStringLiteral("Undo: LFO Wave Saw -> Sqr"));
    f.clearSent();
    QTest::keyClick(&patch, Qt::Key_Z, Qt::ControlModifier);
    f.settle();
    EXPECT_EQ(f.text("lVal14"), QStringLiteral("Saw"));
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 59, 0)});
    EXPECT_EQ(f.toController(), Messages{echo(14, 0)});
    EXPECT_FALSE(undo.isEnabled());
    EXPECT_EQ(redo.toolTip(), QStringLiteral("Redo: LFO Wave Saw -> Sqr"));

    QTest::keyClick(&patch, Qt::Key_Y, Qt::ControlModifier);
    f.settle();
    EXPECT_EQ(f.text("lVal14"), QStringLiteral("Sqr"));
    undo.click();
    f.settle();
    EXPECT_EQ(f.text("lVal14"), QStringLiteral("Saw"));
    QTest::keyClick(&patch, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    f.settle();
    EXPECT_EQ(f.text("lVal14"), QStringLiteral("Sqr"));
}

TEST(HistoryWindow, TheMultiPageUndoesTheMultiAndLeavesTheVoice) {
    WindowFixture f;
    f.startWithDevices();
    activate(f);
    f.click("lVal14");
    f.showPage(TfMidi::MultipartIndex);
    f.clearSent();
    QWidget& multi = f.window().Multipart();
    QPushButton& undo = button(multi, "bUndo");
    EXPECT_FALSE(undo.isEnabled());
    QTest::keyClick(&multi, Qt::Key_Z, Qt::ControlModifier);
    f.settle();
    EXPECT_TRUE(f.toSynth().empty());
    f.showPage(TfMidi::PatchIndex);
    EXPECT_EQ(f.text("lVal14"), QStringLiteral("Sqr"));
}

TEST(HistoryWindow, CompareShowsAAndTheDifferencesAndTakesFromA) {
    WindowFixture f;
    f.startWithDevices();
    f.click("lVal14"); // B: Sqr, A: Saw
    QWidget& patch = f.window().Patch();
    QPushButton& toggle = button(patch, "bCompare");
    toggle.click();
    f.settle();
    EXPECT_TRUE(toggle.isChecked());
    EXPECT_EQ(f.text("lVal14"), QStringLiteral("Saw"));

    f.cc(106, 0); // the controller's compare key back to B
    f.settle();
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_EQ(f.text("lVal14"), QStringLiteral("Sqr"));

    button(patch, "bDifferences").click();
    CompareWindow& window = f.window().Compare().Window();
    ASSERT_TRUE(window.isVisible());
    auto& list = *ChildNamed<QListWidget>(window, QStringLiteral("lbDifferences"));
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("LFO Wave: Saw -> Sqr"));
    list.item(0)->setSelected(true);
    button(window, "bTakeFromA").click();
    f.settle();
    EXPECT_EQ(f.text("lVal14"), QStringLiteral("Saw"));
    EXPECT_EQ(list.count(), 0);
    window.close();
}

} // namespace
