#include "common/StoredTextUi.h"

#include "common/StoredText.h"
#include "platform/TextCodec.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace {

QString BoxText(QWidget *box) {
    if (auto *line = qobject_cast<QLineEdit *>(box))
        return line->text();
    if (auto *combo = qobject_cast<QComboBox *>(box))
        return combo->currentText();
    if (auto *text = qobject_cast<QPlainTextEdit *>(box))
        return text->toPlainText();
    return {};
}

void SetBoxText(QWidget *box, const QString &text) {
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else if (auto *combo = qobject_cast<QComboBox *>(box))
        combo->setEditText(text);
    else if (auto *edit = qobject_cast<QPlainTextEdit *>(box))
        edit->setPlainText(text);
}

// Words up to this length wrap at their ends in no noticeable time.
constexpr qsizetype LongWord = 400;

bool HoldsLongWord(const QString &text) {
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > LongWord)
            return true;
    }
    return false;
}

void ChooseWrap(QPlainTextEdit *box) {
    const QTextDocument *document = box->document();
    // An empty box is about to be filled (setPlainText empties it first),
    // and the new text is laid out before this can look at it.
    const QTextOption::WrapMode mode = document->isEmpty() || HoldsLongWord(document->toPlainText())
                                           ? QTextOption::WrapAnywhere
                                           : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (box->wordWrapMode() != mode)
        box->setWordWrapMode(mode);
}

} // namespace

bool FitBoxesToCodePage(const QList<QWidget *> &boxes) {
    QStringList texts;
    for (QWidget *box : boxes)
        texts << (box ? BoxText(box) : QString());
    if (AcceptStoredText(texts)) {
        for (QWidget *box : boxes) {
            const QString text = box ? BoxText(box) : QString();
            const QString kept = TextCodec::Storable(text);
            if (kept != text)
                SetBoxText(box, kept);
        }
        return true;
    }
    for (QWidget *box : boxes)
        if (box && !TextCodec::Unstorable(BoxText(box)).isEmpty()) {
            box->setFocus();
            break;
        }
    return false;
}

void KeepBoxResponsive(QPlainTextEdit *box) {
    if (box->property("tamselResponsive").toBool())
        return;
    box->setProperty("tamselResponsive", true);
    // Connected to the document, which tells of a change before it is laid out.
    QObject::connect(box->document(), &QTextDocument::contentsChange, box, [box] { ChooseWrap(box); });
    ChooseWrap(box);
}

void KeepTextBoxesResponsive(QWidget *screen) {
    for (QPlainTextEdit *box : screen->findChildren<QPlainTextEdit *>())
        KeepBoxResponsive(box);
}
