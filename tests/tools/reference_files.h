#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

// A second, independent reading of patch and multi files for checking tq5syx against. It knows
// the files only from their byte positions, written out here by hand; it shares no table with the
// engine.
namespace Reference {

struct Field {
    int dataByte;
    QString key;
    int max;
    int start;
    int row; // the controller row the editor names in its warning; -1 for multi records
};

struct Message {
    int offset; // in the file
    QByteArray header;
    int dataCount;
    std::vector<Field> fields; // in the order the editor stores them
    QString name;              // as a load's notes name it: "voice block"

    int DataOffset() const { return int(header.size()); }
    int Length() const { return DataOffset() + dataCount + 2; }
};

struct FileLayout {
    QString kind; // "voice" or "multi"
    int length;
    std::vector<Message> messages; // in file order
    std::vector<int> loadOrder;
    int nameOffset; // first name byte in the file, or -1
};

const FileLayout& Patch();
const FileLayout& Multi();

using Values = std::map<QString, int>;

// What the editor holds after loading a file: every value, the name and the warnings in the
// order the load raises them (values out of range, then the notes), or that it refuses the file.
struct Loaded {
    Values values;
    QString name;
    QStringList warnings;
    bool refused = false;
};

// A file of the layout's length with each header in its place is read by position; any other by
// the complete messages of the layout's kinds found in it (the first voice's, for a patch). The
// notes name the file as fileName.
Loaded Load(const FileLayout& layout, const QByteArray& file, const QString& fileName);

// The file as the editor saves it; keys left out keep their start values, values above a maximum
// are stored as the maximum.
QByteArray Save(const FileLayout& layout, const Values& values, const QString& name = {});

// The offsets a strict check complains about, in order; empty for a file as the editor saves it.
std::vector<int> ProblemOffsets(const FileLayout& layout, const QByteArray& file);

} // namespace Reference
