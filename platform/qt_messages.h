#pragma once

#include "model/messages.h"

class QWidget;

/// Messages shown in Qt message boxes: "CorvidPlot" as the caption, an OK
/// button for messages and Yes/No for questions. Text reports open a read-only
/// window; subclasses supply the window through `ShowText`.
class QtMessages : public Messages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    void Show(const std::string& text) override;
    bool Ask(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    void ShowText(const std::string& caption, const std::string& text) override;

protected:
    QWidget* m_parent;
};
