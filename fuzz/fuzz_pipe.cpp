// Any bytes as a link stream, read from memory in pieces of a size chosen by
// the first byte and again whole: both routes must collect the same sets and
// end with one of the reader's messages. The result then goes through the
// end-of-stream steps into a page that is drawn, so hostile ranges, ticks,
// sizes and values must leave a page that can be shown.
#include "document/page_drawing.h"
#include "document/tarn_doc.h"
#include "io/memory_pipe_source.h"
#include "io/pipe_buffer.h"
#include "io/pipe_endings.h"
#include "io/pipe_events.h"
#include "io/pipe_finish.h"
#include "io/pipe_reader.h"
#include "model/messages.h"
#include "model/page_rect.h"
#include "render/graph.h"
#include "render/recording_canvas.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

class CountingEvents : public PipeEvents {
public:
    explicit CountingEvents(CTarnDoc* doc) : m_doc(doc) {}
    void Status(int, int) override { ++reports; }
    void Text(PipeText which, const std::string& text) override
    {
        ++reports;
        if (m_doc)
            ApplyPipeText(*m_doc, which, text);
    }
    void FontSize(PipeText which, int size) override
    {
        ++reports;
        if (m_doc)
            ApplyPipeFontSize(*m_doc, which, size);
    }
    int reports = 0;

private:
    CTarnDoc* m_doc;
};

class NoEndings : public PipeEndings {
public:
    bool SaveDocument(CTarnDoc&, const std::string&, Messages&) override { return true; }
    bool ExportImage(CTarnDoc&, const std::string&, int, int, int, Messages&) override { return true; }
};

bool KnownMessage(const std::string& text)
{
    static const char* const kTexts[] = {
        "Can't read message header", "Empty pipe!", "Unknown message", "Wrong Corvid Link version!",
        "Font size is too small!", "Illegal text length", "Illegal symbol type", "Illegal symbol color",
        "Illegal symbol size", "Illegal line type", "Illegal line color", "Illegal line size",
        "Can't read data into NULL plot", "Can't read point data into NULL plot",
        "Can't read symbol type into NULL plot", "Can't read symbol color into NULL plot",
        "Can't read custom symbol color into NULL plot", "Can't read symbol size into NULL plot",
        "Can't read line type into NULL plot", "Can't read line color into NULL plot",
        "Can't read custom line color into NULL plot", "Can't read line size into NULL plot",
    };
    for (const char* known : kTexts)
        if (text == known)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::size_t chunk = 1 + data[0] % 17;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    CTarnDoc doc;
    MemoryPipeSource pieces(bytes, chunk);
    PipeBuffer pieceInput(pieces, 64);
    CountingEvents pieceEvents(&doc);
    PipeResult result = ReadPipe(pieceInput, pieceEvents);

    MemoryPipeSource whole(bytes);
    PipeBuffer wholeInput(whole);
    CountingEvents wholeEvents(nullptr);
    const PipeResult again = ReadPipe(wholeInput, wholeEvents);

    if (result.failed != again.failed || result.error != again.error ||
        result.finished.Count() != again.finished.Count() || pieceEvents.reports != wholeEvents.reports ||
        result.saveOption != again.saveOption || result.saveFileName != again.saveFileName)
        std::abort();
    for (int i = 0; i < result.finished.Count(); ++i)
        if (result.finished.Get(i).PointCount() != again.finished.Get(i).PointCount())
            std::abort();
    if (result.failed && !KnownMessage(result.error))
        std::abort();
    if (!result.failed && !result.halted && result.saveOption == kPipeNoSave && !result.closeAfter &&
        bytes.empty())
        std::abort(); // an empty stream cannot end normally

    SilentMessages messages;
    NoEndings endings;
    const int sets = result.finished.Count();
    FinishPipe(doc, result, messages, endings);
    if (doc.m_graphs[0].m_plots.Count() != sets || doc.m_pipeNumber != 0)
        std::abort();
    CarryOutPendingExport(doc, endings, messages);

    RecordingCanvas canvas;
    DrawPage(doc, canvas, PageRect{0, 0, 400, 300});
    return 0;
}
