#include "ui/library_page.h"

#include "controls/pictures.h"
#include "edit/editor.h"
#include "library/library_browser.h"
#include "library/voice_export.h"
#include "ui/library_details.h"
#include "views/prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int AuditionIntervalMs = 80;
constexpr int ListedSkippedFiles = 20;
constexpr int AlgorithmGlyphs = 8;

// The algorithm column as the Patch page draws it: its picture, small.
class AlgorithmDelegate : public QStyledItemDelegate {
public:
    explicit AlgorithmDelegate(QObject* parent) : QStyledItemDelegate(parent) {
        const QImage strip = Pictures::AlgorithmStrip();
        const int width = strip.width() / AlgorithmGlyphs;
        for (int k = 0; k < AlgorithmGlyphs; ++k)
            glyphs_.push_back(
                QPixmap::fromImage(strip.copy(k * width, 0, width, strip.height())
                                       .scaledToHeight(24, Qt::SmoothTransformation)));
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        plain.text.clear();
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter,
                                            option.widget);
        const int algorithm = index.data(LibraryModel::AlgorithmRole).toInt();
        if (algorithm < 0 || algorithm >= AlgorithmGlyphs)
            return;
        const QPixmap& glyph = glyphs_[std::size_t(algorithm)];
        const QRect box = option.rect;
        painter->drawPixmap(box.left() + 4, box.top() + (box.height() - glyph.height()) / 2, glyph);
        painter->drawText(box.adjusted(glyph.width() + 10, 0, 0, 0), Qt::AlignVCenter,
                          index.data().toString());
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {glyphs_.front().width() + 28, glyphs_.front().height() + 4};
    }

private:
    std::vector<QPixmap> glyphs_;
};

QPushButton* button(const QString& text, const QString& hint) {
    auto* made = new QPushButton(text);
    made->setToolTip(hint);
    return made;
}

QString voicesText(int count) {
    return count == 1 ? QStringLiteral("1 voice") : QStringLiteral("%1 voices").arg(count);
}

QString filesText(int count) {
    return count == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(count);
}
} // namespace

LibraryPage::LibraryPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsLibrary"));
    search_ = new QLineEdit;
    search_->setPlaceholderText(QStringLiteral("Search names, categories, tags and files"));
    search_->setClearButtonEnabled(true);
    category_ = new QComboBox;
    category_->setMinimumContentsLength(10);
    algorithm_ = new QComboBox;
    algorithm_->addItem(QStringLiteral("Any algorithm"));
    for (int k = 1; k <= AlgorithmGlyphs; ++k)
        algorithm_->addItem(QStringLiteral("Algorithm %1").arg(k));
    favourites_ = new QCheckBox(QStringLiteral("Favourites"));
    duplicates_ = new QCheckBox(QStringLiteral("Duplicates"));
    duplicates_->setToolTip(QStringLiteral("Only the sounds the library holds more than once"));
    count_ = new QLabel;
    count_->setMinimumWidth(140);
    count_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("tvLibrary"));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSortingEnabled(true);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(28);
    table_->setItemDelegateForColumn(LibraryModel::Algorithm, new AlgorithmDelegate(table_));

    details_ = new LibraryDetails;
    store_ = button(QStringLiteral("Store current voice"),
                    QStringLiteral("Keep the voice being edited in the library, under its name"));
    delete_ = button(QStringLiteral("Delete..."),
                     QStringLiteral("Remove the chosen voices from the library"));
    exportPatches_ =
        button(QStringLiteral("Export patch files..."),
               QStringLiteral("Write each chosen voice as a patch file into a folder"));
    exportBank_ = button(QStringLiteral("Export bank..."),
                         QStringLiteral("Write up to 32 chosen voices as one bank for the DX and "
                                        "TX synths of the family"));
    import_ = button(QStringLiteral("Import folder..."),
                     QStringLiteral("Read every voice file and bank under a folder"));
    progress_ = new QProgressBar;
    progress_->hide();
    cancel_ = new QPushButton(QStringLiteral("Cancel"));
    cancel_->hide();
    status_ = new QLabel;
    status_->setWordWrap(true);

    auto* filters = new QHBoxLayout;
    filters->addWidget(search_, 1);
    filters->addWidget(category_);
    filters->addWidget(algorithm_);
    filters->addWidget(favourites_);
    filters->addWidget(duplicates_);
    filters->addWidget(count_);

    auto* side = new QVBoxLayout;
    side->addWidget(details_);
    side->addSpacing(8);
    for (QPushButton* action : {store_, delete_, exportPatches_, exportBank_, import_})
        side->addWidget(action);
    side->addStretch(1);

    auto* middle = new QHBoxLayout;
    middle->addWidget(table_, 1);
    auto* sideHolder = new QWidget;
    sideHolder->setFixedWidth(290);
    sideHolder->setLayout(side);
    middle->addWidget(sideHolder);

    auto* footer = new QHBoxLayout;
    footer->addWidget(status_, 1);
    footer->addWidget(progress_);
    footer->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 8);
    layout->addLayout(filters);
    layout->addLayout(middle, 1);
    layout->addLayout(footer);

    auditionPace_ = new QTimer(this);
    auditionPace_->setSingleShot(true);
    auditionPace_->setInterval(AuditionIntervalMs);
}

