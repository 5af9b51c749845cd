// The dialogs of the tests: every box recorded and answered as told.
#pragma once

#include "common/Dialogs.h"

#include <optional>
#include <string>
#include <vector>

namespace tk {

// Records every box and answers from a queue (default: the first button, Ok or Yes). File and
// colour dialogs answer from their own queues (default: cancelled).
class ScriptedDialogs : public Dialogs {
public:
    std::vector<MessageBoxCall> Boxes;
    std::vector<MsgResult> Answers;                        // consumed front to back
    std::vector<std::optional<std::string>> FileAnswers;   // open and save dialogs
    std::vector<int> FilterAnswers;                        // the filter a save dialog ends on
    std::vector<FileDialogRequest> FileRequests;
    std::vector<std::optional<std::uint32_t>> ColourAnswers;
    std::vector<bool> PrinterAnswers;
    int Beeps = 0;

    MsgResult MsgBox(const MessageBoxCall& call) override;
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
    std::optional<FileChoice> SaveFileAs(const FileDialogRequest& request) override;
    std::optional<std::uint32_t> PickColour(std::uint32_t initial) override;
    bool ChoosePrinter(QPrinter& printer, bool setupOnly) override;
    void Beep() override { ++Beeps; }
};

namespace scripted {
template <typename T> T TakeFront(std::vector<T>& queue, T fallback)
{
    if (queue.empty()) return fallback;
    T v = queue.front();
    queue.erase(queue.begin());
    return v;
}
}  // namespace scripted

inline MsgResult ScriptedDialogs::MsgBox(const MessageBoxCall& call)
{
    Boxes.push_back(call);
    const MsgResult first = (call.Buttons == MsgButtons::YesNo || call.Buttons == MsgButtons::YesNoCancel)
                                ? MsgResult::Yes
                                : (call.Buttons == MsgButtons::RetryCancel ? MsgResult::Retry : MsgResult::Ok);
    return scripted::TakeFront(Answers, first);
}

inline std::optional<std::string> ScriptedDialogs::OpenFile(const FileDialogRequest& request)
{
    FileRequests.push_back(request);
    return scripted::TakeFront<std::optional<std::string>>(FileAnswers, std::nullopt);
}

inline std::optional<std::string> ScriptedDialogs::SaveFile(const FileDialogRequest& request)
{
    FileRequests.push_back(request);
    return scripted::TakeFront<std::optional<std::string>>(FileAnswers, std::nullopt);
}

inline std::optional<FileChoice> ScriptedDialogs::SaveFileAs(const FileDialogRequest& request)
{
    const std::optional<std::string> path = SaveFile(request);
    const int filter = scripted::TakeFront<int>(FilterAnswers, request.FilterIndex);
    if (!path) return std::nullopt;
    return FileChoice{*path, filter};
}

inline std::optional<std::uint32_t> ScriptedDialogs::PickColour(std::uint32_t)
{
    return scripted::TakeFront<std::optional<std::uint32_t>>(ColourAnswers, std::nullopt);
}

inline bool ScriptedDialogs::ChoosePrinter(QPrinter&, bool)
{
    return scripted::TakeFront(PrinterAnswers, false);
}

}  // namespace tk
