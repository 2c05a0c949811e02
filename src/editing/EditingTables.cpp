#include "editing/EditingTables.h"

#include <array>

namespace {

using enum ReaderGate;
using enum MarkedWhen;
using enum ShortEnter;
using enum MoveKeys;
using enum EraseKeys;
using enum KeyCount;
using enum AfterStore;

// The code cursor bound is 0 for a table without codes. The G300 table's bound lets a code in row
// 199 move on to row 200; the DS1995 table follows it with its hundred rows.
constexpr std::array<TableEditing, 11> Tables{{
    {TableId::SGrid1, EveryKey, First, Restore, All, Delete, Lowered, ShowCurrentCell, false, 100},
    {TableId::SGrid2, EveryKey, AfterGate, Restore, All, Delete, Lowered, Nothing, false, 0},
    {TableId::SGrid11, EveryKey, AfterGate, Restore, All, Delete, Lowered, Nothing, false, 0},
    {TableId::SGrid5, EveryKey, AfterGate, Restore, All, Delete, Lowered, Refill, false, 0},
    {TableId::SGrid3, EveryKey, AfterGate, Restore, Vertical, Delete, NotKept, RewriteRows, false, 0},
    {TableId::SGrid12, EveryKey, AfterGate, Restore, Vertical, Delete, NotKept, RewriteRows, false, 0},
    {TableId::SGrid10, EveryKey, AfterGate, Restore, Vertical, Delete, NotKept, RewriteRows, false, 0},
    {TableId::SGrid4, None, First, Restore, All, Delete, Lowered, Refill, false, 200},
    {TableId::SGrid6, EveryKey, First, Restore, All, Delete, Lowered, Refill, false, 201},
    {TableId::StringGrid2, EveryKey, First, Restore, All, Delete, Lowered, Refill, false, 101},
    {TableId::SGrid9, AllButMoveAndErase, AfterGate, KeepEntry, All, DeleteAndBackspace, Lowered, RefillAndScan, true,
     200},
}};

// Enter moves on in a ring through a page's fields; on the apartment page both passwords lead to
// the general code.
constexpr std::array<FieldEditing, 16> Fields{{
    {FieldId::MaskEdit1, FieldId::MaskEdit3, true, true, false},
    {FieldId::MaskEdit2, FieldId::MaskEdit3, false, true, false},
    {FieldId::MaskEdit3, FieldId::MaskEdit1, false, true, false},
    {FieldId::MaskEdit6, FieldId::MaskEdit5, false, true, false},
    {FieldId::MaskEdit5, FieldId::MaskEdit4, false, true, false},
    {FieldId::MaskEdit4, FieldId::MaskEdit6, false, true, false},
    {FieldId::MaskEdit8, FieldId::MaskEdit9, false, true, false},
    {FieldId::MaskEdit9, FieldId::MaskEdit10, false, true, false},
    {FieldId::MaskEdit10, FieldId::MaskEdit8, false, true, false},
    {FieldId::MaskEdit11, FieldId::MaskEdit12, false, true, false},
    {FieldId::MaskEdit12, FieldId::MaskEdit13, false, true, false},
    {FieldId::MaskEdit13, FieldId::MaskEdit11, false, true, false},
    {FieldId::MaskEdit14, FieldId::MaskEdit15, true, true, false},
    {FieldId::MaskEdit15, FieldId::MaskEdit16, true, true, false},
    {FieldId::MaskEdit16, FieldId::MaskEdit14, false, true, false},
    {FieldId::MaskEdit7, std::nullopt, false, false, true},
}};

constexpr std::array<FieldId, 3> MasterKeys{FieldId::Edit2, FieldId::Edit3, FieldId::Edit4};

} // namespace

std::span<const TableEditing> EditedTables() { return Tables; }
std::span<const FieldEditing> EditedFields() { return Fields; }
std::span<const FieldId> MasterKeyFields() { return MasterKeys; }