void LibraryPage::Connect(Editor& editor, LibraryBrowser& browser, Prompter& prompts,
                          FileChooser& files) {
    editor_ = &editor;
    browser_ = &browser;
    prompts_ = &prompts;
    files_ = &files;
    details_->Connect(browser, prompts);
    table_->setModel(&browser.Model());
    QHeaderView& header = *table_->horizontalHeader();
    header.setSectionResizeMode(QHeaderView::Interactive);
    header.resizeSection(LibraryModel::Name, 120);
    header.resizeSection(LibraryModel::Category, 90);
    header.resizeSection(LibraryModel::Algorithm, 80);
    header.setSectionResizeMode(LibraryModel::Source, QHeaderView::Stretch);
    header.resizeSection(LibraryModel::Favourite, 76);
    header.resizeSection(LibraryModel::Copies, 60);
    header.setSortIndicator(LibraryModel::Name, Qt::AscendingOrder);

    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        browser_->Model().SetSearch(text);
        showCount();
    });
    for (QComboBox* box : {category_, algorithm_})
        connect(box, &QComboBox::currentIndexChanged, this, &LibraryPage::showFilter);
    for (QCheckBox* box : {favourites_, duplicates_})
        connect(box, &QCheckBox::toggled, this, &LibraryPage::showFilter);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LibraryPage::choiceChanged);
    connect(auditionPace_, &QTimer::timeout, this, [this] {
        if (auditionWaiting_) {
            auditionWaiting_ = false;
            audition();
            auditionPace_->start();
        }
    });
    connect(&browser.Model(), &QAbstractItemModel::modelReset, this, &LibraryPage::showCount);
    connect(store_, &QPushButton::clicked, this, &LibraryPage::storeCurrentVoice);
    connect(delete_, &QPushButton::clicked, this, &LibraryPage::deleteChosen);
    connect(exportPatches_, &QPushButton::clicked, this, &LibraryPage::exportPatchFiles);
    connect(exportBank_, &QPushButton::clicked, this, &LibraryPage::exportBank);
    connect(import_, &QPushButton::clicked, this, &LibraryPage::importFolder);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        browser_->CancelImport();
        cancel_->setEnabled(false);
    });
    connect(&browser, &LibraryBrowser::ImportProgressed, this,
            [this](int done, int total, const QString& file) {
                progress_->setRange(0, total);
                progress_->setValue(done);
                status_->setText(QStringLiteral("Importing %1").arg(QFileInfo(file).fileName()));
            });
    connect(&browser, &LibraryBrowser::ImportFinished, this, &LibraryPage::importFinished);

    category_->addItem(QStringLiteral("Any category"));
    category_->addItems(browser.Model().CategoriesInUse());
    if (!browser.IsOpen())
        say(QStringLiteral("The library cannot be used: %1").arg(browser.Problem()));
    showCount();
    enableActions();
}

void LibraryPage::showFilter() {
    LibraryModel::Filter filter;
    if (category_->currentIndex() > 0)
        filter.category = category_->currentText();
    if (algorithm_->currentIndex() > 0)
        filter.algorithm = algorithm_->currentIndex() - 1;
    filter.favouritesOnly = favourites_->isChecked();
    filter.duplicatesOnly = duplicates_->isChecked();
    browser_->Model().SetFilter(filter);
    showCount();
}

