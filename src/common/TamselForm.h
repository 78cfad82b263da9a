#pragma once
// What every screen shares: load, activate, deactivate and unload events,
// its size and position kept between runs, and the rule that closing a
// window with its own close button ends the whole program.
#include <QWidget>

class TamselForm : public QWidget {
    Q_OBJECT
public:
    // The object name is the screen's name (frmSetup, frmCustomer, ...).
    explicit TamselForm(const QString &name, QWidget *parent = nullptr);

    // Runs once, right after the screen is created by the registry.
    virtual void Form_Load();
    // The screen became the active one among the program's screens. A message
    // box or another program taking the focus for a while does not count, nor
    // does restoring the minimized window, so neither re-runs the activation
    // (which may refill the fields the user is editing).
    virtual void Form_Activate() {}
    // Another screen of the program became active, or the program hid this one.
    virtual void Form_Deactivate();
    // The screen is being unloaded (by the program or at exit).
    virtual void Form_Unload();

    // The next proposal number changed; screens that show it refresh it.
    virtual void ShowProposalNo() {}

    // What a window manager adds around a window (title bar, borders), taken
    // where the real frame is not known yet.
    static constexpr QMargins DecorationAllowance{4, 32, 4, 4};

    // Comes back with the size and position saved last, moved and shrunk onto
    // the screen where they no longer fit it.
    void RestoreLayout();
    // Moves and shrinks the window back inside the screen's available area
    // where it has grown or been placed past it.
    void KeepOnScreen();
    void SaveLayout();

protected:
    // The key under which the layout is kept; the splash keeps its own.
    virtual QString LayoutApplication() const { return QStringLiteral("TamselProposal"); }
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void BecomeActive();
    friend class ScreenRegistry;
    bool unloading_ = false; // true while the program itself unloads the screen
};
