#include "plots/run/RunBoxes.h"

#include "plots/data/Listings.h"
#include "plots/run/FileAccess.h"

namespace plots {

std::optional<tk::MessageBoxCall> ReadFailureBox(const ReadOutcome& read, const std::string& plotBase)
{
    if (read.Status == ReadStatus::Corrupted)
        return tk::MessageBoxCall{CorruptedText(plotBase), CorruptedTitle(read.Label), tk::MsgIcon::Exclamation,
                                  tk::MsgButtons::Ok};
    if (read.Status == ReadStatus::Unreadable)
        return tk::MessageBoxCall{UnexpectedErrorText(read.Error), RoutineTitle("ReadPlotData"), tk::MsgIcon::Critical,
                                  tk::MsgButtons::Ok};
    return std::nullopt;
}

tk::MessageBoxCall NoPlotFileBox()
{
    return {"No plot file found, needs to be a *.GIF or *.plt file.", "Graphel", tk::MsgIcon::None, tk::MsgButtons::Ok};
}

tk::MessageBoxCall SourceMissingBox(const std::string& plotBase)
{
    return {plotBase + "\r\nSource file is missing or corrupted.", "Reading source file error",
            tk::MsgIcon::Exclamation, tk::MsgButtons::Ok};
}

tk::MessageBoxCall FontReleaseBox()
{
    return {"Error deleting font object.", "Graphel", tk::MsgIcon::Exclamation, tk::MsgButtons::Ok};
}

std::string OutputListingText(const std::string& path, bool exists, bool& complete)
{
    complete = false;
    if (!exists) return OutputMissingNotice(path);
    // The first line continues the box's last line: no break is put in front of it.
    const Listing listing = ReadListing(path);
    complete = listing.Complete;
    return complete ? listing.Text : listing.Text + OutputCorruptedNotice(path);
}

}  // namespace plots