void LibraryPage::showCount() {
    const LibraryModel& model = browser_->Model();
    count_->setText(model.rowCount() == model.TotalCount()
                        ? voicesText(model.TotalCount())
                        : QStringLiteral("%1 of %2").arg(model.rowCount()).arg(model.TotalCount()));
    enableActions();
}

void LibraryPage::enableActions() {
    const bool open = browser_ && browser_->IsOpen();
    const bool importing = open && browser_->Importing();
    const bool any = open && table_->selectionModel() && table_->selectionModel()->hasSelection();
    store_->setEnabled(open && !importing);
    delete_->setEnabled(any && !importing);
    exportPatches_->setEnabled(any);
    exportBank_->setEnabled(any);
    import_->setEnabled(open && !importing);
}

std::vector<const CatalogueEntry*> LibraryPage::chosen() const {
    std::vector<const CatalogueEntry*> entries;
    for (const QModelIndex& row : table_->selectionModel()->selectedRows())
        entries.push_back(&browser_->Model().EntryAt(row.row()));
    std::sort(entries.begin(), entries.end(), [this](auto* a, auto* b) {
        return browser_->Model().RowOf(a->id) < browser_->Model().RowOf(b->id);
    });
    return entries;
}

void LibraryPage::choiceChanged() {
    const auto entries = chosen();
    details_->Show(entries.size() == 1 ? entries.front() : nullptr);
    enableActions();
    if (auditionSuppressed_)
        return;
    if (auditionPace_->isActive()) {
        auditionWaiting_ = true;
    } else {
        audition();
        auditionPace_->start();
    }
}

void LibraryPage::audition() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid() || !table_->selectionModel()->isRowSelected(current.row()))
        return;
    const CatalogueEntry& entry = browser_->Model().EntryAt(current.row());
    // Widening the choice around the voice playing does not send it again.
    if (entry.id == auditioned_)
        return;
    auditioned_ = entry.id;
    const auto voice = browser_->VoiceOf(entry.id);
    if (!voice) {
        say(voice.Error().text);
        return;
    }
    editor_->TakeLibraryVoice(*voice);
    say(QStringLiteral("Playing %1").arg(entry.name));
    if (OnAuditioned)
        OnAuditioned();
}

std::vector<Voice> LibraryPage::chosenVoices() {
    std::vector<Voice> voices;
    for (const CatalogueEntry* entry : chosen()) {
        const auto voice = browser_->VoiceOf(entry->id);
        if (!voice) {
            prompts_->Error(voice.Error().text);
            return {};
        }
        voices.push_back(*voice);
    }
    return voices;
}

void LibraryPage::storeCurrentVoice() {
    const auto stored = browser_->Store(editor_->CurrentVoice());
    if (!stored) {
        prompts_->Error(stored.Error().text);
        return;
    }
    // The stored voice is the one playing: choosing it must not send it again.
    auditionSuppressed_ = true;
    auditioned_ = *stored;
    if (const int row = browser_->Model().RowOf(*stored); row >= 0)
        table_->selectRow(row);
    auditionSuppressed_ = false;
    say(QStringLiteral("Stored %1 in the library").arg(editor_->CurrentVoice().Name()));
}

void LibraryPage::deleteChosen() {
    const auto entries = chosen();
    if (entries.empty())
        return;
    const QString what = entries.size() == 1 ? QStringLiteral("\"%1\"").arg(entries.front()->name)
                                             : voicesText(int(entries.size()));
    if (prompts_->Question(QStringLiteral("Delete %1 from the library?").arg(what), false) !=
        Answer::Yes)
        return;
    std::vector<qint64> ids;
    for (const CatalogueEntry* entry : entries)
        ids.push_back(entry->id);
    if (const Failure failure = browser_->Delete(ids))
        prompts_->Error(failure->text);
    else
        say(QStringLiteral("Deleted %1").arg(what));
}

void LibraryPage::exportPatchFiles() {
    const auto folder =
        files_->OpenFolder({QStringLiteral("Export patch files into"), {}, lastFolder_, {}, {}});
    if (!folder)
        return;
    lastFolder_ = *folder;
    const auto voices = chosenVoices();
    if (voices.empty())
        return;
    const ExportReport report = ExportPatchFiles(voices, *folder);
    if (report.error)
        prompts_->Error(*report.error);
    else
        say(QStringLiteral("Wrote %1 into %2").arg(filesText(int(report.written.size())), *folder));
}

