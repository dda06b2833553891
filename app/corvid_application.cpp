#include "app/corvid_application.h"

#include "model/error.h"
#include "model/messages.h"

#include <cstdio>
#include <new>

static Messages* g_messages = nullptr;

void CorvidApplication::SetMessages(Messages* messages)
{
    g_messages = messages;
}

bool CorvidApplication::notify(QObject* receiver, QEvent* event)
{
    return Guard([&] { return QApplication::notify(receiver, event); }, g_messages);
}

static void Report(Messages* messages, const char* text)
{
    if (!messages) {
        std::fprintf(stderr, "corvid: %s\n", text);
        return;
    }
    // Showing a message needs a little memory too; if even that fails, say it
    // the plain way rather than end the program.
    try {
        messages->Show(text);
    } catch (...) {
        std::fprintf(stderr, "corvid: %s\n", text);
    }
}

bool CorvidApplication::Guard(const std::function<bool()>& work, Messages* messages)
{
    try {
        return work();
    } catch (const std::bad_alloc&) {
        Report(messages, kOutOfMemoryMessage);
    } catch (const Error& error) {
        Report(messages, error.Text());
    } catch (const char* text) {
        Report(messages, text ? text : "Excepts error thrown");
    }
    return false;
}
