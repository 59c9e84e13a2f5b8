// The Library page as a user meets it: searching, auditioning by click and arrow key, storing,
// exporting, and a bank file handed over by the Patch page's Load.
#include "library/bank_bytes.h"
#include "library/library_browser.h"
#include "model/rows.h"
#include "ui/library_page.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

Voice named(const QString& name, int algorithm) {
    Voice voice;
    voice.SetName(name);
    voice.Set(*VoiceParam::Single(Rows::Algorithm), algorithm);
    return voice;
}

struct LibraryWindow : WindowFixture {
    LibraryWindow() {
        session.OpenLibrary(folderFile(QStringLiteral("library.sqlite")));
        for (const Voice& voice : voices)
            EXPECT_TRUE(session.Library().Store(voice).Ok());
        startWithDevices();
        showPage(TfMidi::LibraryIndex);
        clearSent();
    }

    LibraryPage& page() { return window().Library(); }
    QTableView& table() { return page().Table(); }
    int rowNamed(const QString& name) {
        for (int row = 0; row < table().model()->rowCount(); ++row)
            if (table().model()->index(row, 0).data().toString() == name)
                return row;
        return -1;
    }
    QPushButton& button(const QString& text) {
        for (QPushButton* found : page().findChildren<QPushButton*>())
            if (found->text() == text)
                return *found;
        throw std::out_of_range("no such button");
    }
    // Until the synth has been sent the messages, or two seconds have passed.
    void waitForSynth(std::size_t messages) {
        QElapsedTimer waited;
        waited.start();
        while (toSynth().size() < messages && waited.elapsed() < 2000)
            QTest::qWait(10);
    }

    std::vector<Voice> voices{named(QStringLiteral("Bass 1"), 0),
                              named(QStringLiteral("EP Soft"), 4),
                              named(QStringLiteral("Brass 2"), 6)};
};

TEST(LibraryWindow, TheSearchAndTheFiltersShowTheMatchingVoicesAndSayHowMany) {
    LibraryWindow f;
    EXPECT_EQ(f.table().model()->rowCount(), 3);
    QTest::keyClicks(&f.page().Search(), QStringLiteral("bAs"));
    f.settle();
    ASSERT_EQ(f.table().model()->rowCount(), 1);
    EXPECT_EQ(f.table().model()->index(0, 0).data().toString(), QStringLiteral("Bass 1"));
    f.page().Search().clear();
    auto* algorithm = f.page().findChildren<QComboBox*>().at(1);
    algorithm->setCurrentIndex(7); // "Algorithm 7"
    f.settle();
    ASSERT_EQ(f.table().model()->rowCount(), 1);
    EXPECT_EQ(f.table().model()->index(0, 0).data().toString(), QStringLiteral("Brass 2"));
    // Going to the Patch page and back changes nothing for the synth: no mode change, no dump.
    f.showPage(TfMidi::PatchIndex);
    f.showPage(TfMidi::LibraryIndex);
    EXPECT_TRUE(f.toSynth().empty());
}

TEST(LibraryWindow, ChoosingAVoiceSendsItWholeAndTheArrowKeysStepThroughTheList) {
    LibraryWindow f;
    QStringList auditioned; // where the program plays each voice on the preview
    f.page().OnAuditioned = [&] { auditioned << f.editor().CurrentVoice().Name(); };
    f.table().setFocus();
    f.table().selectRow(f.rowNamed(QStringLiteral("Bass 1")));
    f.settle();
    EXPECT_EQ(auditioned, QStringList{"Bass 1"});
    EXPECT_EQ(f.toSynth(), wholeVoice(f.voices[0]));
    EXPECT_EQ(f.editor().CurrentVoice(), f.voices[0]);
    EXPECT_EQ(f.widget<QLabel>("lCurrentPatch").text(), QStringLiteral("Current: Bass 1"));

    // Sorted by name: Bass 1, Brass 2, EP Soft. Two steps within the pace: only the last plays.
    f.clearSent();
    QTest::keyClick(&f.table(), Qt::Key_Down);
    QTest::keyClick(&f.table(), Qt::Key_Down);
    f.waitForSynth(wholeVoice(f.voices[1]).size());
    EXPECT_EQ(f.toSynth(), wholeVoice(f.voices[1]));
    EXPECT_EQ(f.editor().CurrentVoice().Name(), QStringLiteral("EP Soft"));
    EXPECT_EQ(auditioned, (QStringList{"Bass 1", "EP Soft"}));
    // Undo goes back to the voice before the auditions, in one step.
    f.editor().Undo();
    EXPECT_EQ(f.editor().CurrentVoice(), Voice());
}

TEST(LibraryWindow, StoreKeepsTheCurrentVoiceAndExportWritesTheChosenVoicesAsPatchFiles) {
    LibraryWindow f;
    f.showPage(TfMidi::PatchIndex);
    f.click("lVal14"); // an edit of the start voice
    const Voice edited = f.editor().CurrentVoice();
    f.showPage(TfMidi::LibraryIndex);
    f.clearSent();
    f.button(QStringLiteral("Store current voice")).click();
    f.settle();
    EXPECT_EQ(f.session.Library().Model().TotalCount(), 4);
    EXPECT_TRUE(f.toSynth().empty()) << "storing chose the new row without sending it";
    const auto chosen = f.table().selectionModel()->selectedRows();
    ASSERT_EQ(chosen.size(), 1);
    const qint64 id = chosen.front().data(LibraryModel::IdRole).toLongLong();
    EXPECT_EQ(*f.session.Library().VoiceOf(id), edited);

    f.table().selectAll();
    const QString folder = f.folderFile(QStringLiteral("out"));
    QDir().mkpath(folder);
    f.files.answers.push_back(folder);
    f.button(QStringLiteral("Export patch files...")).click();
    f.settle();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 4);
    EXPECT_TRUE(QFile::exists(QDir(folder).filePath(QStringLiteral("Bass 1.SYX"))));
    EXPECT_TRUE(f.prompts.shown.isEmpty()) << f.prompts.shown.join(QLatin1Char('\n')).toStdString();
}

TEST(LibraryWindow, ABankLoadedOnThePatchPageIsImportedAndShownNothingSent) {
    LibraryWindow f;
    const QString bank = f.folderFile(QStringLiteral("Banks/Factory.SYX"));
    QDir().mkpath(QFileInfo(bank).absolutePath());
    {
        QFile file(bank);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const auto bytes = BankBytes::BankMessage(BankBytes::BankData(true));
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    }
    f.showPage(TfMidi::PatchIndex);
    f.clearSent();
    f.files.answers.push_back(bank);
    f.editor().bLoadPatchClick();
    QElapsedTimer waited;
    waited.start();
    while (f.session.Library().Model().TotalCount() < 3 + 32 && waited.elapsed() < 5000)
        QTest::qWait(10);
    f.settle();
    EXPECT_EQ(f.window().CurrentPage(), TfMidi::LibraryIndex);
    EXPECT_EQ(f.session.Library().Model().TotalCount(), 3 + 32);
    EXPECT_EQ(f.page().Search().text(), QStringLiteral("Factory.SYX"));
    EXPECT_EQ(f.table().model()->rowCount(), 32);
    EXPECT_TRUE(f.toSynth().empty());
    EXPECT_TRUE(f.prompts.shown.isEmpty()) << f.prompts.shown.join(QLatin1Char('\n')).toStdString();
}

} // namespace