void LibraryPage::exportBank() {
    auto voices = chosenVoices();
    if (voices.empty())
        return;
    if (int(voices.size()) > BankVoices) {
        prompts_->Warning(QStringLiteral("A bank holds 32 voices, and %1 are chosen: choose at "
                                         "most 32.")
                              .arg(voices.size()));
        return;
    }
    const QStringList losses = BankLosses(voices);
    if (!losses.isEmpty() &&
        prompts_->Question(QStringLiteral("A bank for the DX and TX synths cannot hold all of "
                                          "these voices:\n%1\n\nWrite the bank without it?")
                               .arg(losses.join(QLatin1Char('\n'))),
                           false) != Answer::Yes)
        return;
    const auto path =
        files_->SaveFile({QStringLiteral("Export bank"), QStringLiteral("Voice bank (*.syx)|*.SYX"),
                          lastFolder_, QStringLiteral("Bank.SYX"), QStringLiteral("SYX")});
    if (!path)
        return;
    lastFolder_ = QFileInfo(*path).absolutePath();
    const ExportReport report = ExportBank(voices, *path);
    if (report.error)
        prompts_->Error(*report.error);
    else
        say(QStringLiteral("Wrote a bank of %1 to %2").arg(voicesText(int(voices.size())), *path));
}

void LibraryPage::importFolder() {
    const auto folder = files_->OpenFolder(
        {QStringLiteral("Import every voice file under"), {}, lastFolder_, {}, {}});
    if (!folder)
        return;
    lastFolder_ = *folder;
    startImport({*folder}, QString());
}

void LibraryPage::OpenBankFile(const QString& path) {
    startImport({path}, QFileInfo(path).fileName());
}

void LibraryPage::startImport(const QStringList& paths, const QString& showAfterwards) {
    if (!browser_->StartImport(paths, {})) {
        prompts_->Warning(
            browser_->IsOpen()
                ? QStringLiteral("An import is running: wait for it to end.")
                : QStringLiteral("The library cannot be used: %1").arg(browser_->Problem()));
        return;
    }
    showAfterImport_ = showAfterwards;
    progress_->setRange(0, 0);
    progress_->show();
    cancel_->setEnabled(true);
    cancel_->show();
    say(QStringLiteral("Importing..."));
    enableActions();
}

void LibraryPage::importFinished(const ImportReport& report) {
    progress_->hide();
    cancel_->hide();
    category_->blockSignals(true);
    const QString category = category_->currentText();
    while (category_->count() > 1)
        category_->removeItem(1);
    category_->addItems(browser_->Model().CategoriesInUse());
    category_->setCurrentIndex(std::max(0, category_->findText(category)));
    category_->blockSignals(false);
    showFilter();
    if (!showAfterImport_.isEmpty())
        search_->setText(showAfterImport_);
    else
        browser_->Model().SetSearch(search_->text());
    QString text = QStringLiteral("%1 added from %2")
                       .arg(voicesText(report.voicesAdded), filesText(report.filesRead));
    if (report.duplicates > 0)
        text += QStringLiteral(", %1 already in the library").arg(report.duplicates);
    if (report.cancelled)
        text += QStringLiteral("; cancelled, the files read before are kept");
    say(text + QLatin1Char('.'));
    showCount();
    if (report.error)
        prompts_->Error(report.error->text);
    if (!report.skipped.empty()) {
        QStringList lines;
        for (std::size_t i = 0; i < report.skipped.size() && int(i) < ListedSkippedFiles; ++i)
            lines << QStringLiteral("%1: %2").arg(report.skipped[i].path, report.skipped[i].reason);
        if (int(report.skipped.size()) > ListedSkippedFiles)
            lines << QStringLiteral("... and %1 more")
                         .arg(int(report.skipped.size()) - ListedSkippedFiles);
        prompts_->Warning(
            QStringLiteral("%1 could not be read and %2 left out:\n%3")
                .arg(filesText(int(report.skipped.size())),
                     report.skipped.size() == 1 ? QStringLiteral("was") : QStringLiteral("were"),
                     lines.join(QLatin1Char('\n'))));
    }
}

void LibraryPage::say(const QString& text) {
    status_->setText(text);
}
