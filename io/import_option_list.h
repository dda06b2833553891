#pragma once

#include "io/import_option.h"
#include "model/list.h"

#include <string>
#include <unordered_map>

/// The "#@" option records of one import, with an index by set number so that
/// merging a line and finding a set's record cost the same however many
/// records there are.
class ImportOptionList {
public:
    /// Adds a parsed option: a graph option is appended; a set option fills
    /// the still-unset fields of the first record for the same set (the first
    /// value given for a field wins), or is appended.
    void Merge(const ImportOption& option);

    /// The record for set `setIndex`, or null.
    const ImportOption* ForSet(int setIndex) const;

    /// The first graph record's non-empty text of `field` (a title), or null.
    const std::string* FirstTitle(std::string ImportOption::*field) const;

    int Count() const { return m_records.Count(); }
    const ImportOption& Get(int index) const { return m_records.Get(index); }
    void Clear();

private:
    List<ImportOption> m_records;  // records never move, so the index may point at them
    std::unordered_map<int, ImportOption*> m_bySet;
    const ImportOption* m_firstGraphTitle = nullptr;
    const ImportOption* m_firstXAxisTitle = nullptr;
    const ImportOption* m_firstYAxisTitle = nullptr;
};
