#pragma once

#include <cstdio>
#include <functional>
#include <string>

/// Every message box, Yes/No question and text report of the program goes
/// through this interface, so the same code runs with a screen or without.
class Messages {
public:
    virtual ~Messages() = default;
    /// Shows `text` and waits until the user has read it.
    virtual void Show(const std::string& text) = 0;
    /// Asks a Yes/No question; true for Yes.
    virtual bool Ask(const std::string& text) = 0;
    /// The answers to a Yes/No/Cancel question.
    enum class Answer { Yes, No, Cancel };
    /// Asks a Yes/No/Cancel question (the save-changes question). Where no
    /// Cancel can be given the plain question is asked, so Yes stays Yes.
    virtual Answer AskYesNoCancel(const std::string& text) { return Ask(text) ? Answer::Yes : Answer::No; }

    /// Shows a read-only text report under `caption` (the Text Output window).
    virtual void ShowText(const std::string& caption, const std::string& text) = 0;
    /// Shows a progress text in the status line: passes it to the status
    /// hook, and is silent where none is set.
    virtual void Status(const std::string& text)
    {
        if (m_statusHook)
            m_statusHook(text);
    }

    /// Sets (or, with an empty hook, clears) where progress texts go; the
    /// main window points it at its status line.
    void SetStatusHook(std::function<void(const std::string&)> hook) { m_statusHook = std::move(hook); }

private:
    std::function<void(const std::string&)> m_statusHook;
};

/// Messages that go nowhere: nothing is shown and every question is answered
/// Yes. For benchmarks, fuzz targets and batch steps whose messages nobody reads.
class SilentMessages : public Messages {
public:
    void Show(const std::string&) override {}
    bool Ask(const std::string&) override { return true; }
    void ShowText(const std::string&, const std::string&) override {}
};

/// Messages without a screen: each message is one line "message: TEXT" and each
/// question one line "question: TEXT" (answered Yes) on `errors`, with CR and LF
/// written as \r and \n; text reports go to `output` as the caption line and
/// then the text. Nothing blocks.
class StreamMessages : public Messages {
public:
    explicit StreamMessages(std::FILE* errors = stderr, std::FILE* output = stdout)
        : m_errors(errors), m_output(output) {}
    void Show(const std::string& text) override;
    bool Ask(const std::string& text) override;
    void ShowText(const std::string& caption, const std::string& text) override;

    /// `text` with CR and LF written as the two-character escapes \r and \n.
    static std::string Escape(const std::string& text);

private:
    std::FILE* m_errors;
    std::FILE* m_output;
};

/// True when CORVID_MESSAGES=stderr asks for messages on standard error.
bool MessagesToStderr();
