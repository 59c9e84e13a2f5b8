#pragma once

#include "model/domain.h"
#include "model/fields.h"

#include <array>
#include <cstdint>

// A multi parameter: its multi row 0..94 (the seven globals, then each part's eleven rows in the
// page's order).
class MultiParam {
public:
    static constexpr MultiParam Global(MultiField field) { return MultiParam(int(field)); }
    static MultiParam Part(int part, PartField field); // part 1..8
    static constexpr MultiParam FromRow(int row) { return MultiParam(row); }

    constexpr int Row() const { return row_; }
    // The part 1..8 of a part's row, or 0 for a global.
    constexpr int PartNumber() const {
        return row_ < MultiFieldCount ? 0 : (row_ - MultiFieldCount) / PartFieldCount + 1;
    }
    PartField Field() const; // of a part's row
    constexpr bool operator==(const MultiParam&) const = default;

private:
    constexpr explicit MultiParam(int row) : row_(row) {}
    int row_;
};

struct MultiParamInfo {
    int group = 0;
    int para = 0;
    int max = 0;
};

const MultiParamInfo& InfoOf(MultiParam param);

// A multi as a plain value: every global and part parameter, within its range. All start at 0.
class Multi {
public:
    int Value(MultiParam param) const { return values_[std::size_t(param.Row())]; }
    int Part(int part, PartField field) const { return Value(MultiParam::Part(part, field)); }
    // Kept within 0..the parameter's maximum.
    void Set(MultiParam param, int value);

    bool operator==(const Multi& other) const = default;

private:
    std::array<std::uint8_t, MultiRowCount> values_{};
};
