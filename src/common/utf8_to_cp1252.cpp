// SPDX-License-Identifier: MIT
// UTF-8 to Windows-1252 for text typed by people or read from data files:
// what Windows-1252 cannot hold is written in Latin letters by ICU's
// transforms rather than lost, so that "łódź" typed in the search box meets
// "LÓDZ" in the database, which the importer made the same way.

#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <memory>
#include <mutex>

#include "common/text1252.h"

namespace common {
namespace {

// Letters of African and Azerbaijani names that Latin-ASCII leaves alone,
// the ayn, hamza, okina and prime of transliterated names as apostrophes,
// and the Kazakh and Urdu letters that Any-Latin passes over ("Нұр-Сұлтан",
// "لاہور").
constexpr const char16_t* kPlainLetterRules =
    u"::Latin-ASCII; Ɔ > O; ɔ > o; Ǝ > E; ǝ > e; Ə > E; ə > e; Ɣ > G; ɣ > g; "
    u"Ɵ > O; ɵ > o; Ʊ > U; ʊ > u; Ʒ > Z; ʒ > z; ɐ > a; ɑ > a; "
    u"[ʹʻʼʾʿ] > \\u0027; Ұ > U; ұ > u; Ү > U; ү > u; "
    u"ہ > h; ھ > h; ۃ > h; ٹ > t; ڈ > d; ڑ > r; ں > n; ے > e; ۓ > e; ی > y;";

class Transliteration {
 public:
  Transliteration() {
    UErrorCode status = U_ZERO_ERROR;
    m_toLatin.reset(icu::Transliterator::createInstance("Any-Latin", UTRANS_FORWARD, status));
    if (U_FAILURE(status)) m_toLatin.reset();
    status = U_ZERO_ERROR;
    UParseError parseError;
    m_toPlain.reset(icu::Transliterator::createFromRules("Vantrelo-Plain",
                                                         icu::UnicodeString(kPlainLetterRules),
                                                         UTRANS_FORWARD, parseError, status));
    if (U_FAILURE(status)) m_toPlain.reset();
    status = U_ZERO_ERROR;
    m_nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) m_nfc = nullptr;
  }

  // Appends the Windows-1252 form of text, which holds valid code points.
  void append(const std::u32string& text, std::string& out) {
    const std::lock_guard lock(m_mutex);  // ICU transliterators are not shared safely
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF32(
        reinterpret_cast<const UChar32*>(text.data()), static_cast<int32_t>(text.size()));
    appendRuns(composed(unicode), m_toLatin.get(), out);
  }

 private:
  // Writes what Windows-1252 holds as it is and hands each run of other
  // characters to transform, then to the next stage; "?" after the last.
  // A transform leaves marks apart from their letters ("Київ" -> "Kií" and a
  // diaeresis): they are composed with the letter where Windows-1252 has the
  // pair, and dropped after the last stage, so no "?" stands for an accent.
  void appendRuns(const icu::UnicodeString& text, const icu::Transliterator* transform,
                  std::string& out) {
    icu::UnicodeString run;
    const auto flushRun = [&] {
      if (run.isEmpty()) return;
      if (transform == nullptr) {
        for (int32_t i = 0; i < run.length(); i = run.moveIndex32(i, 1)) {
          if (!isMark(run.char32At(i))) out += '?';
        }
      } else {
        transform->transliterate(run);
        appendRuns(composed(run), transform == m_toLatin.get() ? m_toPlain.get() : nullptr, out);
      }
      run.remove();
    };
    for (int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1)) {
      const UChar32 cp = text.char32At(i);
      if (const auto byte = cp1252ByteOf(static_cast<char32_t>(cp))) {
        flushRun();
        out += *byte;
      } else {
        run.append(cp);
      }
    }
    flushRun();
  }

  icu::UnicodeString composed(const icu::UnicodeString& text) const {
    if (m_nfc == nullptr) return text;
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString result = m_nfc->normalize(text, status);
    return U_SUCCESS(status) ? result : text;
  }

  static bool isMark(UChar32 cp) { return (U_GET_GC_MASK(cp) & U_GC_M_MASK) != 0; }

  std::mutex m_mutex;
  std::unique_ptr<icu::Transliterator> m_toLatin;
  std::unique_ptr<icu::Transliterator> m_toPlain;
  const icu::Normalizer2* m_nfc = nullptr;
};

// Valid code points since the last invalid byte, to the output.
void appendValid(std::u32string& pending, std::string& out) {
  bool plain = true;
  for (char32_t cp : pending)
    plain = plain && cp1252ByteOf(cp).has_value();
  if (plain) {
    for (char32_t cp : pending)
      out += *cp1252ByteOf(cp);
  } else {
    static Transliteration transliteration;
    transliteration.append(pending, out);
  }
  pending.clear();
}

}  // namespace

std::string utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::u32string pending;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    if (const auto cp = decodeUtf8(utf8, pos)) {
      pending += *cp;
    } else {
      appendValid(pending, out);
      out += '?';
    }
  }
  appendValid(pending, out);
  return out;
}

}  // namespace common
