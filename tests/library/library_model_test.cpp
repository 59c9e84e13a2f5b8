#include "library/library_model.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// The Library page's model over a handful of entries: what each column shows, search as you
// type, filters, sorting, and edits that come back from the catalogue.

namespace {

CatalogueEntry entry(qint64 id, const char* name, const char* category, int algorithm,
                     const char* source, int position, quint64 fingerprint) {
    CatalogueEntry e;
    e.id = id;
    e.name = QString::fromLatin1(name);
    e.category = QString::fromLatin1(category);
    e.algorithm = algorithm;
    e.source = QString::fromLatin1(source);
    e.position = position;
    e.format = QStringLiteral("TX81Z/DX11 bank");
    e.fingerprint = fingerprint;
    return e;
}

std::vector<CatalogueEntry> entries() {
    std::vector<CatalogueEntry> all{
        entry(1, "Funky Bass", "Bass", 3, "/banks/Funk.SYX", 1, 100),
        entry(2, "Slap Bass", "Bass", 0, "/banks/Funk.SYX", 2, 200),
        entry(3, "Brass Sect", "Brass", 5, "/downloads/tx81z/Horns.SYX", 1, 300),
        entry(4, "Warm Pad", "Pad", 7, "/banks/Pads.SYX", 9, 100),
        entry(5, "My Edit", "", 3, "", 0, 500),
    };
    all[2].tags = {QStringLiteral("stab"), QStringLiteral("Funk")};
    all[3].favourite = true;
    return all;
}

QStringList names(const LibraryModel& model) {
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown << model.data(model.index(row, LibraryModel::Name)).toString();
    return shown;
}

struct Model : ::testing::Test {
    LibraryModel model;
    Model() { model.SetEntries(entries()); }
    QVariant at(int row, LibraryModel::Column column, int role = Qt::DisplayRole) {
        return model.data(model.index(row, column), role);
    }
};

TEST_F(Model, ColumnsShowNameCategoryAlgorithmSourceFavouriteAndCopies) {
    ASSERT_EQ(model.columnCount(), 6);
    QStringList headers;
    for (int c = 0; c < model.columnCount(); ++c)
        headers << model.headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers,
              QStringList({"Name", "Category", "Algorithm", "Source", "Favourite", "Copies"}));
    // Sorted by name at first.
    EXPECT_EQ(names(model),
              QStringList({"Brass Sect", "Funky Bass", "My Edit", "Slap Bass", "Warm Pad"}));
    EXPECT_EQ(at(1, LibraryModel::Category).toString(), QStringLiteral("Bass"));
    EXPECT_EQ(at(1, LibraryModel::Algorithm).toString(), QStringLiteral("4"));
    EXPECT_EQ(at(1, LibraryModel::Algorithm, LibraryModel::AlgorithmRole).toInt(), 3);
    EXPECT_EQ(at(1, LibraryModel::Source).toString(), QStringLiteral("Funk.SYX #1"));
    EXPECT_EQ(at(1, LibraryModel::Source, Qt::ToolTipRole).toString(),
              QStringLiteral("/banks/Funk.SYX, voice 1 (TX81Z/DX11 bank)"));
    EXPECT_EQ(at(2, LibraryModel::Source).toString(), QStringLiteral("stored"));
    EXPECT_EQ(at(4, LibraryModel::Favourite, Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(at(1, LibraryModel::Favourite, Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(at(1, LibraryModel::Copies).toInt(), 2); // the same sound as "Warm Pad"
    EXPECT_EQ(at(0, LibraryModel::Copies).toInt(), 1);
    EXPECT_EQ(at(1, LibraryModel::Name, LibraryModel::IdRole).toLongLong(), 1);
    EXPECT_EQ(at(1, LibraryModel::Name, LibraryModel::FingerprintRole).toULongLong(), 100u);
    EXPECT_FALSE(model.data(model.index(9, 0)).isValid());
}

TEST_F(Model, SearchAsYouTypeOverNameCategoryTagsAndSource) {
    const std::pair<const char*, QStringList> typed[] = {
        {"b", {"Brass Sect", "Funky Bass", "Slap Bass", "Warm Pad"}}, // "/banks/"
        {"ba", {"Funky Bass", "Slap Bass", "Warm Pad"}},              // "/banks/" again
        {"bas", {"Funky Bass", "Slap Bass"}},
        {"BASS", {"Funky Bass", "Slap Bass"}},
        {"funk", {"Brass Sect", "Funky Bass", "Slap Bass"}}, // a tag, a name, a source
        {"funk stab", {"Brass Sect"}},                       // every word
        {"tx81z", {"Brass Sect"}},                           // the source's folder
        {"pad", {"Warm Pad"}},
        {"  ", {"Brass Sect", "Funky Bass", "My Edit", "Slap Bass", "Warm Pad"}},
        {"organ", {}},
    };
    for (const auto& [text, expected] : typed) {
        model.SetSearch(QString::fromLatin1(text));
        EXPECT_EQ(names(model), expected) << text;
    }
}

TEST_F(Model, FiltersCombineWithTheSearch) {
    LibraryModel::Filter filter;
    filter.category = QStringLiteral("Bass");
    model.SetFilter(filter);
    EXPECT_EQ(names(model), QStringList({"Funky Bass", "Slap Bass"}));
    filter.algorithm = 0;
    model.SetFilter(filter);
    EXPECT_EQ(names(model), QStringList({"Slap Bass"}));

    model.SetFilter({QString(), std::nullopt, true, false});
    EXPECT_EQ(names(model), QStringList({"Warm Pad"}));
    model.SetFilter({QString(), std::nullopt, false, true});
    EXPECT_EQ(names(model), QStringList({"Funky Bass", "Warm Pad"}));
    model.SetSearch(QStringLiteral("funk"));
    EXPECT_EQ(names(model), QStringList({"Funky Bass"}));
    EXPECT_EQ(model.TotalCount(), 5);
    EXPECT_EQ(model.CategoriesInUse(), QStringList({"Bass", "Brass", "Pad"}));
}

TEST_F(Model, SortingByAnyColumnBothWays) {
    model.sort(LibraryModel::Algorithm);
    EXPECT_EQ(names(model), QStringList({"Slap Bass", "Funky Bass", "My Edit", "Brass Sect",
                                         "Warm Pad"})); // 3 twice: in the order they came
    model.sort(LibraryModel::Algorithm, Qt::DescendingOrder);
    EXPECT_EQ(names(model),
              QStringList({"Warm Pad", "Brass Sect", "Funky Bass", "My Edit", "Slap Bass"}));
    model.sort(LibraryModel::Source);
    EXPECT_EQ(names(model),
              QStringList({"My Edit", "Funky Bass", "Slap Bass", "Warm Pad", "Brass Sect"}));
    model.sort(LibraryModel::Category);
    EXPECT_EQ(names(model).front(), QStringLiteral("My Edit"));
    model.sort(LibraryModel::Favourite, Qt::DescendingOrder);
    EXPECT_EQ(names(model).front(), QStringLiteral("Warm Pad"));
    model.sort(LibraryModel::Copies, Qt::DescendingOrder);
    EXPECT_EQ(names(model).mid(0, 2), QStringList({"Funky Bass", "Warm Pad"}));
    // A search keeps the order.
    model.SetSearch(QStringLiteral("bass"));
    EXPECT_EQ(names(model), QStringList({"Funky Bass", "Slap Bass"}));
}

TEST_F(Model, EditsFromTheCatalogueAreShownInPlaceUntilTheNextSearch) {
    int changedRow = -1;
    QObject::connect(
        &model, &LibraryModel::dataChanged,
        [&](const QModelIndex& first, const QModelIndex&) { changedRow = first.row(); });
    CatalogueEntry renamed = model.EntryAt(1); // Funky Bass
    renamed.name = QStringLiteral("Zed Bass");
    model.UpdateEntry(renamed);
    EXPECT_EQ(changedRow, 1);
    EXPECT_EQ(names(model)[1], QStringLiteral("Zed Bass"));
    model.SetSearch(QStringLiteral("bass"));
    EXPECT_EQ(names(model), QStringList({"Slap Bass", "Zed Bass"}));
    EXPECT_EQ(model.RowOf(1), 1);
    EXPECT_EQ(model.RowOf(3), -1);

    model.SetSearch(QString());
    model.AddEntry(entry(6, "Pad Copy", "Pad", 7, "", 0, 100));
    EXPECT_EQ(model.CopiesOf(100), 3);
    model.RemoveEntries({1, 4});
    EXPECT_EQ(model.CopiesOf(100), 1);
    EXPECT_EQ(names(model), QStringList({"Brass Sect", "My Edit", "Pad Copy", "Slap Bass"}));
}

TEST(ModelFromCatalogue, LoadsEveryEntry) {
    QTemporaryDir dir;
    auto catalogue = Catalogue::Open(dir.filePath(QStringLiteral("l.db")));
    ASSERT_TRUE(catalogue.Ok());
    Voice voice;
    voice.SetName(QStringLiteral("Bell Tree"));
    (*catalogue)->Store(voice);
    LibraryModel model;
    EXPECT_FALSE(model.Load(**catalogue));
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.data(model.index(0, LibraryModel::Category)).toString(),
              QStringLiteral("Bell"));
}

} // namespace
