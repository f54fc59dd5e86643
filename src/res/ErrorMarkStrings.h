// The texts of the error marks in the gutter and of the background check.
#pragma once

namespace corvella::str {

inline constexpr const char* kCmdNextErrorMarkCaption = "次のエラー行(&E)";
inline constexpr const char* kCmdNextErrorMarkPrompt = "Perl がエラーや警告を出した次の行へ移動\n次のエラー行";
inline constexpr const char* kCmdPrevErrorMarkCaption = "前のエラー行(&R)";
inline constexpr const char* kCmdPrevErrorMarkPrompt = "Perl がエラーや警告を出した前の行へ移動\n前のエラー行";
inline constexpr const char* kCmdBackgroundCheckCaption = "入力中に文法チェックする(&K)";
inline constexpr const char* kCmdBackgroundCheckPrompt =
    "入力が止まるたびにスクリプトの写しを perl -c で調べ、エラー行に印を付ける (BEGIN ブロックと use は実行される)\n"
    "入力中の文法チェック";

}  // namespace corvella::str
