#pragma once

#include "platform/qt_messages.h"

/// Qt messages whose text reports open the Text Output window.
class DialogMessages : public QtMessages {
public:
    using QtMessages::QtMessages;
    void ShowText(const std::string& caption, const std::string& text) override;
};
