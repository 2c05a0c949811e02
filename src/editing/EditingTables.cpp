#include "editing/EditingTables.h"

#include "model/TableSpecs.h"

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
    {TableNames::SGrid1, EveryKey, First, Restore, All, Delete, Lowered, ShowCurrentCell, false, 100},
    {TableNames::SGrid2, EveryKey, AfterGate, Restore, All, Delete, Lowered, Nothing, false, 0},
    {TableNames::SGrid11, EveryKey, AfterGate, Restore, All, Delete, Lowered, Nothing, false, 0},
    {TableNames::SGrid5, EveryKey, AfterGate, Restore, All, Delete, Lowered, Refill, false, 0},
    {TableNames::SGrid3, EveryKey, AfterGate, Restore, Vertical, Delete, NotKept, RewriteRows, false, 0},
    {TableNames::SGrid12, EveryKey, AfterGate, Restore, Vertical, Delete, NotKept, RewriteRows, false, 0},
    {TableNames::SGrid10, EveryKey, AfterGate, Restore, Vertical, Delete, NotKept, RewriteRows, false, 0},
    {TableNames::SGrid4, None, First, Restore, All, Delete, Lowered, Refill, false, 200},
    {TableNames::SGrid6, EveryKey, First, Restore, All, Delete, Lowered, Refill, false, 201},
    {TableNames::StringGrid2, EveryKey, First, Restore, All, Delete, Lowered, Refill, false, 101},
    {TableNames::SGrid9, AllButMoveAndErase, AfterGate, KeepEntry, All, DeleteAndBackspace, Lowered, RefillAndScan,
     true, 200},
}};

// Enter moves on in a ring through a page's fields; on the apartment page both passwords lead to
// the general code.
constexpr std::array<FieldEditing, 16> Fields{{
    {"MaskEdit1", "MaskEdit3", true, true, false},
    {"MaskEdit2", "MaskEdit3", false, true, false},
    {"MaskEdit3", "MaskEdit1", false, true, false},
    {"MaskEdit6", "MaskEdit5", false, true, false},
    {"MaskEdit5", "MaskEdit4", false, true, false},
    {"MaskEdit4", "MaskEdit6", false, true, false},
    {"MaskEdit8", "MaskEdit9", false, true, false},
    {"MaskEdit9", "MaskEdit10", false, true, false},
    {"MaskEdit10", "MaskEdit8", false, true, false},
    {"MaskEdit11", "MaskEdit12", false, true, false},
    {"MaskEdit12", "MaskEdit13", false, true, false},
    {"MaskEdit13", "MaskEdit11", false, true, false},
    {"MaskEdit14", "MaskEdit15", true, true, false},
    {"MaskEdit15", "MaskEdit16", true, true, false},
    {"MaskEdit16", "MaskEdit14", false, true, false},
    {"MaskEdit7", nullptr, false, false, true},
}};

constexpr std::array<const char*, 3> MasterKeys{"Edit2", "Edit3", "Edit4"};

} // namespace

std::span<const TableEditing> EditedTables() { return Tables; }
std::span<const FieldEditing> EditedFields() { return Fields; }
std::span<const char* const> MasterKeyFields() { return MasterKeys; }
