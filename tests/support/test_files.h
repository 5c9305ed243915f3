#pragma once

// Helpers of the file tests: a fresh directory per test, whole files as bytes.

#include <filesystem>
#include <string>

namespace zv::test {

// A new empty directory under the system's temporary directory, removed again when
// the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The bytes of a file; empty when it cannot be read.
std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);
// A file of tests/data.
std::filesystem::path testData(const std::string& relative);

} // namespace zv::test
