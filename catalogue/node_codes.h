#pragma once

// What the codes of a catalogue node mean. Every node has a selectCode and a
// recordCode; for a house level both are its level code (100, 110, ... 290).
namespace z7 {

// Group nodes and the other nodes without values show the no-selection picture.
constexpr bool ShowsNoSelection(int selectCode)
{
    return selectCode < 12;
}

// A node whose values are shown, found by its caption and this code.
constexpr bool IsEntry(int recordCode)
{
    return recordCode > 12 && recordCode < 300;
}

// The Save button stores the selected node only from this selectCode on.
constexpr bool SaveActsOn(int selectCode)
{
    return selectCode >= 5;
}

// The house level whose layout also shows the cost: the only level whose
// companion line's cost the game reads.
constexpr bool IsFirstHouseLevel(int code)
{
    return code == 100;
}

} // namespace z7
