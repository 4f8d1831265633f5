// The device names Windows keeps in every folder, which a save there must refuse, and the
// message that says so.
#include "model/AtomicFile.h"

#include <gtest/gtest.h>

namespace zx::model {
namespace {

TEST(ReservedDeviceNames, AreRecognisedInAnyCaseWithAnyExtensionAndPathButNothingElse) {
    for (const char* name : {"CON", "prn", "Aux", "nul", "NUL.dat", "nul.tar.gz", "COM1",
                             "com9.dat", "LPT1", "lpt9.txt", "C:\\Users\\dealer\\Radios\\COM3.dat",
                             "D:/backups/CON.json", "C:NUL", "AUX .dat", "/home/dealer/lpt5"})
        EXPECT_TRUE(isReservedDeviceName(name)) << name;
    for (const char* name : {"", "COM", "COM0", "COM10", "LPT0", "LPT10", "COM1x.dat", "NULL",
                             "CONFIG.dat", "console.dat", "mycon.dat", "C:\\CON\\radio.dat",
                             "radio.nul", "AUX1", ".con", "CON-backup.dat"})
        EXPECT_FALSE(isReservedDeviceName(name)) << name;
}

TEST(ReservedDeviceNames, TheRefusalNamesThePathAndTheRuleInBothLanguages) {
    SaveOutcome refused;
    refused.failure = SaveOutcome::NotRegularFile;
    refused.reservedName = true;
    refused.target = "C:\\Radios\\nul.dat";
    const std::string english = saveFailureMessage(refused, "C:\\Radios\\nul.dat", 1);
    EXPECT_EQ(english,
              "Cannot save to \"C:\\Radios\\nul.dat\": Windows keeps this name for a device (CON, "
              "PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, with any extension). Choose another "
              "name. Nothing was replaced.");
    const std::string chinese = saveFailureMessage(refused, "C:\\Radios\\nul.dat", 2);
    EXPECT_NE(chinese.find("C:\\Radios\\nul.dat"), std::string::npos);
    EXPECT_NE(chinese.find("保留给设备"), std::string::npos);

    // A folder or a device found on the disk keeps its own message.
    refused.reservedName = false;
    EXPECT_NE(saveFailureMessage(refused, "/dev/null", 1).find("not a regular file"),
              std::string::npos);
}

} // namespace
} // namespace zx::model
