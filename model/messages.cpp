#include "model/messages.h"

#include <cstdlib>
#include <cstring>

std::string StreamMessages::Escape(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == '\r')
            escaped += "\\r";
        else if (c == '\n')
            escaped += "\\n";
        else
            escaped += c;
    }
    return escaped;
}

void StreamMessages::Show(const std::string& text)
{
    std::fprintf(m_errors, "message: %s\n", Escape(text).c_str());
    std::fflush(m_errors);
}

bool StreamMessages::Ask(const std::string& text)
{
    std::fprintf(m_errors, "question: %s\n", Escape(text).c_str());
    std::fflush(m_errors);
    return true;
}

void StreamMessages::ShowText(const std::string& caption, const std::string& text)
{
    std::fprintf(m_output, "%s\n", caption.c_str());
    std::fwrite(text.data(), 1, text.size(), m_output);
    std::fflush(m_output);
}

bool MessagesToStderr()
{
    const char* value = std::getenv("CORVID_MESSAGES");
    return value && std::strcmp(value, "stderr") == 0;
}
