// SPDX-License-Identifier: MIT
#include "common/text1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using common::cp1252ToUtf8;
using common::toUpper1252;
using common::utf8ToCp1252;

TEST(UpperCase1252, ConvertsAsciiAndAccentedLetters) {
  EXPECT_EQ(toUpper1252(std::string("kjfk")), "KJFK");
  EXPECT_EQ(toUpper1252(utf8ToCp1252("città àéîõü þ")), utf8ToCp1252("CITTÀ ÀÉÎÕÜ Þ"));
  EXPECT_EQ(toUpper1252(utf8ToCp1252("š œ ž ÿ")), utf8ToCp1252("Š Œ Ž Ÿ"));
}

TEST(UpperCase1252, LeavesOtherBytesAlone) {
  const std::string unchanged = utf8ToCp1252("ß µ ÷ 123 |-,.\"");
  EXPECT_EQ(toUpper1252(unchanged), unchanged);
  for (int byte = 0; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    const char upper = toUpper1252(c);
    // Upper case never turns a letter into a lower-case one or touches digits.
    if (byte >= '0' && byte <= '9') {
      EXPECT_EQ(upper, c);
    }
    EXPECT_EQ(toUpper1252(upper), upper) << byte;
  }
}

TEST(Utf8To1252, MapsEveryRepresentableCharacter) {
  EXPECT_EQ(utf8ToCp1252("°"), "\xB0");
  EXPECT_EQ(utf8ToCp1252("€"), "\x80");
  EXPECT_EQ(utf8ToCp1252("Œ"), "\x8C");
  EXPECT_EQ(utf8ToCp1252("ÿ"), "\xFF");
  EXPECT_EQ(utf8ToCp1252("plain"), "plain");
}

TEST(Utf8To1252, WritesOtherLettersInLatinLetters) {
  // Windows-1252 letters stay; the others lose what it cannot hold.
  EXPECT_EQ(utf8ToCp1252("łódź"),
            "l\xF3"
            "dz");
  EXPECT_EQ(utf8ToCp1252("İstanbul Ő Ł ǆ"), "Istanbul O L dz");
  EXPECT_EQ(utf8ToCp1252("Heydər Əliyev"), "Heyder Eliyev");
  // Other scripts as ICU writes them in Latin; a Latin letter that
  // Windows-1252 has is kept ("Š").
  EXPECT_EQ(utf8ToCp1252("Москва Αθήνα 北京"), "Moskva Athena bei jing");
  EXPECT_EQ(utf8ToCp1252("Шереметьево"),
            "\x8A"
            "eremet'evo");
  // A letter and its combining mark are one letter.
  EXPECT_EQ(utf8ToCp1252("Zu\u0308rich"), "Z\xFCrich");
}

TEST(Utf8To1252, NeverTurnsAnAccentIntoAQuestionMark) {
  const auto upper = [](const char* utf8) { return toUpper1252(utf8ToCp1252(utf8)); };
  // Marks the transliteration leaves beside a letter: composed where
  // Windows-1252 has the pair, dropped where it has not.
  EXPECT_EQ(upper("Київ"), "KI\xCDV");        // ї becomes í and a diaeresis
  EXPECT_EQ(upper("Пу́лково"), "P\xDALKOVO");  // a stress mark on у
  EXPECT_EQ(upper("Архангельск Йошкар-Ола"), "ARHANGEL'SK JO\x8AKAR-OLA");
  EXPECT_EQ(upper("Αθήνα Ηράκλειο"), "ATHENA ER\xC1KLEIO");  // tonos
  EXPECT_EQ(upper("ʿAlmāḏ ʿAmmān"), "'ALMAD 'AMMAN");
  EXPECT_EQ(upper("Нұр-Сұлтан لاہور"), "NUR-SULTAN LAHWR");
  EXPECT_EQ(upper("e\u0301\u0323x"), "EX");  // a pair Windows-1252 lacks: plain letter
  EXPECT_EQ(upper("\u0301"), "");            // a mark alone
}

TEST(Utf8To1252, TurnsWhatItCannotHoldIntoQuestionMarks) {
  EXPECT_EQ(utf8ToCp1252("😀"), "?");
  EXPECT_EQ(utf8ToCp1252("a★b"), "a?b");
  EXPECT_EQ(utf8ToCp1252("a\xFF"
                         "b"),
            "a?b");                      // not UTF-8
  EXPECT_EQ(utf8ToCp1252("\xC3"), "?");  // cut short
  // Each byte of a form that is not UTF-8 is a "?": overlong forms (here of
  // "/" and NUL), surrogates, and code points past U+10FFFF.
  EXPECT_EQ(utf8ToCp1252("\xC0\xAF"), "??");
  EXPECT_EQ(utf8ToCp1252("\xC0\x80"), "??");
  EXPECT_EQ(utf8ToCp1252("\xE0\x80\xAF"), "???");
  EXPECT_EQ(utf8ToCp1252("\xF0\x80\x80\xAF"), "????");
  EXPECT_EQ(utf8ToCp1252("\xED\xA0\x80"), "???");
  EXPECT_EQ(utf8ToCp1252("\xF4\x90\x80\x80"), "????");
  EXPECT_EQ(utf8ToCp1252("\xF4\x8F\xBF\xBF"), "?");  // U+10FFFF itself is a character
}

TEST(Cp1252ToUtf8, RoundTripsEveryByte) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte)
    all += static_cast<char>(byte);
  EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
  EXPECT_EQ(cp1252ToUtf8("\xB0"), "°");
  EXPECT_EQ(cp1252ToUtf8("\x80"), "€");
}

}  // namespace
