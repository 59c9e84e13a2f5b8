#include "files/save_name.h"

#include <gtest/gtest.h>

namespace {

TEST(SaveNames, ANameIsProposedWithoutItsBlanks) {
    EXPECT_EQ(SaveNames::ForPatch(QStringLiteral("  Bass  ")), QStringLiteral("Bass.SYX"));
    EXPECT_EQ(SaveNames::ForPatch(QString::fromUtf8("Caf\xC3\xA9 1")),
              QString::fromUtf8("Caf\xC3\xA9 1.SYX"));
    EXPECT_EQ(SaveNames::ForMulti(QStringLiteral("Live1")), QStringLiteral("Live1.SYX"));
}

// The proposal names a file in the dialog's folder, never one above it or a hidden one.
TEST(SaveNames, SeparatorsControlCharactersAndLeadingDotsAreNotProposed) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"../../evil", u"_.._evil.SYX"},
        {u"AC/DC", u"AC_DC.SYX"},
        {u"A\\B", u"A_B.SYX"},
        {u"Line\nBreak", u"LineBreak.SYX"},
        {u"\tTab\r", u"Tab.SYX"},
        {u"Del\u007F\u0085", u"Del.SYX"},
        {u".hidden", u"hidden.SYX"},
        {u". . .x.", u"x..SYX"},
    };
    for (const auto& [name, proposal] : cases)
        EXPECT_EQ(SaveNames::ForPatch(QString::fromUtf16(name)), QString::fromUtf16(proposal))
            << QString::fromUtf16(name).toStdString();
}

TEST(SaveNames, ANameThatLeavesNothingProposesTheKindsName) {
    for (const char16_t* name : {u"", u"   ", u"...", u"\n\x01", u" . "}) {
        EXPECT_EQ(SaveNames::ForPatch(QString::fromUtf16(name)), QStringLiteral("Patch.SYX"));
        EXPECT_EQ(SaveNames::ForMulti(QString::fromUtf16(name)), QStringLiteral("Multi.SYX"));
    }
}

} // namespace
