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

bool DocumentFromBytes(CTarnDoc& doc, const void* data, std::size_t size, Messages& messages)
{
    try {
        CTarnDoc page;
        ArchiveReader in(static_cast<const unsigned char*>(data), size);
        ReadDocument(in, page);
        TakePage(doc, page);
        return true;
    } catch (const ArchiveError&) {
        messages.Show(kUnexpectedFileFormat);
    } catch (const std::bad_alloc&) {
        messages.Show("There is not enough memory to open this document.");
    }
    return false;
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

// Reads the whole file; the buffer grows with what is actually read, so a
// file that shrinks or a pipe never makes it larger than the data.
static bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
        ::close(descriptor);
        error = std::strerror(EISDIR);
        return false;
    }
    if (S_ISREG(status.st_mode) && status.st_size > 0)
        bytes.reserve(std::size_t(status.st_size));
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(descriptor, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = std::strerror(errno);
            ::close(descriptor);
            return false;
        }
        if (got == 0)
            break;
        bytes.append(chunk, std::size_t(got));
    }
    ::close(descriptor);
    return true;
}

bool OpenDocument(CTarnDoc& doc, const std::string& path, Messages& messages)
{
    std::string bytes;
    std::string error;
    try {
        if (!ReadWholeFile(path, bytes, error)) {
            messages.Show("Cannot open \"" + path + "\": " + error + ".");
            return false;
        }
    } catch (const std::bad_alloc&) {
        messages.Show("There is not enough memory to open this document.");
        return false;
    }
    return DocumentFromBytes(doc, bytes.data(), bytes.size(), messages);
}
