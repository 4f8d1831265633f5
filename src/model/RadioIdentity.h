// The identity and service record that the radio keeps about itself. It is read from the
// radio and shown; it is never saved in a data file.
#pragma once

#include "model/ConfigRecord.h"

#include <string>

namespace zx::model {

struct RadioIdentity {
    Integer reserved = 0;
    FixedText<16> serialNumber;
    FixedText<16> productionDate;
    FixedText<16> maintenanceDate;
    FixedText<96> maintenanceReason;
    std::string version = "V3.10"; // the program's own version text, not read from the radio
    std::string modelText;         // model name, not read from the radio
    std::string areaCode;          // sales area code, up to 4 characters
    FixedText<8> productionBatch;
    FixedText<4> customerCode;
    FixedText<16> dealerCode;
    FixedText<16> stockDate;
    FixedText<16> saleDate;
    FixedText<16> seller;

    bool operator==(const RadioIdentity&) const = default;
};

} // namespace zx::model
