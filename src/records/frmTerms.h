#pragma once
// The custom terms and disclaimer that replace the generic texts: the
// generic texts shown for comparison, the two custom texts written, saved,
// loaded, cleared and deleted.
#include "common/TamselForm.h"

#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmTerms : public TamselForm {
    Q_OBJECT
public:
    frmTerms();

    void Form_Load() override;

    // Each takes a data name ("/CustomTerms.txt") and the box it fills or empties.
    void SaveTextFile(const QString &name, QPlainTextEdit *box);
    void LoadTextFile(const QString &name, QPlainTextEdit *box);
    void ShowClearedMessage(const QString &label);

    // Label1(1) generic terms, Label1(0) generic disclaimer, the rest headings.
    std::array<QLabel *, 8> Label1{};
    // Text1(0) custom terms, Text1(1) custom disclaimer.
    std::array<QPlainTextEdit *, 2> Text1{};
    // 0 Menu; 1, 2 save; 3, 4 clear; 5, 6 load; 7, 8 delete (terms, disclaimer).
    std::array<QPushButton *, 9> Command1{};

public slots:
    void Command1_Click(int Index);
};
