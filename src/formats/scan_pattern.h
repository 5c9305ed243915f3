#pragma once

// The rows of the instrument and OziExplorer point files follow scanf patterns such as
// "%14[A-Z 0-9a-z_/--\xDC\xD6\xC4!\xB0>.:] %s  %s %c %f ...". They are matched here
// rather than with std::sscanf because
//  - a "%[...]" set with bytes above 0x7F and with ranges is not portable: whether a range
//    may be written backwards ("/--" for "-./") and whether bytes compare signed differs
//    between C libraries, and "ä" (0xE4) must mean the same byte on every platform;
//  - the text fields of the point record have limits (a name of 14 characters, an ID of 2,
//    a SIGN of 6, a unit of 3); a plain "%s" would write past them.
//
// Semantics reproduced (C locale, bytes compared unsigned):
//  - white space in the pattern skips any amount of white space (also none);
//  - "%d", "%f" and "%s" skip white space first, "%c" and "%[...]" do not;
//  - "%d": optional sign and decimal digits; "%f": optional sign, digits with an optional
//    point, optional exponent; "%s": a run of bytes that are not white space;
//  - "%c": one byte; "%[set]" a non-empty run of bytes of the set; a width ("%14[") bounds
//    the run, the rest stays in the input;
//  - any other pattern byte must match the input byte;
//  - the result is the number of items converted before the first failure.
// The input ends at its first NUL byte, as a C string would.
// Deliberate differences: a number outside the range of its field ("%d" beyond 32 bits,
// "%f" beyond float) and the words "inf" and "nan" do not convert (scanf's behaviour is
// undefined or platform-dependent there); a text longer than its field's limit is either
// cut to the limit or does not convert, as the caller chooses per field.

#include "formats/short_text.h"

#include <bitset>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// What happens to a text longer than the field that receives it.
enum class TooLong {
    Cut,    // the field keeps its first characters up to the limit; the item converts
    Refuse, // the item does not convert, so the pattern fails there
};

// Where one conversion stores its item. Numbers and single characters go to their
// variable; texts go to a string with a limit, or are read and dropped.
class ScanItem {
public:
    enum class Kind { Integer, Float, Character, Text, Ignored };

    ScanItem(int& target) : kind_(Kind::Integer), target_(&target) {}
    ScanItem(float& target) : kind_(Kind::Float), target_(&target) {}
    ScanItem(char& target) : kind_(Kind::Character), target_(&target) {}
    static ScanItem text(std::string& target, std::size_t limit, TooLong rule);
    // The same into a text field of a record; the limit is the field's capacity or less.
    template <std::size_t N>
    static ScanItem text(ShortText<N>& target, std::size_t limit, TooLong rule) {
        ScanItem item(Kind::Text);
        item.target_ = &target;
        item.assignText_ = [](void* field, const char* from, std::size_t length) {
            static_cast<ShortText<N>*>(field)->assign(from, length);
        };
        item.limit_ = limit < N ? limit : N;
        item.rule_ = rule;
        return item;
    }
    // A text item that is read and not kept (the commas between OziExplorer fields).
    static ScanItem ignored();

    Kind kind() const { return kind_; }

private:
    friend class ScanPattern;
    explicit ScanItem(Kind kind) : kind_(kind) {}

    Kind kind_;
    // The variable of the kind, or the text that assignText_ fills (an item is built for
    // every field of every row, so it is kept small).
    void* target_ = nullptr;
    void (*assignText_)(void*, const char*, std::size_t) = nullptr;
    std::size_t limit_ = 0;
    TooLong rule_ = TooLong::Refuse;
};

// A scanf pattern compiled once and matched against many lines.
class ScanPattern {
public:
    // Throws std::invalid_argument for a pattern this matcher does not know.
    explicit ScanPattern(std::string_view pattern);

    // The number of conversions in the pattern: a line matches when scan() returns it.
    int itemCount() const { return itemCount_; }

    // Matches the input and stores the converted items in order; returns how many
    // converted. The items must be given in pattern order with fitting kinds (a "%[" or
    // "%s" takes a text or an ignored item); a wrong kind counts as a failed conversion.
    int scan(std::string_view input, std::span<const ScanItem> items) const {
        return scanFrom(input, 0, items).converted;
    }
    int scan(std::string_view input, std::initializer_list<ScanItem> items) const {
        return scan(input, std::span<const ScanItem>(items.begin(), items.size()));
    }

    // How far a match came: the items converted and the input position where it stopped.
    struct Progress {
        int converted = 0;
        std::size_t position = 0;
    };
    // Matches from byte `start` of the input on. Matching never goes back, so the forms
    // of a row that share their start are scanned once: the shared part with one pattern,
    // then each rest with its own pattern from where the shared part ended, which gives
    // what the whole patterns give.
    Progress scanFrom(std::string_view input, std::size_t start,
                      std::span<const ScanItem> items) const;
    Progress scanFrom(std::string_view input, std::size_t start,
                      std::initializer_list<ScanItem> items) const {
        return scanFrom(input, start, std::span<const ScanItem>(items.begin(), items.size()));
    }
    // Whether a match converted every item of the pattern.
    bool matchedAll(const Progress& progress) const { return progress.converted == itemCount_; }

    // The bytes of the set of the n-th "%[...]" conversion (for tests of the sets).
    std::bitset<256> setOf(int conversion) const;

private:
    enum class StepKind { SkipSpace, Literal, Integer, Float, String, Character, Set };
    struct Step {
        StepKind kind;
        char literal = 0;
        std::size_t width = 0; // 0: no width given
        std::bitset<256> set;
    };

    std::vector<Step> steps_;
    int itemCount_ = 0;
};

} // namespace zv
