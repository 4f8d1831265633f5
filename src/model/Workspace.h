// The one document of the program: the working record, the file buffer it is compared
// with, the radio identity record and the run-time state. Owned by the application and
// passed by reference; tests make their own.
#pragma once

#include "model/ConfigRecord.h"
#include "model/RadioIdentity.h"
#include "model/RuntimeState.h"

#include <string>
#include <utility>
#include <vector>

namespace zx::model {

class EditJournal;

// Pairs (software version, data version) from the version list, four characters each.
struct VersionPair {
    std::string software;
    std::string data;
    bool operator==(const VersionPair&) const = default;
};
using VersionList = std::vector<VersionPair>;

struct Workspace {
    ConfigRecord record;     // the working record every editor changes in place
    ConfigRecord fileBuffer; // the record as last loaded or saved
    RadioIdentity identity;
    // Set once an identity read from the radio has filled `identity` (until then it holds the
    // built-in defaults, which describe no radio).
    bool identityRead = false;
    RuntimeState state;
    VersionList versions;
    std::string programFolder; // folder of the program; templates are in its Init folder
    // Where the steps of the document are recorded for undo (EditJournal.h); none when null.
    EditJournal* journal = nullptr;
};

} // namespace zx::model
