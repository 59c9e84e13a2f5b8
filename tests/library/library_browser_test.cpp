#include "bank_bytes.h"
#include "library/library_browser.h"
#include "test_files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The library as the window uses it: an import on a thread of its own that the model follows,
// its cancel, and a library that cannot be opened.

namespace {

struct Browser : ::testing::Test {
    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("downloads"));
    LibraryBrowser browser;
    std::vector<ImportReport> reports;
    int progressed = 0;

    Browser() {
        QObject::connect(&browser, &LibraryBrowser::ImportFinished,
                         [this](const ImportReport& report) { reports.push_back(report); });
        QObject::connect(&browser, &LibraryBrowser::ImportProgressed, [this] { ++progressed; });
    }

    void writeBanks(int count) {
        for (int i = 0; i < count; ++i)
            WriteFile(folder + QStringLiteral("/BANK%1.SYX").arg(i, 3, 10, QLatin1Char('0')),
                      BankBytes::ToQt(BankBytes::BankMessage(BankBytes::BankData(true, 32 * i))));
    }
    // The import's end, delivered by the event loop as the window's would be.
    void waitForTheEnd() {
        QElapsedTimer waited;
        waited.start();
        while (reports.empty() && waited.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_EQ(reports.size(), 1u);
    }
};

TEST_F(Browser, AnImportOnItsOwnThreadFillsTheModelAndSaysWhatItSkipped) {
    ASSERT_TRUE(browser.Open(dir.filePath(QStringLiteral("library.sqlite"))));
    writeBanks(3);
    WriteFile(folder + QStringLiteral("/notes.syx"), "not a voice");
    ASSERT_TRUE(browser.StartImport({folder}, {}));
    EXPECT_FALSE(browser.StartImport({folder}, {})) << "a second import while one runs";
    waitForTheEnd();
    EXPECT_FALSE(browser.Importing());
    EXPECT_EQ(reports[0].voicesAdded, 96);
    EXPECT_EQ(reports[0].filesRead, 3);
    ASSERT_EQ(reports[0].skipped.size(), 1u);
    EXPECT_TRUE(reports[0].skipped[0].path.endsWith(QStringLiteral("notes.syx")));
    EXPECT_EQ(progressed, 4);
    EXPECT_EQ(browser.Model().TotalCount(), 96);
}

TEST_F(Browser, ACancelledImportKeepsTheFilesReadBeforeIt) {
    ASSERT_TRUE(browser.Open(dir.filePath(QStringLiteral("library.sqlite"))));
    writeBanks(40);
    QObject::connect(&browser, &LibraryBrowser::ImportProgressed,
                     [this] { browser.CancelImport(); });
    ASSERT_TRUE(browser.StartImport({folder}, {}));
    waitForTheEnd();
    EXPECT_TRUE(reports[0].cancelled);
    EXPECT_LT(reports[0].filesRead, 40);
    EXPECT_EQ(browser.Model().TotalCount(), 32 * reports[0].filesRead);
}

TEST_F(Browser, ALibraryThatCannotBeOpenedIsNamedAndLeftAlone) {
    const QString notALibrary = dir.filePath(QStringLiteral("voices.sqlite"));
    WriteFile(notALibrary, "my own notes, not a database");
    EXPECT_FALSE(browser.Open(notALibrary));
    EXPECT_FALSE(browser.IsOpen());
    EXPECT_FALSE(browser.Problem().isEmpty());
    EXPECT_FALSE(browser.StartImport({folder}, {}));
    EXPECT_FALSE(browser.Store(Voice()).Ok());
    EXPECT_EQ(FileContents(notALibrary), QByteArray("my own notes, not a database"));
}

} // namespace
