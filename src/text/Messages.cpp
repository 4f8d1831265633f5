// The message table in English and Chinese.
#include "Messages.h"

#include <array>

namespace zx::text {

namespace {

// Indexed by MessageKey, in declaration order.
constexpr std::array<TextTable, 24> kMessages{{
    {"All data will be cleared.", "所有数据将被清空。"},
    {"Data File", "数据文件"},
    {"file error.", "文件错误。"},
    {"Cannot Open Communication Port.", "无法打开通信端口。"},
    {"Read data from radio.\r\nDo you wish continue?", "从对讲机读取数据。\r\n是否继续？"},
    {"Write data to radio.\r\nDo you wish continue?", "向对讲机写入数据。\r\n是否继续？"},
    {"File has been modify,save it now?", "当前文件已被修改，是否现在保存？"},
    {"file will be Overwrite,Continue?", "文件将被覆盖，是否继续？"},
    {"Check Connection. Retry or Cancel?", "检测连接。重试或取消？"},
    {"Read Data Completed.", "读取数据完成。"},
    {"Write Data Completed.", "写入数据完成。"},
    {"Model type is wrong.", "机型类型错误。"},
    {"Frequency band type is wrong.", "频段类型错误。"},
    {"Frequency band type is no same,Use the radio Frequency band?(Yes or No)",
     "频段类型不同,使用对讲机的频段？"},
    {"&OK", "确定(&O)"},
    {"&Cancel", "取消(&C)"},
    {"All frequencys is in of range.", "所有频率正常。"},
    {"Frequency is out of range.", "频率超出范围。"},
    {"Some channel frequency is out of range.Automatically modify?",
     "部分信道频率超出范围。自动修改？"},
    {"programming software is", "写频软件版本为"},
    {"incompatible version. It may cause unknown error.To start the corresponding software "
     "version, or not?",
     "版本不兼容，有可能引起未知错误，是否启动对应版本软件？"},
    {"Fail to start the software. This version does not exist.", "未能启动，不存在此版本软件！"},
    {"DataFile version is", "数据文件版本为"},
    {"Unknown version Of DataFile!", "未能识别的数据版本!"},
}};

static_assert(kMessages.size() == static_cast<std::size_t>(MessageKey::VerUnknown) + 1);

} // namespace

const TextTable& messageTable(MessageKey key) {
    return kMessages.at(static_cast<std::size_t>(key));
}

std::string_view message(MessageKey key, int language) {
    return messageTable(key)[language];
}

std::string versionForDisplay(std::string_view version) {
    if (version.size() < 4)
        return std::string(version);
    std::string shown(version.substr(0, 2));
    shown += '.';
    shown += version.substr(version.size() - 2);
    return shown;
}

} // namespace zx::text
