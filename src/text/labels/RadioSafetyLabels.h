// Texts of safe radio programming: the verification after a write, the report of a write
// that stopped early, the phases the progress window names, the reasons a port cannot be
// opened, and the menu entries for backups, traces and the two write options. Placeholders
// %1, %2, ... are filled by the caller (text::fill).
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::safety {

// After "Write Data Completed.".
inline constexpr TextTable kVerifyOk{"Verify OK.", "校验正确。"};
// %1 = number of fields that differ; one line per field follows.
inline constexpr TextTable kVerifyDiffers{
    "Verify failed. Fields where the radio differs from what was sent: %1",
    "校验失败。对讲机与写入数据不同的项：%1"};
// %1 = address (4 hex digits), %2 = channel or field, %3 = radio's value, %4 = value sent.
inline constexpr TextTable kVerifyLine{"%1 %2: radio %3, sent %4", "%1 %2：对讲机 %3，写入 %4"};
// %1 = number of lines left out.
inline constexpr TextTable kVerifyMore{"... and %1 more.", "……另有 %1 处。"};
inline constexpr TextTable kVerifyIncomplete{
    "Verify not done: the radio could not be read back. Write it again to be sure.",
    "未能校验：无法从对讲机读回数据。请重新写入以确保正确。"};

// A write that ended before its last block. %1 = blocks the radio acknowledged, %2 = blocks
// of the transfer.
inline constexpr TextTable kWriteStopped{
    "Write stopped after %1 of %2 blocks: the radio holds a partly written configuration. "
    "Write it again.",
    "写入在 %2 块中的第 %1 块后中止：对讲机中的配置只写入了一部分。请重新写入。"};

// Phases of a write, shown by the progress window.
inline constexpr TextTable kPhaseBackup{"Backing up", "备份"};
inline constexpr TextTable kPhaseWrite{"Writing", "写入"};
inline constexpr TextTable kPhaseVerify{"Verifying", "校验"};

// Names of the places of the radio memory the verification reports that are no field of the
// record (the record's fields are named by their own description). A channel is named by its
// group letter and number ("A-12") before the first.
inline constexpr TextTable kFieldPresent{"Channel Present", "信道存在"};
inline constexpr TextTable kFieldUnused{"Unused", "未用"};
inline constexpr TextTable kFieldModelHeader{"Model Header", "机型信息"};

// Why a port cannot be opened, beside "Cannot Open Communication Port.". %1 = device.
// Permission (platform/PortPermission.h): %2 = the device's group, %3 its owner, %4 its mode.
// The user may join the group:
inline constexpr TextTable kPortPermission{
    "No permission to use %1. Its group is %2: run  sudo usermod -aG %2 $USER  and then log "
    "out and in again.",
    "没有使用 %1 的权限。它属于用户组 %2：请运行  sudo usermod -aG %2 $USER  然后注销并重新登录。"};
// The user is in the group, but this session began before that.
inline constexpr TextTable kPortLogInAgain{
    "No permission to use %1 yet: you are in its group %2 now, but this session began before you "
    "were added. Log out and in again.",
    "暂时没有使用 %1 的权限：您已加入它的用户组 %2，但本次登录早于加入时间。请注销并重新登录。"};
// The group may not read and write the device.
inline constexpr TextTable kPortGroupMayNot{
    "No permission to use %1: its group %2 may not read and write it (owner %3, mode %4), so "
    "joining the group does not help. Ask the administrator to give the group read and write "
    "access, for instance with a udev rule (MODE=\"0660\").",
    "没有使用 %1 的权限：它的用户组 %2 没有读写权限（所有者 %3，权限 %4），加入该组也无济于事。请让"
    "管理员给该组读写权限，例如用 udev 规则（MODE=\"0660\"）。"};
// The device belongs to root's group.
inline constexpr TextTable kPortRootOnly{
    "No permission to use %1: only root may use it (owner %3, group %2, mode %4). Ask the "
    "administrator for a udev rule that gives it a group such as dialout (GROUP=\"dialout\", "
    "MODE=\"0660\"), then join that group; do not run the program as root.",
    "没有使用 %1 的权限：只有 root 可以使用它（所有者 %3，用户组 %2，权限 %4）。请让管理员用 udev "
    "规则给它指定一个用户组，例如 dialout（GROUP=\"dialout\"，MODE=\"0660\"），然后加入该组；"
    "请不要以 root 身份运行本程序。"};
// Refused although the user's group may use it (an access list or a security module).
inline constexpr TextTable kPortRefused{
    "No permission to use %1 (owner %3, group %2, mode %4), although your group may use it: the "
    "system refuses it for another reason. Ask the administrator.",
    "没有使用 %1 的权限（所有者 %3，用户组 %2，权限 "
    "%4），尽管您所在的组可以使用它：系统因其他原因拒绝"
    "访问。请询问管理员。"};
// Nothing could be learnt about the device (a folder on its path may not be entered).
inline constexpr TextTable kPortNoAccess{
    "No permission to reach %1: a folder on its path may not be entered.",
    "没有访问 %1 的权限：无法进入其路径上的某个文件夹。"};
inline constexpr TextTable kPortBusy{"%1 is in use by another program. Close it and try again.",
                                     "%1 正被其他程序使用。请关闭该程序后重试。"};
inline constexpr TextTable kPortMissing{"%1 does not exist. Is the programming cable plugged in?",
                                        "%1 不存在。写频线是否已插好？"};
inline constexpr TextTable kPortVanished{
    "%1 has gone away (the cable was unplugged?). Plug it in and try again.",
    "%1 已消失（写频线被拔出？）。请插好后重试。"};
inline constexpr TextTable kPortNotSerial{"%1 is not a serial port.", "%1 不是串口。"};
// %1 = COM<n>.
inline constexpr TextTable kPortNoDevice{
    "%1 stands for no device. Choose a port under Setup, Communication Port.",
    "%1 没有对应的设备。请在“设置－通信端口”中选择端口。"};
// The same advice for the command line.
inline constexpr TextTable kPortNoDeviceCli{
    "%1 stands for no device. Name the port with --port (zx908hf-cli ports lists the serial "
    "ports).",
    "%1 没有对应的设备。请用 --port 指定端口（zx908hf-cli ports 列出所有串口）。"};
// %1 = device, %2 = the system's own words.
inline constexpr TextTable kPortOther{"%1: %2", "%1：%2"};

// A backup that could not be written. %1 = the system's reason.
inline constexpr TextTable kBackupFailed{"The backup could not be kept: %1", "无法保存备份：%1"};

// The command line's own words around backups, handshaking and a batch of writes.
inline constexpr TextTable kBackupKept{"backup kept: %1", "备份已保存：%1"};
inline constexpr TextTable kXonXoffWarning{
    "warning: handshaking 1 (XON/XOFF) takes the bytes 11 and 13 hex out of the line, and the "
    "radio's answers contain them: reads and writes will fail. Use 0 (none) or 2 (RTS/CTS).",
    "警告：握手方式 1（XON/XOFF）会从线路中去掉 11 和 13（十六进制）字节，而对讲机的应答中含有这些"
    "字节：读写将会失败。请使用 0（无）或 2（RTS/CTS）。"};
inline constexpr TextTable kBatchConnect{"batch: connect a radio (Ctrl+C ends the batch)",
                                         "批量写入：请连接对讲机（按 Ctrl+C 结束）"};
inline constexpr TextTable kBatchNext{"batch: disconnect this radio and connect the next one",
                                      "批量写入：请断开此对讲机，然后连接下一台"};
// %1 = why the port cannot be opened.
inline constexpr TextTable kBatchWaiting{"waiting: %1", "等待中：%1"};
// %1 = radio's place in the batch, %2 = serial number, %3 = result, %4 = seconds.
inline constexpr TextTable kBatchRadio{"radio %1: %2, %3, %4 s", "第 %1 台对讲机：%2，%3，%4 秒"};
inline constexpr TextTable kBatchNoSerial{"(no serial number)", "（无序列号）"};
// %1 radios written, %2 verified, %3 failed.
inline constexpr TextTable kBatchSummary{"%1 radios written, %2 verified, %3 failed",
                                         "已写入 %1 台对讲机，校验正确 %2 台，失败 %3 台"};
inline constexpr TextTable kBatchSummaryOne{"%1 radio written, %2 verified, %3 failed",
                                            "已写入 %1 台对讲机，校验正确 %2 台，失败 %3 台"};

// A write stopped (a signal, the program closing, Cancel) before its first block.
inline constexpr TextTable kStoppedBeforeWriting{
    "Stopped before anything was written: the radio holds what it held.",
    "在写入任何数据之前已停止：对讲机中的配置没有改变。"};

// Menu entries.
inline constexpr TextTable mnuOpenBackupFolder{"Open &Backup Folder", "打开备份文件夹(&B)"};
inline constexpr TextTable mnuOpenTraceFolder{"Open Serial &Trace Folder",
                                              "打开串口记录文件夹(&T)"};
inline constexpr TextTable mnuBackupBeforeWrite{"&Back Up Radio Before Writing",
                                                "写入前备份对讲机(&B)"};
inline constexpr TextTable mnuVerifyAfterWrite{"&Verify After Writing", "写入后校验(&V)"};
// The file-dialog filter entry of radio memory images.
inline constexpr TextTable kImageFileLabel{"Radio Memory Image", "对讲机存储映像"};

} // namespace zx::text::labels::safety
