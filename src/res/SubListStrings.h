// The texts of the sub list on the toolbar.
#pragma once

namespace corvella::str {

inline constexpr const char* kSubListTip = "サブルーチン一覧";
inline constexpr const char* kSubListStatus = "選んだ package または sub の宣言へ移動";

}  // namespace corvella::str
