#pragma once

// A text of at most N bytes kept inside the record that holds it. The point record has
// five such fields (unit, ID, SIGN and the two units of a lift), each of two to six
// bytes; as std::string each took 32 bytes, and a list of a million lifts then spent
// more time faulting in and clearing memory than reading the file. The standard library
// has no string with inline storage of a fixed capacity, hence this small one.

#include <algorithm>
#include <array>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace zv {

template <std::size_t N> class ShortText {
    static_assert(N < 256, "the size is kept in one byte");

public:
    static constexpr std::size_t capacity = N;

    ShortText() = default;
    // Implicit, so that a field takes a text as a std::string did ("m", a view, a
    // string). A longer text keeps its first N bytes: the readers refuse or cut longer
    // texts before they get here, so this only guards the record's storage.
    ShortText(std::string_view text) { assign(text); }
    ShortText(const char* text) : ShortText(std::string_view(text)) {}
    ShortText(const std::string& text) : ShortText(std::string_view(text)) {}

    void assign(std::string_view text) {
        size_ = static_cast<unsigned char>(std::min(text.size(), N));
        // std::copy_n, not memcpy: an empty view may have no data pointer at all.
        std::copy_n(text.data(), size_, bytes_.data());
        bytes_[size_] = '\0';
    }
    void assign(const char* text, std::size_t length) { assign(std::string_view(text, length)); }
    void clear() { assign(std::string_view()); }

    std::string_view view() const { return {bytes_.data(), size_}; }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }
    const char* c_str() const { return bytes_.data(); }
    const char* data() const { return bytes_.data(); }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const char* begin() const { return bytes_.data(); }
    const char* end() const { return bytes_.data() + size_; }
    char operator[](std::size_t i) const { return bytes_[i]; }

    friend bool operator==(const ShortText& a, const ShortText& b) { return a.view() == b.view(); }
    friend bool operator==(const ShortText& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const ShortText& a, const char* b) { return a.view() == b; }
    friend bool operator==(const ShortText& a, const std::string& b) { return a.view() == b; }
    friend std::string operator+(const std::string& a, const ShortText& b) {
        return a + std::string(b.view());
    }
    friend std::string operator+(const ShortText& a, const std::string& b) {
        return std::string(a.view()) + b;
    }
    friend std::ostream& operator<<(std::ostream& out, const ShortText& text) {
        return out << text.view();
    }

private:
    std::array<char, N + 1> bytes_{}; // NUL-terminated for c_str()
    unsigned char size_ = 0;
};

} // namespace zv
