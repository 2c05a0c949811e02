#include "model/RecordHistory.h"

#include <algorithm>
#include <cstring>

namespace {

const std::uint8_t* BytesOf(const IntercomStore& store) { return reinterpret_cast<const std::uint8_t*>(&store); }
std::uint8_t* BytesOf(IntercomStore& store) { return reinterpret_cast<std::uint8_t*>(&store); }

// Changed bytes closer than this are kept as one run: a key's four bytes, or a key and its
// neighbour, cost one run instead of several.
constexpr int JoinGap = 8;

} // namespace

RecordHistory::RecordHistory(int capacity) : capacity_(std::max(1, capacity)), kept_(std::make_unique<IntercomStore>())
{
    ResetRecord(*kept_);
}

void RecordHistory::Start(const IntercomStore& store, bool saved)
{
    *kept_ = store;
    steps_.clear();
    position_ = 0;
    savedPosition_ = saved ? std::optional<std::size_t>(0) : std::nullopt;
}

RecordHistory::Step RecordHistory::Difference(const IntercomStore& from, const IntercomStore& to)
{
    const std::uint8_t* before = BytesOf(from);
    const std::uint8_t* after = BytesOf(to);
    Step step;
    int offset = 0;
    while (offset < int(sizeof(IntercomStore))) {
        if (before[offset] == after[offset]) {
            ++offset;
            continue;
        }
        int end = offset + 1; // one past the last changed byte of the run
        for (int next = end; next < int(sizeof(IntercomStore)) && next - end < JoinGap; ++next)
            if (before[next] != after[next]) end = next + 1;
        step.runs.push_back({offset, {before + offset, before + end}, {after + offset, after + end}});
        offset = end;
    }
    return step;
}

bool RecordHistory::Record(const IntercomStore& store)
{
    if (std::memcmp(kept_.get(), &store, sizeof(IntercomStore)) == 0) return false;
    steps_.erase(steps_.begin() + std::ptrdiff_t(position_), steps_.end());
    if (savedPosition_ && *savedPosition_ > position_) savedPosition_.reset();
    steps_.push_back(Difference(*kept_, store));
    *kept_ = store;
    ++position_;
    if (steps_.size() > std::size_t(capacity_)) {
        steps_.pop_front();
        --position_;
        if (savedPosition_) savedPosition_ = *savedPosition_ == 0 ? std::nullopt : std::optional(*savedPosition_ - 1);
    }
    return true;
}

void RecordHistory::Apply(const Step& step, bool forward, IntercomStore& store)
{
    for (const Run& run : step.runs) {
        const std::vector<std::uint8_t>& bytes = forward ? run.after : run.before;
        std::memcpy(BytesOf(store) + run.offset, bytes.data(), bytes.size());
        std::memcpy(BytesOf(*kept_) + run.offset, bytes.data(), bytes.size());
    }
}

std::optional<ChangedRange> RecordHistory::Undo(IntercomStore& store)
{
    // Edits not yet recorded become a step first, so undoing them is the step undone.
    Record(store);
    if (!CanUndo()) return std::nullopt;
    --position_;
    Apply(steps_[position_], false, store);
    return steps_[position_].range();
}

std::optional<ChangedRange> RecordHistory::Redo(IntercomStore& store)
{
    // Edits not yet recorded are a new step, after which nothing is left to redo.
    Record(store);
    if (!CanRedo()) return std::nullopt;
    Apply(steps_[position_], true, store);
    return steps_[position_++].range();
}

void RecordHistory::MarkSaved() { savedPosition_ = position_; }

std::size_t RecordHistory::MemoryBytes() const
{
    std::size_t bytes = sizeof(IntercomStore);
    for (const Step& step : steps_)
        for (const Run& run : step.runs) bytes += sizeof(Run) + run.before.size() + run.after.size();
    return bytes;
}

ChangedRange RecordHistory::Step::range() const
{
    return {runs.front().offset, runs.back().offset + int(runs.back().after.size()) - 1};
}
