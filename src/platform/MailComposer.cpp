#include "platform/MailComposer.h"

namespace {

class NoMailProgram : public MailComposer {
public:
    void Compose(const QString &, const QString &, const Done &done) override {
        done(QStringLiteral("No mail program is set up."));
    }
};

std::shared_ptr<MailComposer> &Current() {
    static std::shared_ptr<MailComposer> composer = std::make_shared<NoMailProgram>();
    return composer;
}

} // namespace

MailComposer &Mail() {
    return *Current();
}

void SetMailComposer(std::shared_ptr<MailComposer> composer) {
    Current() = composer ? std::move(composer) : std::make_shared<NoMailProgram>();
}
