#pragma once

#include "library/catalogue.h"
#include "library/shared_strings.h"

#include <QAbstractTableModel>
#include <optional>
#include <vector>

// The Library page's table: the catalogue's voices in memory, searched, filtered and sorted here
// (no proxy model: a keystroke's search over tens of thousands of voices has to stay within a
// frame). Edits go to the catalogue first; the model is then told of the entry.
class LibraryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Name, Category, Algorithm, Source, Favourite, Copies, ColumnCount };
    enum Role {
        IdRole = Qt::UserRole, // the catalogue's id, qint64
        AlgorithmRole,         // 0..7, for the algorithm's picture
        FingerprintRole,       // quint64
    };

    struct Filter {
        QString category; // empty: any
        std::optional<int> algorithm;
        bool favouritesOnly = false;
        bool duplicatesOnly = false; // sounds with more than one copy
    };

    explicit LibraryModel(QObject* parent = nullptr);

    // Every voice of the catalogue, replacing what the model held.
    Failure Load(const Catalogue& catalogue);
    void SetEntries(std::vector<CatalogueEntry> entries);

    // The voices whose name, category, tags or source file hold every word of the text, in any
    // letter case.
    void SetSearch(const QString& text);
    void SetFilter(const Filter& filter);
    const Filter& CurrentFilter() const { return filter_; }
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // An entry the catalogue changed (renamed, tagged ...): it stays where it is shown until the
    // next search, filter or sort, so that the row does not jump away while it is being edited.
    void UpdateEntry(const CatalogueEntry& entry);
    void AddEntry(const CatalogueEntry& entry);
    void RemoveEntries(const std::vector<qint64>& ids);

    const CatalogueEntry& EntryAt(int row) const;
    // The shown row of a voice, or -1.
    int RowOf(qint64 id) const;
    int CopiesOf(quint64 fingerprint) const;
    // The categories the voices have, sorted, for the category filter.
    QStringList CategoriesInUse() const;
    int TotalCount() const { return int(rows_.size()); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // An entry with what search and sort compare, in lower case.
    struct Row {
        CatalogueEntry entry;
        QString name;
        QString category;
        QString searched; // name, category and tags
        int source;       // in sources_
    };

    Row rowOf(CatalogueEntry entry);
    int sourceOf(const QString& source); // its index in sources_
    bool less(const Row& a, const Row& b) const;
    bool shown(const Row& row, const std::vector<std::vector<bool>>& sourceHas) const;
    // For each search word, whether each source holds it: a bank's 32 voices share one file.
    std::vector<std::vector<bool>> sourcesHolding() const;
    void countCopies();
    void resort();
    void refilter();
    void reset();     // resorts and refilters for the views
    void showAgain(); // refilters, and resorts after an edit

    std::vector<Row> rows_;
    SharedStrings lowered_;        // the lower-case forms of the texts many rows share
    std::vector<QString> sources_; // in lower case, each once
    QHash<QString, int> sourceIndex_;
    QString lastSource_; // the source of the row made last, and its index
    int lastSourceIndex_ = 0;
    std::vector<int> sorted_;  // all rows in the sort order
    std::vector<int> visible_; // the shown ones, in the sort order
    QHash<quint64, int> copies_;
    QString searchText_; // as typed, in lower case
    QStringList words_;
    Filter filter_;
    Column sortColumn_ = Name;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    bool sortStale_ = false; // an entry changed since the last sort
};
