#include "common/KeyFiltersUi.h"

#include "common/InputRules.h"
#include "common/LocaleTexts.h"
#include "platform/UserPrompt.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QIntValidator>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QLineEdit>

#include <algorithm>

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
    const auto value = CurrencyAmount(box->text());
    if (!value)
        return false;
    box->setText(CurrencyText(*value));
    return true;
}

namespace {
// Typed keys go through the filter one by one. Pasted and dropped text would
// otherwise slip past it, so it is inserted as if typed: up to the first
// character the filter refuses.
class KeyFilter : public QObject {
public:
    KeyFilter(QLineEdit *box, std::function<int(int)> filter)
        : QObject(box), box_(box), filter_(std::move(filter)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key == QKeySequence::Paste) {
                InsertFiltered(QGuiApplication::clipboard()->text());
                return true;
            }
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
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            if (!drop->mimeData()->hasText())
                return true;
            box_->setCursorPosition(box_->cursorPositionAt(drop->position().toPoint()));
            InsertFiltered(drop->mimeData()->text());
            drop->acceptProposedAction();
            return true;
        }
        case QEvent::ContextMenu: {
            QMenu *menu = box_->createStandardContextMenu();
            for (QAction *action : menu->actions())
                if (action->objectName() == QLatin1String("edit-paste")) {
                    disconnect(action, &QAction::triggered, nullptr, nullptr);
                    connect(action, &QAction::triggered, this,
                            [this] { InsertFiltered(QGuiApplication::clipboard()->text()); });
                }
            menu->exec(static_cast<QContextMenuEvent *>(event)->globalPos());
            delete menu;
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    void InsertFiltered(const QString &text) {
        for (const QChar c : text) {
            if (!c.isPrint())
                continue;
            // A megabyte pasted into a full box would otherwise be offered
            // to it a character at a time.
            if (box_->text().size() - box_->selectedText().size() >= box_->maxLength()) {
                emit box_->inputRejected();
                return;
            }
            const int code = filter_(c.unicode());
            if (code == 0)
                return;
            box_->insert(QString(QChar(code)));
        }
    }

    QLineEdit *box_;
    std::function<int(int)> filter_;
};

// Qt refuses a key or cuts a paste at the box's limit without a word; this
// says it: a beep for a typed key, a message for a paste or drop.
class RefusalNotice : public QObject {
public:
    explicit RefusalNotice(QLineEdit *box) : QObject(box), box_(box) {
        box->installEventFilter(this);
        connect(box, &QLineEdit::inputRejected, this, &RefusalNotice::Refused);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            pasting_ = key == QKeySequence::Paste;
            typing_ = !pasting_ && key->text().size() == 1;
        } else if (event->type() == QEvent::KeyRelease) {
            typing_ = pasting_ = false;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Refused() {
        if (typing_) {
            Beep();
            return;
        }
        // A text the program puts into the box (a port number of 0 when no
        // modem was found) is not the user's to be told about.
        if (!pasting_ && !box_->isModified())
            return;
        // Told after the paste has ended, once however often it was refused.
        if (pending_)
            return;
        pending_ = true;
        QMetaObject::invokeMethod(
            this, [this] { Tell(); }, Qt::QueuedConnection);
    }

    void Tell() {
        pending_ = false;
        if (const auto *range = qobject_cast<const QIntValidator *>(box_->validator());
            range && box_->text().size() < box_->maxLength())
            MsgBox(QStringLiteral("This box takes a whole number from %1 to %2.\r\nThe text was not taken.")
                       .arg(range->bottom())
                       .arg(range->top()),
                   MsgButtons::Ok, QStringLiteral("Number Out of Range"));
        else
            MsgBox(QStringLiteral("This box holds at most %1 characters.\r\nThe text was cut to fit.")
                       .arg(box_->maxLength()),
                   MsgButtons::Ok, QStringLiteral("Text Too Long"));
        box_->setFocus();
    }

    QLineEdit *box_;
    bool typing_ = false;
    bool pasting_ = false;
    bool pending_ = false;
};

class WholeNumbers : public QIntValidator {
public:
    using QIntValidator::QIntValidator;
    State validate(QString &input, int &) const override {
        if (input.isEmpty())
            return Intermediate;
        const bool digits = std::all_of(input.begin(), input.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
        bool ok = false;
        const int value = input.toInt(&ok);
        return digits && ok && value >= bottom() && value <= top() ? Acceptable : Invalid;
    }
};
} // namespace

QValidator *WholeNumberValidator(int low, int high, QObject *parent) {
    return new WholeNumbers(low, high, parent);
}

void TellRefusedInput(QLineEdit *box) {
    if (box->property("tamselRefusalNotice").toBool())
        return;
    box->setProperty("tamselRefusalNotice", true);
    new RefusalNotice(box);
}

void TellRefusedInputIn(QWidget *screen) {
    for (QLineEdit *box : screen->findChildren<QLineEdit *>())
        TellRefusedInput(box);
}

void InstallKeyFilter(QLineEdit *box, std::function<int(int)> filter) {
    box->installEventFilter(new KeyFilter(box, std::move(filter)));
}
