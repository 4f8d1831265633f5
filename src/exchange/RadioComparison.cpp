// Comparing the radio with a document: the document diff in the radio's scope, in the words
// of Compare with Radio.
#include "exchange/RadioComparison.h"

#include "model/RecordFields.h"
#include "text/Fill.h"
#include "text/labels/CompareLabels.h"

#include <set>

namespace zx::exchange {

namespace labels = text::labels::compare;

std::vector<Difference> compareWithRadio(const model::ConfigRecord& radio,
                                         const model::ConfigRecord& document) {
    return compareDocuments(radio, document, DiffScope::Radio);
}

RadioComparison compareWithRadio(const model::ConfigRecord& radio,
                                 const model::ConfigRecord& document,
                                 const model::ConfigRecord& asWritten) {
    RadioComparison result;
    const std::vector<Difference> fromWrite = compareWithRadio(radio, asWritten);
    std::set<std::string> differsFromWrite;
    for (const Difference& d : fromWrite)
        differsFromWrite.insert(differenceKey(d));
    for (Difference& d : compareWithRadio(radio, document)) {
        const bool frequency = d.channel && !d.path.empty() &&
                               (d.path.back().field == &model::fields::rxFreq ||
                                d.path.back().field == &model::fields::txFreq);
        // The radio holds what a write of the document gives it: only the digits it cannot
        // keep differ.
        if (frequency && !differsFromWrite.count(differenceKey(d)))
            result.storedTo100Hz.push_back(std::move(d));
        else
            result.differences.push_back(std::move(d));
    }
    return result;
}

std::string describeAgainstRadio(const Difference& d, int language, const TextDecoder& decode) {
    return text::fill(labels::kLine[language],
                      {differenceName(d, language), differenceValue(d, d.before, language, decode),
                       differenceValue(d, d.after, language, decode)});
}

std::string radioComparisonVerdict(std::size_t differences, std::string_view fileName,
                                   int language) {
    if (differences == 0)
        return text::fill(labels::kEqual[language], {fileName});
    const std::string count = std::to_string(differences);
    return text::fill((differences == 1 ? labels::kDiffersOne : labels::kDiffers)[language],
                      {fileName, count});
}

} // namespace zx::exchange
