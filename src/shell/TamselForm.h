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
    // The screen became the active window.
    virtual void Form_Activate() {}
    // Another window became active.
    virtual void Form_Deactivate();
    // The screen is being unloaded (by the program or at exit).
    virtual void Form_Unload();

    void RestoreLayout();
    void SaveLayout();

protected:
    // The key under which the layout is kept; the splash keeps its own.
    virtual QString LayoutApplication() const { return QStringLiteral("TamselProposal"); }
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    // True on the first activation since the screen was last hidden. A window
    // is activated again when a message box or dialog closes, or when the
    // user comes back from another program; screens that reset their fields
    // on arrival check this so the user's unsaved typing is kept.
    bool ArrivedOnScreen();

private:
    friend class ScreenRegistry;
    bool unloading_ = false; // true while the program itself unloads the screen
    bool arrived_ = false;   // activated since it was last hidden
};
