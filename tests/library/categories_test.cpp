#include "library/categories.h"

#include <gtest/gtest.h>

// Names as the banks of this synth family spell them, in ten characters.

namespace {

TEST(Categories, WordsAndShortFormsOfBankNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"E.Piano 1", "E.Piano"},   {"EP Tines", "E.Piano"}, {"E.P. 2", "E.Piano"},
        {"Grand Pno", "Piano"},     {"PIANO 3", "Piano"},    {"FunkBass", "Bass"},
        {"SYN-BASS", "Bass"},       {"Bs Slap", "Bass"},     {"Brs Sect", "Brass"},
        {"SynBrs 2", "Brass"},      {"Str Ens", "Strings"},  {"Strings", "Strings"},
        {"Org Perc", "Percussion"}, {"Jazz Org", "Organ"},   {"Warm Pad", "Pad"},
        {"Lead Saw", "Lead"},       {"Tub Bells", "Bell"},   {"FX Rain", "FX"},
        {"Sweep 1", "FX"},          {"Bassoon", "Reed"},     {"Syn 1", "Synth"},
        {"Clavi 2", "Clavi"},       {"12Str Gtr", "Guitar"}, {"Sharp Lead", "Lead"},
    };
    for (const auto& [name, category] : cases)
        EXPECT_EQ(CategoryOfName(QString::fromLatin1(name)), QString::fromLatin1(category)) << name;
}

TEST(Categories, ShortFormsInsideOtherWordsAndUnknownNamesGiveNone) {
    for (const char* name : {"Deep", "Stream", "INIT VOICE", "Orgasmo", "Patch Name", ""})
        EXPECT_EQ(CategoryOfName(QString::fromLatin1(name)), QString()) << name;
    EXPECT_EQ(Categories().size(), 16);
    EXPECT_EQ(Categories().front(), QStringLiteral("FX"));
}

} // namespace
