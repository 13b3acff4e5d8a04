#pragma once
// What the main window remembers in the settings store: section "主界面" and its keys.

namespace windows {

inline constexpr char kMainSection[] = "主界面";
inline constexpr char kSplitterPositionKey[] = "分隔条位置";
inline constexpr char kShowFindBarKey[] = "显示查找框";
inline constexpr char kAutoColumnWidthKey[] = "自动列宽";
inline constexpr char kTreeIndexKey[] = "树型框.索引";
// The host of the chat addresses of QQ link cells; a plain host name (an optional port after ":").
inline constexpr char kChatHostKey[] = "聊天主机";
// Where the main window and the entry panel were ("主窗口.左" ...).
inline constexpr char kMainWindowBoundsKey[] = "主窗口";
inline constexpr char kEntryPanelBoundsKey[] = "录入面板";

}  // namespace windows
