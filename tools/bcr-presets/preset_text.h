#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The BCL text of the controller presets, line by line, from the controller layout.
struct PresetFile {
    QString name;
    QStringList lines;
};

// The three files the editor uploads, by the names it looks for: every element of the layout
// (the envelope rates counting up clockwise), then the four envelope-rate encoders alone counting
// down clockwise, and counting up. With a preset number each block ends by storing the edited
// preset there; without one it only sets the controller's edit buffer.
std::vector<PresetFile> PresetFiles(std::optional<int> store);
