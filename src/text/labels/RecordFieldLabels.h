// What the fields of the configuration record are called when they are shown outside their
// editor windows: in comparisons, printed sheets and exchange files. The channel columns,
// the optional features and the message window keep their own window texts; these are the
// names of everything else, and the few words that join names and values.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::record_fields {

inline constexpr TextTable kDataVersion{"Data Version", "数据版本"};
inline constexpr TextTable kCurrentGroup{"Current Group", "当前组"};
inline constexpr TextTable kChannelCount{"Channel Count", "信道数"};
inline constexpr TextTable kChannels{"Channel Information", "信道信息"};
inline constexpr TextTable kGroup{"Group", "组"};
inline constexpr TextTable kChannel{"Channel", "信道"};
inline constexpr TextTable kInUse{"In Use", "使用中"};
inline constexpr TextTable kRxFineOffset{"RX Fine Offset", "接收微调"};
inline constexpr TextTable kTxFineOffset{"TX Fine Offset", "发射微调"};

inline constexpr TextTable kModelInfo{"Model Information", "机型信息"};
inline constexpr TextTable kModelCode{"Model Code", "机型代码"};
inline constexpr TextTable kModelType{"Model Type", "机型类别"};
inline constexpr TextTable kBand{"Band", "频段"};
inline constexpr TextTable kDateCode{"Date Code", "日期代码"};
inline constexpr TextTable kFirmwareVersion{"Firmware Version", "固件版本"};
inline constexpr TextTable kModelCode2{"Model Code 2", "机型代码2"};
inline constexpr TextTable kBand2{"Band 2", "频段2"};
inline constexpr TextTable kTypeLetter{"Type Letter", "类型字母"};

inline constexpr TextTable kOptionFeatures{"Option Features", "可选功能"};
// The time-out timer under its short name; its window label is the long one.
inline constexpr TextTable kTimeOutTimer{"TOT[s]", "TOT[秒]"};
inline constexpr TextTable kEmergencyChannel{"Emergency Channel", "紧急信道"};
inline constexpr TextTable kBacklightColor{"Backlight Color", "背光灯颜色"};

inline constexpr TextTable kKeyAssignment{"Key Assignment", "按键设置"};
inline constexpr TextTable kScanInfo{"Scan Information", "扫描信息"};
inline constexpr TextTable kDtmf = sameText("DTMF");
inline constexpr TextTable kDtmfOption1{"Option A", "选项A"};
inline constexpr TextTable kDtmfOption2{"Option B", "选项B"};
inline constexpr TextTable kDtmfIdCode{"ID Code", "ID码"};
inline constexpr TextTable kDtmfStunCode{"Stun Code", "遥毙码"};
inline constexpr TextTable kDtmfStunType{"Stun Type", "遥毙方式"};
inline constexpr TextTable kFleetSync = sameText("FleetSync");
inline constexpr TextTable kOwnFleet{"Own Fleet", "本机车队号"};
inline constexpr TextTable kOwnId{"Own ID", "本机ID"};
inline constexpr TextTable kBaudRate{"Baud Rate", "波特率"};
inline constexpr TextTable kDataTxDelay{"Data TX Modulation Delay", "数据发射调制延时"};
inline constexpr TextTable kMessageModeTimer{"Message Mode Timer", "消息模式定时器"};
inline constexpr TextTable kPttIdSideTone{"PTT ID Side Tone", "PTT ID侧音"};
inline constexpr TextTable kAutodialCount{"Autodial Count", "自动拨号数"};
inline constexpr TextTable kAutodial{"Autodial", "自动拨号"};
inline constexpr TextTable kNumber{"Number", "编号"};
inline constexpr TextTable kDigits{"Digits", "号码"};
inline constexpr TextTable kTestFreqCount{"Test Frequency Count", "测试频率数"};
inline constexpr TextTable kTestFreq{"Test Frequency", "测试频率"};
inline constexpr TextTable kIndex{"Index", "序号"};
inline constexpr TextTable kRxFrequency{"RX Frequency", "接收频率"};
inline constexpr TextTable kTxFrequency{"TX Frequency", "发射频率"};
inline constexpr TextTable kRxState{"RX State", "接收状态"};
inline constexpr TextTable kTxState{"TX State", "发射状态"};
inline constexpr TextTable kLocalInformation{"Local Information", "本机信息"};
// A line of a text with several lines: %1 the text's name, %2 the line number.
inline constexpr TextTable kLineOf{"%1 line %2", "%1 第%2行"};
// A value of each channel group: %1 the value's name, %3 the group letter.
inline constexpr TextTable kOfGroup{"%1 %3", "%3组%1"};
inline constexpr TextTable kFleetListCount{"Fleet List Count", "车队列表数"};
inline constexpr TextTable kFleetList{"Fleet List", "车队列表"};
inline constexpr TextTable kRow{"Row", "行"};
inline constexpr TextTable kFleet{"Fleet", "车队"};
inline constexpr TextTable kId = sameText("ID");

// A channel or an emergency channel that does not exist.
inline constexpr TextTable kNone{"(none)", "(无)"};

} // namespace zx::text::labels::record_fields
