#include "model/multi.h"

#include "model/multi_map_tables.h"

#include <algorithm>

namespace {

int offsetOf(PartField field) {
    for (int offset = 0; offset < PartFieldCount; ++offset)
        if (Tables::PartRows[offset].field == field)
            return offset;
    return 0;
}

std::array<MultiParamInfo, MultiRowCount> makeSpecs() {
    std::array<MultiParamInfo, MultiRowCount> specs{};
    for (const Tables::MultiRecordRow& r : Tables::MultiRecords)
        specs[std::size_t(MultiParam::Global(r.field).Row())] = {r.group, r.para, r.max};
    for (int part = 1; part <= PartCount; ++part)
        for (const Tables::PartRecordRow& r : Tables::PartRecords)
            specs[std::size_t(MultiParam::Part(part, r.field).Row())] = {
                Tables::Group10, 12 * (part - 1) + r.offset, r.max};
    return specs;
}

} // namespace

MultiParam MultiParam::Part(int part, PartField field) {
    return MultiParam(MultiFieldCount + PartFieldCount * (part - 1) + offsetOf(field));
}

PartField MultiParam::Field() const {
    return Tables::PartRows[(row_ - MultiFieldCount) % PartFieldCount].field;
}

const MultiParamInfo& InfoOf(MultiParam param) {
    static const std::array<MultiParamInfo, MultiRowCount> specs = makeSpecs();
    return specs[std::size_t(param.Row())];
}

void Multi::Set(MultiParam param, int value) {
    values_[std::size_t(param.Row())] = std::uint8_t(std::clamp(value, 0, InfoOf(param).max));
}
