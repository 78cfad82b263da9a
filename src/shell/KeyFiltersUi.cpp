#include "shell/KeyFiltersUi.h"

#include "platform/UserPrompt.h"
#include "shell/InputRules.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

int CheckKeyEntry(int keyCode, QLineEdit *box) {
    if (keyCode == BackspaceKey)
        return keyCode;
    if (box && IsNumericText(box->text()))
        return keyCode;
    const QChar key(keyCode);
    if (!IsRefusedKey(key))
        return keyCode;
    Beep();
    MsgBox(QStringLiteral("This character, (") + key + QStringLiteral(") is invalid for this field"),
           MsgButtons::Ok, QStringLiteral("Invalid Key entry"));
    if (box)
        box->setFocus();
    return 0;
}

int NumericKeyFilter(int keyCode) {
    if (keyCode == BackspaceKey)
        return keyCode;
    if (keyCode > 0 && keyCode < 0x10000 && QStringLiteral("0123456789.").contains(QChar(keyCode)))
        return keyCode;
    Beep();
    return 0;
}

bool FormatCurrencyBox(QLineEdit *box) {
    const auto value = ParseNumericText(box->text());
    if (!value)
        return false;
    box->setText(QLocale().toCurrencyString(*value));
    return true;
}

namespace {
class KeyFilter : public QObject {
public:
    KeyFilter(QLineEdit *box, std::function<int(int)> filter) : QObject(box), filter_(std::move(filter)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        auto *key = static_cast<QKeyEvent *>(event);
        int code = 0;
        if (key->key() == Qt::Key_Backspace)
            code = BackspaceKey;
        else if (key->text().size() == 1 && key->text().at(0).isPrint())
            code = key->text().at(0).unicode();
        // Navigation and editing keys (arrows, Delete, Tab) are not characters.
        if (code == 0)
            return false;
        return filter_(code) == 0;
    }

private:
    std::function<int(int)> filter_;
};
} // namespace

void InstallKeyFilter(QLineEdit *box, std::function<int(int)> filter) {
    box->installEventFilter(new KeyFilter(box, std::move(filter)));
}
