// LetterScrambler: the seeded byte-to-letters scrambler behind
// IConduitUtil::ScrambleText. A seed text always gives the same tables, so
// scrambling and unscrambling with one seed restore the input.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class LetterScrambler {
public:
    explicit LetterScrambler(const char *seedText);

    // Two letters from a 16-letter set per input byte.
    std::string scramble(std::string_view bytes) const;
    // The bytes back, or nothing for an odd length or a letter outside the set.
    std::optional<std::string> unscramble(std::string_view letters) const;

    // The seed text as a 32-bit decimal number, as the C library's atol of
    // a 32-bit long reads it: leading blanks and a sign allowed, digits up
    // to the first other character, out-of-range values held at the limits.
    static uint32_t seedValue(const char *seedText);

private:
    std::array<uint8_t, 256> m_bytes;   // byte value -> scrambled value
    std::array<uint8_t, 256> m_inverse; // scrambled value -> byte value
    std::array<char, 26> m_letters;     // only the first 16 are used
};
