// Starting other programs: always detached, always with an argument list, never through a
// shell, so a file name with blanks, quotes or shell characters arrives as one argument.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tk {

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts the program detached; false (with a reason) when it could not be started.
    virtual bool Start(const std::string& program, const std::vector<std::string>& args, std::string& error) = 0;
    // Opens a document or address with the desktop's associated program; false when no
    // program is associated or the opener failed.
    virtual bool Open(const std::string& documentOrUrl, std::string& error) = 0;
};

// The real starter (QProcess::startDetached, QDesktopServices::openUrl).
class SystemStarter : public ProgramStarter {
public:
    bool Start(const std::string& program, const std::vector<std::string>& args, std::string& error) override;
    bool Open(const std::string& documentOrUrl, std::string& error) override;

    // Whether some installed program is the default for a local file's type, the type being
    // the one the desktop's opener finds (xdg-mime, which may go by content). The opener
    // reports success as soon as it has started itself, even when it then finds no program,
    // so local documents are checked first. Replaceable for tests.
    std::function<bool(const std::string& path)> HasAssociatedProgram = DesktopHasAssociatedProgram;
    static bool DesktopHasAssociatedProgram(const std::string& path);
};

// The user's text editor for a file: $QZ_EDITOR when set (a command split as a shell would
// split words, without running one; the file path is appended as one argument), otherwise the
// first handler of plain text the desktop knows (its default, then the other associations and
// the desktop database; the entry's Exec line with the file standing in for %f, %F, %u or %U,
// or added at the end), otherwise "xdg-open FILE". An editor that runs in a terminal
// (Terminal=true) is started inside the user's terminal emulator ($TERMINAL, or
// x-terminal-emulator); without one the next handler is taken. Fills program and args; false
// with the reason when no editor can run.
bool EditorCommand(const std::string& file, std::string& program, std::vector<std::string>& args,
                   std::string& reason);

}  // namespace tk
