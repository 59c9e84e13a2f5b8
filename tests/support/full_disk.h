#pragma once

#include <QString>

// A 64 KiB tmpfs mounted on a folder, to be filled up after the files a test saves over are in
// place: then every write that needs a new page fails with ENOSPC. Mounting needs the right to
// (root); where it is missing, Mounted() is false and Problem() says why. The destructor unmounts.
class FullDisk {
public:
    explicit FullDisk(const QString& folder);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool Mounted() const { return mounted_; }
    const QString& Problem() const { return problem_; }
    // Takes what is left with a file named "filler"; true when the disk is full.
    bool Fill() const;

private:
    QString folder_;
    bool mounted_ = false;
    QString problem_;
};
