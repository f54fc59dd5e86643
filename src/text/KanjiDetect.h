// Recognising the Japanese encoding of a text from its bytes: five byte-pattern tests and their verdict.
#pragma once

#include <string_view>

namespace corvella {

// Encoding codes held per document; also the order of every encoding list.
enum EncodingCode : int { kEncodingSjis = 0, kEncodingEuc = 1, kEncodingJis = 2, kEncodingUtf8 = 3 };
inline constexpr int kEncodingCodeCount = 4;

// Results of KanjiDetect.
inline constexpr int kDetectAscii = 0;    // 7-bit text, nothing to decide
inline constexpr int kDetectEuc = 1;
inline constexpr int kDetectSjis = 2;
inline constexpr int kDetectJis = 4;      // escape sequences present
inline constexpr int kDetectUtf8 = 8;
inline constexpr int kDetectUnknown = 16; // no test passed

// The tests read the whole view; a NUL byte is data like any other. Every test
// except HasJisEscape passes an empty text, and a pair cut off by the end of
// the text fails.

// Only TAB, LF, CR and 20..7F (NUL and ESC are control bytes and fail).
bool IsPlainAscii(std::string_view text);
// An ESC followed by "$" or "(".
bool HasJisEscape(std::string_view text);
// A1..FE pairs, 8E plus 21..5F or A1..DF, and bytes below 80.
bool IsEucText(std::string_view text);
// Bytes below 80 and two- and three-byte sequences (no four-byte ones).
bool IsUtf8Text(std::string_view text);
// Lead bytes 81..9F, E0..EA, ED, EE, FA..FC with a second byte 40..FC other
// than 7F; any other byte except A0 and FD..FF.
bool IsSjisText(std::string_view text);

// The first test that passes, in the order plain ASCII, JIS, EUC-JP, UTF-8,
// Shift_JIS; the order settles texts that more than one test accepts.
int KanjiDetect(std::string_view text);

// KanjiDetect of `first` followed by `second`, from `firstDetection` and
// `secondDetection` (KanjiDetect of each). `first` must end in an LF: no
// sequence any test looks for runs across that byte, so each test of the
// whole is settled by its pieces; a test a piece's verdict leaves open is
// run on that piece here.
int CombineDetections(std::string_view first, int firstDetection, std::string_view second, int secondDetection);

// The document's encoding code after detection gave `detection`; ASCII, an
// unknown result or a value that is no detection flag keep `current`.
int EncodingCodeFromDetection(int detection, int current);

}  // namespace corvella
