#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

// Bulk messages written byte by byte from the published layouts, for the readers' tests: the
// single voices other synths of the family save and the messages around them.
namespace MessageBytes {

using Bytes = std::vector<std::uint8_t>;

// The header, the data, the checksum of everything after the first six bytes, F7.
inline Bytes Frame(Bytes header, const Bytes& data) {
    Bytes message = header;
    message.insert(message.end(), data.begin(), data.end());
    int sum = 0;
    for (std::size_t i = 6; i < message.size(); ++i)
        sum += message[i];
    message.push_back(std::uint8_t((128 - sum % 128) % 128));
    message.push_back(0xF7);
    return message;
}

inline Bytes TextHeader(std::uint8_t device, std::uint8_t count, const char* text) {
    Bytes header{0xF0, 0x43, device, 0x7E, 0x00, count};
    header.insert(header.end(), text, text + 10);
    return header;
}

// A DX21/27/100 voice block: operator 4's attack 3, operator 1's 17, algorithm 5, feedback 6,
// transpose 30 and the name.
inline Bytes VoiceBlock(std::uint8_t device, const char* name = "TX Brass  ") {
    Bytes data(93, 0);
    data[0] = 3;
    data[39] = 17;
    data[52] = 5;
    data[53] = 6;
    data[62] = 30;
    for (int i = 0; i < 10; ++i)
        data[std::size_t(77 + i)] = std::uint8_t(name[i]);
    return Frame({0xF0, 0x43, device, 0x03, 0x00, 0x5D}, data);
}

// A TX81Z additional voice: operator 4 fixed in range 4, operator 1's wave 6, reverb 3.
inline Bytes AdditionalVoice(std::uint8_t device) {
    Bytes data(23, 0);
    data[0] = 1;
    data[1] = 4;
    data[18] = 6;
    data[20] = 3;
    return Frame(TextHeader(device, 0x21, "LM  8976AE"), data);
}

inline Bytes Effect(std::uint8_t type, std::uint8_t time, std::uint8_t balance) {
    return Frame(TextHeader(0, 0x0D, "LM  8036EF"), {type, time, balance});
}

inline Bytes Aftertouch() {
    return Frame(TextHeader(0, 0x14, "LM  8023AE"), {11, 12, 13, 14, 0, 0, 0, 0, 0, 0});
}

inline Bytes MultiBlock() {
    Bytes data(100, 0);
    data[4] = 2; // part 1's notes
    return Frame(TextHeader(0, 0x6E, "LM  8036S "), data);
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace MessageBytes
