// How both programs tell the user that a file or directory could not be reached: the four
// kinds of failure they tell apart and the box each kind gets, in the old programs' words.
// Each program has one table from the system's error numbers (errno) to these: the viewer's
// in plots/run/FileAccess, the launcher's in Pitchwell/Startup.
#pragma once

#include "common/Message.h"

#include <optional>
#include <string>

namespace tk {

enum class FileErrorKind {
    NotReady,     // the medium is not there or busy: the user may retry
    PathMissing,  // the device or a directory on the way does not exist
    Cancelled,    // the user cancelled: no message
    Other,        // anything else: reported with the error's number and description
};

// The title of a routine's boxes: "In 'FileOld' routine ...".
std::string RoutineTitle(const std::string& routine);

// "Unexpected error #" + the number as the program writes it + " occured: " + the description.
std::string UnexpectedErrorText(const std::string& number, const std::string& description);

// The box for a failure met on `name`: the disk-not-ready prompt (OK tries again, Cancel gives
// up), the missing drive or path, or the unexpected error with its text; none when cancelled.
std::optional<MessageBoxCall> FileErrorBox(FileErrorKind kind, const std::string& title, const std::string& name,
                                           const std::string& unexpectedText);

}  // namespace tk
