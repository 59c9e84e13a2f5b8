#include "library/library_browser.h"

#include <QFileInfo>
#include <QMetaObject>

LibraryBrowser::LibraryBrowser(QObject* parent) : QObject(parent) {}

LibraryBrowser::~LibraryBrowser() {
    if (worker_.joinable()) {
        cancel_ = true;
        worker_.join();
    }
}

bool LibraryBrowser::Open(const QString& path) {
    auto opened = Catalogue::Open(path);
    if (!opened) {
        problem_ = opened.Error().text;
        return false;
    }
    catalogue_ = std::move(opened.Value());
    if (const Failure failure = model_.Load(*catalogue_)) {
        problem_ = failure->text;
        catalogue_.reset();
        return false;
    }
    problem_.clear();
    return true;
}

namespace {
CatalogueError noLibrary(const QString& problem) {
    return {CatalogueError::Kind::CannotOpen, problem};
}
} // namespace

Result<Voice> LibraryBrowser::VoiceOf(qint64 id) const {
    if (!catalogue_)
        return noLibrary(problem_);
    return catalogue_->VoiceOf(id);
}

Result<std::vector<CatalogueEntry>> LibraryBrowser::Copies(quint64 fingerprint) const {
    if (!catalogue_)
        return noLibrary(problem_);
    return catalogue_->Copies(fingerprint);
}

Result<qint64> LibraryBrowser::Store(const Voice& voice) {
    if (!catalogue_)
        return noLibrary(problem_);
    auto stored = catalogue_->Store(voice);
    if (stored) {
        if (auto entry = catalogue_->Entry(*stored))
            model_.AddEntry(*entry);
    }
    return stored;
}

Failure LibraryBrowser::changed(qint64 id, Failure failure) {
    if (failure)
        return failure;
    auto entry = catalogue_->Entry(id);
    if (!entry)
        return entry.Error();
    model_.UpdateEntry(*entry);
    return std::nullopt;
}

Failure LibraryBrowser::Rename(qint64 id, const QString& name) {
    if (!catalogue_)
        return noLibrary(problem_);
    return changed(id, catalogue_->Rename(id, name));
}

Failure LibraryBrowser::SetCategory(qint64 id, const QString& category) {
    if (!catalogue_)
        return noLibrary(problem_);
    return changed(id, catalogue_->SetCategory(id, category));
}

Failure LibraryBrowser::SetTags(qint64 id, const QStringList& tags) {
    if (!catalogue_)
        return noLibrary(problem_);
    return changed(id, catalogue_->SetTags(id, tags));
}

Failure LibraryBrowser::SetFavourite(qint64 id, bool favourite) {
    if (!catalogue_)
        return noLibrary(problem_);
    return changed(id, catalogue_->SetFavourite(id, favourite));
}

Failure LibraryBrowser::SetComment(qint64 id, const QString& comment) {
    if (!catalogue_)
        return noLibrary(problem_);
    return changed(id, catalogue_->SetComment(id, comment));
}

Failure LibraryBrowser::Delete(const std::vector<qint64>& ids) {
    if (!catalogue_)
        return noLibrary(problem_);
    if (Failure failure = catalogue_->Delete(ids))
        return failure;
    model_.RemoveEntries(ids);
    return std::nullopt;
}

bool LibraryBrowser::StartImport(const QStringList& filesAndFolders, const ImportOptions& options) {
    if (!catalogue_ || worker_.joinable())
        return false;
    cancel_ = false;
    worker_ = std::thread([this, filesAndFolders, options, path = catalogue_->Path()] {
        ImportReport report;
        // A connection of this thread's own: a catalogue is used on the thread that opened it.
        auto catalogue = Catalogue::Open(path);
        if (!catalogue) {
            report.error = catalogue.Error();
        } else {
            QStringList files;
            for (const QString& path : filesAndFolders)
                files << (QFileInfo(path).isDir() ? VoiceFilesUnder(path, options.suffixes)
                                                  : QStringList{path});
            report = ImportFiles(**catalogue, files, options, [this](const ImportProgress& step) {
                QMetaObject::invokeMethod(
                    this,
                    [this, done = step.filesDone, total = step.filesTotal, file = step.file] {
                        emit ImportProgressed(done, total, file);
                    },
                    Qt::QueuedConnection);
                return !cancel_.load();
            });
        }
        QMetaObject::invokeMethod(
            this, [this, report = std::move(report)]() mutable { finishImport(std::move(report)); },
            Qt::QueuedConnection);
    });
    return true;
}

void LibraryBrowser::finishImport(ImportReport report) {
    worker_.join();
    if (const Failure failure = model_.Load(*catalogue_); failure && !report.error)
        report.error = failure;
    emit ImportFinished(report);
}
