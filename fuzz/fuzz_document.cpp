// Any bytes as a document file, opened over a page that already holds data.
// A failed open must leave that page exactly as it was and say why; a page
// that opens must save and open again to the same bytes. The same bytes read
// from a pipe, as they arrive, must give the same page or the same failure.
#include "document/document_file.h"
#include "document/tarn_doc.h"
#include "model/drawing_settings.h"
#include "model/messages.h"
#include "render/graph.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unistd.h>

namespace {

// Counts what is shown; an open shows exactly one message when it fails.
class CountingMessages : public SilentMessages {
public:
    void Show(const std::string& text) override
    {
        ++shown;
        last = text;
    }
    int shown = 0;
    std::string last;
};

CTarnDoc EarlierPage()
{
    CTarnDoc doc;
    Plot plot;
    plot.AddPoint(1, 2);
    plot.AddPoint(3, 4);
    plot.AddDy(0.5f);
    doc.CurrentGraph().m_plots.Append(plot);
    doc.m_labels.Append(TextObject("earlier"));
    doc.SetModifiedFlag();
    return doc;
}

// Opens `data` as the stream of a pipe (whose length the reader cannot know)
// over a copy of the earlier page; false when the bytes do not fit the pipe.
bool OpenThroughPipe(const std::uint8_t* data, std::size_t size, bool& opened, std::string& page)
{
    int ends[2];
    if (size > 60000 || ::pipe(ends) != 0)
        return false;
    const bool written = ::write(ends[1], data, size) == ssize_t(size);
    ::close(ends[1]);
    if (written) {
        CTarnDoc doc = EarlierPage();
        CountingMessages messages;
        opened = OpenDocument(doc, "/dev/fd/" + std::to_string(ends[0]), messages);
        page = DocumentToBytes(doc);
    }
    ::close(ends[0]);
    return written;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CTarnDoc doc = EarlierPage();
    const std::string before = DocumentToBytes(doc);
    CountingMessages messages;
    const bool opened = DocumentFromBytes(doc, data, size, messages);
    bool piped = false;
    std::string pipedPage;
    if (OpenThroughPipe(data, size, piped, pipedPage) && (piped != opened || pipedPage != DocumentToBytes(doc)))
        __builtin_trap();
    if (!opened) {
        if (messages.shown != 1 || DocumentToBytes(doc) != before || !doc.IsModified())
            __builtin_trap();
        return 0;
    }
    if (messages.shown != 0 || doc.IsModified())
        __builtin_trap();
    if (doc.m_graphCount != int(doc.m_graphs.size()) || doc.m_currentGraph < 0 ||
        doc.m_currentGraph >= doc.m_graphCount || !doc.CurrentGraph().m_selected)
        __builtin_trap();
    const std::string saved = DocumentToBytes(doc);
    CTarnDoc again;
    if (!DocumentFromBytes(again, saved.data(), saved.size(), messages) ||
        DocumentToBytes(again) != saved)
        __builtin_trap();
    lineScaling = 1;
    fontScaling = 1.0f;
    return 0;
}
