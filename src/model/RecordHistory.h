#pragma once
// The edits of a document as steps that can be taken back and taken again. After every command or
// key event the window hands the store to Record(); when its bytes differ from the state kept last,
// the runs of changed bytes become one step, so a key event that changes nothing makes no step and a
// step costs only the bytes it changed. The history knows which state was saved last, so undoing
// back to it leaves the document unmodified.

#include "model/IntercomData.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

// Where a step changed the store: the first and last byte offsets (within IntercomStore).
struct ChangedRange {
    int first = 0;
    int last = 0;
    bool operator==(const ChangedRange&) const = default;
};

class RecordHistory {
public:
    static constexpr int DefaultCapacity = 500;

    explicit RecordHistory(int capacity = DefaultCapacity);

    // A new document, an opened file or a chip read: every step is forgotten and the store as it
    // is becomes the state to compare with; `saved` says whether it is what the file holds.
    void Start(const IntercomStore& store, bool saved);
    // Keeps a step when the store differs from the state kept last; true when it did. A new step
    // drops the steps that were undone. Past the capacity the oldest step is dropped.
    bool Record(const IntercomStore& store);

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < steps_.size(); }
    // Puts the store one step back or forward; the range it changed, nothing when there was no step.
    std::optional<ChangedRange> Undo(IntercomStore& store);
    std::optional<ChangedRange> Redo(IntercomStore& store);

    // The state kept last is what the file now holds.
    void MarkSaved();
    // The store is back at the state that was saved (or started as saved).
    bool AtSavedState() const { return savedPosition_ && *savedPosition_ == position_; }

    std::size_t StepCount() const { return steps_.size(); }
    int Capacity() const { return capacity_; }
    // The bytes the history holds: the state kept last and the changed runs of every step.
    std::size_t MemoryBytes() const;

private:
    struct Run {
        int offset;
        std::vector<std::uint8_t> before;
        std::vector<std::uint8_t> after;
    };
    struct Step {
        std::vector<Run> runs;
        ChangedRange range() const;
    };
    static Step Difference(const IntercomStore& from, const IntercomStore& to);
    // Writes each run's `before` or `after` bytes into the store and the kept state.
    void Apply(const Step& step, bool forward, IntercomStore& store);

    int capacity_;
    std::unique_ptr<IntercomStore> kept_; // the state after the last step taken
    std::deque<Step> steps_;
    std::size_t position_ = 0;                 // steps taken; steps_[position_] is the next redo
    std::optional<std::size_t> savedPosition_; // unset once the saved state's step was dropped
};
