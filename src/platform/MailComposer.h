#pragma once
// Handing a message to the user's mail program, with a file attached, for
// the user to review and send. The running program starts xdg-email
// (XdgMailComposer); tests install a double that records what was handed.
#include <QString>
#include <functional>
#include <memory>

class MailComposer {
public:
    virtual ~MailComposer() = default;
    // done is called once: with an empty text when the mail program took the
    // message, otherwise with why not. It may be called later, from the event
    // loop, so the caller does not wait on the mail program.
    using Done = std::function<void(const QString &failure)>;
    virtual void Compose(const QString &subject, const QString &attachment, const Done &done) = 0;
};

// The mail program in use; until one is set, none can be opened.
MailComposer &Mail();
void SetMailComposer(std::shared_ptr<MailComposer> composer);
