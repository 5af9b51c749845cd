// Starting other programs: always detached, always with an argument list, never through a
// shell, so a file name with blanks, quotes or shell characters arrives as one argument. The
// desktop's programs (the text editor, the video player, the browser) are found and started the
// way the desktop itself does it, through GIO.
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
    // Opens a document or address with the desktop's program for it (for a local file, the
    // default for the type the desktop's opener finds by content; for a web address, the
    // browser); false when none is associated or it could not be started.
    virtual bool Open(const std::string& documentOrUrl, std::string& error) = 0;
    // Starts the user's text editor on one file; false with the reason when none could start.
    virtual bool Edit(const std::string& file, std::string& error) = 0;
};

// The real starter: our own programs by QProcess::startDetached, the desktop's through GIO.
class SystemStarter : public ProgramStarter {
public:
    bool Start(const std::string& program, const std::vector<std::string>& args, std::string& error) override;
    bool Open(const std::string& documentOrUrl, std::string& error) override;
    // The user's text editor: $QZ_EDITOR when set (a command split as a shell splits words,
    // without running one; the file is added as one argument), otherwise the desktop's default
    // for plain text, then the other programs the desktop knows for plain text. An editor that
    // runs in a terminal (such as vim) is started inside the user's terminal emulator
    // ($TERMINAL, else x-terminal-emulator); without one the next editor is taken.
    bool Edit(const std::string& file, std::string& error) override;
};

}  // namespace tk
