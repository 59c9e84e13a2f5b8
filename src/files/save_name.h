#pragma once

#include <QString>

// The file name a save dialog proposes, made from the voice's name or the multi's. A name is
// text from a synth or a file and may hold anything: what a file name in the chosen folder cannot
// hold is changed, so that the proposal names a file in that folder and nowhere else. Separators
// (/ and \) become _, control characters (a line feed, say) are dropped, and so are leading
// dots, which would hide the file; leading and trailing blanks are removed. A name that leaves
// nothing proposes "Patch.SYX" or "Multi.SYX".
namespace SaveNames {

QString ForPatch(const QString& voiceName);
QString ForMulti(const QString& multiName);

} // namespace SaveNames
