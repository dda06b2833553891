#pragma once

#include "io/pipe_endings.h"
#include "io/pipe_events.h"

#include <string>
#include <utility>
#include <vector>

/// Records the reader's progress reports and title changes as text lines.
class RecordingPipeEvents : public PipeEvents {
public:
    void Status(int code, int value) override
    {
        lines.push_back("status " + std::to_string(code) + " " + std::to_string(value));
    }
    void Text(PipeText which, const std::string& text) override
    {
        lines.push_back("text " + std::to_string(int(which)) + " " + text);
    }
    void FontSize(PipeText which, int size) override
    {
        lines.push_back("size " + std::to_string(int(which)) + " " + std::to_string(size));
    }
    std::vector<std::string> lines;
};

/// Endings that only remember what they were asked for.
class RecordingEndings : public PipeEndings {
public:
    bool SaveDocument(CTarnDoc&, const std::string& path, Messages&) override
    {
        saved.push_back(path);
        return succeed;
    }
    bool ExportImage(CTarnDoc&, const std::string& path, int kind, int width, int height, Messages&) override
    {
        exported.push_back({path, kind, width, height});
        return succeed;
    }
    struct Export {
        std::string path;
        int kind, width, height;
        bool operator==(const Export&) const = default;
    };
    std::vector<std::string> saved;
    std::vector<Export> exported;
    bool succeed = true;
};
