// Comparing the radio with a document: the document diff in the radio's scope, in the words
// of Compare with Radio.
#include "exchange/RadioComparison.h"

#include "text/Fill.h"
#include "text/labels/CompareLabels.h"

namespace zx::exchange {

namespace labels = text::labels::compare;

std::vector<Difference> compareWithRadio(const model::ConfigRecord& radio,
                                         const model::ConfigRecord& document) {
    return compareDocuments(radio, document, DiffScope::Radio);
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
