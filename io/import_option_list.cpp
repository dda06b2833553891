#include "io/import_option_list.h"

void ImportOptionList::Merge(const ImportOption& option)
{
    if (option.m_setIndex >= 0) {
        const auto found = m_bySet.find(option.m_setIndex);
        if (found != m_bySet.end()) {
            ImportOption& record = *found->second;
            auto take = [](int& field, int value) {
                if (field == -1)
                    field = value;
            };
            take(record.m_pointStyle, option.m_pointStyle);
            take(record.m_pointSize, option.m_pointSize);
            take(record.m_lineStyle, option.m_lineStyle);
            take(record.m_lineSize, option.m_lineSize);
            take(record.m_lineColor, option.m_lineColor);
            take(record.m_pointColor, option.m_pointColor);
            take(record.m_errorBarDisplay, option.m_errorBarDisplay);
            if (record.m_infoGiven == -1 && option.m_infoGiven == 1) {
                record.m_infoGiven = 1;
                record.m_infoText = option.m_infoText;
            }
            return;
        }
    }
    m_records.Append(option);
    ImportOption& record = m_records.Get(m_records.Count() - 1);
    if (record.m_setIndex >= 0) {
        m_bySet.emplace(record.m_setIndex, &record);
        return;
    }
    if (record.m_setIndex == -1) {
        if (!m_firstGraphTitle && !record.m_graphTitle.empty())
            m_firstGraphTitle = &record;
        if (!m_firstXAxisTitle && !record.m_xAxisTitle.empty())
            m_firstXAxisTitle = &record;
        if (!m_firstYAxisTitle && !record.m_yAxisTitle.empty())
            m_firstYAxisTitle = &record;
    }
}

const ImportOption* ImportOptionList::ForSet(int setIndex) const
{
    const auto found = m_bySet.find(setIndex);
    return found == m_bySet.end() ? nullptr : found->second;
}

const std::string* ImportOptionList::FirstTitle(std::string ImportOption::*field) const
{
    const ImportOption* record = field == &ImportOption::m_graphTitle   ? m_firstGraphTitle
                                 : field == &ImportOption::m_xAxisTitle ? m_firstXAxisTitle
                                 : field == &ImportOption::m_yAxisTitle ? m_firstYAxisTitle
                                                                        : nullptr;
    return record ? &(record->*field) : nullptr;
}

void ImportOptionList::Clear()
{
    m_bySet.clear();
    m_firstGraphTitle = m_firstXAxisTitle = m_firstYAxisTitle = nullptr;
    m_records.Clear();
}
