#pragma once

#include "library/catalogue.h"
#include "library/folder_import.h"
#include "library/library_model.h"

#include <QObject>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>

// The library as the Library page uses it: the catalogue, when it could be opened, with the
// table's model kept in step with every change made to it. Imports run on a thread of their own
// with their own connection to the file, so the window keeps painting through thousands of files;
// their progress and their end arrive as signals on the browser's thread.
class LibraryBrowser : public QObject {
    Q_OBJECT

public:
    explicit LibraryBrowser(QObject* parent = nullptr);
    // A running import is cancelled after its current file and waited for.
    ~LibraryBrowser() override;

    // The catalogue at the path, loaded into the model. When it cannot be opened the browser goes
    // on without one and Problem() says why; nothing is ever done to the file.
    bool Open(const QString& path);
    bool IsOpen() const { return catalogue_ != nullptr; }
    const QString& Problem() const { return problem_; }
    QString Path() const { return catalogue_ ? catalogue_->Path() : QString(); }

    LibraryModel& Model() { return model_; }

    // Each of these says why it failed, or nothing when it worked; the model follows.
    Result<Voice> VoiceOf(qint64 id) const;
    Result<std::vector<CatalogueEntry>> Copies(quint64 fingerprint) const;
    Result<qint64> Store(const Voice& voice);
    Failure Rename(qint64 id, const QString& name);
    Failure SetCategory(qint64 id, const QString& category);
    Failure SetTags(qint64 id, const QStringList& tags);
    Failure SetFavourite(qint64 id, bool favourite);
    Failure SetComment(qint64 id, const QString& comment);
    Failure Delete(const std::vector<qint64>& ids);

    // Starts importing the files, and the voice files under the folders among them. False when
    // an import runs already or there is no catalogue.
    bool StartImport(const QStringList& filesAndFolders, const ImportOptions& options);
    void CancelImport() { cancel_ = true; }
    bool Importing() const { return worker_.joinable(); }

signals:
    void ImportProgressed(int filesDone, int filesTotal, const QString& file);
    // After the model has been reloaded with what the import added.
    void ImportFinished(const ImportReport& report);

private:
    Failure changed(qint64 id, Failure failure);
    void finishImport(ImportReport report);

    std::unique_ptr<Catalogue> catalogue_;
    QString problem_;
    LibraryModel model_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
};
