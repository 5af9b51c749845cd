#include "common/FileErrors.h"

namespace tk {

std::string RoutineTitle(const std::string& routine) { return "In '" + routine + "' routine ..."; }

std::string UnexpectedErrorText(const std::string& number, const std::string& description)
{
    return "Unexpected error #" + number + " occured: " + description;
}

std::optional<MessageBoxCall> FileErrorBox(FileErrorKind kind, const std::string& title, const std::string& name,
                                           const std::string& unexpectedText)
{
    switch (kind) {
    case FileErrorKind::NotReady:
        return MessageBoxCall{"Put a floppy disk in the drive and cloce the drive door.", title, MsgIcon::Exclamation,
                              MsgButtons::OkCancel};
    case FileErrorKind::PathMissing:
        return MessageBoxCall{"This drive or path does not exist: " + name, title, MsgIcon::Exclamation, MsgButtons::Ok};
    case FileErrorKind::Cancelled:
        return std::nullopt;
    case FileErrorKind::Other:
        return MessageBoxCall{unexpectedText, title, MsgIcon::Critical, MsgButtons::Ok};
    }
    return std::nullopt;
}

}  // namespace tk
