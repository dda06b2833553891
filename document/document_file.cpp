#include "document/document_file.h"

#include "document/archive_reader.h"
#include "document/archive_writer.h"
#include "document/document_records.h"
#include "document/tarn_doc.h"
#include "model/drawing_settings.h"
#include "model/messages.h"
#include "model/safe_file_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

std::string DocumentToBytes(const CTarnDoc& doc)
{
    ArchiveWriter out;
    WriteDocument(out, doc);
    return out.Take();
}

// Moves what a document file holds from the freshly read page into `doc`;
// the pipe state and pending exports belong to the running program and stay.
static void TakePage(CTarnDoc& doc, CTarnDoc& page)
{
    doc.m_graphs.swap(page.m_graphs);
    doc.m_labels = std::move(page.m_labels);
    doc.m_graphCount = page.m_graphCount;
    doc.m_rows = page.m_rows;
    doc.m_columns = page.m_columns;
    doc.m_graphWidth = page.m_graphWidth;
    doc.m_graphHeight = page.m_graphHeight;
    doc.m_verticalGap = page.m_verticalGap;
    doc.m_horizontalGap = page.m_horizontalGap;
    doc.m_startX = page.m_startX;
    doc.m_startY = page.m_startY;
    doc.m_currentGraph = page.m_currentGraph;
    doc.m_pageColor = page.m_pageColor;
    doc.m_displaySettings = page.m_displaySettings;
    doc.SetModifiedFlag(false);
    lineScaling = doc.m_displaySettings.lineScaling;
    fontScaling = doc.m_displaySettings.fontScaling;
    doc.ResetHistory();
}

// Reads a page from `in` into a fresh document and, when all of it reads,
// into `doc`. A file that fails to read shows `path` and why.
static bool ReadPage(CTarnDoc& doc, ArchiveReader& in, const std::string& path, Messages& messages)
{
    try {
        CTarnDoc page;
        ReadDocument(in, page);
        TakePage(doc, page);
        return true;
    } catch (const ArchiveError& error) {
        if (error.cause == ArchiveError::kReadFailed)
            messages.Show("Cannot open \"" + path + "\": " + std::strerror(error.error) + ".");
        else
            messages.Show(kUnexpectedFileFormat);
    } catch (const std::bad_alloc&) {
        messages.Show("There is not enough memory to open this document.");
    }
    return false;
}

bool DocumentFromBytes(CTarnDoc& doc, const void* data, std::size_t size, Messages& messages)
{
    ArchiveReader in(static_cast<const unsigned char*>(data), size);
    return ReadPage(doc, in, std::string(), messages);
}

bool SaveDocument(const CTarnDoc& doc, const std::string& path, Messages& messages)
{
    std::string bytes;
    try {
        bytes = DocumentToBytes(doc);
    } catch (const std::bad_alloc&) {
        messages.Show("There is not enough memory to save \"" + path + "\".");
        return false;
    }
    std::string error;
    if (WriteFileSafely(path, bytes, &error))
        return true;
    messages.Show("Cannot save \"" + path + "\": " + error + ".");
    return false;
}

bool OpenDocument(CTarnDoc& doc, const std::string& path, Messages& messages)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    const int error = descriptor < 0                           ? errno
                      : ::fstat(descriptor, &status) != 0      ? errno
                      : S_ISDIR(status.st_mode)                ? EISDIR
                                                               : 0;
    if (error != 0) {
        if (descriptor >= 0)
            ::close(descriptor);
        messages.Show("Cannot open \"" + path + "\": " + std::strerror(error) + ".");
        return false;
    }
    // The file is read as its records ask for bytes: a regular file's length
    // bounds its counts, and a pipe or a device is never read further than
    // the records read so far justify.
    std::optional<std::uint64_t> size;
    if (S_ISREG(status.st_mode))
        size = std::uint64_t(status.st_size);
    ArchiveReader in(descriptor, size);
    const bool opened = ReadPage(doc, in, path, messages);
    ::close(descriptor);
    return opened;
}
