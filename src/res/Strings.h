// Every text the user sees, quoted exactly; UTF-8.
#pragma once

namespace corvella::str {

inline constexpr const char* kAppTitle = "Corvella";  // string 57344
// The document name of the document string: new documents are "untitled1", "untitled2", ...
inline constexpr const char* kUntitledName = "untitled";

// The main frame.
inline constexpr const char* kStopRunningScript = "実行中のスクリプトを停止してください。";
inline constexpr const char* kAskToSave = "%1 への変更を保存しますか?";
// Reopening a modified document in another encoding or newline code from the status bar; %1 its file.
inline constexpr const char* kAskToReopenEncoding = "%1 は変更されています。\n変更を破棄して、別の文字コードで開き直しますか?";
inline constexpr const char* kAskToReopenNewline = "%1 は変更されています。\n変更を破棄して、別の改行コードで開き直しますか?";
inline constexpr const char* kOutputTitle = "アウトプット ウィンドウ";  // string 131

// The script view: go to line (dialog 132).
inline constexpr const char* kGotoLineTitle = "行ジャンプ";
inline constexpr const char* kGotoLinePrompt = "ジャンプしたい行番号を入力して下さい。";
inline constexpr const char* kNoSuchLine = "指定された行はありません。";
// The arguments dialog (130).
inline constexpr const char* kArgumentsTitle = "引数を指定して実行";
inline constexpr const char* kArgumentsPrompt = "引数を指定して下さい。";
// The console run's pause before its terminal closes.
inline constexpr const char* kConsolePause = "続行するには Enter キーを押してください . . . ";
inline constexpr const char* kTextNotFound = "文字列 '%1' が見つかりません。";

// Message box buttons.
inline constexpr const char* kButtonOk = "OK";
inline constexpr const char* kButtonCancel = "キャンセル";
inline constexpr const char* kButtonYes = "はい(&Y)";
inline constexpr const char* kButtonNo = "いいえ(&N)";

// A dialog field refused on OK; %1 and %2 the limits.
inline constexpr const char* kTooLong = "%1 文字以内で入力してください。";
inline constexpr const char* kIntegerRequired = "整数を入力してください。";
inline constexpr const char* kIntegerRange = "%1 から %2 までの整数を入力してください。";

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


// Menus 128, 129 and 138: popup captions.
inline constexpr const char* kEditMenuCaption = "編集(&E)";
inline constexpr const char* kViewMenuCaption = "表示(&V)";
inline constexpr const char* kCommandMenuCaption = "コマンド(&C)";
inline constexpr const char* kTemplateMenuCaption = "ひな型(&T)";
inline constexpr const char* kMacroMenuCaption = "マクロ(&M)";
inline constexpr const char* kWindowMenuCaption = "ウィンドウ(&W)";
inline constexpr const char* kHelpMenuCaption = "ヘルプ(&H)";
inline constexpr const char* kDebugMenuCaption = "デバッグ モード(&D)";
inline constexpr const char* kWarnCheckMenuCaption = "識別子チェック(&W)";

// Command captions (without the shortcut text) and their "prompt\ntooltip" strings.
inline constexpr const char* kCmdFileNewCaption = "新規作成(&N)";
inline constexpr const char* kCmdFileNewPrompt = "新規にファイルを作成\n新規ファイル (Ctrl+N)";
inline constexpr const char* kCmdFileOpenCaption = "開く(&O)...";
inline constexpr const char* kCmdFileOpenPrompt = "既存のファイルを開く\n開く (Ctrl+O)";
inline constexpr const char* kCmdFileCloseCaption = "閉じる(&C)";
inline constexpr const char* kCmdFileClosePrompt = "作業中のファイルを閉じる\n閉じる";
inline constexpr const char* kCmdFileSaveCaption = "上書き保存(&S)";
inline constexpr const char* kCmdFileSavePrompt = "作業中のファイルを上書きして保存\n保存 (Ctrl+S)";
inline constexpr const char* kCmdFileSaveAsCaption = "名前を付けて保存(&A)...";
inline constexpr const char* kCmdFileSaveAsPrompt = "作業中のファイルを新しい名前で保存\n名前をつけて保存";
inline constexpr const char* kCmdFileSaveAllCaption = "すべて保存(&L)";
inline constexpr const char* kCmdFileSaveAllPrompt = "開いているファイルをすべて保存\nすべて保存";
inline constexpr const char* kCmdFilePrintCaption = "印刷(&P)...";
inline constexpr const char* kCmdFilePrintPrompt = "作業中のファイルを印刷\n印刷 (Ctrl+P)";
inline constexpr const char* kCmdFilePrintPreviewCaption = "印刷プレビュー(&V)";
inline constexpr const char* kCmdFilePrintPreviewPrompt = "印刷イメージを表示\n印刷プレビュー";
inline constexpr const char* kCmdFilePrintSetupCaption = "プリンタの設定(&R)...";
inline constexpr const char* kCmdFilePrintSetupPrompt = "プリンタ/印刷オプションの変更\n印刷設定";
inline constexpr const char* kCmdRecentFileCaption = "最近使ったファイル";
inline constexpr const char* kCmdRecentFilePrompt = "指定のファイルを開く";
inline constexpr const char* kCmdAppExitCaption = "アプリケーションの終了(&X)";
inline constexpr const char* kCmdAppExitPrompt = "アプリケーションを終了し、ファイルの保存を指示\n終了";
inline constexpr const char* kCmdEditUndoCaption = "元に戻す(&U)";
inline constexpr const char* kCmdEditUndoPrompt = "直前に行った動作を元に戻す\n元に戻す (Ctrl+Z)";
inline constexpr const char* kCmdEditRedoCaption = "やり直し(&R)";
inline constexpr const char* kCmdEditRedoPrompt = "前の未完了操作を繰り返す\nやり直し";
inline constexpr const char* kCmdEditCutCaption = "切り取り(&T)";
inline constexpr const char* kCmdEditCutPrompt = "選択範囲を切り取ってクリップボードに保存\n切り取り (Ctrl+X)";
inline constexpr const char* kCmdEditCopyCaption = "コピー(&C)";
inline constexpr const char* kCmdEditCopyPrompt = "選択範囲をコピーしてクリップボードに保存\nコピー (Ctrl+C)";
inline constexpr const char* kCmdEditPasteCaption = "貼り付け(&P)";
inline constexpr const char* kCmdEditPastePrompt = "クリップボードの内容を貼り付け\n貼り付け (Ctrl+V)";
inline constexpr const char* kCmdEditClearCaption = "削除(&D)";
inline constexpr const char* kCmdEditClearPrompt = "選択範囲を削除\n削除";
inline constexpr const char* kCmdEditSelectAllCaption = "すべて選択(&A)";
inline constexpr const char* kCmdEditSelectAllPrompt = "ファイル内のすべてを選択\nすべて選択 (Ctrl+A)";
inline constexpr const char* kCmdEditFindCaption = "検索(&F)...";
inline constexpr const char* kCmdEditFindPrompt = "指定した文字列の検索\n検索 (Ctrl+F)";
inline constexpr const char* kCmdEditFindNextCaption = "次を検索(&N)";
inline constexpr const char* kCmdEditFindNextPrompt = "直前に行った検索を繰り返す\n次を検索 (F3)";
inline constexpr const char* kCmdEditFindPrevCaption = "前を検索(&V)";
inline constexpr const char* kCmdEditFindPrevPrompt = "直前に行った検索を繰り返す\n前を検索 (Shift+F3)";
inline constexpr const char* kCmdEditReplaceCaption = "置換(&E)...";
inline constexpr const char* kCmdEditReplacePrompt = "指定した文字列を他の文字列で置換\n置換 (Ctrl+H)";
inline constexpr const char* kCmdGotoLineCaption = "行ジャンプ(&G)...";
inline constexpr const char* kCmdGotoLinePrompt = "指定した位置にカーソルを移動\n行ジャンプ";
inline constexpr const char* kCmdViewToolbarCaption = "ツール バー(&T)";
inline constexpr const char* kCmdViewToolbarPrompt = "ツール バーの 表示/非表示\nツール バーの表示切り替え";
inline constexpr const char* kCmdViewStatusBarCaption = "ステータス バー(&S)";
inline constexpr const char* kCmdViewStatusBarPrompt = "ステータス バーの 表示/非表示\nステータス バーの表示切り替え";
inline constexpr const char* kCmdAutoIndentCaption = "オート インデント(&A)";
inline constexpr const char* kCmdAutoIndentPrompt = "オート インデントの 有効/無効\nオート インデント";
inline constexpr const char* kCmdSyntaxColorCaption = "構文強調表示(&R)";
inline constexpr const char* kCmdSyntaxColorPrompt = "構文強調 表示/非表示\n構文強調";
inline constexpr const char* kCmdViewFontCaption = "フォントの選択(&F)...";
inline constexpr const char* kCmdViewFontPrompt = "エディタで使用するフォントを選択\nフォント";
inline constexpr const char* kCmdRunCaption = "実行(&R)";
inline constexpr const char* kCmdRunPrompt = "スクリプトを実行\n実行";
inline constexpr const char* kCmdRunArgsCaption = "引数を指定して実行(&P)...";
inline constexpr const char* kCmdRunArgsPrompt = "引数を指定して実行\n引数を指定して実行";
inline constexpr const char* kCmdBrowserCaption = "出力を WWW ブラウザへ(&B)...";
inline constexpr const char* kCmdBrowserPrompt = "スクリプトを実行し出力を WWW ブラウザで表示\n出力を WWW ブラウザへ";
inline constexpr const char* kCmdStopRunCaption = "実行を停止(&S)";
inline constexpr const char* kCmdStopRunPrompt = "スクリプトの実行を停止\n実行停止";
inline constexpr const char* kCmdSyntaxCheckCaption = "文法チェック(&C)";
inline constexpr const char* kCmdSyntaxCheckPrompt = "スクリプトの文法をチェック\n文法チェック";
inline constexpr const char* kCmdPerlVersionCaption = "バージョン表示(&V)";
inline constexpr const char* kCmdPerlVersionPrompt = "Perl のバージョン・パッチレベルの表示\nバージョン表示";
inline constexpr const char* kCmdPerlConfigCaption = "コンフィグレーション表示(&T)";
inline constexpr const char* kCmdPerlConfigPrompt = "Perl のコンフィグレーションのサマリを表示\nコンフィグレーション表示";
inline constexpr const char* kCmdUseJPerlCaption = "JPerlを使う(&J)";
inline constexpr const char* kCmdUseJPerlPrompt = "Perl.exe / JPerl.exe の切り替え\nJPerlを使う";
inline constexpr const char* kCmdInsideModeCaption = "DOS窓を表示しない(&I)";
inline constexpr const char* kCmdInsideModePrompt = "実行時にDOS窓を開かない\nDOS窓を非表示";
inline constexpr const char* kCmdSettingsCaption = "環境設定(&E)...";
inline constexpr const char* kCmdSettingsPrompt = "環境を設定\n環境設定";
inline constexpr const char* kCmdTemplateAddCaption = "ひな型に追加(&A)...";
inline constexpr const char* kCmdTemplateAddPrompt = "現在のファイルをひな型の一覧に追加\nひな型に追加";
inline constexpr const char* kCmdTemplateOrganizeCaption = "ひな型の整理(&O)...";
inline constexpr const char* kCmdTemplateOrganizePrompt = "ひな型の一覧を整理\nひな型の整理";
inline constexpr const char* kCmdCloseAllCaption = "すべて閉じる(&L)";
inline constexpr const char* kCmdCloseAllPrompt = "すべてのウィンドウを閉じる\nすべて閉じる";
inline constexpr const char* kCmdCascadeCaption = "重ねて表示(&C)";
inline constexpr const char* kCmdCascadePrompt = "ウィンドウを重ねて表示\n重ねて表示";
inline constexpr const char* kCmdTileHorzCaption = "上下に並べて表示(&H)";
inline constexpr const char* kCmdTileHorzPrompt = "ウィンドウを上下に並べて表示\n上下に並べて表示";
inline constexpr const char* kCmdTileVertCaption = "左右に並べて表示(&T)";
inline constexpr const char* kCmdTileVertPrompt = "ウィンドウを左右に並べて表示\n左右に並べて表示";
inline constexpr const char* kCmdArrangeIconsCaption = "アイコンの整列(&A)";
inline constexpr const char* kCmdArrangeIconsPrompt = "ウィンドウの下部にアイコンを整列\nアイコンの整列";
inline constexpr const char* kCmdSplitViewCaption = "分割(&P)";
inline constexpr const char* kCmdSplitViewPrompt = "アクティブなウィンドウを上下に分割し、同じ文書を 2 つのビューで表示\n分割";
inline constexpr const char* kCmdUnsplitViewCaption = "分割の解除";
inline constexpr const char* kCmdUnsplitViewPrompt = "分割を解除し、フォーカスのあるビューだけを残す\n分割の解除";
inline constexpr const char* kCmdReadmeCaption = "お読みください(&R)";
inline constexpr const char* kCmdReadmePrompt = "必ず、お読みください\nお読みください";
inline constexpr const char* kCmdAssociateCaption = "関連付け設定(&E)...";
inline constexpr const char* kCmdAssociatePrompt = "拡張子の関連付けを設定\n関連付け";
inline constexpr const char* kCmdCreateShortcutCaption = "ショートカットの作成(&S)...";
inline constexpr const char* kCmdCreateShortcutPrompt = "アプリケーションのショートカットを作成\nショートカット作成";
inline constexpr const char* kCmdReportCaption = "レポート(&P)...";
inline constexpr const char* kCmdReportPrompt = "環境や設定をレポート\nレポート";
inline constexpr const char* kCmdAboutCaption = "バージョン情報(&A)...";
inline constexpr const char* kCmdAboutPrompt = "プログラムの情報、バージョンそして著作権を表示\nバージョン情報";

// Status bar: the idle message (string 57345) and the panes' initial texts, which also give each pane its width.
inline constexpr const char* kIdleMessage = "レディ";
inline constexpr const char* kPaneLine = " 行: 0000";
inline constexpr const char* kPaneEncoding = "UTF-8";
inline constexpr const char* kPaneNewline = "CR+LF";
inline constexpr const char* kPaneKana = "カナ";
inline constexpr const char* kPaneCaps = "CAP";
inline constexpr const char* kPaneNum = "NUM";
inline constexpr const char* kPaneScroll = "SCRL";
// The hint file could not be read at start-up; %1 its full path.
inline constexpr const char* kHintFileUnreadable = "%1 が読み込めませんでした。\n組み込み関数の入力ヒントは表示されません。";

// Documents: load and save, the run copy, the open and save dialogs (templates 135 and 136).
inline constexpr const char* kFileFilter =
    "Perl Script ファイル (*.pl;*.cgi;*.pm)|*.pl;*.cgi;*.pm|すべてのファイル (*.*)|*.*||";  // string 130
inline constexpr const char* kFileTooLarge = "ﾌｧｲﾙが大きすぎて開けません。";  // string 61701
inline constexpr const char* kReadOnlySaveRefused =
    "このファイルには読み取り専用属性が設定されています。\n別のファイル名を使用して下さい。";
inline constexpr const char* kTempCopyFailed = "テンポラリファイルを作成出来ませんでした。";
// The document layer's load and save failure reports: %1 the file, %2 the reason, %3 the system's error code.
inline constexpr const char* kOpenFailed = "%1 を開けませんでした。\n%2(Error:%3)";
inline constexpr const char* kSaveFailed = "%1 を保存できませんでした。\n%2(Error:%3)";
inline constexpr const char* kOpenShortRead = "%1 を開けませんでした。\nファイルを最後まで読み込めませんでした。";
// Characters a load or save had to write differently; %1 the file, %2 how many.
inline constexpr const char* kLoadReplacedChars =
    "%1 には Shift_JIS で表せない文字が %2 個あり、別の文字に置き換えて読み込みました。\n"
    "保存すると置き換えた文字で書き込まれます。";
inline constexpr const char* kSaveReplacedChars =
    "%1 には保存先の文字コードで表せない文字が %2 個あり、\"?\" に置き換えて保存しました。";
// The system's reasons, by error code.
inline constexpr const char* kErrNotFound = "ファイルまたはフォルダーが見つかりません。";
inline constexpr const char* kErrAccess = "アクセスが拒否されました。";
inline constexpr const char* kErrIsFolder = "フォルダーです。";
inline constexpr const char* kErrNotRegular = "通常のファイルではありません。";
inline constexpr const char* kErrNoSpace = "ディスクの空き領域が不足しています。";
inline constexpr const char* kErrReadOnlyFs = "読み取り専用のファイル システムです。";
inline constexpr const char* kErrTooBig = "ファイルが大きすぎます。";
inline constexpr const char* kErrNoMemory = "メモリが不足しています。";
inline constexpr const char* kErrNameTooLong = "ファイル名が長すぎます。";
inline constexpr const char* kErrIo = "入出力エラーが発生しました。";
inline constexpr const char* kErrOther = "システム エラーが発生しました。";
// The file dialog.
inline constexpr const char* kOpenDlgTitle = "開く";
inline constexpr const char* kSaveAsDlgTitle = "名前を付けて保存";
inline constexpr const char* kFileDlgLookIn = "ファイルの場所(&I):";
inline constexpr const char* kFileDlgFileName = "ファイル名(&N):";
inline constexpr const char* kFileDlgFileType = "ファイルの種類(&T):";
inline constexpr const char* kFileDlgOpen = "開く(&O)";
inline constexpr const char* kFileDlgSave = "保存(&S)";
inline constexpr const char* kFileDlgCancel = "キャンセル";
inline constexpr const char* kFileDlgOverwrite = "%1 は既に存在します。\n上書きしますか?";
inline constexpr const char* kFileDlgNotFound = "%1\nファイルが見つかりません。\nファイル名を確認してください。";
inline constexpr const char* kFileDlgPathNotFound = "%1\nパスが存在しません。\nパスを確認してください。";
inline constexpr const char* kAutoDetectCheck = "文字コードを自動認識する(&C)";
inline constexpr const char* kKanjiCodeLabel = "文字コード(&E):";
inline constexpr const char* kNewlineCodeLabel = "改行コード(&C):";
// Entries of the encoding and newline lists; the index is the code.
inline constexpr const char* kKanjiCodeNames[] = {"日本語 シフトJIS", "日本語 EUC", "日本語 JIS", "UTF-8"};
inline constexpr const char* kNewlineCodeNames[] = {"CR+LF (Windows)", "LF (UNIX)", "CR (Macintosh)"};

// The about box (dialog 100): the maker's notice and addresses are ours.
inline constexpr const char* kAboutTitle = "バージョン情報";
inline constexpr const char* kAboutNotice = "Copyright (C) 2026 Varkel Software";
inline constexpr const char* kAboutVersion = "Ver.2.0.6.6";
inline constexpr const char* kAboutUrl = "https://varkel.example/corvella/";
inline constexpr const char* kAboutMail = "mailto:corvella@varkel.example";
inline constexpr const char* kAboutBuildFormat = "Build: %s @ %s";  // build date, build time

// The document tab strip: the list button's tooltip (ours).
inline constexpr const char* kDocTabListTip = "すべてのドキュメント";

// The colour button, its pop-up and the editor font dialog (134).
inline constexpr const char* kColorPickerAutomatic = "自動選択";
inline constexpr const char* kColorPickerCustom = "カスタマイズ ...";
inline constexpr const char* kColorPopupAutomatic = "Automatic";  // when the button gives no text
inline constexpr const char* kColorPopupCustom = "Custmize...";
inline constexpr const char* kColorFontTitle = "エディタ フォントの設定";
inline constexpr const char* kSyntaxColorGroup = "構文強調表示";
inline constexpr const char* kColorTextLabel = "テキスト:";
inline constexpr const char* kColorBackLabel = "背景色:";
inline constexpr const char* kColorKeywordLabel = "制御構文と関数:";
inline constexpr const char* kColorCommentLabel = "コメント:";
inline constexpr const char* kColorStringLabel = "文字列定数:";
inline constexpr const char* kColorPatternLabel = "正規表現パターン:";
inline constexpr const char* kColorSubCallLabel = "サブルーチン コール:";
inline constexpr const char* kColorFontOk = "OK";
inline constexpr const char* kColorFontCancel = "キャンセル";

// The hidden run's lines in the output pane (Shift_JIS is made of them where used).
inline constexpr const char* kRunStartLine = "--- 実行開始 [>%1]\r\n";
inline constexpr const char* kRunEndLine = "\r\n--- 実行終了 (%1)\r\n";
inline constexpr const char* kRunStoppedLine = "\r\n--- 強制終了";
inline constexpr const char* kRunCannotStart = "'%1'を実行出来ません。(Error:%2)\r\n";
inline constexpr const char* kRunStdoutPipeFailed = "標準出力パイプが作成出来ません。(Error:%1)\r\n";
// The CGI dialog (dialog 138).
inline constexpr const char* kCgiTitle = "出力を WWW ブラウザ へ （環境変数の設定）";
inline constexpr const char* kCgiMethodGroup = "データの渡し方";
inline constexpr const char* kCgiMethodLabel = "メソッド:";
inline constexpr const char* kCgiPost = "POST";
inline constexpr const char* kCgiGet = "GET";
inline constexpr const char* kCgiArgsLabel = "コマンドライン引数:";
inline constexpr const char* kCgiNote = "* フォームからの送信でないときは、GET を指定すること。";
inline constexpr const char* kCgiFormGroup = "フォームから送信する環境変数";
inline constexpr const char* kCgiNameLabel = "名前:";
inline constexpr const char* kCgiValueLabel = "値:";
inline constexpr const char* kCgiVariableColumn = "変数";
inline constexpr const char* kCgiValueColumn = "値";
inline constexpr const char* kCgiSet = "設定";
inline constexpr const char* kCgiDelete = "削除";
inline constexpr const char* kCgiDeleteAll = "全て削除";
inline constexpr const char* kCgiOtherGroup = "その他の環境変数";

// Templates.
inline constexpr const char* kTemplateCannotOpen = "'%1' をオープンできません。";
inline constexpr const char* kTemplateNameTitle = "ひな型に追加";
inline constexpr const char* kTemplateNamePrompt = "ひな型の名前を入力してください。";
inline constexpr const char* kTemplateOverwrite = "'%1' は既に存在します。\n上書きしますか？";
inline constexpr const char* kTemplateListTitle = "ひな型の整理";
inline constexpr const char* kTemplateListText =
    "項目の名前の変更または削除するには、項目を選択してから [名前の変更] ボタン、または [削除] ボタンをクリックしてください。";
inline constexpr const char* kTemplateListClose = "閉じる(&C)";
inline constexpr const char* kTemplateListRename = "名前の変更(&R)";
inline constexpr const char* kTemplateListDelete = "削除(&D)";
inline constexpr const char* kTemplateListEdit = "編集(E)...";
inline constexpr const char* kTemplateNameTaken = "名前が重複しています。";
inline constexpr const char* kTemplateDeleteAsk = "'%1' を削除します。\nよろしいですか？";
inline constexpr const char* kTemplateCannotEdit = "ファイルをオープン出来ません.";
// A name that would put the template outside its folder or make no file name.
inline constexpr const char* kTemplateBadName = "'%1' はひな型の名前に使えません。\n\"/\" を含まない名前を入力してください。";
// %1 the file, %2 the system's reason, %3 its code.
inline constexpr const char* kTemplateRenameFailed = "%1 の名前を変更できませんでした。\n%2(Error:%3)";
inline constexpr const char* kTemplateDeleteFailed = "%1 を削除できませんでした。\n%2(Error:%3)";

// The wait for a macro (or a CGI run) that takes long.
inline constexpr const char* kWaitingForScript = "スクリプトの終了を待っています...";
inline constexpr const char* kBreakOff = "中断";
// A macro that cannot be started.
inline constexpr const char* kMacroCannotStart = "'%1'を実行出来ません。(Error:%2)\r\n";
// The version and configuration displays.
inline constexpr const char* kDisplayCannotStart = "'%1' を実行できません。(Error:%2)";
// A console run whose shell script cannot be written (the script file is put back at once).
inline constexpr const char* kConsoleScriptFailed = "実行用のスクリプト '%1' を作成できません。(Error:%2)";

// At start, when the program ended during a run last time and the scripts
// under that run were put back (one path per line follows).
inline constexpr const char* kRunScriptsRecovered =
    "前回はスクリプトの実行中にプログラムが終了したため、次のスクリプトを実行前の内容に戻しました。\n\n%1";
// At start, runs left by a program that died which were not put back; one
// "script → where its bytes are" line per run follows.
inline constexpr const char* kRunScriptsChanged =
    "前回はスクリプトの実行中にプログラムが終了しましたが、次のスクリプトはその後に変更されているため、"
    "そのままにしました。実行前の内容は「→」の先に示す場所に残してあります。\n\n%1";
inline constexpr const char* kRunRecordsDamaged =
    "前回の実行の記録が壊れていて確認できないため、次のスクリプトは元に戻していません。"
    "実行前の内容と記録は「→」の先に示す場所に残してあります。\n\n%1";
inline constexpr const char* kRunScriptsNotPutBack =
    "次のスクリプトを実行前の内容に戻せませんでした。次回の起動時にもう一度戻します。\n\n%1";
inline constexpr const char* kUnknownScript = "(不明なスクリプト)";
inline constexpr const char* kKeptAt = "%1\n    → %2";
// At start, saves written into a file itself that a program's death cut
// short, and their records that failed their check; one "file → bytes" line each.
inline constexpr const char* kSaveCutShort =
    "前回はファイルの保存中にプログラムが終了したため、次のファイルは保存が完了していない可能性があります。"
    "ファイルはそのままにしました。保存前の内容は「→」の先に示す場所に残してあります。\n\n%1";
inline constexpr const char* kSaveRecordsDamaged =
    "前回の保存の記録が壊れていて確認できないため、次のファイルはそのままにしました。"
    "保存前の内容と記録は「→」の先に示す場所に残してあります。\n\n%1";
// A run's end that could not put the user's bytes back: %1 the script, %2 the error, %3 where the bytes wait.
inline constexpr const char* kRunCopyNotPutBack =
    "%1 を実行前の内容に戻せませんでした。(Error:%2)\n"
    "実行前の内容は %3 に残してあります。このファイルを保存すると保存した内容が残り、"
    "保存しないまま終了すると次回の起動時に実行前の内容に戻します。";
// A run refused because nothing could keep the script's bytes should the program die during it.
inline constexpr const char* kRunRecordFailed =
    "%1 の実行前の内容を %2 に記録できないため、実行を中止しました。\n%3(Error:%4)";
// At start, when the state folder cannot be used: %1 the folder.
inline constexpr const char* kStateFolderUnusable =
    "状態を保存するフォルダ %1 を使用できません。\n"
    "未保存の変更の自動バックアップは行われず、スクリプトの実行もできません。";
// Recovery copies that failed their check, kept aside for the user to open; one per line.
inline constexpr const char* kRecoveryCopiesKept =
    "前回、保存されないまま終了した変更のうち、次のファイルは壊れているため復元できません。"
    "ファイルを開いて内容を確認してください。\n\n%1";

// The settings dialog.
inline constexpr const char* kSettingsTitle = "環境設定";
inline constexpr const char* kSettingsPerlGroup = "使用する Perl の選択";
inline constexpr const char* kSettingsPerlPrompt = "Perl の所在を指定してください。 [例] c:\\perl\\bin";
inline constexpr const char* kSettingsBrowse = "&...";
inline constexpr const char* kSettingsPerl = "Perl.exe";
inline constexpr const char* kSettingsJPerl = "JPerl.exe";
inline constexpr const char* kSettingsEditorGroup = "エディタ オプション";
inline constexpr const char* kSettingsTabWidth = "タブ幅:";
inline constexpr const char* kSettingsAutoSave = "実行前に現在編集中のファイルを自動保存";
inline constexpr const char* kSettingsKanjiConvert = "ファイル読込み時に文字エンコードを自動認識する";
inline constexpr const char* kSettingsSaveAsSJIS = "スクリプトを シフトJIS コードとして実行する";
inline constexpr const char* kSettingsCodeGroup = "デフォルト文字コード";
inline constexpr const char* kSettingsKanjiCode = "文字エンコード:";  // its entries: kKanjiCodeNames
inline constexpr const char* kSettingsNewline = "改行文字コード:";
inline constexpr const char* kSettingsNewlineNames[] = {"CR+LF (Windows)", "LF (Unix)", "CR (Macintosh)"};
inline constexpr const char* kSettingsStartGroup = "起動時の動作";
inline constexpr const char* kSettingsOpenMode = "ファイル:";
inline constexpr const char* kSettingsOpenModeNames[] = {"空のファイルを開く", "最近使ったファイルを開く", "何もファイルを開かない"};
inline constexpr const char* kSettingsFolderTitle = "Perl.exe のあるフォルダを選択してください";
// A Perl folder that does not exist is stored empty; %1 the folder as typed.
inline constexpr const char* kSettingsPerlDirNotFound =
    "フォルダ '%1' が見つかりません。\n"
    "Perl のあるフォルダを指定するまで、スクリプトを実行するコマンドは使えません。";

// Qt's own texts that its Japanese translation leaves in English: the file
// dialog's type column and the font dialog's sample.
inline constexpr const char* kQtFolderType = "フォルダー";
inline constexpr const char* kQtFileType = "ファイル";
inline constexpr const char* kQtExtFileType = "%1 ファイル";
inline constexpr const char* kQtDriveType = "ドライブ";
inline constexpr const char* kFontSample = "AaBbYyZz あア亜漢字";

// A file whose text a save would not write back as the bytes it was read
// from (invalid sequences, codes that do not convert back): said once on
// load, asked before the first save over it; %1 the file.
inline constexpr const char* kLoadNotWrittenBack =
    "%1 には、読み込んだ文字コードでは元どおりに書き戻せないバイト列 (不正なバイト列や、変換すると元に戻らないコード) があります。\n"
    "保存すると、編集していない部分も元のファイルとは違うバイト列で書き込まれます。";
inline constexpr const char* kAskSaveNotWrittenBack =
    "%1 を保存すると、読み込んだときのバイト列に戻せない部分も含めて、ファイル全体が書き換わります。\n"
    "保存しますか?";

// The read-me and the environment report.
inline constexpr const char* kReadmeCannotOpen = "'%1' を開くことができません。(Error:%2)";
inline constexpr const char* kReportTitle = "レポート";
inline constexpr const char* kReportText =
    "何か不具合やご質問等があるときは下欄に表示されている内容を\nコピー・ペーストして一緒にお知らせ下さい。";

// Recovery copies left by a program that ended without saving; %1 the files, one a line.
inline constexpr const char* kRecoveryOffer =
    "前回、保存されないまま終了した変更が残っています。\n\n%1\n\n"
    "復元しますか？（[いいえ] を選ぶと、残っている変更は削除されます）";

// The association dialog (dialog 142) and the files it writes for the desktop.
inline constexpr const char* kAssocTitle = "関連付けの設定";
inline constexpr const char* kAssocExtLabel = "拡張子:";
inline constexpr const char* kAssocPl = ".pl";
inline constexpr const char* kAssocCgi = ".cgi";
inline constexpr const char* kAssocEntryName = "Perl Script";
inline constexpr const char* kCgiTypeComment = "CGI script";
inline constexpr const char* kCgiTypeCommentJa = "CGI スクリプト";

// The shortcut dialog (dialog 141) and the shortcut's description.
inline constexpr const char* kShortcutTitle = "ショートカットの作成";
inline constexpr const char* kShortcutDesktop = "デスクトップに作成(&D)";
inline constexpr const char* kShortcutPrograms = "スタートメニューのプログラムに登録(&P)";
inline constexpr const char* kShortcutSendTo = "「送る」 メニューに追加(&S)";
inline constexpr const char* kShortcutComment = "Perlのためのミニ開発環境";

// What the user is told when one of the user's own files or settings
// cannot be used.
// A settings file that is no regular file or is far too large; %1 its path.
inline constexpr const char* kSettingsFileUnusable =
    "設定ファイル '%1' は通常のファイルでないか、大きすぎるため読み込めません。\n"
    "既定の設定で起動します。設定の変更は保存されません。";
// A stored Perl folder that is relative or holds no perl, taken as none; %1
// the folder as given.
inline constexpr const char* kPerlDirUnusable =
    "フォルダ '%1' は Perl のフォルダとして使えません。\n"
    "perl のあるフォルダを絶対パスで指定するまで、スクリプトを実行するコマンドは使えません。";
// A shortcut that could not be made; %1 its file, %2 the reason.
inline constexpr const char* kShortcutNotMade = "ショートカット '%1' を作成できませんでした。\n%2";

}  // namespace corvella::str
