#include "io/riff_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

// Read blocks of this size keep the system calls few (about a hundred for a
// ten-minute CD-quality file) without holding the whole file.
static constexpr std::size_t kBlockSize = std::size_t(1) << 20;

static std::uint32_t Little32(const std::uint8_t* bytes)
{
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

RiffReader::RiffReader(int file)
{
    struct stat info {};
    if (::fstat(file, &info) == 0 && S_ISREG(info.st_mode)) {
        m_file = file;
        m_size = std::uint64_t(info.st_size);
        return;
    }
    // A pipe has no positions to read at: it is read into memory, but only as
    // far as its header says the file goes. The 12 header bytes come first;
    // a stream that does not start with "RIFF" (a device of zeros) is read no
    // further.
    std::size_t used = 0;
    const auto readUpTo = [&](std::uint64_t limit) {
        while (used < limit) {
            if (used == m_owned.size())
                m_owned.resize(std::size_t(std::min<std::uint64_t>(limit, std::max(m_owned.size() * 2, kBlockSize))));
            const ssize_t n = ::read(file, m_owned.data() + used, m_owned.size() - used);
            if (n > 0) {
                used += std::size_t(n);
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else {
                m_readFailed = n < 0;
                return false;
            }
        }
        return true;
    };
    m_owned.resize(12);
    if (readUpTo(12) && Little32(m_owned.data()) == FourCC("RIFF"))
        readUpTo(std::uint64_t(Little32(m_owned.data() + 4)) + 8);
    m_owned.resize(used);
    m_data = m_owned.data();
    m_size = used;
}

RiffReader::RiffReader(const void* data, std::size_t size)
    : m_data(static_cast<const std::uint8_t*>(data)), m_size(data ? size : 0)
{
}

std::size_t RiffReader::ReadFileAt(std::uint64_t offset, std::uint8_t* into, std::size_t count)
{
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = ::pread(m_file, into + got, count - got, off_t(offset + got));
        if (n > 0) {
            got += std::size_t(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            m_readFailed = m_readFailed || n < 0;
            break;
        }
    }
    return got;
}

std::span<const std::uint8_t> RiffReader::Load(std::uint64_t offset, std::size_t count)
{
    if (offset >= m_size)
        return {};
    count = std::size_t(std::min<std::uint64_t>(count, m_size - offset));
    if (m_file < 0)
        return {m_data + offset, count};
    if (count > m_blockSize) {
        m_block = std::make_unique_for_overwrite<std::uint8_t[]>(std::max(count, kBlockSize));
        m_blockSize = std::max(count, kBlockSize);
    }
    return {m_block.get(), ReadFileAt(offset, m_block.get(), count)};
}

bool RiffReader::ReadForm(RiffChunk& form, std::uint32_t& formType)
{
    const std::span<const std::uint8_t> header = Load(0, 12);
    formType = 0;
    if (header.size() < 8)
        return false;
    form.id = Little32(header.data());
    form.size = Little32(header.data() + 4);
    form.offset = 8;
    if (header.size() == 12)
        formType = Little32(header.data() + 8);
    return true;
}

bool RiffReader::FindChunk(const RiffChunk& form, std::uint32_t id, RiffChunk& found)
{
    // A form's size counts its form type and its chunks; a size that runs
    // past the file is cut to the file.
    const std::uint64_t end = std::min<std::uint64_t>(form.offset + form.size, m_size);
    std::uint64_t position = form.offset + 4;
    while (position + 8 <= end) {
        const std::span<const std::uint8_t> header = Load(position, 8);
        if (header.size() < 8)
            return false;
        const std::uint32_t code = Little32(header.data());
        const std::uint32_t size = Little32(header.data() + 4);
        if (code == id) {
            found = {code, size, position + 8};
            return true;
        }
        position += 8 + std::uint64_t(size) + (size & 1u);
    }
    return false;
}
