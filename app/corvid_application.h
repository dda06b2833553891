#pragma once

#include <QApplication>

#include <functional>

class Messages;

/// The message shown when a command runs out of memory.
inline constexpr const char* kOutOfMemoryMessage =
    "There is not enough memory to finish this command. It was abandoned; the page is as it was before it.";

/// corvid's application object: a command that fails with an exception no
/// handler caught (memory exhausted, a model error) is abandoned with a
/// message instead of ending the program, so the open page is never lost.
class CorvidApplication : public QApplication {
public:
    CorvidApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    /// Where the messages go; without one they are written to standard error.
    static void SetMessages(Messages* messages);

    bool notify(QObject* receiver, QEvent* event) override;

    /// Runs `work`, turning the exceptions that may escape a command into
    /// messages: `std::bad_alloc` into `kOutOfMemoryMessage`, an `Error` into
    /// its text, an engine text into itself. Returns what `work` returned, or
    /// false after an exception.
    static bool Guard(const std::function<bool()>& work, Messages* messages);
};
