// The scrambler draws from a linear congruential generator of its own
// (state = state * 214013 + 2531011, draws of bits 16 to 30), the same
// sequence the C runtime's rand gives after srand; a private state keeps one
// caller's draws from disturbing another thread's or the program's rand.
#include "letterscrambler.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <numeric>
#include <utility>

namespace {

class Generator {
public:
    explicit Generator(uint32_t seed) : m_state(seed) {}
    uint32_t draw()
    {
        m_state = m_state * 214013u + 2531011u;
        return (m_state >> 16) & 0x7FFF;
    }

private:
    uint32_t m_state;
};

constexpr int shuffleRounds = 1024;

} // namespace

LetterScrambler::LetterScrambler(const char *seedText)
{
    std::iota(m_bytes.begin(), m_bytes.end(), 0);
    std::iota(m_letters.begin(), m_letters.end(), 'A');
    Generator generator(seedValue(seedText));
    for (int round = 0; round < shuffleRounds; ++round) {
        uint32_t i = generator.draw() % 256;
        uint32_t j = generator.draw() % 256;
        std::swap(m_bytes[i], m_bytes[j]);
    }
    for (int round = 0; round < shuffleRounds; ++round) {
        uint32_t i = generator.draw() % 26;
        uint32_t j = generator.draw() % 26;
        std::swap(m_letters[i], m_letters[j]);
    }
    for (int k = 0; k < 256; ++k)
        m_inverse[m_bytes[k]] = uint8_t(k);
}

std::string LetterScrambler::scramble(std::string_view bytes) const
{
    std::string letters;
    letters.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        uint8_t v = m_bytes[c];
        letters += m_letters[v >> 4];
        letters += m_letters[v & 15];
    }
    return letters;
}

std::optional<std::string> LetterScrambler::unscramble(std::string_view letters) const
{
    if (letters.size() % 2 != 0)
        return std::nullopt;
    auto position = [this](char letter) -> int {
        for (int k = 0; k < 16; ++k)
            if (m_letters[k] == letter)
                return k;
        return -1;
    };
    std::string bytes;
    bytes.reserve(letters.size() / 2);
    for (size_t k = 0; k < letters.size(); k += 2) {
        int high = position(letters[k]);
        int low = position(letters[k + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes += char(m_inverse[high * 16 + low]);
    }
    return bytes;
}

uint32_t LetterScrambler::seedValue(const char *seedText)
{
    if (seedText == nullptr)
        return 0;
    long long value = std::strtoll(seedText, nullptr, 10);
    value = std::clamp<long long>(value, INT32_MIN, INT32_MAX);
    return uint32_t(int32_t(value));
}
