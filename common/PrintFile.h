// Printing into a file (the platform's printer where none is installed), whole or not at all:
// the printer writes a temporary file beside the chosen one, and only a whole PDF takes the
// chosen name. A full disk or a failing writer leaves the file that was there and says why.
#pragma once

#include <functional>
#include <string>

class QPrinter;

namespace tk {

// A PDF that its writer finished: a PDF header, the end-of-file marker as its last line, and
// the cross-reference table where the trailer says it is, so nothing went missing on the way.
bool IsWholePdf(const std::string& path);

struct PrintedFile {
    bool Printed = false;  // sent to the printer, or written whole into the printer's file
    std::string File;      // the printer's file, when it writes one
    std::string Reason;    // why that file could not be written; empty otherwise
};

// Prints with `print` (true when it sent its pages). A printer that writes PDF files writes
// through a temporary file as said above; any other printer prints as it is.
PrintedFile PrintWhole(QPrinter& printer, const std::function<bool(QPrinter&)>& print);

}  // namespace tk
