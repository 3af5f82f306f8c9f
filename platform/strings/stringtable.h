// The string table: the texts a program shows or sends, by their resource
// id. A program registers its tables at start-up (admin's from admin/res/,
// Chanview's from chanview/), before any text is loaded; reading is
// thread-safe.
#pragma once

#include <QString>

#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <unordered_map>

using UINT = uint32_t;

struct StringResource {
    UINT id;
    const char *text; // UTF-8
};

class CStringTable {
public:
    static CStringTable &instance();

    // Adds the entries; registering an id again with the same text is
    // harmless, with another text it is a programming error (asserted).
    void registerStrings(std::span<const StringResource> entries);
    std::optional<QString> find(UINT id) const;

private:
    CStringTable() = default;

    mutable std::mutex m_mutex;
    std::unordered_map<UINT, QString> m_texts;
};

// The text of `id`; an unknown id gives an empty text (and an assertion in
// a debug build: every id a program loads is one it registered).
QString LoadStringResource(UINT id);
// The text of `id`, or nothing, for callers that handle a missing string
// themselves (an exception made from an id that has no string).
std::optional<QString> FindStringResource(UINT id);
