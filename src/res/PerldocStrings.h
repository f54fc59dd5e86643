// The texts of the documentation lookup: its commands and the perldoc pane.
#pragma once

namespace corvella::str {

inline constexpr const char* kCmdPerldocCaption = "カーソル位置の語のドキュメント(&D)";
inline constexpr const char* kCmdPerldocPrompt =
    "カーソル位置の関数・変数・演算子・モジュールのドキュメントを perldoc で表示\nPerl ドキュメント";
inline constexpr const char* kCmdPerldocPaneCaption = "Perl ドキュメント ウィンドウ(&O)";
inline constexpr const char* kCmdPerldocPanePrompt = "Perl ドキュメントのウィンドウを表示または非表示\nドキュメント ウィンドウ";

// The pane.
inline constexpr const char* kPerldocPaneTitle = "Perl ドキュメント";
inline constexpr const char* kPerldocSearchLabel = "検索:";
inline constexpr const char* kPerldocSearchPlaceholder = "関数・変数・演算子・モジュール・ページ名 (例: splice, $_, eq, Getopt::Long, perlsyn)";
inline constexpr const char* kPerldocSearching = "「%1」を検索中...";
inline constexpr const char* kPerldocNotFound = "「%1」のドキュメントは見つかりませんでした。";
inline constexpr const char* kPerldocNoWord = "カーソル位置に調べる語がありません。上の検索欄に入力してください。";
inline constexpr const char* kPerldocMissing =
    "perldoc が見つかりません。設定の Perl のフォルダを確かめるか、perl-doc パッケージをインストールしてください。";
inline constexpr const char* kPerldocFailed = "「%1」の検索で perldoc が応答しませんでした。";

}  // namespace corvella::str
