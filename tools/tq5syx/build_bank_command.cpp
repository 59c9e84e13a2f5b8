#include "build_bank_command.h"

#include "bad_input.h"
#include "build_command.h"
#include "console.h"
#include "json_input.h"
#include "library/voice_export.h"
#include "named_files.h"

BuiltBank BuildBank(const QByteArray& json) {
    std::vector<Voice> voices;
    QStringList warnings;
    int number = 0;
    for (const QByteArray& object : ParseBankRequest(json, BankVoices)) {
        ++number;
        try {
            const BuiltSound built = BuildSound(object, SoundKind::Voice);
            voices.push_back(built.sound.voice);
            for (const QString& warning : built.warnings)
                warnings << QStringLiteral("voice %1: %2").arg(number).arg(warning);
        } catch (const BadInput& refused) {
            throw BadInput{QStringLiteral("voice %1: %2").arg(number).arg(refused.message)};
        }
    }
    return {BankFileBytes(voices), warnings + BankLosses(voices)};
}

int RunBuildBank(const QString& outputPath) {
    const BuiltBank built = BuildBank(ReadStandardInput());
    for (const QString& warning : built.warnings)
        WriteErrorLine(warning);
    if (const auto error = SaveNamedFile(outputPath, built.bytes))
        throw BadInput{outputPath + QStringLiteral(": cannot be written: ") + *error};
    return 0;
}
