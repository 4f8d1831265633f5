// Texts of the radio identity display FrmEMG (captioned "Embedded Message"), in the order the
// window shows its fields. Its close button takes the shared caption of text/Messages.h.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::emg {

inline constexpr TextTable kCaption{"Embedded Message", "嵌入信息"};

inline constexpr TextTable kAreaCode{"Area Code", "销售区号"};
inline constexpr TextTable kManufactureCode{"Manufacture Code", "生产批号"};
inline constexpr TextTable kUserCode{"User Code", "客户代码"};
inline constexpr TextTable kRadioType{"Radio Type", "机型"};
inline constexpr TextTable kFrequency{"Frequency", "频段"};
inline constexpr TextTable kSerialNumber{"Serial Number", "序列号"};
inline constexpr TextTable kProductedDate{"Producted Date", "出厂日期"};
inline constexpr TextTable kMaintainedDate{"Maintained Date", "维修日期"};
inline constexpr TextTable kVersion{"Version", "固件版本"};
inline constexpr TextTable kMaintained{"Maintained", "维修原因"};
// Second label of the maintenance reason; Chinese shows none.
inline constexpr TextTable kDescription{"Description", ""};

inline constexpr TextTable kDealerFrame{"Dealer Information", "销售商信息"};
inline constexpr TextTable kDealerCode{"Dealer Code", "经销商代码"};
inline constexpr TextTable kStockDate{"Stock Date", "入库时间"};
inline constexpr TextTable kSellDate{"Sell Date", "销售时间"};
inline constexpr TextTable kSeller{"Seller", "经手人"};

} // namespace zx::text::labels::emg
