#pragma once

#include "model/bcl_sysex.h"

#include <QStringList>
#include <cstdint>
#include <vector>

// One ".tx" line of an element: the bytes it sends, which may carry the element's value in pieces,
// the step of a move, and checksums; "ifp" and "ifn" make what follows them go out only on a move
// up (a key switched on) or down (switched off). The element sends the bytes of its lines one
// after the other whenever its value changes.
struct CustomOutput {
    enum class Piece { Byte, Value, StepOffset, StepSign, StepTwos, Checksum };
    enum class When { Always, Up, Down };
    struct Item {
        Piece piece = Piece::Byte;
        int number = 0; // Byte: the byte; Value: its lowest bit; Checksum: where its sum starts
        int width = 7;  // Value: how many bits; Checksum: its kind, 1..3
        When when = When::Always;
        bool operator==(const Item&) const = default;
    };

    std::vector<Item> items;
    bool perStep = false; // "ntimes": the line goes out once for every step of a move

    // What the line takes of the element's store: each byte it can send, and two of its own.
    int StoredSize() const;
    bool operator==(const CustomOutput&) const = default;
};

// The store of an element's .tx lines; one more byte is "too many .tx bytes".
inline constexpr int CustomOutputCapacity = 127;

// Reads the words after ".tx".
Bcl::Error ReadCustomOutput(const QStringList& words, CustomOutput& line);

// The bytes the line sends for this value after a move of so many steps (up when positive).
void AppendCustomOutput(const CustomOutput& line, int value, int steps,
                        std::vector<std::uint8_t>& bytes);
