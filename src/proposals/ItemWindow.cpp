#include "proposals/ItemWindow.h"

#include "common/KeyFiltersUi.h"
#include "common/LocaleTexts.h"
#include "common/StoredText.h"
#include "common/StoredTextUi.h"
#include "platform/UserPrompt.h"
#include "proposals/InventoryFiles.h"
#include "proposals/ItemLines.h"
#include "proposals/PaymentSchedule.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

QLabel *MakeLabel(const QString &name, const QString &caption, QWidget *parent) {
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

ItemWindow::ItemWindow(QPlainTextEdit *txtBody, QWidget *parent) : QFrame(parent), txtBody_(txtBody) {
    setObjectName(QStringLiteral("FraItems"));
    setWindowTitle(QStringLiteral("Add Sales Items to Proposal"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    // It opens over the body stage, so nothing beneath may show through.
    setAutoFillBackground(true);

    QLabel *title = MakeLabel(QStringLiteral("lblItemsTitle"), windowTitle(), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    title->setFont(bold);
    QLabel *help0 =
        MakeLabel(QStringLiteral("lblItemsHelp_0"),
                  QStringLiteral("Click an Item to select it. Enter quantities and prices,"), this);
    QLabel *help1 = MakeLabel(QStringLiteral("lblItemsHelp_1"), QStringLiteral("or enter Manually"), this);

    QFont fixed(QStringLiteral("Courier"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    lstItems = new QListWidget(this);
    lstItems->setObjectName(QStringLiteral("lstItems"));
    lstItems->setFont(fixed);
    lstItems->setUniformItemSizes(true); // tens of thousands of items lay out at once
    lstItems->setMinimumSize(220, 200);
    lstItemsUnsorted = new QListWidget(this);
    lstItemsUnsorted->setObjectName(QStringLiteral("lstItemsUnsorted"));
    lstItemsUnsorted->setUniformItemSizes(true);
    lstItemsUnsorted->hide();
    connect(lstItems, &QListWidget::itemClicked, this, &ItemWindow::lstItems_Click);
    connect(lstItems, &QListWidget::itemActivated, this, &ItemWindow::lstItems_Click);

    const QString roles[3] = {QStringLiteral("Selected Item"), QStringLiteral("Selling Price"),
                              QStringLiteral("Quantity")};
    for (int i = 0; i < 3; ++i) {
        txtItem[i] = new QLineEdit(this);
        txtItem[i]->setObjectName(QStringLiteral("txtItem_%1").arg(i));
        txtItem[i]->setToolTip(roles[i]);
    }
    txtItem[ItemDescriptionBox]->setMinimumWidth(200);
    // The inventory record's widths; a longer text would be cut when saved.
    txtItem[ItemDescriptionBox]->setMaxLength(InventoryDescriptionWidth);
    txtItem[ItemQuantityBox]->setMaximumWidth(80);
    InstallKeyFilter(txtItem[ItemQuantityBox],
                     [this](int key) { return txtItem_KeyPress(ItemQuantityBox, key); });
    txtItem[ItemPriceBox]->installEventFilter(this);

    const QString captions[5] = {QStringLiteral("&Add Item to the Proposal"),
                                 QStringLiteral("&Clear this Item / Redo"), QStringLiteral("Close Window"),
                                 QStringLiteral("Add Item &Manually"), QStringLiteral("Save New Item")};
    for (int i = 0; i < 5; ++i) {
        cmdItem[i] = new QPushButton(captions[i], this);
        cmdItem[i]->setObjectName(QStringLiteral("cmdItem_%1").arg(i));
        connect(cmdItem[i], &QPushButton::clicked, this, [this, i] { cmdItem_Click(i); });
    }

    fraAddNew = new QGroupBox(QStringLiteral("Add New Item"), this);
    fraAddNew->setObjectName(QStringLiteral("fraAddNew"));
    cboCategories = new QComboBox(fraAddNew);
    cboCategories->setObjectName(QStringLiteral("cboCategories"));
    cboCategories->setEditable(true);
    cboCategories->setInsertPolicy(QComboBox::NoInsert);
    cboCategories->lineEdit()->setMaxLength(InventoryCategoryWidth);
    cboCategories->setMinimumWidth(160);
    cmdItem[4]->setParent(fraAddNew);
    auto *addNew = new QGridLayout(fraAddNew);
    QLabel *categories = MakeLabel(QStringLiteral("lblCategories"),
                                   QStringLiteral("Click the Category (or Enter) to which to Add this Item"),
                                   fraAddNew);
    categories->setWordWrap(true); // the window shares the writer's width with the body
    addNew->addWidget(categories, 0, 0, 1, 2);
    addNew->addWidget(cboCategories, 1, 0);
    addNew->addWidget(cmdItem[4], 1, 1);
    addNew->setColumnStretch(0, 1);
    fraAddNew->hide();

    // The list on the left; the chosen item and the buttons on the right.
    auto *boxes = new QGridLayout;
    boxes->setVerticalSpacing(4);
    boxes->addWidget(MakeLabel(QStringLiteral("lblItem_0"), roles[ItemDescriptionBox], this), 0, 0, 1, 2);
    boxes->addWidget(txtItem[ItemDescriptionBox], 1, 0, 1, 2);
    boxes->addWidget(MakeLabel(QStringLiteral("lblItem_1"), roles[ItemPriceBox], this), 2, 0);
    boxes->addWidget(MakeLabel(QStringLiteral("lblItem_2"), QStringLiteral("Qty"), this), 2, 1);
    boxes->addWidget(txtItem[ItemPriceBox], 3, 0);
    boxes->addWidget(txtItem[ItemQuantityBox], 3, 1);
    boxes->setColumnStretch(0, 1);

    auto *right = new QVBoxLayout;
    right->addLayout(boxes);
    right->addSpacing(8);
    for (int i : {0, 1, 3, 2})
        right->addWidget(cmdItem[i]);
    right->addStretch();

    auto *middle = new QHBoxLayout;
    middle->addWidget(lstItems, 1);
    middle->addSpacing(8);
    middle->addLayout(right);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->addWidget(title);
    layout->addWidget(help0);
    layout->addWidget(help1);
    layout->addLayout(middle, 1);
    layout->addWidget(fraAddNew);

    hide();
}

bool ItemWindow::LoadItems() {
    hide();
    lstItems->clear();
    lstItemsUnsorted->clear();
    cboCategories->clear();
    items_ = ItemLists();
    files_ = ReadItemFiles();
    inventoryAvailable_ = files_.InventoryAvailable;
    listsFilled_ = false;
    return inventoryAvailable_;
}

void ItemWindow::FillLists() {
    listsFilled_ = true;
    items_ = DecodeItems(files_);
    files_ = ItemFiles();
    // Whole lists at once: one insertion each, already in order.
    lstItems->addItems(items_.Sorted);
    lstItemsUnsorted->addItems(items_.Unsorted);
    cboCategories->addItems(items_.Categories);
    cboCategories->setCurrentIndex(-1);
}

void ItemWindow::setVisible(bool visible) {
    if (visible && !listsFilled_)
        FillLists();
    // Only an explicit show or hide comes here; the stage being hidden around
    // it leaves both as they are.
    if (beneath_ && visible)
        beneath_->hide();
    QFrame::setVisible(visible);
    if (beneath_ && !visible)
        beneath_->show();
}

void ItemWindow::Open() {
    if (isVisible()) {
        hide();
        return;
    }
    show();
    raise();
}

void ItemWindow::lstItems_Click() {
    const QListWidgetItem *chosen = lstItems->currentItem();
    if (!chosen)
        return;
    const QString description = chosen->text();
    const int p = items_.FirstIndexOf(description);
    if (p < 0)
        return;
    txtItem[ItemDescriptionBox]->setText(description);
    txtItem[ItemPriceBox]->setText(CurrencyText(items_.ItemPrices[size_t(p)]));
    txtItem[ItemQuantityBox]->clear();
    txtItem[ItemQuantityBox]->setFocus();
}

void ItemWindow::cmdItem_Click(int Index) {
    switch (Index) {
    case 0: {
        const ItemLine item = AddItemLine(txtBody_->toPlainText(), txtItem[ItemQuantityBox]->text(),
                                          txtItem[ItemDescriptionBox]->text(), txtItem[ItemPriceBox]->text());
        if (!item.ok) {
            MsgBox(item.message, MsgButtons::Ok, ItemRefusedTitle);
            txtItem[item.faultBox]->setFocus();
            return;
        }
        txtItem[ItemQuantityBox]->setText(item.quantityShown);
        // Appended where the body ends; the rest of the body is not touched.
        QTextCursor end(txtBody_->document());
        end.movePosition(QTextCursor::End);
        end.insertText(BoxLineEnds(item.addition));
        txtBody_->setTextCursor(end);
        txtBody_->ensureCursorVisible();
        if (manualItemMode_ && MsgBox(QStringLiteral("Would you like to add this\r\nitem to your Inventory?"),
                                      MsgButtons::YesNo, QStringLiteral("Add NewItem")) == MsgAnswer::Yes) {
            fraAddNew->show();
            return;
        }
        ClearItemBoxes();
        return;
    }
    case 1:
        ClearItemBoxes();
        return;
    case 2:
        hide();
        return;
    case 3:
        manualItemMode_ = true;
        ClearItemBoxes();
        txtItem[ItemDescriptionBox]->setFocus();
        return;
    case 4: {
        const ItemProblem problem =
            NewItemProblem(txtItem[ItemDescriptionBox]->text(), txtItem[ItemPriceBox]->text());
        if (problem.box >= 0) {
            MsgBox(problem.message, MsgButtons::Ok, QStringLiteral("Item not Saved"));
            txtItem[problem.box]->setFocus();
            return;
        }
        if (!FitBoxesToCodePage({txtItem[ItemDescriptionBox], cboCategories}))
            return;
        fraAddNew->hide();
        if (!SaveItemToInventory(txtItem[ItemDescriptionBox]->text(), cboCategories->currentText(),
                                 CurrencyAmount(txtItem[ItemPriceBox]->text()).value_or(Currency{}))) {
            fraAddNew->show(); // nothing was saved; the user may try again
            return;
        }
        MsgBox(QStringLiteral("Item Has been Saved to Inventory File"), MsgButtons::Ok);
        return;
    }
    default:
        return;
    }
}

int ItemWindow::txtItem_KeyPress(int Index, int KeyAscii) {
    return Index == ItemQuantityBox ? NumericKeyFilter(KeyAscii) : KeyAscii;
}

void ItemWindow::txtItem_LostFocus(int Index) {
    if (Index != ItemPriceBox)
        return;
    QLineEdit *box = txtItem[ItemPriceBox];
    if (PaymentRules::IsTooLarge(box->text())) {
        MsgBox(PaymentRules::AmountTooLargeMessage(), MsgButtons::Ok, PaymentRules::AmountTooLargeTitle);
        box->setFocus();
        return;
    }
    // Rounded as the line and the writer's price box round it: halves away from zero.
    if (const auto amount = CurrencyAmount(box->text())) {
        box->setText(CurrencyText(RoundedToLocaleDigits(*amount)));
        return;
    }
    // An empty box, or one with no amount in it, takes the focus back.
    box->clear();
    box->setFocus();
}

bool ItemWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == txtItem[ItemPriceBox] && event->type() == QEvent::FocusOut) {
        // Another window coming to the front (a message box) is no leaving of the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtItem_LostFocus(ItemPriceBox);
    }
    return QFrame::eventFilter(watched, event);
}

void ItemWindow::ClearItemBoxes() {
    for (QLineEdit *box : txtItem)
        box->clear();
}
