#pragma once

#include "model/messages.h"

#include <string>
#include <vector>

/// Messages that remember every text shown and answer questions with a
/// preset reply.
class RecordingMessages : public Messages {
public:
    void Show(const std::string& text) override { shown.push_back(text); }
    bool Ask(const std::string& text) override
    {
        asked.push_back(text);
        return answer;
    }
    void ShowText(const std::string& caption, const std::string& text) override
    {
        shown.push_back(caption + ": " + text);
    }

    std::vector<std::string> shown;
    std::vector<std::string> asked;
    bool answer = true;
};
