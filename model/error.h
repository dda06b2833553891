#pragma once

/// The program's exception family. Each error carries a constant message, the
/// name of the source unit that raised it and a line number; none of them own
/// their texts. Handlers show only the message (or "Excepts error thrown" when
/// there is none).
class Error {
public:
    Error(const char* message = nullptr, const char* file = nullptr, int line = 0)
        : message(message), file(file), line(line) {}
    virtual ~Error() = default;

    /// The text a handler shows: the message, or "Excepts error thrown" when null.
    const char* Text() const { return message ? message : "Excepts error thrown"; }

    const char* message;
    const char* file;
    int line;
};

/// Command-line errors.
class IO_Error : public Error {
public:
    using Error::Error;
};

/// An index outside a fixed table in markup text.
class Bounds_Error : public Error {
public:
    using Error::Error;
};

/// Allocation failure in markup text.
class Mem_Error : public Error {
public:
    using Error::Error;
};
