// import-child DATABASE FOLDER: imports the folder into the library as the window would, and
// prints "file N voices M" once each file is committed, so that a test can kill it half-way.
#include "library/folder_import.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: import-child DATABASE FOLDER\n");
        return 2;
    }
    auto catalogue = Catalogue::Open(QString::fromLocal8Bit(argv[1]));
    if (!catalogue) {
        std::fprintf(stderr, "%s\n", qPrintable(catalogue.Error().text));
        return 1;
    }
    const ImportReport report = ImportFolder(
        **catalogue, QString::fromLocal8Bit(argv[2]), {}, [](const ImportProgress& progress) {
            std::printf("file %d voices %d\n", progress.filesDone, progress.voicesAdded);
            std::fflush(stdout);
            return true;
        });
    if (report.error) {
        std::fprintf(stderr, "%s\n", qPrintable(report.error->text));
        return 1;
    }
    return 0;
}
