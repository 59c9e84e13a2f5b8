#include "library/library_model.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {

const char* const Headings[] = {"Name", "Category", "Algorithm", "Source", "Favourite", "Copies"};

template <class T> int compare(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

LibraryModel::LibraryModel(QObject* parent) : QAbstractTableModel(parent) {}

Failure LibraryModel::Load(const Catalogue& catalogue) {
    auto entries = catalogue.Entries();
    if (!entries)
        return entries.Error();
    SetEntries(std::move(*entries));
    return std::nullopt;
}

LibraryModel::Row LibraryModel::rowOf(CatalogueEntry entry) {
    Row row;
    row.name = entry.name.toLower();
    row.category = lowered_(entry.category.toLower());
    row.searched = row.name + QLatin1Char('\n') + row.category + QLatin1Char('\n') +
                   entry.tags.join(QLatin1Char('\n')).toLower();
    row.source = sourceOf(entry.source);
    row.entry = std::move(entry);
    return row;
}

int LibraryModel::sourceOf(const QString& source) {
    // The voices of a bank come one after the other, sharing their source's characters.
    if (!sources_.empty() && source.constData() == lastSource_.constData() &&
        source.size() == lastSource_.size())
        return lastSourceIndex_;
    const QString lower = source.toLower();
    auto known = sourceIndex_.constFind(lower);
    if (known == sourceIndex_.constEnd()) {
        known = sourceIndex_.insert(lower, int(sources_.size()));
        sources_.push_back(lower);
    }
    lastSource_ = source;
    lastSourceIndex_ = *known;
    return *known;
}

void LibraryModel::SetEntries(std::vector<CatalogueEntry> entries) {
    sources_.clear();
    sourceIndex_.clear();
    lastSource_.clear();
    std::vector<Row> rows;
    rows.reserve(entries.size());
    for (CatalogueEntry& entry : entries)
        rows.push_back(rowOf(std::move(entry)));
    rows_ = std::move(rows);
    countCopies();
    reset();
}

void LibraryModel::countCopies() {
    copies_.clear();
    for (const Row& row : rows_)
        ++copies_[row.entry.fingerprint];
}

int LibraryModel::CopiesOf(quint64 fingerprint) const {
    return copies_.value(fingerprint);
}

bool LibraryModel::less(const Row& a, const Row& b) const {
    int order = 0;
    switch (sortColumn_) {
    case Name:
        order = compare(a.name, b.name);
        break;
    case Category:
        order = compare(a.category, b.category);
        break;
    case Algorithm:
        order = compare(a.entry.algorithm, b.entry.algorithm);
        break;
    case Source:
        order = compare(sources_[std::size_t(a.source)], sources_[std::size_t(b.source)]);
        if (order == 0)
            order = compare(a.entry.position, b.entry.position);
        break;
    case Favourite:
        order = compare(a.entry.favourite, b.entry.favourite);
        break;
    case Copies:
        order = compare(CopiesOf(a.entry.fingerprint), CopiesOf(b.entry.fingerprint));
        break;
    case ColumnCount:
        break;
    }
    if (sortOrder_ == Qt::DescendingOrder)
        order = -order;
    // Equal keys keep the order the voices came in, whichever way the column is sorted.
    return order != 0 ? order < 0 : a.entry.id < b.entry.id;
}

void LibraryModel::resort() {
    sorted_.resize(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i)
        sorted_[i] = int(i);
    std::sort(sorted_.begin(), sorted_.end(),
              [&](int a, int b) { return less(rows_[std::size_t(a)], rows_[std::size_t(b)]); });
    sortStale_ = false;
}

std::vector<std::vector<bool>> LibraryModel::sourcesHolding() const {
    std::vector<std::vector<bool>> holding;
    for (const QString& word : words_) {
        std::vector<bool> has(sources_.size());
        for (std::size_t i = 0; i < sources_.size(); ++i)
            has[i] = sources_[i].contains(word);
        holding.push_back(std::move(has));
    }
    return holding;
}

bool LibraryModel::shown(const Row& row, const std::vector<std::vector<bool>>& sourceHas) const {
    const CatalogueEntry& entry = row.entry;
    if (!filter_.category.isEmpty() && entry.category != filter_.category)
        return false;
    if (filter_.algorithm && entry.algorithm != *filter_.algorithm)
        return false;
    if (filter_.favouritesOnly && !entry.favourite)
        return false;
    if (filter_.duplicatesOnly && CopiesOf(entry.fingerprint) < 2)
        return false;
    for (std::size_t i = 0; i < std::size_t(words_.size()); ++i)
        if (!sourceHas[i][std::size_t(row.source)] && !row.searched.contains(words_[qsizetype(i)]))
            return false;
    return true;
}

void LibraryModel::refilter() {
    const auto sourceHas = sourcesHolding();
    visible_.clear();
    for (int index : sorted_)
        if (shown(rows_[std::size_t(index)], sourceHas))
            visible_.push_back(index);
}

void LibraryModel::reset() {
    beginResetModel();
    resort();
    refilter();
    endResetModel();
}

void LibraryModel::SetSearch(const QString& text) {
    const QString lower = text.toLower();
    const QStringList words = lower.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // Typing on can only narrow what is shown: every word before is part of one now.
    const bool narrows = lower.startsWith(searchText_) && !sortStale_;
    searchText_ = lower;
    if (words == words_)
        return;
    words_ = words;
    if (!narrows) {
        showAgain();
        return;
    }
    const auto sourceHas = sourcesHolding();
    beginResetModel();
    std::erase_if(visible_,
                  [&](int index) { return !shown(rows_[std::size_t(index)], sourceHas); });
    endResetModel();
}

void LibraryModel::SetFilter(const Filter& filter) {
    filter_ = filter;
    showAgain();
}

void LibraryModel::showAgain() {
    beginResetModel();
    if (sortStale_)
        resort();
    refilter();
    endResetModel();
}

void LibraryModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount)
        return;
    sortColumn_ = Column(column);
    sortOrder_ = order;
    reset();
}

