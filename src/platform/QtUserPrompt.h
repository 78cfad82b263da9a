#pragma once
#include "platform/UserPrompt.h"

// The prompt of the running program: real QMessageBox and QInputDialog.
class QtUserPrompt : public UserPrompt {
public:
    MsgAnswer MsgBox(const QString &text, MsgButtons buttons, const QString &title) override;
    std::optional<QString> InputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText) override;
    void Beep() override;
};
