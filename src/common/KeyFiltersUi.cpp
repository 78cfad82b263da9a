#include "common/KeyFiltersUi.h"

#include "common/InputRules.h"
#include "common/LocaleTexts.h"
#include "platform/UserPrompt.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QLineEdit>

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
            const int code = filter_(c.unicode());
            if (code == 0)
                return;
            box_->insert(QString(QChar(code)));
        }
    }

    QLineEdit *box_;
    std::function<int(int)> filter_;
};
} // namespace

void InstallKeyFilter(QLineEdit *box, std::function<int(int)> filter) {
    box->installEventFilter(new KeyFilter(box, std::move(filter)));
}
