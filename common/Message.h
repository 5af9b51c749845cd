// A message box as a value: its text, title, icon and buttons. Code that decides what to tell
// the user returns one of these; the window that applies the decision shows it.
#pragma once

#include <string>

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

}  // namespace tk
