#pragma once
// Field proposals: blank forms filled in by hand at the job site. The
// screen asks for the validity days and the disclaimer, records the
// proposal file ("FP" + N) and prints the ruled form.
#include "common/TamselForm.h"
#include "printing/ProposalDocument.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmFieldProposal : public TamselForm {
    Q_OBJECT
public:
    frmFieldProposal();

    void Form_Load() override;
    void Form_Activate() override;
    void ShowProposalNo() override;

    // Reads the current customer and writes its field proposal file under
    // ProposalNo; false (after a message) when the file could not be written
    // or the user kept the proposal already recorded under that number.
    bool SaveFieldProposal();
    // What prints for the current customer, days and disclaimer.
    ProposalDocument CurrentDocument() const;

    std::array<QLabel *, 4> Label1{}; // 3 the heading
    std::array<QLabel *, 3> Label2{}; // 1, 2 around cboDays
    std::array<QLabel *, 4> Label3{}; // 0, 1 the hints, 3 "Next Proposal"
    QComboBox *cboDays = nullptr;
    std::array<QRadioButton *, 2> optDisclaimer{}; // generic, custom
    QLineEdit *txtNextFieldProposal = nullptr; // the number the next form gets
    std::array<QPushButton *, 2> cmdField{};   // 0 Menu, 1 Print
    QPushButton *cmdPreview = nullptr;

public slots:
    void cmdField_Click(int Index);
    void cmdPreview_Click();

private:
    void PrintFieldProposal();
    // Files of the number that this screen did not write are replaced only
    // when the user says so (replace is then true); at the last number the
    // user is warned first. False: nothing may be written.
    bool MayRecordNumber(qint16 number, bool &replace);
    // The custom disclaimer can be chosen only while there is one.
    void CheckCustomDisclaimer();

    qint16 wroteNumber_ = 0; // the number whose file this screen wrote
};
