#include "reference_files.h"
#include "tq5syx_run.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

// tq5syx against the independent reading in reference_files: random patch and multi files, valid
// and damaged, short and long, read key by key and built byte by byte.

namespace {

using Reference::FileLayout;

const FileLayout* const Layouts[] = {&Reference::Patch(), &Reference::Multi()};

// The parameters in the order the output lists them.
std::vector<std::pair<QString, int>> listedParams(const QByteArray& out) {
    static const QRegularExpression line(QStringLiteral("\"([0-9A-F]{2}/\\d+)\": (\\d+)"));
    std::vector<std::pair<QString, int>> params;
    for (auto it = line.globalMatch(QString::fromLatin1(out)); it.hasNext();) {
        const auto match = it.next();
        params.emplace_back(match.captured(1), match.captured(2).toInt());
    }
    return params;
}

bool keyOrder(const std::pair<QString, int>& a, const std::pair<QString, int>& b) {
    const auto rank = [](const QString& key) {
        return std::pair(key.left(2).toInt(nullptr, 16), key.mid(3).toInt());
    };
    return rank(a.first) < rank(b.first);
}

struct Agreement : ::testing::Test {
    QTemporaryDir dir;
    std::mt19937 random{20240611};
    int fileCount = 0;

    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    QString write(const QByteArray& bytes) {
        const QString path = dir.filePath(QStringLiteral("f%1.SYX").arg(++fileCount));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QString printableName() {
        QString name;
        for (int i = 0; i < 10; ++i)
            name += QChar(uniform(0x20, 0x7E));
        return name;
    }

    Reference::Values inRangeValues(const FileLayout& layout) {
        Reference::Values values;
        for (const Reference::Message& m : layout.messages)
            for (const Reference::Field& f : m.fields)
                values[f.key] = uniform(0, f.max);
        return values;
    }

    QByteArray validFile(const FileLayout& layout) {
        return Reference::Save(layout, inRangeValues(layout), printableName());
    }

    // Reads the file with the tool and compares every key, the name and the warnings with the
    // reference; returns the tool's output.
    QByteArray expectReadAgrees(const FileLayout& layout, const QByteArray& file) {
        const QString path = write(file);
        const ProgramRun run = RunTq5syx({layout.kind, path});
        const Reference::Loaded expected = Reference::Load(layout, file, path);
        if (expected.refused) {
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_TRUE(run.Err().startsWith(
                QStringLiteral("tq5syx: %1: This file holds no TQ5 ").arg(path)))
                << run.err.constData();
            return {};
        }
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        const QJsonObject json = run.Json();
        EXPECT_EQ(json.value(QStringLiteral("kind")).toString(), layout.kind);

        auto params = listedParams(run.out);
        EXPECT_EQ(params.size(), json.value(QStringLiteral("params")).toObject().size());
        EXPECT_TRUE(std::is_sorted(params.begin(), params.end(), keyOrder));
        const std::vector<std::pair<QString, int>> wanted(expected.values.begin(),
                                                          expected.values.end());
        std::sort(params.begin(), params.end());
        EXPECT_EQ(params, wanted);

        if (layout.nameOffset >= 0)
            EXPECT_EQ(json.value(QStringLiteral("name")).toString(), expected.name);
        else
            EXPECT_FALSE(json.contains(QStringLiteral("name")));
        QStringList warnings;
        for (const QJsonValue& w : json.value(QStringLiteral("warnings")).toArray())
            warnings << w.toString();
        EXPECT_EQ(warnings, expected.warnings);
        return run.out;
    }

    void expectCheckAgrees(const FileLayout& layout, const QByteArray& file) {
        const ProgramRun run = RunTq5syx({QStringLiteral("check"), write(file)});
        const std::vector<int> expected = Reference::ProblemOffsets(layout, file);
        EXPECT_EQ(run.exitCode, expected.empty() ? 0 : 1);
        std::vector<int> offsets;
        static const QRegularExpression line(QStringLiteral("^offset (\\d+): "),
                                             QRegularExpression::MultilineOption);
        for (auto it = line.globalMatch(QString::fromLatin1(run.out)); it.hasNext();)
            offsets.push_back(it.next().captured(1).toInt());
        EXPECT_EQ(offsets, expected) << run.out.constData();
        if (expected.empty()) {
            EXPECT_EQ(run.out, "ok\n");
        }
    }
};

TEST_F(Agreement, ValidFilesReadAlikeAndBuildBackToTheSameBytes) {
    for (int round = 0; round < 10; ++round)
        for (const FileLayout* layout : Layouts) {
            SCOPED_TRACE(layout->kind.toStdString() + " round " + std::to_string(round));
            const QByteArray file = validFile(*layout);
            const QByteArray readout = expectReadAgrees(*layout, file);
            expectCheckAgrees(*layout, file);

            const QString rebuilt = dir.filePath(QStringLiteral("rebuilt.SYX"));
            const ProgramRun build = RunTq5syx(
                {QStringLiteral("build"), layout->kind, QStringLiteral("-o"), rebuilt}, readout);
            ASSERT_EQ(build.exitCode, 0) << build.err.constData();
            EXPECT_TRUE(build.err.isEmpty());
            QFile out(rebuilt);
            ASSERT_TRUE(out.open(QIODevice::ReadOnly));
            EXPECT_EQ(out.readAll(), file);
        }
}

TEST_F(Agreement, OutOfRangeAndForeignBytes) {
    for (int round = 0; round < 10; ++round)
        for (const FileLayout* layout : Layouts) {
            SCOPED_TRACE(layout->kind.toStdString() + " round " + std::to_string(round));
            QByteArray file = validFile(*layout);
            // Mostly values and name bytes; now and then a header, checksum or end byte.
            for (int n = uniform(1, 12); n > 0; --n)
                file[uniform(0, int(file.size()) - 1)] = char(uniform(0, 255));
            expectReadAgrees(*layout, file);
            expectCheckAgrees(*layout, file);
        }
}

TEST_F(Agreement, ShortAndLongFiles) {
    for (int round = 0; round < 10; ++round)
        for (const FileLayout* layout : Layouts) {
            SCOPED_TRACE(layout->kind.toStdString() + " round " + std::to_string(round));
            const QByteArray valid = validFile(*layout);
            QByteArray file = valid;
            for (char& byte : file)
                if (uniform(0, 20) == 0)
                    byte = char(uniform(0, 255));
            const QByteArray shorter = file.left(uniform(0, layout->length - 1));
            expectReadAgrees(*layout, shorter);
            // Without its first header the check cannot tell the kind of a short file.
            if (shorter.size() >= 6 && shorter.left(6) == valid.left(6))
                expectCheckAgrees(*layout, shorter);

            QByteArray longer = file;
            for (int n = uniform(1, 300); n > 0; --n)
                longer += char(uniform(0, 255));
            expectReadAgrees(*layout, longer);
        }
}

TEST_F(Agreement, WhollyRandomFilesOfTheRightLength) {
    for (int round = 0; round < 5; ++round)
        for (const FileLayout* layout : Layouts) {
            SCOPED_TRACE(layout->kind.toStdString() + " round " + std::to_string(round));
            QByteArray file(layout->length, '\0');
            for (char& byte : file)
                byte = char(uniform(0, 255));
            expectReadAgrees(*layout, file);
            expectCheckAgrees(*layout, file);
        }
}

TEST_F(Agreement, AVoiceBlockAloneIsReadAsAVoiceBlock) {
    const QByteArray patch = validFile(Reference::Patch());
    const QByteArray out = expectReadAgrees(Reference::Patch(), patch.mid(90));
    EXPECT_FALSE(out.isEmpty());
}

// Other programs' files: the messages of a file in any order, some twice, with device numbers of
// their own and foreign bytes between them.
TEST_F(Agreement, MessagesInAnyOrderAmongOtherBytes) {
    for (int round = 0; round < 20; ++round)
        for (const FileLayout* layout : Layouts) {
            SCOPED_TRACE(layout->kind.toStdString() + " round " + std::to_string(round));
            const QByteArray valid = validFile(*layout);
            QByteArray file;
            for (int n = uniform(1, 6); n > 0; --n) {
                for (int junk = uniform(0, 3); junk > 0; --junk)
                    file += char(uniform(0, 255));
                const Reference::Message& m =
                    layout->messages[std::size_t(uniform(0, int(layout->messages.size()) - 1))];
                QByteArray message = valid.mid(m.offset, m.Length());
                message[2] = char(uniform(0, 15));
                if (uniform(0, 4) == 0) // now and then a wrong checksum or a cut
                    message[m.Length() - 2] = char(message[m.Length() - 2] ^ 0x01);
                if (uniform(0, 6) == 0)
                    message.chop(uniform(1, 10));
                file += message;
            }
            expectReadAgrees(*layout, file);
        }
}

TEST_F(Agreement, BuildFromRandomPartialParams) {
    for (int round = 0; round < 10; ++round)
        for (const FileLayout* layout : Layouts) {
            SCOPED_TRACE(layout->kind.toStdString() + " round " + std::to_string(round));
            QJsonObject params;
            Reference::Values values;
            int tooBig = 0;
            // Every fourth round one value is above its maximum, and the build is refused.
            const Reference::Field* tooBigField = nullptr;
            for (const Reference::Message& m : layout->messages)
                for (const Reference::Field& f : m.fields) {
                    if (round % 4 == 3 && !tooBigField && f.max < 127 && uniform(0, 9) == 0) {
                        tooBigField = &f;
                        params.insert(f.key, uniform(f.max + 1, 127));
                        ++tooBig;
                    } else if (uniform(0, 2) > 0) {
                        values[f.key] = uniform(0, f.max);
                        params.insert(f.key, values[f.key]);
                    }
                }
            QJsonObject request{{QStringLiteral("params"), params}};
            // Not null: an empty name is asked for as a name (ten blanks), not left out.
            QString name = QStringLiteral("");
            if (layout->nameOffset >= 0) {
                // Latin-1 letters and names of any length, as a user might type them
                for (int n = uniform(0, 14); n > 0; --n)
                    name += QChar(uniform(0, 3) == 0 ? uniform(0xC0, 0xFF) : uniform(0x20, 0x7E));
                request.insert(QStringLiteral("name"), name);
            }
            const QString path = dir.filePath(QStringLiteral("built.SYX"));
            QFile::remove(path);
            const ProgramRun build =
                RunTq5syx({QStringLiteral("build"), layout->kind, QStringLiteral("-o"), path},
                          QJsonDocument(request).toJson());
            if (tooBigField) {
                EXPECT_EQ(build.exitCode, 2);
                EXPECT_TRUE(build.Err().contains(QStringLiteral("\"%1\": the value must be a "
                                                                "whole number in 0..%2")
                                                     .arg(tooBigField->key)
                                                     .arg(tooBigField->max)))
                    << build.err.constData();
                EXPECT_FALSE(QFile::exists(path));
                continue;
            }
            ASSERT_EQ(build.exitCode, 0) << build.err.constData();
            EXPECT_EQ(build.ErrLines().filter(QStringLiteral("Value too big CC:")).size(), tooBig);
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::ReadOnly));
            const QByteArray file = out.readAll();
            EXPECT_EQ(file, Reference::Save(*layout, values, name));
            expectReadAgrees(*layout, file);
        }
}

} // namespace
