// Texts of fleet programming: one document written into radio after radio on several
// programming cables at once, from the Fleet Programming window and from zx908hf-cli write
// --batch. Placeholders %1, %2, ... are filled by the caller (text::fill).
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::fleet {

// Program menu entry and the window's caption.
inline constexpr TextTable mnuFleet{"&Fleet Programming…", "批量写频(&F)…"};
inline constexpr TextTable kCaption{"Fleet Programming", "批量写频"};

// %1 = the document's file name, %2 = its band.
inline constexpr TextTable kDocument{"Document: %1 (%2)", "文件：%1（%2）"};
inline constexpr TextTable kPorts{"&Ports (tick the cables to use):",
                                  "端口（勾选要使用的写频线）(&P)："};
inline constexpr TextTable kVerify{"&Verify each radio after writing", "写入后校验每台对讲机(&V)"};
inline constexpr TextTable kBackupFirst{"&Back up each radio before writing",
                                        "写入前备份每台对讲机(&B)"};
inline constexpr TextTable kCount{"&Radios to write (0: until stopped):",
                                  "写入台数（0：直到停止）(&R)："};
inline constexpr TextTable kLog{"&Log file (CSV):", "记录文件（CSV）(&L)："};
inline constexpr TextTable kBrowse{"B&rowse…", "浏览(&R)…"};
inline constexpr TextTable kStart{"&Start", "开始(&S)"};
inline constexpr TextTable kStop{"S&top", "停止(&T)"};
inline constexpr TextTable kRadiosDone{"Radios of this run:", "本次写入的对讲机："};
// %1 good radios, %2 failed ones.
inline constexpr TextTable kTotals{"Good: %1   Failed: %2", "成功：%1   失败：%2"};
// The file-dialog filter entry of the log.
inline constexpr TextTable kLogFileLabel{"CSV Log", "CSV 记录"};

// Columns of the port list and of the table of radios (the table's order is the log's).
inline constexpr TextTable kColumnPort{"Port", "端口"};
inline constexpr TextTable kColumnAdapter{"Adapter", "适配器"};
inline constexpr TextTable kColumnState{"State", "状态"};
inline constexpr TextTable kColumnTime{"Time", "时间"};
inline constexpr TextTable kColumnSerial{"Serial Number", "序列号"};
inline constexpr TextTable kColumnModel{"Model Code", "机型代码"};
inline constexpr TextTable kColumnBand{"Band", "频段"};
inline constexpr TextTable kColumnResult{"Result", "结果"};
inline constexpr TextTable kColumnSeconds{"Seconds", "秒"};
inline constexpr TextTable kColumnFile{"File", "文件"};

// Where a port stands. %1 = why the port cannot be opened, the serial number or the reason.
inline constexpr TextTable kStateIdle{"Not used", "未使用"};
inline constexpr TextTable kStateWaiting{"Waiting for a radio", "等待连接对讲机"};
inline constexpr TextTable kStatePortProblem{"Waiting: %1", "等待中：%1"};
inline constexpr TextTable kStateIdentifying{"Reading the identity", "读取身份信息"};
inline constexpr TextTable kStateBackingUp{"Backing up", "备份"};
inline constexpr TextTable kStateWriting{"Writing", "写入"};
inline constexpr TextTable kStateVerifying{"Verifying", "校验"};
inline constexpr TextTable kStateDone{"Done: %1 — remove the radio", "完成：%1 — 请取下对讲机"};
inline constexpr TextTable kStateFailed{"Failed: %1 — remove the radio", "失败：%1 — 请取下对讲机"};
inline constexpr TextTable kStateRefused{"Refused: %1 — remove the radio",
                                         "拒绝：%1 — 请取下对讲机"};
inline constexpr TextTable kStateStopping{"Stopping", "正在停止"};
inline constexpr TextTable kStateStopped{"Stopped", "已停止"};

// What became of a radio, in the table of the window. %1 = the reason.
inline constexpr TextTable kResultVerified{"Verified", "校验正确"};
inline constexpr TextTable kResultWritten{"Written (not verified)", "已写入（未校验）"};
inline constexpr TextTable kResultRefused{"Refused: %1", "拒绝：%1"};
inline constexpr TextTable kResultFailed{"Failed: %1", "失败：%1"};
inline constexpr TextTable kResultStopped{"Stopped: %1", "已停止：%1"};

// Reasons a radio failed when the conversation said nothing more precise.
inline constexpr TextTable kReasonNoAnswer{"no answer", "无应答"};
inline constexpr TextTable kReasonStopped{"stopped", "已停止"};
// %1 = why.
inline constexpr TextTable kReasonNoIdentity{"identity not read: %1", "未能读取身份信息：%1"};

// Messages of the window.
inline constexpr TextTable kNeedsSavedDocument{
    "Fleet programming writes a saved document, so that the log names what was written. "
    "Save the document first.",
    "批量写频只写入已保存的文件，以便记录中注明写入的内容。请先保存文件。"};
inline constexpr TextTable kNoPortChosen{"Tick at least one port.", "请至少勾选一个端口。"};
inline constexpr TextTable kNoPortListed{
    "No serial port is listed. Plug in a programming cable; the list follows within a second.",
    "没有列出任何串口。请插入写频线；列表会在一秒内更新。"};
// %1 = the log file, %2 = why.
inline constexpr TextTable kLogFailed{
    "The log %1 cannot be written: %2. The radios being written are finished, no new radio "
    "is started.",
    "无法写入记录文件 %1：%2。正在写入的对讲机将写完，不再开始新的对讲机。"};
inline constexpr TextTable kLogOtherColumns{
    "The log %1 has other columns than this program writes. Choose another log file.",
    "记录文件 %1 的列与本程序写入的不同。请选择其他记录文件。"};

// The command line's own words (besides the batch texts of safe programming).
// %1 = the port, %2 = what it says.
inline constexpr TextTable kPortLine{"%1: %2", "%1：%2"};
inline constexpr TextTable kSamePortTwice{"--port %1 and --port %2 name the same device",
                                          "--port %1 和 --port %2 指向同一设备"};

} // namespace zx::text::labels::fleet
