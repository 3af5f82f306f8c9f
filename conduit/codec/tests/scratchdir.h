// A private folder per test under $TMPDIR (else /tmp), removed with all its
// files when the test ends, so tests can run side by side.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class ScratchDir {
public:
    ScratchDir()
    {
        const char *base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/conduit-codec-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        m_path = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;

    std::string file(const std::string &name) const { return (m_path / name).string(); }

    std::string write(const std::string &name, const std::string &content) const
    {
        std::string path = file(name);
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    static std::string read(const std::string &path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path m_path;
};
