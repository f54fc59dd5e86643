// Every text the user sees, quoted exactly; UTF-8.
#pragma once

namespace corvella::str {

inline constexpr const char* kAppTitle = "Corvella";  // string 57344

// Message box buttons.
inline constexpr const char* kButtonOk = "OK";
inline constexpr const char* kButtonCancel = "キャンセル";
inline constexpr const char* kButtonYes = "はい(&Y)";
inline constexpr const char* kButtonNo = "いいえ(&N)";

// The find and replace dialogs.
inline constexpr const char* kFindTitle = "検索";
inline constexpr const char* kReplaceTitle = "置換";
inline constexpr const char* kFindWhatLabel = "検索する文字列(&N):";
inline constexpr const char* kReplaceWithLabel = "置換後の文字列(&P):";
inline constexpr const char* kFindMatchCase = "大文字と小文字を区別する(&C)";
inline constexpr const char* kFindDirection = "方向";
inline constexpr const char* kFindUp = "上へ(&U)";
inline constexpr const char* kFindDown = "下へ(&D)";
inline constexpr const char* kFindNextButton = "次を検索(&F)";
inline constexpr const char* kReplaceButton = "置換して次に(&R)";
inline constexpr const char* kReplaceAllButton = "すべて置換(&A)";
inline constexpr const char* kFindCancelButton = "キャンセル";

// HTML export: command 32801, the colour dialog (133), the save dialog.
inline constexpr const char* kFileMenuCaption = "ファイル(&F)";
inline constexpr const char* kHtmlExportCaption = "HTML 出力(&H)...";
inline constexpr const char* kHtmlExportPrompt = "作業中のファイルを HTML で出力\nHTML 出力";
inline constexpr const char* kHtmlFormatTitle = "HTML の書式設定";
inline constexpr const char* kHtmlKeywordLabel = "制御構文と関数：";
inline constexpr const char* kHtmlCommentLabel = "コメント：";
inline constexpr const char* kHtmlStringLabel = "文字列定数：";
inline constexpr const char* kHtmlPatternLabel = "正規表現パターン：";
inline constexpr const char* kHtmlSubCallLabel = "サブルーチンコール：";
inline constexpr const char* kHtmlFormatOk = "OK";
inline constexpr const char* kHtmlFormatCancel = "キャンセル";
inline constexpr const char* kHtmlSaveTitle = "HTML 出力";
inline constexpr const char* kHtmlSaveFilter = "HTML ファイル (*.html *.htm);;すべてのファイル (*)";
inline constexpr const char* kHtmlOpenFailed = "出力ファイルをオープン出来ません.\n";
// The framework's length check of a dialog field; %1 is the limit.
inline constexpr const char* kStringSizePrompt = "%1 文字以内で入力してください。";

}  // namespace corvella::str
