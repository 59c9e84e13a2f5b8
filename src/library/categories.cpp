#include "library/categories.h"

#include <QRegularExpression>
#include <array>

namespace {

// Long words are found anywhere in a name ("FunkBass", "BRASSECT"); short forms only as words of
// their own, so that "EP" is not found in "Sweep" nor "Str" in "Stream". The first category with
// a match wins: percussive and effect words first, "Synth" last, since "Synth Bass" is a bass.
struct Category {
    const char* name;
    std::initializer_list<const char*> words;      // found anywhere
    std::initializer_list<const char*> shortForms; // found as whole words
};

const std::array<Category, 16> Table{{
    {"FX", {"sweep", "noise", "laser", "space", "storm", "effect"}, {"fx", "sfx"}},
    {"Percussion",
     {"drum", "perc", "snare", "kick", "cymbal", "marimba", "xylo", "timpani"},
     {"tom", "drm", "hat"}},
    {"Bell", {"bell", "chime", "glock", "celest", "vibes", "vibraph"}, {"bel"}},
    {"E.Piano",
     {"rhodes", "wurli", "epiano", "elpiano", "e.piano", "e.pno"},
     {"ep", "epno", "e.p", "rhds", "tine"}},
    {"Piano", {"piano", "grand", "upright", "honky"}, {"pno", "pia", "pf"}},
    {"Organ", {"organ", "hammond", "church"}, {"org", "orgn", "b3", "pipe"}},
    {"Clavi", {"clav", "harpsi", "cemb"}, {"hpsi"}},
    {"Reed", {"sax", "flute", "clarinet", "oboe", "bassoon", "reed", "harmonica"}, {"flt", "clar"}},
    {"Bass", {"bass", "slap", "fretless"}, {"bs", "bas"}},
    {"Brass", {"brass", "horn", "trump", "trombon", "tuba", "brs"}, {"tpt", "trp", "tbn", "hrn"}},
    {"Guitar", {"guitar", "gtr", "pluck", "koto", "sitar", "banjo"}, {"gt", "gtar", "harp"}},
    {"Strings", {"string", "violin", "viola", "cello", "ensemble", "pizz"}, {"str", "strs", "vln"}},
    {"Choir", {"choir", "vox", "aah", "ooh"}, {}},
    {"Pad", {"pad", "warm", "atmos"}, {}},
    {"Lead", {"lead", "solo"}, {"ld"}},
    {"Synth", {"synth"}, {"syn"}},
}};

// The name's words in lower case: split at spaces, digits and punctuation other than a dot
// inside a word ("E.P" stays), and where a lower-case letter meets a capital ("FunkBass").
QStringList wordsOf(const QString& name) {
    static const QRegularExpression camel(QStringLiteral("([a-z])([A-Z])"));
    static const QRegularExpression separators(QStringLiteral("[^A-Za-z.]+|\\.(?![A-Za-z])"));
    QString spaced = name;
    spaced.replace(camel, QStringLiteral("\\1 \\2"));
    QStringList words = spaced.toLower().split(separators, Qt::SkipEmptyParts);
    for (QString& word : words)
        while (word.startsWith(QLatin1Char('.')))
            word.remove(0, 1);
    return words;
}

} // namespace

QString CategoryOfName(const QString& name) {
    const QString lower = name.toLower();
    const QStringList words = wordsOf(name);
    for (const Category& category : Table) {
        for (const char* word : category.words)
            if (lower.contains(QLatin1String(word)))
                return QLatin1String(category.name);
        for (const char* form : category.shortForms)
            if (words.contains(QLatin1String(form)))
                return QLatin1String(category.name);
    }
    return {};
}

const QStringList& Categories() {
    static const QStringList all = [] {
        QStringList names;
        for (const Category& category : Table)
            names << QLatin1String(category.name);
        return names;
    }();
    return all;
}
