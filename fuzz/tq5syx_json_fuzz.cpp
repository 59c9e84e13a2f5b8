// tq5syx build's standard input: JSON for a voice and for a multi, parsed, checked and written
// into a file's bytes as the command does. A file it builds passes check.
#include "bad_input.h"
#include "build_command.h"
#include "check_command.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray json =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    for (SoundKind kind : {SoundKind::Voice, SoundKind::Multi}) {
        BuiltFile built;
        try {
            built = BuildFile(json, kind);
        } catch (const BadInput&) {
            continue; // refused with a message, as the command exits with code 2
        }
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(built.bytes.constData());
        const QStringList problems =
            FileProblems({bytes, std::size_t(built.bytes.size())}, built.bytes.size());
        if (!problems.isEmpty()) {
            std::fprintf(stderr, "check finds problems in the built file:\n%s\n",
                         qUtf8Printable(problems.join(QLatin1Char('\n'))));
            std::abort();
        }
    }
    return 0;
}
