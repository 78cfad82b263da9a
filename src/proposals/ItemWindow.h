#pragma once
// The item window of the proposal writer ("Add Sales Items to Proposal"):
// pick an item from the inventory or type one, and its line goes at the end
// of the body; a typed item can then be saved to the inventory.
#include "proposals/InventoryFiles.h"

#include <QFrame>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class ItemWindow : public QFrame {
    Q_OBJECT
public:
    ItemWindow(QPlainTextEdit *txtBody, QWidget *parent = nullptr);

    // Hides the window, empties its lists and reads the inventory files;
    // true when either file exists (InventoryAvailable). The lists are
    // filled from what was read when the window is next shown, so a writer
    // that never opens it never waits for a large inventory.
    bool LoadItems();
    // Shows the window when it is hidden, hides it when it is shown.
    void Open();
    bool InventoryAvailable() const { return inventoryAvailable_; }
    bool ManualItemMode() const { return manualItemMode_; }
    // The widget the window takes the place of while it is open: hidden as
    // the window opens, shown again as it closes.
    void CoverWhileOpen(QWidget *beneath) { beneath_ = beneath; }
    void setVisible(bool visible) override;

    QListWidget *lstItems = nullptr;
    QListWidget *lstItemsUnsorted = nullptr; // hidden, file order
    // 0 description, 1 price, 2 quantity
    std::array<QLineEdit *, 3> txtItem{};
    // 0 add, 1 clear, 2 close, 3 manual, 4 save new item
    std::array<QPushButton *, 5> cmdItem{};
    QGroupBox *fraAddNew = nullptr;
    QComboBox *cboCategories = nullptr;

public slots:
    void lstItems_Click();
    void cmdItem_Click(int Index);
    // The key to use for a key typed into txtItem(Index), or 0.
    int txtItem_KeyPress(int Index, int KeyAscii);
    void txtItem_LostFocus(int Index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ClearItemBoxes();
    void FillLists();

    QPlainTextEdit *txtBody_;
    QWidget *beneath_ = nullptr;
    ItemFiles files_; // read, not yet in the lists
    bool listsFilled_ = true;
    bool inventoryAvailable_ = false;
    ItemLists items_;
    bool manualItemMode_ = false;
};
