// Message boxes and the common dialogs (open, save, colour, printer) go through this one
// interface. The Qt implementation shows real dialogs; tests use ScriptedDialogs, which
// records every box and answers as told.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QPrinter;
class QWidget;
class QFileDialog;

namespace tk {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgResult { Ok, Cancel, Yes, No, Retry };

struct MessageBoxCall {
    std::string Text;
    std::string Title;
    MsgIcon Icon = MsgIcon::None;
    MsgButtons Buttons = MsgButtons::Ok;
};

// A file dialog request. Filters are "Label|pattern;pattern" pairs, as the programs name them:
// "All Files (*.*)|*.*|Plot Data Files (*.plt, *.gif)|*.plt;*.gif"; FilterIndex is 1-based.
struct FileDialogRequest {
    std::string Title;
    std::string InitialDir;
    std::string Filter;
    int FilterIndex = 1;
    std::string ProposedName;  // save dialog only
};

// What a save dialog chose: the path and the filter that was selected (1-based).
struct FileChoice {
    std::string Path;
    int FilterIndex = 1;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgResult MsgBox(const MessageBoxCall& call) = 0;
    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
    // The save dialog, telling also which filter the user had selected.
    virtual std::optional<FileChoice> SaveFileAs(const FileDialogRequest& request)
    {
        const std::optional<std::string> path = SaveFile(request);
        if (!path) return std::nullopt;
        return FileChoice{*path, request.FilterIndex};
    }
    // Colour in BBGGRR form (red in the lowest byte); nothing when cancelled.
    virtual std::optional<std::uint32_t> PickColour(std::uint32_t initial) = 0;
    // Lets the user choose and set up a printer; False when cancelled.
    virtual bool ChoosePrinter(QPrinter& printer, bool setupOnly) = 0;
    virtual void Beep() = 0;

    // Shorthand for the common box.
    MsgResult Show(const std::string& text, const std::string& title,
                   MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::Ok)
    {
        return MsgBox({text, title, icon, buttons});
    }
};

// Sets up an open or save dialog from a request: title, start directory, filters with the
// requested one chosen, the proposed name.
void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool save);

// Real dialogs, parented to the given widget (may be null).
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    MsgResult MsgBox(const MessageBoxCall& call) override;
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
    std::optional<FileChoice> SaveFileAs(const FileDialogRequest& request) override;
    std::optional<std::uint32_t> PickColour(std::uint32_t initial) override;
    bool ChoosePrinter(QPrinter& printer, bool setupOnly) override;
    void Beep() override;

private:
    QWidget* parent_;
};

}  // namespace tk
