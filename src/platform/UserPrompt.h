#pragma once
// Message boxes, the input box and the beep, as the rest of the program
// sees them. The running program shows real dialogs (QtUserPrompt); tests
// install a double that answers from a script.
#include <QString>
#include <memory>
#include <optional>

enum class MsgButtons { Ok, YesNo, OkCancel, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    // Shows a modal box; an empty title shows the application's title.
    virtual MsgAnswer MsgBox(const QString &text, MsgButtons buttons, const QString &title) = 0;
    // Asks for a line of text; nothing when the user cancels.
    virtual std::optional<QString> InputBox(const QString &prompt, const QString &title,
                                            const QString &defaultText) = 0;
    virtual void Beep() = 0;
};

// The title every box without a caption of its own carries.
inline const QString AppTitle = QStringLiteral("Tamsel Proposal");

// The prompt in use; there is always one (a silent default until one is set).
UserPrompt &Prompt();
void SetPrompt(std::shared_ptr<UserPrompt> prompt);

// Short forms for the common boxes.
MsgAnswer MsgBox(const QString &text, MsgButtons buttons = MsgButtons::Ok, const QString &title = {});
void Beep();
