// The texts of the debugger inside the window, its panes, and the input line of runs.
#pragma once

namespace corvella::str {

inline constexpr const char* kDebuggerMenuCaption = "デバッガ(&B)";
inline constexpr const char* kCmdDebugGoCaption = "デバッグ開始/続行(&G)";
inline constexpr const char* kCmdDebugGoPrompt = "デバッガでスクリプトを開始するか、止まっている実行を続行\n開始/続行";
inline constexpr const char* kCmdDebugStepIntoCaption = "ステップ イン(&I)";
inline constexpr const char* kCmdDebugStepIntoPrompt = "次の文まで実行し、呼び出すサブルーチンの中で止まる\nステップ イン";
inline constexpr const char* kCmdDebugStepOverCaption = "ステップ オーバー(&O)";
inline constexpr const char* kCmdDebugStepOverPrompt = "サブルーチンの呼び出しを含めて次の文まで実行\nステップ オーバー";
inline constexpr const char* kCmdDebugStepOutCaption = "ステップ アウト(&U)";
inline constexpr const char* kCmdDebugStepOutPrompt = "現在のサブルーチンから戻るまで実行\nステップ アウト";
inline constexpr const char* kCmdDebugRunToCaretCaption = "カーソル行まで実行(&C)";
inline constexpr const char* kCmdDebugRunToCaretPrompt = "カーソルのある行まで実行\nカーソル行まで実行";
inline constexpr const char* kCmdDebugEndCaption = "デバッグの終了(&E)";
inline constexpr const char* kCmdDebugEndPrompt = "デバッグ中のスクリプトを停止し、デバッグを終了\nデバッグ終了";
inline constexpr const char* kCmdToggleBreakpointCaption = "ブレークポイントの設定/解除(&B)";
inline constexpr const char* kCmdToggleBreakpointPrompt = "カーソル行のブレークポイントを設定または解除\nブレークポイント";
inline constexpr const char* kCmdClearBreakpointsCaption = "すべてのブレークポイントを解除(&A)";
inline constexpr const char* kCmdClearBreakpointsPrompt = "この文書のブレークポイントをすべて解除\nすべて解除";
inline constexpr const char* kCmdDebugPanesCaption = "デバッグ ウィンドウ(&W)";
inline constexpr const char* kCmdDebugPanesPrompt = "変数・ウォッチ・呼び出し履歴のウィンドウを表示または非表示\nデバッグ ウィンドウ";
inline constexpr const char* kCmdTypedInputCaption = "実行中に標準入力を入力する(&N)";
inline constexpr const char* kCmdTypedInputPrompt =
    "出力ウィンドウ下の入力欄から、実行中のスクリプトの標準入力に行を送る\n標準入力の入力";

// The debug panes.
inline constexpr const char* kDebugPaneTitle = "デバッグ";
inline constexpr const char* kDebugVariablesTab = "変数";
inline constexpr const char* kDebugWatchesTab = "ウォッチ";
inline constexpr const char* kDebugStackTab = "呼び出し履歴";
inline constexpr const char* kDebugExpressionLabel = "式:";
inline constexpr const char* kDebugWatchAdd = "追加";
inline constexpr const char* kDebugWatchRemove = "削除";
inline constexpr const char* kDebugWatchPlaceholder = "ウォッチする式 (例: $count, \\@list, $Foo::bar)";
inline constexpr const char* kDebugExpressionPlaceholder = "止まっている位置で評価する式 (結果は出力ウィンドウへ)";
inline constexpr const char* kDebugNoPadWalker =
    "PadWalker モジュールがないため my 変数を表示できません (Debian: libpadwalker-perl)。"
    "ウォッチに式を追加すると値を表示できます。";
// The status bar while a session runs; %1 a file name, %2 a line.
inline constexpr const char* kDebugRunning = "デバッグ中: 実行しています...";
inline constexpr const char* kDebugStoppedAt = "デバッグ中: %1 の %2 行目で停止";
inline constexpr const char* kDebugEnded = "デバッグ終了: 終了コード %1";
inline constexpr const char* kDebugDied = "デバッグ終了: %1 の %2 行目でエラーにより終了しました (終了コード %3)";
inline constexpr const char* kDebugWaiting = "デバッグ中: デバッガの接続を待っています...";
// %1 the error number.
inline constexpr const char* kDebugCannotListen = "デバッガの接続を受けるソケットを作成できませんでした。(エラー %1)";

// The input line under the output pane.
inline constexpr const char* kInputLineLabel = "標準入力:";
inline constexpr const char* kInputLineClose = "入力の終了(Ctrl+D)";

}  // namespace corvella::str
