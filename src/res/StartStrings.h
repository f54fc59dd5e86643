// The texts of the first start, the settings dialog's Linux hints and the print dialog's missing translations.
#pragma once

namespace corvella::str {

inline constexpr const char* kNoPerlOnPath =
    "PATH に perl が見つかりません。実行するには、コマンド → 環境設定 で Perl のフォルダを指定してください。";

// The settings dialog's labels with the names of this system (the stored
// values and the menu texts are unchanged).
inline constexpr const char* kSettingsPerlPromptLinux = "Perl の所在を指定してください。 [例] /usr/bin";
inline constexpr const char* kSettingsPerlLinux = "perl";
inline constexpr const char* kSettingsJPerlLinux = "jperl";
inline constexpr const char* kSettingsFolderTitleLinux = "perl のあるフォルダを選択してください";

// Qt's print dialog texts that its Japanese translation leaves in English.
inline constexpr const char* kQtPrintPages = "ページ指定";
inline constexpr const char* kQtPrintPagesTip =
    "印刷するページまたは範囲をコンマで区切って指定します。範囲は 2 つのページ番号をハイフンでつなぎます。"
    "例: 3,5-7,9 は 3、5、6、7、9 ページを印刷します。";
inline constexpr const char* kQtPrintDuplex = "両面印刷";
inline constexpr const char* kQtPrintDuplexOff = "しない";
inline constexpr const char* kQtPrintLongSide = "長辺とじ";
inline constexpr const char* kQtPrintShortSide = "短辺とじ";

}  // namespace corvella::str