void LibraryModel::UpdateEntry(const CatalogueEntry& entry) {
    const auto found = std::find_if(rows_.begin(), rows_.end(),
                                    [&](const Row& row) { return row.entry.id == entry.id; });
    if (found == rows_.end())
        return;
    *found = rowOf(entry);
    sortStale_ = true;
    const int shownAt = RowOf(entry.id);
    if (shownAt >= 0)
        emit dataChanged(index(shownAt, 0), index(shownAt, ColumnCount - 1));
}

void LibraryModel::AddEntry(const CatalogueEntry& entry) {
    rows_.push_back(rowOf(entry));
    countCopies();
    reset();
}

void LibraryModel::RemoveEntries(const std::vector<qint64>& ids) {
    const QSet<qint64> removed(ids.begin(), ids.end());
    std::erase_if(rows_, [&](const Row& row) { return removed.contains(row.entry.id); });
    countCopies();
    reset();
}

const CatalogueEntry& LibraryModel::EntryAt(int row) const {
    return rows_[std::size_t(visible_.at(std::size_t(row)))].entry;
}

int LibraryModel::RowOf(qint64 id) const {
    for (std::size_t i = 0; i < visible_.size(); ++i)
        if (rows_[std::size_t(visible_[i])].entry.id == id)
            return int(i);
    return -1;
}

QStringList LibraryModel::CategoriesInUse() const {
    QStringList categories;
    for (const Row& row : rows_)
        if (!row.entry.category.isEmpty() && !categories.contains(row.entry.category))
            categories << row.entry.category;
    categories.sort(Qt::CaseInsensitive);
    return categories;
}

int LibraryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(visible_.size());
}

int LibraryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LibraryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const CatalogueEntry& entry = EntryAt(index.row());
    switch (role) {
    case IdRole:
        return entry.id;
    case AlgorithmRole:
        return entry.algorithm;
    case FingerprintRole:
        return QVariant::fromValue(entry.fingerprint);
    case Qt::CheckStateRole:
        if (index.column() == Favourite)
            return entry.favourite ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ToolTipRole:
        if (index.column() == Source && !entry.source.isEmpty())
            return QStringLiteral("%1, voice %2 (%3)")
                .arg(entry.source)
                .arg(entry.position)
                .arg(entry.format);
        return {};
    case Qt::DisplayRole:
        break;
    default:
        return {};
    }
    switch (Column(index.column())) {
    case Name:
        return entry.name;
    case Category:
        return entry.category;
    case Algorithm:
        return QString::number(entry.algorithm + 1);
    case Source:
        return entry.source.isEmpty() ? QStringLiteral("stored")
                                      : QStringLiteral("%1 #%2")
                                            .arg(QFileInfo(entry.source).fileName())
                                            .arg(entry.position);
    case Copies:
        return CopiesOf(entry.fingerprint);
    case Favourite:
    case ColumnCount:
        break;
    }
    return {};
}

QVariant LibraryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromLatin1(Headings[section]);
}
