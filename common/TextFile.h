// Text files as the tools write them: 8-bit text read as UTF-8 when the bytes are valid UTF-8
// and as Windows-1252 otherwise; lines end in CR, CR LF or LF. Files are written as UTF-8.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace tk {

// Opens a file for reading without waiting on what its name holds: a FIFO, a socket, a device
// or a directory is refused (EISDIR for a directory, EINVAL for the others), so a name that
// another program or user controls can never hang the program. A descriptor, or -1 with errno.
int OpenRegularFile(const std::string& path);

// The whole content of a regular file of at most `limit` bytes (EFBIG beyond); 0 or an errno.
int ReadRegularFile(const std::string& path, std::string& bytes, std::size_t limit);

// The bytes of one line as text: UTF-8 kept, anything else read as Windows-1252.
std::string DecodeLine(const std::string& bytes);

// Reads a regular file line by line (OpenRegularFile). A line longer than the limit fails the
// read instead of growing without bound, so a file that is not text at all is rejected quickly.
class LineReader {
public:
    explicit LineReader(std::size_t maxLineBytes = 1 << 20) : maxLine_(maxLineBytes) {}
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    // False with errno set when the file cannot be opened or is no regular file.
    bool Open(const std::string& path);
    bool IsOpen() const { return fd_ >= 0; }
    void Close();
    // The next line without its line end, decoded. False at the end of the file, on a read
    // error or on an overlong line (Failed() tells the two last apart from the end).
    bool ReadLine(std::string& line);
    bool AtEnd();
    bool Failed() const { return failed_; }

private:
    // Reads the next block of the file; false when nothing more could be read.
    bool Fill();

    int fd_ = -1;
    bool eof_ = false;
    // The file is read in blocks; lines are cut from the block in hand.
    std::unique_ptr<char[]> block_;
    std::size_t at_ = 0, end_ = 0;
    std::size_t maxLine_;
    bool failed_ = false;
};

// Writes the text as the file's whole content: a failure leaves the file as it was.
bool WriteTextFile(const std::string& path, const std::string& text);

}  // namespace tk
