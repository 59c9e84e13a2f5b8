#include "bcl_sysex.h"

namespace {
constexpr char Header[] = {'\xF0', 0x00, 0x20, 0x32, 0x7F /* any device */, 0x15 /* BCR2000 */,
                           0x20 /* BCL line */};
} // namespace

QByteArray BclSysex(const QStringList& lines) {
    QByteArray bytes;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        bytes.append(Header, sizeof Header);
        bytes.append(char((index >> 7) & 0x7F));
        bytes.append(char(index & 0x7F));
        bytes.append(lines[index].toLatin1());
        bytes.append('\xF7');
    }
    return bytes;
}
