#include "platform/UserPrompt.h"

namespace {

// Until the program or a test installs a prompt, boxes answer as if the
// user had pressed the default button; nothing may block on them.
class SilentPrompt : public UserPrompt {
public:
    MsgAnswer MsgBox(const QString &, MsgButtons buttons, const QString &) override {
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::No
                                                                                  : MsgAnswer::Ok;
    }
    std::optional<QString> InputBox(const QString &, const QString &, const QString &) override {
        return std::nullopt;
    }
    void Beep() override {}
};

std::shared_ptr<UserPrompt> &Current() {
    static std::shared_ptr<UserPrompt> prompt = std::make_shared<SilentPrompt>();
    return prompt;
}

} // namespace

UserPrompt &Prompt() { return *Current(); }

void SetPrompt(std::shared_ptr<UserPrompt> prompt) {
    Current() = prompt ? std::move(prompt) : std::make_shared<SilentPrompt>();
}

MsgAnswer MsgBox(const QString &text, MsgButtons buttons, const QString &title) {
    return Prompt().MsgBox(text, buttons, title);
}

void Beep() { Prompt().Beep(); }
