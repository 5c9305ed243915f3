#include "base/field_checks.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

// A number too large for an int is no whole number for the settings record, and a
// number out of range for the other dialogs; both read the same forms otherwise.
TEST(FieldChecks, WholeNumbersInBothReadings) {
    struct Case {
        const char* text;
        FieldRefusal asRecordField; // TooLarge::NotInteger
        FieldRefusal asDialogField; // TooLarge::OutOfRange
    };
    const std::string notInteger = "Geben Sie bitte eine ganze Zahl ein.";
    const std::string range = "Geben Sie bitte eine ganze Zahl zwischen 0 und 100 ein.";
    const Case cases[] = {
        {" 42\t", std::nullopt, std::nullopt},
        {"+7", std::nullopt, std::nullopt},
        {"-1", range, range},
        {"101", range, range},
        {"99999999999", notInteger, range},
        {"99999999999999999999999", notInteger, range},
        {"", notInteger, notInteger},
        {"+-5", notInteger, notInteger},
        {"4 2", notInteger, notInteger},
    };
    for (const Case& c : cases) {
        int value = -1;
        EXPECT_EQ(checkInteger(c.text, 0, 100, value, TooLarge::NotInteger), c.asRecordField)
            << c.text;
        EXPECT_EQ(checkInteger(c.text, 0, 100, value), c.asDialogField) << c.text;
    }
}

TEST(FieldChecks, CharactersAreCountedNotBytes) {
    EXPECT_EQ(characterCount("Höhe"), 4u);
    EXPECT_EQ(checkMaxCharacters("ÄÖÜ", 3), std::nullopt);
    EXPECT_EQ(checkMaxCharacters("ÄÖÜx", 3), "Geben Sie bitte nicht mehr als 3 Zeichen ein.");
    EXPECT_EQ(trimBlanks(" \t a b \t"), "a b");
    int value = -1;
    EXPECT_EQ(checkUnsigned("-1", value), "Geben Sie bitte eine positive ganze Zahl ein.");
    EXPECT_EQ(checkUnsigned(" 12 ", value), std::nullopt);
    EXPECT_EQ(value, 12);
}

} // namespace
} // namespace zv
