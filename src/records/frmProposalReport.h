#pragma once
// The report of every recorded proposal: the grid of proposals, a
// proposal's body and payment schedule, the price quoted for a field
// proposal, the proposal's state, printing it again, and deleting the
// proposals the user marks.
#include "common/TamselForm.h"
#include "proposals/ProposalState.h"

#include <array>

class ProposalReportModel;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableView;

class frmProposalReport : public TamselForm {
    Q_OBJECT
public:
    frmProposalReport();

    void Form_Activate() override;

    ProposalReportModel *Model() const { return model_; }
    // Refills the grid from the files on disk. With no proposal file left,
    // says so and goes back to the main menu; false then.
    bool FillGrid();
    // The file of the proposal whose details or quote frame is open.
    QString DetailsFile() const { return detailsFile_; }
    QString QuoteFile() const { return quoteFile_; }

    QTableView *fgProposals = nullptr;
    // 0 Menu, 1 Close (in fraProposal), 2 Delete Selected Proposals.
    std::array<QPushButton *, 3> cmdReport{};
    // 2, 3, 5 the hints, 4 "Payment Schedule", 6 "No Payment data was found".
    std::array<QLabel *, 7> Label1{};

    QGroupBox *fraProposal = nullptr;
    QPlainTextEdit *txtProposalBody = nullptr;
    std::array<QLabel *, 2> lblPayment{}; // "Total Payments", "Proposed Amount"
    QLabel *lblPayments = nullptr;
    std::array<QLabel *, 9> lblAmount{}; // 0 the price, 1 to 8 the payments
    std::array<QLabel *, 8> lblDate{};   // due date of payment i in lblDate(i - 1)
    QPushButton *cmdPrintAgain = nullptr;
    QPushButton *cmdEmail = nullptr;
    QPushButton *cmdPreview = nullptr;

    QGroupBox *fraQuote = nullptr;
    QLineEdit *txtQuote = nullptr;
    std::array<QPushButton *, 2> cmdQuote{}; // Save Price Quote, Cancel

    // The grid's pop-up menu: the state of the proposal, printing it again.
    QMenu *mnuProposal = nullptr;
    std::array<QAction *, 3> mnuState{}; // open, accepted, declined
    QAction *mnuPrintAgain = nullptr;
    QAction *mnuEmail = nullptr;
    QAction *mnuPreview = nullptr;

public slots:
    void cmdReport_Click(int Index);
    // Row and column as the grid counts them: row 0 is the heading.
    void fgProposals_Click(int Row, int Col);
    void fgProposals_RightClick(int Row);
    void cmdQuote_Click(int Index);
    void mnuState_Click(int Index);
    // Prints again, or previews, the proposal of a grid row or of the details frame.
    void PrintAgain(const QString &fileName);
    void EmailAgain(const QString &fileName);
    void PreviewAgain(const QString &fileName);

private:
    void ShowDetails(int modelRow);
    void DeleteSelected();

    ProposalReportModel *model_ = nullptr;
    QString detailsFile_;
    QString quoteFile_;
    int menuRow_ = -1; // model row the pop-up menu was opened on
    bool unloaded_ = false;
};
