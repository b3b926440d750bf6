#include "rules/RuleSet.h"

#include "platform/NameCompare.h"
#include "rules/RuleSetStorage.h"

namespace vp::rules {

RuleSet::RuleSet(std::unique_ptr<RuleSetStorage> storage) : storage_(std::move(storage)) {}
RuleSet::RuleSet(RuleSet&&) noexcept = default;
RuleSet& RuleSet::operator=(RuleSet&&) noexcept = default;
RuleSet::~RuleSet() = default;

const std::string& RuleSet::fileName() const {
    return storage_->fileName;
}
TextEncoding RuleSet::encoding() const {
    return storage_->text.encoding;
}
std::uint32_t RuleSet::lineCount() const {
    return storage_->lines;
}
std::span<const Entry> RuleSet::entries() const {
    return storage_->entries;
}
std::span<const Diagnostic> RuleSet::diagnostics() const {
    return storage_->diagnostics;
}
std::size_t RuleSet::droppedDiagnostics() const {
    return storage_->droppedDiagnostics;
}

const Entry* RuleSet::find(std::string_view name) const {
    const auto look = [&](const std::string& folded) -> const Entry* {
        const auto found = storage_->byName.find(folded);
        return found == storage_->byName.end() ? nullptr : &storage_->entries[found->second];
    };
    const std::string folded = foldCase(name);
    if (const Entry* entry = look(folded)) {
        return entry;
    }
    return look(folded + " *");
}

} // namespace vp::rules
